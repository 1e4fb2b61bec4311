#include "source/recurrence_expansion.h"

#include "source/wall_calendar.h"

#include <algorithm>
#include <functional>

namespace varnemo::mapi {
namespace {

using namespace std::chrono;
using Pattern = RecurrencePattern;
// Called with each day of the series in order; returns false to stop.
using DayVisitor = std::function<bool(sys_days)>;

bool OnWeekDay(std::uint8_t weekDays, sys_days day)
{
    return (weekDays >> weekday{day}.c_encoding()) & 1;
}

void VisitDays(sys_days first, std::uint32_t interval, const DayVisitor& visit)
{
    for (auto day = first;; day += days{interval})
        if (!visit(day))
            return;
}

void VisitWeeks(const Pattern& pattern, sys_days first, const DayVisitor& visit)
{
    const auto sinceWeekStart = (weekday{first} - weekday{static_cast<unsigned>(pattern.firstDayOfWeek)}).count();
    for (auto weekStart = first - days{sinceWeekStart};; weekStart += weeks{pattern.interval})
        for (int i = 0; i < 7; ++i) {
            const auto day = weekStart + days{i};
            if (day >= first && OnWeekDay(pattern.weekDays, day) && !visit(day))
                return;
        }
}

// The one day of a month that a monthly or yearly pattern takes.
sys_days DayOfMonth(const Pattern& pattern, year_month month)
{
    const auto lastDay = sys_days{month / last};
    switch (pattern.type) {
    case Pattern::Type::Month: {
        const auto length = static_cast<unsigned>(year_month_day{lastDay}.day());
        return sys_days{month / day{std::min(static_cast<unsigned>(pattern.dayOfMonth), length)}};
    }
    case Pattern::Type::MonthNth: {
        // The n-th (or last) of the days that match, which may be several (the first weekday).
        std::vector<sys_days> matching;
        for (auto day = sys_days{month / 1}; day <= lastDay; day += days{1})
            if (OnWeekDay(pattern.weekDays, day))
                matching.push_back(day);
        const auto nth = static_cast<std::size_t>(pattern.weekOfMonth);
        return nth > matching.size() || nth == 5 ? matching.back() : matching[nth - 1];
    }
    default: return lastDay;
    }
}

void VisitMonths(const Pattern& pattern, sys_days first, const DayVisitor& visit)
{
    const year_month_day start{first};
    for (auto month = start.year() / start.month();; month += months{pattern.interval}) {
        const auto day = DayOfMonth(pattern, month);
        if (day >= first && !visit(day))
            return;
    }
}

void VisitSeriesDays(const Pattern& pattern, const DayVisitor& visit)
{
    const auto first = DayOf(pattern.startDate);
    switch (pattern.type) {
    case Pattern::Type::Day: VisitDays(first, pattern.interval, visit); break;
    case Pattern::Type::Week: VisitWeeks(pattern, first, visit); break;
    default: VisitMonths(pattern, first, visit); break;
    }
}

bool Deleted(const Pattern& pattern, WallMinutes midnight)
{
    return std::find(pattern.deletedDates.begin(), pattern.deletedDates.end(), midnight) != pattern.deletedDates.end();
}

}  // namespace

Occurrences ExpandRecurrence(const RecurrencePattern& pattern, WallMinutes horizon)
{
    Occurrences occurrences;
    std::uint32_t counted = 0;
    VisitSeriesDays(pattern, [&](sys_days day) {
        const auto midnight = DayMinutes(day);
        const bool ended = pattern.end == Pattern::End::AfterCount ? counted == pattern.occurrenceCount
                           : pattern.end == Pattern::End::OnDate   ? midnight > pattern.endDate
                                                                   : false;
        if (ended)
            return false;
        if (midnight + pattern.startTimeOffset >= horizon) {
            occurrences.cut = true;
            return false;
        }
        ++counted;  // a deleted occurrence counts towards the end
        if (!Deleted(pattern, midnight))
            occurrences.list.push_back({midnight + pattern.startTimeOffset, midnight + pattern.endTimeOffset});
        return true;
    });
    for (const auto& exception : pattern.exceptions)
        if (exception.start < horizon)
            occurrences.list.push_back({exception.start, exception.end});
    std::stable_sort(occurrences.list.begin(), occurrences.list.end(),
                     [](const Occurrence& a, const Occurrence& b) { return a.start < b.start; });
    return occurrences;
}

}  // namespace varnemo::mapi
