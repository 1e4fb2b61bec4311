#pragma once

#include <compare>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace varnemo {

// A wall-clock date-time as Outlook and Notes hand it to a user: a full date and time, a date
// alone, a time of day alone, or no value at all. A full value may also carry the offset from
// UTC that its wall clock was read at, which makes it one instant, as a Notes TIMEDATE is;
// without it (values of the COM components, values stored by earlier versions) the wall clock
// is all there is.
class DateTime {
public:
    enum class Kind { None, Full, DateOnly, TimeOnly };

    DateTime() = default;  // no value

    static DateTime Full(int year, int month, int day, int hour, int minute, int second);
    static DateTime DateOnly(int year, int month, int day);
    static DateTime TimeOnly(int hour, int minute, int second);
    // The local wall clock at that instant, with the offset from UTC in force then.
    static DateTime FromLocalTime(std::time_t instant);
    static DateTime Now();

    // Parses the forms that ToIso() writes; throws std::invalid_argument on anything else.
    static DateTime FromIso(std::string_view text);

    Kind kind() const { return kind_; }
    bool hasValue() const { return kind_ != Kind::None; }
    bool hasDate() const { return kind_ == Kind::Full || kind_ == Kind::DateOnly; }
    bool hasTime() const { return kind_ == Kind::Full || kind_ == Kind::TimeOnly; }

    int year() const { return year_; }
    int month() const { return month_; }
    int day() const { return day_; }
    int hour() const { return hour_; }
    int minute() const { return minute_; }
    int second() const { return second_; }

    // Minutes east of UTC, when the value carries its offset.
    std::optional<int> utcOffsetMinutes() const { return utcOffsetMinutes_; }

    // This full value's wall clock as read at minutes east of UTC (-23:59 to +23:59).
    // Throws std::invalid_argument for other kinds and offsets out of that range.
    DateTime WithUtcOffset(int minutes) const;

    // The calendar date at midnight as a date alone; the time of day as a time alone.
    // Either is "no value" when this value has no such part.
    DateTime DatePart() const;
    DateTime TimePart() const;

    // "2026-12-07T14:05:09+01:00" (without the offset when there is none), "2026-12-07",
    // "T14:05:09", or "" for no value.
    std::string ToIso() const;

    // "dd-mm-yyyy-h-m-s": day and month with two digits, hour, minute and second without a
    // leading zero (names of new databases and address books). Empty for a value without a date.
    std::string ToStampText() const;

    // The general date form shown to users: the date alone when the time of day is midnight,
    // otherwise date and time ("2008-03-07" or "2008-03-07 14:05:09"); the wall clock only.
    std::string ToGeneralText() const;

    friend bool operator==(const DateTime&, const DateTime&) = default;

private:
    Kind kind_ = Kind::None;
    int year_ = 0, month_ = 0, day_ = 0;
    int hour_ = 0, minute_ = 0, second_ = 0;
    std::optional<int> utcOffsetMinutes_;
};

}  // namespace varnemo
