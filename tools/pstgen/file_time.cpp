#include "file_time.h"

#include <fmt/format.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace pstgen {

namespace {

constexpr std::int64_t kUnixEpochInFileTimeSeconds = 11644473600;
constexpr std::int64_t kTicksPerSecond = 10'000'000;

}  // namespace

FileTime FileTimeFromUnix(std::int64_t seconds)
{
    return static_cast<FileTime>((seconds + kUnixEpochInFileTimeSeconds) * kTicksPerSecond);
}

FileTime ParseFileTime(std::string_view text)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, consumed = 0;
    const std::string copy(text);
    const int fields = std::sscanf(copy.c_str(), "%4d-%2d-%2d%n", &year, &month, &day, &consumed);
    bool valid = fields == 3;
    if (valid && static_cast<std::size_t>(consumed) < copy.size()) {
        int rest = 0;
        valid = std::sscanf(copy.c_str() + consumed, "T%2d:%2d:%2d%n", &hour, &minute, &second, &rest) == 3;
        const auto tail = copy.substr(static_cast<std::size_t>(consumed + rest));
        valid = valid && (tail.empty() || tail == "Z");
    }
    const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    if (!valid || !date.ok() || hour > 23 || minute > 59 || second > 59)
        throw std::invalid_argument(fmt::format("not a date or UTC time: \"{}\"", text));
    const auto days = std::chrono::sys_days(date).time_since_epoch().count();
    return FileTimeFromUnix(static_cast<std::int64_t>(days) * 86400 + hour * 3600 + minute * 60 + second);
}

}  // namespace pstgen
