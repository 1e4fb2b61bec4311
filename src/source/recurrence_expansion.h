#pragma once

// The occurrences of a recurring series, as its pattern lays them out on the series' wall clock.

#include "source/recurrence_pattern.h"

#include <vector>

namespace varnemo::mapi {

struct Occurrence {
    WallMinutes start = 0, end = 0;
};

struct Occurrences {
    // In order of their start: the series' days without the deleted ones, and the changed ones
    // where they were moved to.
    std::vector<Occurrence> list;
    // Whether the series goes on past the horizon (always, for one without end).
    bool cut = false;
};

// Every occurrence that starts before horizon.
Occurrences ExpandRecurrence(const RecurrencePattern& pattern, WallMinutes horizon);

}  // namespace varnemo::mapi
