#pragma once

// A recurring appointment's series as Outlook stores it: the recurrence pattern
// (PidLidAppointmentRecur, as MS-OXOCAL lays it out) and the time zone of its wall clock
// (PidLidTimeZoneStruct).

#include "little_endian.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace pstgen {

// Wall-clock minutes since 1601-01-01 00:00.
using WallMinutes = std::uint32_t;

// A Windows time-zone rule. A switch is {month, week (5: last), day of week (0 Sunday), hour};
// month 0 means the zone keeps one offset all year.
struct TimeZoneRule {
    std::int32_t bias = 0;  // minutes west of UTC in winter
    std::int32_t daylightBias = -60;
    std::array<std::uint16_t, 4> toStandard{}, toDaylight{};
};

struct Recurrence {
    enum class Pattern { Daily, Weekly, Monthly, MonthlyNth, Yearly, YearlyNth };
    // A changed occurrence: its original start, and where it is now.
    struct Change {
        WallMinutes original = 0, start = 0, end = 0;
    };

    Pattern pattern = Pattern::Daily;
    std::uint32_t interval = 1;  // days, weeks, months or years
    std::uint32_t weekDays = 0;  // bit 0 Sunday; Weekly and the Nth patterns
    std::uint32_t dayOfMonth = 0;  // Monthly and Yearly
    std::uint32_t week = 0;        // the Nth patterns: 1 to 4, 5 for the last
    std::uint32_t firstDayOfWeek = 0;
    WallMinutes first = 0;      // the first occurrence's start
    std::uint32_t minutes = 0;  // each occurrence's length
    std::optional<std::uint32_t> count;
    std::optional<WallMinutes> until;  // midnight of the last day
    std::vector<WallMinutes> deleted;  // midnights of the deleted occurrences' days
    std::vector<Change> changes;
    std::optional<TimeZoneRule> zone;
};

Bytes RecurrenceBlob(const Recurrence& recurrence);
Bytes TimeZoneStruct(const TimeZoneRule& zone);

}  // namespace pstgen
