#include "notes/dxl/dxl_date_time.h"

#include "common/utc_offset.h"

#include <cstdlib>
#include <fmt/format.h>
#include <optional>
#include <stdexcept>

namespace varnemo::notes::dxl {
namespace {

// "+01", or "+0530" when the offset is not whole hours; DXL takes both.
std::string ZoneText(long offsetSeconds)
{
    const char sign = offsetSeconds < 0 ? '-' : '+';
    const long minutes = std::labs(offsetSeconds) / 60;
    if (minutes % 60 == 0)
        return fmt::format("{}{:02}", sign, minutes / 60);
    return fmt::format("{}{:02}{:02}", sign, minutes / 60, minutes % 60);
}

std::string TimeText(const DateTime& value)
{
    return fmt::format("T{:02}{:02}{:02},00", value.hour(), value.minute(), value.second());
}

std::string DateText(const DateTime& value)
{
    return fmt::format("{:04}{:02}{:02}", value.year(), value.month(), value.day());
}

int Digits(std::string_view text, std::size_t at, std::size_t count)
{
    int number = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            throw std::invalid_argument(fmt::format("not a DXL date-time: \"{}\"", text));
        number = number * 10 + (text[i] - '0');
    }
    return number;
}

struct TimeOfDay {
    int hour, minute, second;
    std::optional<int> utcOffsetMinutes;
};

// "+01" or "+0530", or nothing.
std::optional<int> ParseZone(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    if ((text[0] != '+' && text[0] != '-') || (text.size() != 3 && text.size() != 5))
        throw std::invalid_argument(fmt::format("not a DXL zone offset: \"{}\"", text));
    const int hours = Digits(text, 1, 2), minutes = text.size() == 5 ? Digits(text, 3, 2) : 0;
    if (minutes > 59)
        throw std::invalid_argument(fmt::format("not a DXL zone offset: \"{}\"", text));
    return (text[0] == '-' ? -1 : 1) * (hours * 60 + minutes);
}

// "T140509", optionally followed by ",hh" (hundredths, which the store does not keep) and a
// zone offset.
TimeOfDay ParseTime(std::string_view text)
{
    if (text.size() < 7 || text[0] != 'T')
        throw std::invalid_argument(fmt::format("not a DXL time: \"{}\"", text));
    std::size_t zoneAt = 7;
    if (text.size() > zoneAt && text[zoneAt] == ',') {
        Digits(text, zoneAt + 1, 2);
        zoneAt += 3;
    }
    return {Digits(text, 1, 2), Digits(text, 3, 2), Digits(text, 5, 2), ParseZone(text.substr(zoneAt))};
}

}  // namespace

DxlDateTime FormatDxlDateTime(const DateTime& value)
{
    switch (value.kind()) {
    case DateTime::Kind::Full: {
        const UtcOffset offset = UtcOffsetOf(value);
        return {DateText(value) + TimeText(value) + ZoneText(offset.seconds), offset.daylightSaving};
    }
    case DateTime::Kind::DateOnly:
        return {DateText(value), false};
    case DateTime::Kind::TimeOnly:
        return {TimeText(value), false};
    case DateTime::Kind::None:
        break;
    }
    throw std::invalid_argument("a date-time without a value has no DXL form");
}

DateTime ParseDxlDateTime(std::string_view text)
{
    if (!text.empty() && text[0] == 'T') {
        const TimeOfDay time = ParseTime(text);
        return DateTime::TimeOnly(time.hour, time.minute, time.second);
    }
    const int year = Digits(text, 0, 4), month = Digits(text, 4, 2), day = Digits(text, 6, 2);
    if (text.size() == 8)
        return DateTime::DateOnly(year, month, day);
    const TimeOfDay time = ParseTime(text.substr(8));
    const DateTime value = DateTime::Full(year, month, day, time.hour, time.minute, time.second);
    return time.utcOffsetMinutes ? value.WithUtcOffset(*time.utcOffsetMinutes) : value;
}

}  // namespace varnemo::notes::dxl
