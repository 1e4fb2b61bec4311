#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace varnemo {

// The labels of the target window that show a conversion's progress.
enum class TargetLabel { LblSaveHeader, LblProcessing, LblFound, LblCurrent };

// The target window's texts that every desktop program shows alike. The header before a run:
// the Select buttons start it, the Export button starts it again.
inline constexpr const char* kSaveHeader = " Choose the target with Select... to start the export";
// Asked when the user closes the window during a run.
inline constexpr const char* kStopQuestion =
    "Stop the conversion?\r\n\r\nIt stops after the item at hand; the items converted so far stay in the database.";

// How far a whole conversion has come: items done (converted or not) of the items selected.
struct OverallProgress {
    long done = 0;
    long total = 0;
    // The time the rest is expected to take; none before there is anything to judge it by.
    std::optional<std::chrono::seconds> left;
};

// What the target-database procedures and the writers need of the target window. The desktop
// program implements it with widgets, the command-line program on a terminal, tests in memory.
class TargetView {
public:
    virtual ~TargetView() = default;
    virtual void SetCaption(TargetLabel label, const std::string& text) = 0;
    // Shown beside the labels of the folder and item at hand, after every item.
    virtual void ShowOverallProgress(const OverallProgress& progress) = 0;
    // Lets the window system process pending events (repaints, clicks). Called before and after
    // every item: a window may keep to a pace and let most calls pass.
    virtual void Yield() = 0;
    // A modal message with the information icon and an OK button.
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
    // Closes every window; the caller unwinds with ProgramEnding right after.
    virtual void EndProgram() = 0;
    // Whether the option "Save in New NSF file" (OptNewNSF) is selected.
    virtual bool NewNsfSelected() = 0;
    // The existing database that the user chose (txtExNSFFileName).
    virtual std::string ExistingNsfFileName() = 0;
    // Makes the caption "Subject :" beside LblProcessing visible.
    virtual void ShowSubjectLabel() = 0;
    // Unloads the target window once a conversion has ended.
    virtual void CloseWindow() = 0;
};

}  // namespace varnemo
