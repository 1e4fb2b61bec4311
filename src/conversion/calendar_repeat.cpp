#include "conversion/calendar_repeat.h"

#include "source/appointment_series.h"

#include <fmt/format.h>

namespace varnemo {
namespace {

using Pattern = mapi::RecurrencePattern;

std::vector<std::string> WeekDays(std::uint8_t weekDays, const std::string& prefix = {})
{
    std::vector<std::string> days;
    for (int day = 0; day < 7; ++day)
        if ((weekDays >> day) & 1)
            days.push_back(prefix + std::to_string(day));
    return days;
}

// Notes repeats monthly by date or by position, and yearly by date only: a yearly series on a
// week day of a month repeats every twelve months by position.
void SetRule(const Pattern& pattern, CalendarRepeat& repeat)
{
    const bool yearly = pattern.frequency == Pattern::Frequency::Yearly;
    auto interval = pattern.interval;
    switch (pattern.type) {
    case Pattern::Type::Day: repeat.unit = "D"; break;
    case Pattern::Type::Week:
        repeat.unit = "W";
        repeat.adjust = WeekDays(pattern.weekDays);
        break;
    case Pattern::Type::Month:
    case Pattern::Type::MonthEnd:
        repeat.unit = yearly ? "YD" : "MD";
        interval = yearly ? interval / 12 : interval;
        repeat.adjust = {std::to_string(pattern.dayOfMonth)};
        break;
    case Pattern::Type::MonthNth:
        repeat.unit = "MP";
        repeat.adjust = WeekDays(pattern.weekDays, std::to_string(pattern.weekOfMonth) + ".");
        break;
    }
    repeat.interval = std::to_string(interval == 0 ? 1 : interval);
}

// A series without end ends, in Notes, with the last occurrence written.
void SetEnd(const mapi::AppointmentSeries& series, CalendarRepeat& repeat)
{
    const auto& pattern = series.pattern;
    if (pattern.end == Pattern::End::AfterCount) {
        repeat.how = "F";
        repeat.count = std::to_string(pattern.occurrenceCount);
        return;
    }
    repeat.how = "U";
    if (pattern.end == Pattern::End::OnDate)
        repeat.until = series.endDate;
    else if (!series.starts.empty())
        repeat.until = series.starts.back().DatePart();
}

}  // namespace

std::optional<CalendarRepeat> ReadCalendarRepeat(mapi::Item& item, const DateTime& firstStart)
{
    const auto series = mapi::SeriesOf(item.Recurrence(), firstStart);
    if (!series)
        return std::nullopt;
    CalendarRepeat repeat;
    SetRule(series->pattern, repeat);
    SetEnd(*series, repeat);
    repeat.starts = series->starts;
    repeat.ends = series->ends;
    if (series->cutAt)
        repeat.cutAt = *series->cutAt;
    return repeat;
}

}  // namespace varnemo
