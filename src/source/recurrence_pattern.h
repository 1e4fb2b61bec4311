#pragma once

// Outlook's recurrence of an appointment as it stores it (the appointment recurrence BLOB of
// the calendar object protocol, MS-OXOCAL): which days repeat, how the series ends, and the
// occurrences changed or deleted. Times are minutes since 1601-01-01 on the series' wall clock.

#include <cstdint>
#include <string_view>
#include <vector>

namespace varnemo::mapi {

// Minutes since 1601-01-01 00:00 on some wall clock.
using WallMinutes = std::int64_t;

struct RecurrencePattern {
    enum class Frequency { Daily, Weekly, Monthly, Yearly };
    // Day: every n days; Week: the weekDays of every n weeks; Month: dayOfMonth of every n
    // months; MonthNth: the weekOfMonth'th of the weekDays; MonthEnd: the last day of the month.
    enum class Type { Day, Week, Month, MonthNth, MonthEnd };
    enum class End { OnDate, AfterCount, Never };
    // A changed occurrence: where it is now, and the start it had in the series.
    struct Exception {
        WallMinutes start = 0, end = 0, originalStart = 0;
    };

    Frequency frequency = Frequency::Daily;
    Type type = Type::Day;
    // Days for Day, weeks for Week, months for the other types (12 for a yearly series).
    std::uint32_t interval = 1;
    // Bit 0 Sunday to bit 6 Saturday.
    std::uint8_t weekDays = 0;
    int dayOfMonth = 0;
    // 1 to 4, or 5 for the last.
    int weekOfMonth = 0;
    // 0 Sunday to 6 Saturday: where a week begins, for series that repeat every n weeks.
    int firstDayOfWeek = 0;
    End end = End::Never;
    std::uint32_t occurrenceCount = 0;
    // Midnight of the first occurrence's day, and of the last one's (far in the future for a
    // series without end).
    WallMinutes startDate = 0, endDate = 0;
    // Each occurrence's start and end, in minutes after its day's midnight.
    std::int32_t startTimeOffset = 0, endTimeOffset = 0;
    // Midnights of the original days of deleted occurrences (a changed one counts as deleted from
    // its day and comes back as an exception).
    std::vector<WallMinutes> deletedDates;
    std::vector<Exception> exceptions;
};

// Reads the stored bytes. Throws std::invalid_argument, saying what is wrong, on bytes that are
// cut short or hold values outside the format, and on series of other calendars (Hijri).
RecurrencePattern ParseRecurrencePattern(std::string_view bytes);

}  // namespace varnemo::mapi
