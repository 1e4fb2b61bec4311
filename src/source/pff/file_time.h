#pragma once

#include "common/date_time.h"

#include <cstdint>
#include <ctime>
#include <optional>

namespace varnemo::mapi::pff {

// Seconds since 1970-01-01 UTC of a FILETIME (100-nanosecond ticks since 1601-01-01 UTC); no value
// for a time that stands for "no date": zero, or Outlook's 4501-01-01 (and anything that late).
std::optional<std::time_t> UnixTimeOf(std::uint64_t fileTime);

// A UTC instant as the user's wall-clock time, with the offset from UTC in force then.
DateTime LocalTimeOf(std::uint64_t fileTime);

// A calendar date that Outlook stored as local midnight without converting it to UTC (task start
// and due dates): its date fields are taken as they are, at 00:00:00.
DateTime StoredDateOf(std::uint64_t fileTime);

}  // namespace varnemo::mapi::pff
