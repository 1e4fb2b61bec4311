#pragma once

// Calendar arithmetic on wall-clock minutes since 1601-01-01, the clock of Outlook's series.

#include "source/recurrence_pattern.h"

#include <chrono>

namespace varnemo::mapi {

inline constexpr WallMinutes kMinutesPerDay = 24 * 60;

// The day a minute falls on, and the minute its day begins.
std::chrono::sys_days DayOf(WallMinutes minutes);
WallMinutes DayMinutes(std::chrono::sys_days day);
int YearOf(WallMinutes minutes);

// The week-th (1 to 4; 5 for the last) dayOfWeek (0 Sunday) of a month.
std::chrono::sys_days NthWeekdayOfMonth(int year, int month, int dayOfWeek, int week);

// The seconds since 1970 of UTC minutes since 1601.
std::int64_t UnixSeconds(WallMinutes utcMinutes);

}  // namespace varnemo::mapi
