#pragma once

#include "common/continue_on_error.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace varnemo {

// How a writer treats a failing step.
enum class FailureMode {
    // Every failing step is skipped and the writer goes on (memos, contacts, groups).
    BestEffort,
    // Until the first attachment file, the first failure ends the writer and is reported to its
    // caller; from that file on, failures are skipped (calendar entries, tasks).
    ReportUntilFirstFile,
};

// Runs a writer's steps under its failure mode. A failure that ends the writer is kept rather
// than thrown, so that the writer can still tell what it did before it (a document saved, then
// not filed, is saved all the same).
class WriterSteps {
public:
    explicit WriterSteps(FailureMode mode) : reporting_(mode == FailureMode::ReportUntilFirstFile) {}

    // Returns true when the step ran to its end; once a failure has ended the writer, no step runs.
    template <class Step>
    bool operator()(Step&& step)
    {
        if (endedBy_)
            return false;
        if (!reporting_)
            return skipped_(std::forward<Step>(step));
        try {
            std::forward<Step>(step)();
            return true;
        } catch (const ComponentError& error) {
            endedBy_ = error.what();
            return false;
        }
    }

    // The attachment step calls this at its first file.
    void SkipFailuresFromHere() { reporting_ = false; }

    const std::vector<std::string>& skippedFailures() const { return skipped_.failures(); }
    // The failure that ended the writer, if one did.
    const std::optional<std::string>& endedBy() const { return endedBy_; }

private:
    bool reporting_;
    ContinueOnError skipped_;
    std::optional<std::string> endedBy_;
};

}  // namespace varnemo
