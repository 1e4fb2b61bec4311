#include "app_win32/frm_save.h"

#include "app_win32/control_ids.h"
#include "app_win32/message_pump.h"
#include "app_win32/pictures.h"
#include "app_win32/resources.h"
#include "common/text.h"
#include "conversion/overall_progress.h"
#include "conversion/report_offer.h"

namespace varnemo::win32 {
namespace {

constexpr SIZE kClient{560, 330};

int LabelId(TargetLabel label)
{
    switch (label) {
    case TargetLabel::LblSaveHeader:
        return LblSaveHeader;
    case TargetLabel::LblProcessing:
        return LblProcessing;
    case TargetLabel::LblFound:
        return LblFound;
    case TargetLabel::LblCurrent:
        return LblCurrent;
    }
    return LblSaveHeader;
}

HWND RightLabel(HWND parent, int id, const std::string& text, Place place)
{
    return CreateControl(parent, id, L"STATIC", text, SS_RIGHT | SS_NOPREFIX, place);
}

}  // namespace

FrmSave::FrmSave(ProgramState& state, mapi::Component& mapi, notes::Component& notes, Dialogs& dialogs, HWND owner)
    : state_(state),
      dialogs_(dialogs),
      owner_(owner),
      run_(mapi, WriterContext{state, notes, *this}, ConversionOptions{.stop = &stop_}),
      arrow_(LoadPicture(IDB_READING_ARROW)),
      bold_(DerivedFont(9, true))
{
    Create(kSaveWindowClass, "Export Outlook Mailbox to Lotus Notes", WS_POPUP | WS_CAPTION | WS_SYSMENU,
           WS_EX_DLGMODALFRAME, kClient, owner);
    BuildTargetFrame();
    BuildExportFrame();
    EnableWindow(Button(Handle(), CmdConversion, "&Export Mailbox", {326, 292, 120, 28}), FALSE);
    Button(Handle(), CmdCancel, "&Cancel", {454, 292, 96, 28});
    Form_Load();
}

void FrmSave::BuildTargetFrame()
{
    HWND window = Handle();
    Frame(window, TargetFrame, "", {10, 6, 540, 148});
    OptionButton(window, OptNewNSF, "Save in New NSF file", {22, 22, 300, 20}, true);
    Label(window, LblSelectFolder, "Select Folder :", {22, 51, 100, 18});
    PathBox(window, txtNSFFileName, {126, 48, 318, 22});
    EnableWindow(Button(window, CmdNewNSF, "&Select...", {452, 46, 88, 26}), FALSE);
    OptionButton(window, OptExistingNSF, "Save in Existing NSF file", {22, 84, 300, 20}, false);
    Label(window, LblSelectNsf, "Select NSF File :", {22, 113, 100, 18});
    PathBox(window, txtExNSFFileName, {126, 110, 318, 22});
    EnableWindow(Button(window, CmdExistingNSF, "&Select...", {452, 108, 88, 26}), FALSE);
}

void FrmSave::BuildExportFrame()
{
    HWND window = Handle();
    Frame(window, ExportFrame, " Export Progress Details", {10, 162, 540, 120});
    PictureBox(window, ImgReadingArrow, {22, 186, 16, 16});
    HWND header = Label(window, LblSaveHeader, kSaveHeader, {44, 186, 496, 18});
    SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(bold_.get()), FALSE);
    ShowWindow(RightLabel(window, LblSubject, "Subject :", {22, 216, 70, 18}), SW_HIDE);
    // A long subject ends in an ellipsis rather than being cut anywhere.
    CreateControl(window, LblProcessing, L"STATIC", "", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, {96, 216, 444, 18});
    RightLabel(window, LblFoundLabel, "Found :", {22, 246, 70, 18});
    Label(window, LblFound, "", {96, 246, 170, 18});
    RightLabel(window, LblCurrentLabel, "Current :", {270, 246, 70, 18});
    Label(window, LblCurrent, "", {344, 246, 196, 18});
    Label(window, LblOverall, "", {96, 264, 444, 16});
}

void FrmSave::Form_Load()
{
    state_.LoadExcludeFromViewValues();
}

void FrmSave::PrepareForNewDatabase()
{
    SetChecked(Control(OptExistingNSF), false);
    EnableWindow(Control(txtExNSFFileName), FALSE);
    EnableWindow(Control(CmdExistingNSF), FALSE);
    SetChecked(Control(OptNewNSF), true);
    EnableWindow(Control(txtNSFFileName), TRUE);
    EnableWindow(Control(CmdNewNSF), TRUE);
}

void FrmSave::ShowModal()
{
    RunModal(Handle(), owner_, [this] { return closed_; });
}

LRESULT FrmSave::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_DRAWITEM:
        DrawPictureItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam), arrow_.get(), GetSysColorBrush(COLOR_BTNFACE));
        return TRUE;
    case WM_CLOSE:
        Close();
        return 0;
    default:
        return Window::OnMessage(message, wParam, lParam);
    }
}

