#pragma once

#include "app/frm_main.h"
#include "app/frm_save.h"
#include "fakes/scripted_dialogs.h"
#include "notes/local/local_notes.h"
#include "temp_dir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace varnemo::testing {

// The child widget of that name and type; the test fails loudly when there is none.
template <class Widget>
Widget& Find(const QObject& window, const char* name)
{
    auto* widget = window.findChild<Widget*>(name);
    if (!widget)
        throw std::logic_error(std::string("the window has no ") + name);
    return *widget;
}

inline std::string Text(const QLabel& label)
{
    return label.text().toStdString();
}

inline std::string Text(const QLineEdit& box)
{
    return box.text().toStdString();
}

// The window's widgets that are shown but cut: smaller than their smallest whole size, or
// reaching past their parent's edge. Empty when every frame, label and button is whole.
inline std::vector<std::string> CutWidgets(const QWidget& window)
{
    std::vector<std::string> cut;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window) || widget->isWindow())
            continue;
        const QSize smallest = widget->minimumSizeHint();
        const bool tooSmall = smallest.isValid() && (widget->width() < smallest.width() ||
                                                     widget->height() < smallest.height());
        const bool pastEdge = !widget->parentWidget()->rect().contains(widget->geometry());
        if (tooSmall || pastEdge)
            cut.push_back(widget->metaObject()->className() + std::string(" ") + widget->objectName().toStdString());
    }
    return cut;
}

// Runs act on the modal window that the next call opens, as soon as it shows. If that window
// is of another type, the test fails and the window is closed, so that the call returns.
template <class Window>
void WhenModalOpens(std::function<void(Window&)> act)
{
    QTimer::singleShot(0, [act = std::move(act)] {
        if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget())) {
            act(*window);
            return;
        }
        ADD_FAILURE() << "the expected modal window did not open";
        if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            other->reject();
    });
}

// The main window over the components a test chooses, with a local Notes store and the
// dialogs answered by the test.
class MainWindowHarness {
public:
    explicit MainWindowHarness(mapi::Component& mapi, QString helpFile = {})
        : notes(dir.path() / "notes-data"),
          window(app::MainServices{state, mapi, notes, dialogs, "test backends", std::move(helpFile)})
    {
        window.show();
    }

    QAbstractButton& Button(const char* name) { return Find<QAbstractButton>(window, name); }
    QTabWidget& Tabs() { return Find<QTabWidget>(window, "NotesTab"); }
    QComboBox& StoreList() { return Find<QComboBox>(window, "CmbOutlookStores"); }
    QTreeWidget& TreeWidget() { return Find<QTreeWidget>(window, "OutlookFoldersTree"); }

    // Opens a data file on the second road, as the user does: option, Browse, Export Mailbox.
    void OpenDataFile(const std::filesystem::path& path)
    {
        Button("OptOtherPST").click();
        dialogs.fileAnswers.push_back(path.string());
        Button("CmdBrowse").click();
        Button("CmdExportOther").click();
    }

    // Picks the entry of the store list as the user does.
    void ChooseStore(int index)
    {
        StoreList().setCurrentIndex(index);
        emit StoreList().activated(index);
    }

    TempDir dir;
    ProgramState state;
    ScriptedDialogs dialogs;
    notes::local::LocalNotes notes;
    app::FrmMain window;
};

}  // namespace varnemo::testing
