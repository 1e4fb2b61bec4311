#pragma once

#include "common/errors.h"

#include <string>
#include <utility>
#include <vector>

namespace varnemo {

// Runs the steps of a best-effort procedure: a step that raises a ComponentError is abandoned
// and the procedure goes on with its next step. The failures are kept, in order, so that a
// caller can still tell what went wrong.
class ContinueOnError {
public:
    // Returns true when the step ran to its end.
    template <class Step>
    bool operator()(Step&& step)
    {
        try {
            std::forward<Step>(step)();
            return true;
        } catch (const ComponentError& error) {
            failures_.emplace_back(error.what());
            return false;
        }
    }

    bool anyFailed() const { return !failures_.empty(); }
    const std::vector<std::string>& failures() const { return failures_; }

private:
    std::vector<std::string> failures_;
};

}  // namespace varnemo
