#pragma once

#include "app/small_icons.h"
#include "source/folder_tree.h"

#include <QTreeWidget>
#include <QVector>

namespace varnemo::app {

// OutlookFoldersTree: shows the folder tree model with a check box on every node but those of
// folders that cannot be read, and follows it node by node while it is built. The model stays
// the truth: a tick or untick by the user is written back to it at once. A tick with Shift held,
// or the context menu, takes a folder with everything below it; the menu also ticks or unticks
// the whole tree. Long names and deep trees scroll sideways rather than being cut.
class FolderTreeView : public QTreeWidget, private FolderTreeObserver {
    Q_OBJECT
public:
    FolderTreeView(FolderTree& tree, const SmallIcons& icons, QWidget* parent = nullptr);
    ~FolderTreeView() override;

    // The widget item of a node (numbered from 1 as in the model).
    QTreeWidgetItem* Item(size_t number) const { return items_.at(static_cast<qsizetype>(number - 1)); }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The column is as wide as its widest row, and at least as wide as the view.
    int sizeHintForColumn(int column) const override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void NodesCleared() override;
    void NodeAdded(size_t number) override;
    void AllTicked() override;
    void OnItemChanged(QTreeWidgetItem* item, int column);
    // The context menu's entries; each acts on the current item.
    QAction* AddAction(const char* name, const QString& text, void (FolderTreeView::*act)());
    void TickCurrentAndBelow() { SetCheckedBelow(CurrentNumber(), true); }
    void UntickCurrentAndBelow() { SetCheckedBelow(CurrentNumber(), false); }
    void TickEverything() { SetCheckedBelow(1, true); }
    void UntickEverything() { SetCheckedBelow(1, false); }
    size_t CurrentNumber() const;
    // Sets the node and everything below it in the model, then shows the model's states.
    void SetCheckedBelow(size_t number, bool checked);

    FolderTree& tree_;
    const SmallIcons& icons_;
    QVector<QTreeWidgetItem*> items_;
    QAction* tickBelow_;
    QAction* untickBelow_;
    QAction* tickAll_;
    QAction* untickAll_;
    // True while the view changes check states itself, so that only the user's changes go back.
    bool following_ = false;
};

}  // namespace varnemo::app
