#include "app/folder_tree_view.h"

#include "app/artwork.h"
#include "app/qt_text.h"
#include "common/scoped_flag.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>

#include <algorithm>

namespace varnemo::app {
namespace {

constexpr int kNumberRole = Qt::UserRole;

// The store's node stands out in blue; it and every folder that holds items are in bold.
void Decorate(QTreeWidgetItem& item, const FolderNode& node)
{
    QFont font = item.font(0);
    font.setBold(node.hasItems);
    item.setFont(0, font);
    if (node.parent == 0)
        item.setForeground(0, palette::kBlue);
}

// A folder that cannot be read has no check box, so that it cannot be ticked; it is greyed and
// says why when pointed at.
void ShowUnreadable(QTreeWidgetItem& item, const FolderNode& node, const QColor& grey)
{
    item.setFlags(item.flags() & ~Qt::ItemIsUserCheckable);
    item.setForeground(0, grey);
    item.setToolTip(0, ToQString(node.error));
}

}  // namespace

FolderTreeView::FolderTreeView(FolderTree& tree, const SmallIcons& icons, QWidget* parent)
    : QTreeWidget(parent), tree_(tree), icons_(icons)
{
    setObjectName("OutlookFoldersTree");
    setColumnCount(1);
    setHeaderLabels({"Mailbox Folders"});
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // A stretched column would be as wide as the view and cut what lies beyond its right edge.
    header()->setStretchLastSection(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setUniformRowHeights(true);
    tickBelow_ = AddAction("TickBelow", "Tick this folder and all below", &FolderTreeView::TickCurrentAndBelow);
    untickBelow_ = AddAction("UntickBelow", "Untick this folder and all below", &FolderTreeView::UntickCurrentAndBelow);
    tickAll_ = AddAction("TickAll", "Tick all", &FolderTreeView::TickEverything);
    untickAll_ = AddAction("UntickAll", "Untick all", &FolderTreeView::UntickEverything);
    connect(this, &QTreeWidget::itemChanged, this, &FolderTreeView::OnItemChanged);
    tree_.SetObserver(this);
}

FolderTreeView::~FolderTreeView()
{
    tree_.SetObserver(nullptr);
}

void FolderTreeView::NodesCleared()
{
    ScopedFlag following(following_);
    clear();
    items_.clear();
}

void FolderTreeView::NodeAdded(size_t number)
{
    ScopedFlag following(following_);
    const FolderNode& node = tree_.Node(number);
    auto* item = node.parent == 0 ? new QTreeWidgetItem(this) : new QTreeWidgetItem(Item(node.parent));
    item->setText(0, ToQString(node.text));
    item->setIcon(0, icons_.At(node.image));
    item->setData(0, kNumberRole, QVariant::fromValue<qulonglong>(number));
    if (node.Readable())
        item->setCheckState(0, node.checked ? Qt::Checked : Qt::Unchecked);
    else
        ShowUnreadable(*item, node, palette().color(QPalette::Disabled, QPalette::Text));
    Decorate(*item, node);
    items_.push_back(item);
    if (item->parent())
        item->parent()->setExpanded(true);
}

void FolderTreeView::AllTicked()
{
    ScopedFlag following(following_);
    for (size_t number = 1; number <= tree_.Count(); ++number)
        if (tree_.Node(number).Readable())
            Item(number)->setCheckState(0, Qt::Checked);
}

void FolderTreeView::OnItemChanged(QTreeWidgetItem* item, int column)
{
    if (following_ || column != 0)
        return;
    const auto number = item->data(0, kNumberRole).toULongLong();
    const bool checked = item->checkState(0) == Qt::Checked;
    if (QApplication::keyboardModifiers() & Qt::ShiftModifier)
        SetCheckedBelow(number, checked);
    else
        tree_.SetChecked(number, checked);
}

QAction* FolderTreeView::AddAction(const char* name, const QString& text, void (FolderTreeView::*act)())
{
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, act);
    return action;
}

void FolderTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    if (tree_.Count() == 0)
        return;
    if (QTreeWidgetItem* item = itemAt(event->pos()))
        setCurrentItem(item);
    const bool onItem = currentItem() != nullptr;
    tickBelow_->setEnabled(onItem);
    untickBelow_->setEnabled(onItem);
    QMenu menu(this);
    menu.addActions({tickBelow_, untickBelow_});
    menu.addSeparator();
    menu.addActions({tickAll_, untickAll_});
    menu.exec(event->globalPos());
}

int FolderTreeView::sizeHintForColumn(int column) const
{
    return std::max(QTreeWidget::sizeHintForColumn(column), viewport()->width());
}

void FolderTreeView::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    header()->resizeSections(QHeaderView::ResizeToContents);
}

size_t FolderTreeView::CurrentNumber() const
{
    // Without a current item the menu's folder entries are off; the root stands in.
    return currentItem() ? currentItem()->data(0, kNumberRole).toULongLong() : 1;
}

void FolderTreeView::SetCheckedBelow(size_t number, bool checked)
{
    if (tree_.Count() == 0)
        return;
    ScopedFlag following(following_);
    const size_t last = tree_.SetCheckedBelow(number, checked);
    for (size_t shown = number; shown <= last; ++shown)
        if (tree_.Node(shown).Readable())
            Item(shown)->setCheckState(0, tree_.Node(shown).checked ? Qt::Checked : Qt::Unchecked);
}

}  // namespace varnemo::app
