#pragma once

#include "app/small_icons.h"
#include "common/program_state.h"
#include "notes/notes.h"
#include "shell/dialogs.h"
#include "source/folder_tree.h"
#include "source/mapi.h"
#include "source/source_view.h"
#include "source/store_discovery.h"

#include <QMainWindow>
#include <QPointer>

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace varnemo::app {

class FolderTreeView;
class HelpWindow;

// What the main window works with; main() provides the real components, tests their own.
struct MainServices {
    ProgramState& state;
    mapi::Component& mapi;
    notes::Component& notes;
    Dialogs& dialogs;
    // Which backends serve the components, shown in the status bar.
    std::string backendDescription;
    QString helpFile;
};

// frmMain: the source of the conversion (configured mailboxes or another data file), the
// folder tree to tick, and the start of the conversion.
class FrmMain : public QMainWindow, public SourceView {
    Q_OBJECT
public:
    explicit FrmMain(MainServices services, QWidget* parent = nullptr);

    const FolderTree& Tree() const { return tree_; }

    // SourceView
    void SetStartConversionEnabled(bool enabled) override;
    void SetStoreListEnabled(bool enabled) override;
    void AddStoreEntry(const std::string& entryText) override;
    std::string StoreListText() override;
    void ClearStoreChoice() override;
    std::string DataFilePath() override;
    void ShowPreviewTab() override;
    void Yield() override;
    void ShowOpening(long foldersSoFar) override;
    void ShowListing(long mailboxesSoFar) override;
    void OpeningEnded() override;

signals:
    // The user confirmed Exit, or a conversion failed so that the program must end.
    void endProgramRequested();

public slots:
    void mnuExit_Click();
    void mnuHelp_Click();
    void mnuAbout_Click();
    void OptConfiguredPST_Click();
    void OptOtherPST_Click();
    void CmdBrowse_Click();
    void txtNotesDatabaseFile_Change();
    void CmdExportConfigured_Click();
    void CmdExportOther_Click();
    void CmbOutlookStores_Click();
    void CmdStartConversion_Click();

private:
    void Form_Load();
    void BuildMenus();
    QWidget* BuildHeader();
    QWidget* BuildSelectFileTab();
    QGroupBox* BuildOtherPstFrame();
    QHBoxLayout* BuildOpeningRow();
    void KeepHelpWhole();
    QWidget* BuildPreviewTab();
    void BuildStatusBar();
    void ConnectHandlers();

    MainServices services_;
    FolderTree tree_;
    SmallIcons SmallIcons_;
    StoreDiscovery discovery_;
    QPointer<HelpWindow> help_;

    QTabWidget* NotesTab;
    QRadioButton* OptConfiguredPST;
    QRadioButton* OptOtherPST;
    QGroupBox* OtherPSTFrame;
    QPushButton* CmdBrowse;
    QLineEdit* txtNotesDatabaseFile;
    QPushButton* CmdExportOther;
    // Shown while a data file is read: the folders so far and Cancel.
    QLabel* LblOpening;
    QPushButton* CmdCancelOpen;
    QPushButton* CmdExportConfigured;
    QLabel* LblHelp;
    QComboBox* CmbOutlookStores;
    FolderTreeView* OutlookFoldersTree;
    QPushButton* CmdStartConversion;
};

}  // namespace varnemo::app
