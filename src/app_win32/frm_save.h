#pragma once

#include "app_win32/controls.h"
#include "app_win32/window.h"
#include "common/program_state.h"
#include "conversion/conversion_run.h"
#include "conversion/progress_pace.h"
#include "notes/target_view.h"
#include "shell/dialogs.h"

namespace varnemo::win32 {

// frmSave, the target window: where the converted mailbox goes (a new database in a picked
// folder, or an existing database file), and the conversion's progress. Picking a target with
// a Select button starts the conversion at once; Cancel, Escape or the close button stop it
// after the item at hand.
class FrmSave : public Window, public TargetView {
public:
    FrmSave(ProgramState& state, mapi::Component& mapi, notes::Component& notes, Dialogs& dialogs, HWND owner);

    // The option state the start handler sets before showing the window: a new database.
    void PrepareForNewDatabase();
    // Shows the window and returns when it has been closed; the owner takes no input meanwhile.
    void ShowModal();
    // True once a failure of the run has asked for the program to end.
    bool ProgramEnded() const { return programEnded_; }
    const ConversionRun& Run() const { return run_; }

    // TargetView
    void SetCaption(TargetLabel label, const std::string& text) override;
    void ShowOverallProgress(const OverallProgress& progress) override;
    void Yield() override;
    void ShowMessage(const std::string& text, const std::string& title) override;
    void EndProgram() override;
    bool NewNsfSelected() override;
    std::string ExistingNsfFileName() override;
    void ShowSubjectLabel() override;
    void CloseWindow() override;

    void OptNewNSF_Click();
    void OptExistingNSF_Click();
    void CmdNewNSF_Click();
    void CmdExistingNSF_Click();
    void CmdConversion_Click();
    // Stops a running conversion after its current item; closes the window otherwise.
    void CmdCancel_Click();
    void txtNSFFileName_Change();
    void txtExNSFFileName_Change();

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int notification);
    void Form_Load();
    void BuildTargetFrame();
    void BuildExportFrame();
    void FollowPathBox(int box);
    // Escape or the close button: during a run, asks whether to stop it.
    void Close();
    void EndModal();

    ProgramState& state_;
    Dialogs& dialogs_;
    HWND owner_;
    StopRequest stop_;
    ConversionRun run_;
    ProgressPace pace_;
    Bitmap arrow_;
    Font bold_;
    bool programEnded_ = false;
    bool closed_ = false;
};

}  // namespace varnemo::win32
