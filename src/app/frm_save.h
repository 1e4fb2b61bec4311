#pragma once

#include "common/program_state.h"
#include "conversion/conversion_run.h"
#include "conversion/progress_pace.h"
#include "notes/target_view.h"
#include "shell/dialogs.h"

#include <QDialog>

#include <map>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace varnemo::app {

// frmSave, the target window: where the converted mailbox goes (a new database in a picked
// folder, or an existing database file), and the conversion's progress. Picking a target with
// a Select button starts the conversion at once; Cancel, Escape or the close button stop it
// after the item at hand.
class FrmSave : public QDialog, public TargetView {
    Q_OBJECT
public:
    FrmSave(ProgramState& state, mapi::Component& mapi, notes::Component& notes, Dialogs& dialogs,
            QWidget* parent = nullptr);

    // The option state the start handler sets before showing the window: a new database.
    void PrepareForNewDatabase();
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

public slots:
    void OptNewNSF_Click();
    void OptExistingNSF_Click();
    void CmdNewNSF_Click();
    void CmdExistingNSF_Click();
    void CmdConversion_Click();
    // Stops a running conversion after its current item; closes the window otherwise.
    void CmdCancel_Click();
    void txtNSFFileName_Change();
    void txtExNSFFileName_Change();
    void reject() override;

private:
    void Form_Load();
    QGroupBox* BuildTargetFrame();
    QGroupBox* BuildExportFrame();
    void FollowPathBox(const QLineEdit& box);
    // The progress frame as it was before the run: a run that failed to start leaves nothing behind.
    void ClearProgress();

    ProgramState& state_;
    Dialogs& dialogs_;
    StopRequest stop_;
    ConversionRun run_;
    ProgressPace pace_;
    bool programEnded_ = false;

    QRadioButton* OptNewNSF;
    QLineEdit* txtNSFFileName;
    QPushButton* CmdNewNSF;
    QRadioButton* OptExistingNSF;
    QLineEdit* txtExNSFFileName;
    QPushButton* CmdExistingNSF;
    QPushButton* CmdConversion;
    QPushButton* CmdCancel;
    QLabel* LblSaveHeader;
    QLabel* LblSubject;
    QLabel* LblProcessing;
    QLabel* LblFoundLabel;
    QLabel* LblFound;
    QLabel* LblCurrent;
    QLabel* LblOverall;
    QProgressBar* PrgOverall;
    std::map<TargetLabel, QLabel*> labels_;
};

}  // namespace varnemo::app
