#pragma once

#include "notes/target_view.h"

#include <map>
#include <string>
#include <vector>

namespace varnemo::testing {

// The target window in memory: remembers every caption, message and yield.
class FakeTargetView : public TargetView {
public:
    std::map<TargetLabel, std::string> captions;
    std::vector<std::pair<TargetLabel, std::string>> captionHistory;
    std::vector<OverallProgress> overall;
    std::vector<std::pair<std::string, std::string>> messages;  // text, title
    int yields = 0;
    bool programEnded = false;
    bool newNsfSelected = true;
    std::string existingNsfFileName;
    bool subjectLabelShown = false;
    bool closed = false;

    void SetCaption(TargetLabel label, const std::string& text) override
    {
        captions[label] = text;
        captionHistory.emplace_back(label, text);
    }
    void ShowOverallProgress(const OverallProgress& progress) override { overall.push_back(progress); }
    void Yield() override { ++yields; }
    void ShowMessage(const std::string& text, const std::string& title) override { messages.emplace_back(text, title); }
    void EndProgram() override { programEnded = true; }
    bool NewNsfSelected() override { return newNsfSelected; }
    std::string ExistingNsfFileName() override { return existingNsfFileName; }
    void ShowSubjectLabel() override { subjectLabelShown = true; }
    void CloseWindow() override { closed = true; }
};

}  // namespace varnemo::testing
