#include "source/wall_calendar.h"

namespace varnemo::mapi {
namespace {

using namespace std::chrono;

constexpr sys_days kEpoch1601 = sys_days{year{1601} / January / 1};

}  // namespace

sys_days DayOf(WallMinutes minutes)
{
    return kEpoch1601 + days{minutes / kMinutesPerDay};
}

WallMinutes DayMinutes(sys_days day)
{
    return (day - kEpoch1601).count() * kMinutesPerDay;
}

int YearOf(WallMinutes minutes)
{
    return static_cast<int>(year_month_day{DayOf(minutes)}.year());
}

sys_days NthWeekdayOfMonth(int yearNumber, int month, int dayOfWeek, int week)
{
    const auto monthOfYear = year{yearNumber} / std::chrono::month(static_cast<unsigned>(month));
    const weekday wanted{static_cast<unsigned>(dayOfWeek)};
    if (week >= 5)
        return sys_days{monthOfYear / wanted[last]};
    return sys_days{monthOfYear / wanted[static_cast<unsigned>(week)]};
}

std::int64_t UnixSeconds(WallMinutes utcMinutes)
{
    return (DayMinutes(sys_days{year{1970} / January / 1}) * -1 + utcMinutes) * 60;
}

}  // namespace varnemo::mapi