void FrmSave::OnCommand(int id, int notification)
{
    if (notification == EN_CHANGE) {
        if (id == txtNSFFileName)
            txtNSFFileName_Change();
        else if (id == txtExNSFFileName)
            txtExNSFFileName_Change();
        return;
    }
    if (notification != BN_CLICKED)
        return;
    switch (id) {
    case OptNewNSF:
        OptNewNSF_Click();
        break;
    case OptExistingNSF:
        OptExistingNSF_Click();
        break;
    case CmdNewNSF:
        CmdNewNSF_Click();
        break;
    case CmdExistingNSF:
        CmdExistingNSF_Click();
        break;
    case CmdConversion:
        CmdConversion_Click();
        break;
    case CmdCancel:
        CmdCancel_Click();
        break;
    case IDCANCEL:
        Close();
        break;
    default:
        break;
    }
}

void FrmSave::OptNewNSF_Click()
{
    SetChecked(Control(OptExistingNSF), false);
    EnableWindow(Control(txtExNSFFileName), FALSE);
    EnableWindow(Control(CmdExistingNSF), FALSE);
    EnableWindow(Control(txtNSFFileName), TRUE);
    EnableWindow(Control(CmdNewNSF), TRUE);
}

void FrmSave::OptExistingNSF_Click()
{
    EnableWindow(Control(txtExNSFFileName), TRUE);
    EnableWindow(Control(CmdExistingNSF), TRUE);
    SetChecked(Control(OptNewNSF), false);
    EnableWindow(Control(txtNSFFileName), FALSE);
    EnableWindow(Control(CmdNewNSF), FALSE);
}

void FrmSave::CmdNewNSF_Click()
{
    state_.TargetDatabasePath = dialogs_.BrowseForFolder("Select Folder to Save NSF File");
    if (state_.TargetDatabasePath.empty())
        return;
    SetText(Control(txtNSFFileName), state_.TargetDatabasePath);
    CmdConversion_Click();
}

void FrmSave::CmdExistingNSF_Click()
{
    SetText(Control(txtExNSFFileName), dialogs_.OpenFile({"Lotus Notes Mailbox (*.nsf)", "*.nsf"}));
    if (!Text(Control(txtExNSFFileName)).empty())
        CmdConversion_Click();
}

void FrmSave::CmdConversion_Click()
{
    if (run_.Running())
        return;
    stop_.Clear();
    ControlsDisabled whileRunning{Control(OptNewNSF), Control(OptExistingNSF), Control(CmdNewNSF),
                                  Control(CmdExistingNSF), Control(CmdConversion)};
    try {
        run_.CmdConversion_Click();
    } catch (const ProgramEnding&) {
        programEnded_ = true;
        EndModal();
    }
}

void FrmSave::txtNSFFileName_Change()
{
    FollowPathBox(txtNSFFileName);
}

void FrmSave::txtExNSFFileName_Change()
{
    FollowPathBox(txtExNSFFileName);
}

// The Export button follows the path box that changed last, whichever option is selected.
void FrmSave::FollowPathBox(int box)
{
    EnableWindow(Control(CmdConversion), !TrimBlanks(Text(Control(box))).empty());
}

void FrmSave::CmdCancel_Click()
{
    if (run_.Running())
        stop_.Request();
    else
        EndModal();
}

// Closing the window in the middle of a run would leave the run writing with no window: the run
// stops instead, and closes the window at its end as a finished run does.
void FrmSave::Close()
{
    if (!run_.Running()) {
        EndModal();
        return;
    }
    if (!stop_.Requested() && dialogs_.Ask(kStopQuestion, "Kestrova Varnemo"))
        stop_.Request();
}

void FrmSave::EndModal()
{
    closed_ = true;
    // The modal loop looks again once a message arrives; a handler run for a message sent from
    // another thread would leave it waiting.
    PostMessageW(Handle(), WM_NULL, 0, 0);
}

void FrmSave::SetCaption(TargetLabel label, const std::string& text)
{
    HWND shown = Control(LabelId(label));
    SetText(shown, text);
    // The run holds the messages between its yields: the header, which names the step or the
    // folder at hand, is shown now. The item labels are painted at the yields.
    if (label == TargetLabel::LblSaveHeader)
        UpdateWindow(shown);
}

void FrmSave::ShowOverallProgress(const OverallProgress& progress)
{
    SetText(Control(LblOverall), OverallProgressText(progress));
}

// Clicks and posted messages are handled at every yield; painting, which costs more than
// converting an item, keeps to the pace.
void FrmSave::Yield()
{
    if (!pace_.Due()) {
        ProcessPendingMessages(Paints::Deferred);
        return;
    }
    pace_.Shown();
    ProcessPendingMessages(Paints::Included);
}

void FrmSave::ShowMessage(const std::string& text, const std::string& title)
{
    dialogs_.Message(text, title);
    if (title == "Export Complete")
        OfferConversionReport(run_.Summary(), dialogs_);
}

void FrmSave::EndProgram()
{
    programEnded_ = true;
}

bool FrmSave::NewNsfSelected()
{
    return IsChecked(Control(OptNewNSF));
}

std::string FrmSave::ExistingNsfFileName()
{
    return Text(Control(txtExNSFFileName));
}

void FrmSave::ShowSubjectLabel()
{
    ShowWindow(Control(LblSubject), SW_SHOW);
}

void FrmSave::CloseWindow()
{
    EndModal();
}

}  // namespace varnemo::win32
