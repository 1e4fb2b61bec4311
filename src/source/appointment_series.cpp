#include "source/appointment_series.h"

#include "common/errors.h"
#include "source/recurrence_expansion.h"
#include "source/series_time_zone.h"
#include "source/wall_calendar.h"

#include <stdexcept>

namespace varnemo::mapi {
namespace {

DateTime DateOf(std::chrono::year_month_day day)
{
    return DateTime::DateOnly(static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
                              static_cast<int>(static_cast<unsigned>(day.day())));
}

DateTime WallClock(WallMinutes minutes)
{
    const auto day = DateOf(std::chrono::year_month_day{DayOf(minutes)});
    const auto ofDay = static_cast<int>(minutes % kMinutesPerDay);
    return DateTime::Full(day.year(), day.month(), day.day(), ofDay / 60, ofDay % 60, 0);
}

// The minutes a full value with its offset stands for, in UTC.
WallMinutes UtcMinutesOf(const DateTime& value)
{
    const auto day = std::chrono::sys_days{std::chrono::year{value.year()} /
                                           std::chrono::month(static_cast<unsigned>(value.month())) /
                                           std::chrono::day(static_cast<unsigned>(value.day()))};
    return DayMinutes(day) + value.hour() * 60 + value.minute() - *value.utcOffsetMinutes();
}

// The zone of the series: the one stored with it, else the fixed offset its first occurrence
// was read with; none when neither is known.
std::optional<SeriesTimeZone> ZoneOf(const RecurrenceData& data, const RecurrencePattern& pattern,
                                     const DateTime& firstStart)
{
    if (!data.timeZone.empty())
        return SeriesTimeZone::FromTimeZoneStruct(data.timeZone);
    if (!firstStart.hasDate() || !firstStart.utcOffsetMinutes())
        return std::nullopt;
    const auto firstWallClock = pattern.startDate + pattern.startTimeOffset;
    return SeriesTimeZone::Fixed(static_cast<int>(UtcMinutesOf(firstStart) - firstWallClock));
}

AppointmentSeries Lay(const RecurrenceData& data, const DateTime& firstStart)
{
    AppointmentSeries series;
    series.pattern = ParseRecurrencePattern(data.pattern);
    const auto zone = ZoneOf(data, series.pattern, firstStart);
    const auto horizonDay = std::chrono::year_month_day{DayOf(series.pattern.startDate)} +
                            std::chrono::years{kSeriesHorizonYears};
    const auto horizon = DayMinutes(std::chrono::sys_days{horizonDay});
    auto toDateTime = [&](WallMinutes minutes) {
        return zone ? DateTime::FromLocalTime(static_cast<std::time_t>(UnixSeconds(zone->ToUtc(minutes))))
                    : WallClock(minutes);
    };
    const auto occurrences = ExpandRecurrence(series.pattern, horizon);
    for (const auto& occurrence : occurrences.list) {
        series.starts.push_back(toDateTime(occurrence.start));
        series.ends.push_back(toDateTime(occurrence.end));
    }
    if (occurrences.cut)
        series.cutAt = DateOf(horizonDay);
    if (series.pattern.end == RecurrencePattern::End::OnDate)
        series.endDate = DateOf(std::chrono::year_month_day{DayOf(series.pattern.endDate)});
    return series;
}

}  // namespace

std::optional<AppointmentSeries> SeriesOf(const RecurrenceData& data, const DateTime& firstStart)
{
    if (data.pattern.empty())
        return std::nullopt;
    try {
        return Lay(data, firstStart);
    } catch (const std::invalid_argument& error) {
        throw ComponentError(error.what());
    }
}

}  // namespace varnemo::mapi
