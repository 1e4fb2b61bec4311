#include "common/utc_offset.h"

#include <ctime>

namespace varnemo {

UtcOffset LocalUtcOffset(const DateTime& value)
{
    if (!value.hasDate())
        return {};
    std::tm local{};
    local.tm_year = value.year() - 1900, local.tm_mon = value.month() - 1, local.tm_mday = value.day();
    local.tm_hour = value.hour(), local.tm_min = value.minute(), local.tm_sec = value.second();
    local.tm_isdst = -1;  // let the zone's rules decide
    std::mktime(&local);
    return {local.tm_gmtoff, local.tm_isdst > 0};
}

UtcOffset UtcOffsetOf(const DateTime& value)
{
    if (const auto minutes = value.utcOffsetMinutes())
        return {*minutes * 60L, false};
    return LocalUtcOffset(value);
}

}  // namespace varnemo
