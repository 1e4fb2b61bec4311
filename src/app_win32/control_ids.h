#pragma once

// The numbers of the Windows program's controls and menu commands: the windows answer their
// messages by them, and the tests find the controls by them.
namespace varnemo::win32 {

enum ControlId : int {
    // frmMain: menu
    mnuExit = 100,
    mnuHelp,
    mnuAbout,
    // frmMain: frame and first tab
    NotesTab = 200,
    LblSupports,
    SourceFrame,
    OptConfiguredPST,
    CmdExportConfigured,
    OptOtherPST,
    OtherPSTFrame,
    CmdBrowse,
    txtNotesDatabaseFile,
    CmdExportOther,
    HelpFrame,
    LblHelp,
    SelectFilePicture,
    // frmMain: second tab
    LblStores = 300,
    CmbOutlookStores,
    LblFolders,
    TreeHeader,
    OutlookFoldersTree,
    CmdStartConversion,
    StatusBar,
    // frmSave
    TargetFrame = 400,
    OptNewNSF,
    LblSelectFolder,
    txtNSFFileName,
    CmdNewNSF,
    OptExistingNSF,
    LblSelectNsf,
    txtExNSFFileName,
    CmdExistingNSF,
    ExportFrame,
    ImgReadingArrow,
    LblSaveHeader,
    LblSubject,
    LblProcessing,
    LblFoundLabel,
    LblFound,
    LblCurrentLabel,
    LblCurrent,
    LblOverall,
    CmdConversion,
    CmdCancel,
    // frmSplash, frmAbout
    Picture = 500,
};

// The window classes, by which the tests find the windows.
inline constexpr const wchar_t* kMainWindowClass = L"VarnemoFrmMain";
inline constexpr const wchar_t* kSaveWindowClass = L"VarnemoFrmSave";
inline constexpr const wchar_t* kSplashWindowClass = L"VarnemoFrmSplash";
inline constexpr const wchar_t* kAboutWindowClass = L"VarnemoFrmAbout";

}  // namespace varnemo::win32
