#include "source/series_time_zone.h"

#include "source/wall_calendar.h"

#include <fmt/format.h>

#include <stdexcept>

namespace varnemo::mapi {
namespace {

std::int32_t Number(std::string_view bytes, std::size_t at, std::size_t size)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return size == 2 ? static_cast<std::int16_t>(value) : static_cast<std::int32_t>(value);
}

// A SYSTEMTIME that names a yearly switch: month, day of week, week (the day field), hour, minute.
std::optional<SeriesTimeZone::Switch> SwitchAt(std::string_view bytes, std::size_t at)
{
    SeriesTimeZone::Switch change;
    change.month = Number(bytes, at + 2, 2);
    if (change.month == 0)
        return std::nullopt;
    change.dayOfWeek = Number(bytes, at + 4, 2);
    change.week = Number(bytes, at + 6, 2);
    change.minute = Number(bytes, at + 8, 2) * 60 + Number(bytes, at + 10, 2);
    if (change.month > 12 || change.dayOfWeek < 0 || change.dayOfWeek > 6 || change.week < 1 || change.week > 5 ||
        change.minute < 0 || change.minute >= 24 * 60)
        throw std::invalid_argument("the time zone of the series names a switch to or from summer time that no calendar has");
    return change;
}

// The wall-clock minute of this year's switch.
WallMinutes SwitchMinute(int year, const SeriesTimeZone::Switch& change)
{
    return DayMinutes(NthWeekdayOfMonth(year, change.month, change.dayOfWeek, change.week)) + change.minute;
}

}  // namespace

SeriesTimeZone SeriesTimeZone::Fixed(int biasMinutes)
{
    SeriesTimeZone zone;
    zone.bias_ = biasMinutes;
    return zone;
}

SeriesTimeZone SeriesTimeZone::FromTimeZoneStruct(std::string_view bytes)
{
    // bias, standard bias, daylight bias, then year and SYSTEMTIME of each switch
    constexpr std::size_t kSize = 48;
    if (bytes.size() < kSize)
        throw std::invalid_argument(fmt::format("the time zone of the series has {} bytes, not {}", bytes.size(), kSize));
    SeriesTimeZone zone;
    zone.bias_ = Number(bytes, 0, 4);
    zone.standardBias_ = Number(bytes, 4, 4);
    zone.daylightBias_ = Number(bytes, 8, 4);
    zone.toStandard_ = SwitchAt(bytes, 14);
    zone.toDaylight_ = SwitchAt(bytes, 32);
    if (!zone.toStandard_ || !zone.toDaylight_)
        zone.toStandard_ = zone.toDaylight_ = std::nullopt;
    return zone;
}

bool SeriesTimeZone::IsDaylightTime(WallMinutes wallClock) const
{
    if (!toDaylight_)
        return false;
    const int year = YearOf(wallClock);
    // The switch to summer time happens at a winter wall clock, the one back at a summer one.
    const auto begins = SwitchMinute(year, *toDaylight_) + standardBias_ - daylightBias_;
    const auto ends = SwitchMinute(year, *toStandard_);
    // Southern zones have their summer across the turn of the year.
    return begins < ends ? wallClock >= begins && wallClock < ends : wallClock >= begins || wallClock < ends;
}

WallMinutes SeriesTimeZone::ToUtc(WallMinutes wallClock) const
{
    return wallClock + bias_ + (IsDaylightTime(wallClock) ? daylightBias_ : standardBias_);
}

}  // namespace varnemo::mapi
