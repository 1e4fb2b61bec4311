#include "source/pff/file_time.h"

namespace varnemo::mapi::pff {
namespace {

constexpr std::int64_t TicksPerSecond = 10'000'000;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t EpochDifference = 11'644'473'600;
// 4500-01-01 00:00 UTC, in seconds since 1970. Outlook's "no date" is 4501-01-01 in local time;
// in UTC it may fall on the last day of 4500, and no real mail is dated that late.
constexpr std::int64_t FirstNoDateSecond = 79'839'129'600;

}  // namespace

std::optional<std::time_t> UnixTimeOf(std::uint64_t fileTime)
{
    if (fileTime == 0)
        return std::nullopt;
    const auto seconds = static_cast<std::int64_t>(fileTime / TicksPerSecond) - EpochDifference;
    if (seconds >= FirstNoDateSecond)
        return std::nullopt;
    return static_cast<std::time_t>(seconds);
}

DateTime LocalTimeOf(std::uint64_t fileTime)
{
    const auto instant = UnixTimeOf(fileTime);
    return instant ? DateTime::FromLocalTime(*instant) : DateTime();
}

DateTime StoredDateOf(std::uint64_t fileTime)
{
    const auto instant = UnixTimeOf(fileTime);
    if (!instant)
        return {};
    std::tm fields{};
    if (!gmtime_r(&*instant, &fields))
        return {};
    return DateTime::Full(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, 0, 0, 0);
}

}  // namespace varnemo::mapi::pff
