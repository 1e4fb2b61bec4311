#pragma once

#include "common/date_time.h"
#include "common/program_state.h"
#include "notes/notes.h"
#include "notes/target_view.h"

#include <functional>

namespace varnemo {

// What every writer works with: the program-wide values, the Notes component, the window, and
// the clock that time-stamps new database names.
struct WriterContext {
    ProgramState& state;
    notes::Component& notes;
    TargetView& view;
    std::function<DateTime()> now = &DateTime::Now;
};

}  // namespace varnemo
