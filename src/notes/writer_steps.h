#pragma once

#include "common/continue_on_error.h"

#include <string>
#include <utility>
#include <vector>

namespace varnemo {

// How a writer treats a failing step.
enum class FailureMode {
    // Every failing step is skipped and the writer goes on (memos, contacts, groups).
    BestEffort,
    // Until the first attachment file, the first failure ends the writer and reaches the caller;
    // from that file on, failures are skipped (calendar entries, tasks).
    ReportUntilFirstFile,
};

// Runs a writer's steps under its failure mode.
class WriterSteps {
public:
    explicit WriterSteps(FailureMode mode) : reporting_(mode == FailureMode::ReportUntilFirstFile) {}

    // Returns true when the step ran to its end; a reported failure propagates.
    template <class Step>
    bool operator()(Step&& step)
    {
        if (!reporting_) {
            return skipped_(std::forward<Step>(step));
        }
        std::forward<Step>(step)();
        return true;
    }

    // The attachment step calls this at its first file.
    void SkipFailuresFromHere() { reporting_ = false; }

    const std::vector<std::string>& skippedFailures() const { return skipped_.failures(); }

private:
    bool reporting_;
    ContinueOnError skipped_;
};

}  // namespace varnemo
