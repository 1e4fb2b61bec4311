#pragma once

#include "conversion/progress_pace.h"
#include "notes/target_view.h"

#include <cstdio>
#include <string>

namespace varnemo::cli {

// The target window on a terminal: progress on standard error (a live bar of the whole run on a
// terminal, painted at the ProgressPace; plain lines otherwise), the completion text on
// standard output, other messages on standard error.
class TerminalView : public TargetView {
public:
    TerminalView(bool newDatabase, std::string existingDatabase);

    void SetCaption(TargetLabel label, const std::string& text) override;
    void ShowOverallProgress(const OverallProgress& progress) override
    {
        overall_ = progress;
        liveLineBehind_ = liveLineOpen_;
    }
    void Yield() override {}
    void ShowMessage(const std::string& text, const std::string& title) override;
    void EndProgram() override { programEnded_ = true; }
    bool NewNsfSelected() override { return newDatabase_; }
    std::string ExistingNsfFileName() override { return existingDatabase_; }
    void ShowSubjectLabel() override {}
    void CloseWindow() override { closed_ = true; }

    bool ProgramEnded() const { return programEnded_; }
    // The run closes the window only when it got to its end.
    bool Completed() const { return closed_; }
    // The last message other than the completion text: why a run that did not complete stopped.
    const std::string& LastMessage() const { return lastMessage_; }

private:
    void ShowProgress();
    void PaintLiveLine();
    void EndLiveLine();

    bool newDatabase_;
    std::string existingDatabase_;
    bool live_;
    bool liveLineOpen_ = false;
    bool liveLineBehind_ = false;  // the line on the terminal no longer shows where the run is
    ProgressPace pace_;
    std::string paintedStage_;
    bool programEnded_ = false;
    bool closed_ = false;
    std::string stage_, item_, current_;
    std::string lastMessage_;
    OverallProgress overall_;
};

}  // namespace varnemo::cli
