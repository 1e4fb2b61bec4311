#pragma once

#include "app_win32/controls.h"
#include "app_win32/folder_tree_control.h"
#include "app_win32/window.h"
#include "common/program_state.h"
#include "notes/notes.h"
#include "shell/dialogs.h"
#include "source/folder_tree.h"
#include "source/mapi.h"
#include "source/source_view.h"
#include "source/store_discovery.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace varnemo::win32 {

// What the main window works with; WinMain provides the real components, tests their own.
struct MainServices {
    ProgramState& state;
    mapi::Component& mapi;
    notes::Component& notes;
    Dialogs& dialogs;
    // Which backends serve the components, shown in the status bar.
    std::string backendDescription;
};

// frmMain: the source of the conversion (configured mailboxes or another data file), the
// folder tree to tick, and the start of the conversion. Closing it ends the program.
class FrmMain : public Window, public SourceView {
public:
    explicit FrmMain(MainServices services);

    void Show();
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
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int notification);
    LRESULT OnNotify(NMHDR& notification);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void DrawStoreEntry(const DRAWITEMSTRUCT& item);
    void EraseBackground(HDC target) const;
    void ShowInFirstPanel(const std::string& text);
    bool IsOnPage(HWND control) const;
    LRESULT PageBackground(HDC target) const;
    void StackPages();
    void PaintHeader(HDC target);
    void Form_Load();
    HMENU BuildMenus();
    void BuildTabs();
    void BuildSelectFileTab();
    void BuildPreviewTab();
    void BuildStatusBar();
    void DrawBackendPanel(const DRAWITEMSTRUCT& item);
    void ShowTab(int index);
    void SetPreviewTabEnabled(bool enabled);
    // A control inside OtherPSTFrame is usable only while the frame is, whatever its own state.
    void SetFrameChildEnabled(int id, bool enabled);
    void SetOtherPstFrameEnabled(bool enabled);
    void EndProgram();

    MainServices services_;
    FolderTree tree_;
    StoreDiscovery discovery_;
    std::unique_ptr<FolderTreeControl> OutlookFoldersTree;
    // The controls of each tab, shown while it is selected.
    std::vector<std::vector<int>> tabControls_;
    bool previewTabEnabled_ = false;
    bool otherPstFrameEnabled_ = true;
    std::map<int, bool> frameChildEnabled_;
    // The whole entries of CmbOutlookStores, identifiers included; the list shows the names.
    std::vector<std::string> storeEntries_;
    // The status bar's last panel, which the window draws itself.
    std::wstring backendPanel_;
    Bitmap logo_;
    Bitmap emblem_;
    Bitmap selectFile_;
    std::vector<Bitmap> menuIcons_;
    Font makerFont_;
    Font productFont_;
    Font sloganFont_;
};

}  // namespace varnemo::win32
