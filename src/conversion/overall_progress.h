#pragma once

#include "notes/target_view.h"

#include <chrono>
#include <optional>
#include <string>

namespace varnemo {

// The time the rest of a run will take at the pace of the items done so far; none before the
// first item is done.
std::optional<std::chrono::seconds> EstimateTimeLeft(long done, long total, std::chrono::milliseconds elapsed);

// The overall progress as the windows show it: "120 of 4400 items, about 12 minutes left".
std::string OverallProgressText(const OverallProgress& progress);

}  // namespace varnemo
