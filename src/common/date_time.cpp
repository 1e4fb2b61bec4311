#include "common/date_time.h"

#include <chrono>
#include <fmt/format.h>
#include <stdexcept>

namespace varnemo {
namespace {

void CheckDate(int year, int month, int day)
{
    using namespace std::chrono;
    if (!year_month_day{std::chrono::year{year}, std::chrono::month(static_cast<unsigned>(month)),
                        std::chrono::day(static_cast<unsigned>(day))}
             .ok() ||
        year < 1 || year > 9999)
        throw std::invalid_argument(fmt::format("not a calendar date: {}-{}-{}", year, month, day));
}

void CheckTime(int hour, int minute, int second)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        throw std::invalid_argument(fmt::format("not a time of day: {}:{}:{}", hour, minute, second));
}

int Digits(std::string_view text, size_t at, size_t count)
{
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            throw std::invalid_argument("not a date-time: " + std::string(text));
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

void Expect(std::string_view text, size_t at, char c)
{
    if (at >= text.size() || text[at] != c)
        throw std::invalid_argument("not a date-time: " + std::string(text));
}

constexpr int kLargestOffsetMinutes = 23 * 60 + 59;

// "+01:00" or "-05:30".
std::string OffsetText(int minutes)
{
    const int size = minutes < 0 ? -minutes : minutes;
    return fmt::format("{}{:02}:{:02}", minutes < 0 ? '-' : '+', size / 60, size % 60);
}

// "+01:00" at text[at].
int ParseOffset(std::string_view text, size_t at)
{
    if (at >= text.size() || (text[at] != '+' && text[at] != '-'))
        throw std::invalid_argument("not a date-time: " + std::string(text));
    Expect(text, at + 3, ':');
    const int hours = Digits(text, at + 1, 2), minutes = Digits(text, at + 4, 2);
    if (minutes > 59)
        throw std::invalid_argument("not a date-time: " + std::string(text));
    return (text[at] == '-' ? -1 : 1) * (hours * 60 + minutes);
}

// How far the broken-down wall clock is ahead of UTC at instant, in seconds.
std::int64_t SecondsAhead(const std::tm& wallClock, std::time_t instant)
{
    using namespace std::chrono;
    const sys_days date{std::chrono::year{wallClock.tm_year + 1900} /
                        std::chrono::month(static_cast<unsigned>(wallClock.tm_mon + 1)) /
                        std::chrono::day(static_cast<unsigned>(wallClock.tm_mday))};
    const auto asIfUtc = date.time_since_epoch() + hours{wallClock.tm_hour} + minutes{wallClock.tm_min} +
                         seconds{wallClock.tm_sec};
    return duration_cast<seconds>(asIfUtc).count() - static_cast<std::int64_t>(instant);
}

// The wall clock at minutes east of UTC at instant, carrying that offset.
DateTime WallClockAt(std::time_t instant, int offsetMinutes)
{
    using namespace std::chrono;
    const sys_seconds wallClock{seconds{static_cast<std::int64_t>(instant) + offsetMinutes * 60}};
    const sys_days date = floor<days>(wallClock);
    const year_month_day calendar{date};
    const hh_mm_ss time{wallClock - date};
    const auto month = static_cast<unsigned>(calendar.month()), day = static_cast<unsigned>(calendar.day());
    return DateTime::Full(static_cast<int>(calendar.year()), static_cast<int>(month), static_cast<int>(day),
                          static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                          static_cast<int>(time.seconds().count()))
        .WithUtcOffset(offsetMinutes);
}

}  // namespace

DateTime DateTime::Full(int year, int month, int day, int hour, int minute, int second)
{
    CheckDate(year, month, day);
    CheckTime(hour, minute, second);
    DateTime value;
    value.kind_ = Kind::Full;
    value.year_ = year, value.month_ = month, value.day_ = day;
    value.hour_ = hour, value.minute_ = minute, value.second_ = second;
    return value;
}

DateTime DateTime::DateOnly(int year, int month, int day)
{
    CheckDate(year, month, day);
    DateTime value;
    value.kind_ = Kind::DateOnly;
    value.year_ = year, value.month_ = month, value.day_ = day;
    return value;
}

DateTime DateTime::TimeOnly(int hour, int minute, int second)
{
    CheckTime(hour, minute, second);
    DateTime value;
    value.kind_ = Kind::TimeOnly;
    value.hour_ = hour, value.minute_ = minute, value.second_ = second;
    return value;
}

DateTime DateTime::FromLocalTime(std::time_t instant)
{
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &instant) != 0)
        return {};
#else
    if (!localtime_r(&instant, &local))
        return {};
#endif
    // Offsets are written in whole minutes. The local mean times of zones before about 1900 had
    // seconds too: the wall clock moves by those seconds rather than the instant.
    const auto aheadSeconds = SecondsAhead(local, instant);
    const auto offsetMinutes = static_cast<int>((aheadSeconds + (aheadSeconds < 0 ? -30 : 30)) / 60);
    return WallClockAt(instant, offsetMinutes);
}

DateTime DateTime::Now()
{
    return FromLocalTime(std::time(nullptr));
}

DateTime DateTime::FromIso(std::string_view text)
{
    if (text.empty())
        return {};
    if (text.size() == 9 && text[0] == 'T') {
        Expect(text, 3, ':');
        Expect(text, 6, ':');
        return TimeOnly(Digits(text, 1, 2), Digits(text, 4, 2), Digits(text, 7, 2));
    }
    if (text.size() != 10 && text.size() != 19 && text.size() != 25)
        throw std::invalid_argument("not a date-time: " + std::string(text));
    Expect(text, 4, '-');
    Expect(text, 7, '-');
    const int year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
    if (text.size() == 10)
        return DateOnly(year, month, day);
    Expect(text, 10, 'T');
    Expect(text, 13, ':');
    Expect(text, 16, ':');
    const DateTime value = Full(year, month, day, Digits(text, 11, 2), Digits(text, 14, 2), Digits(text, 17, 2));
    return text.size() == 25 ? value.WithUtcOffset(ParseOffset(text, 19)) : value;
}

DateTime DateTime::WithUtcOffset(int minutes) const
{
    if (kind_ != Kind::Full)
        throw std::invalid_argument("only a full date and time has an offset from UTC: " + ToIso());
    if (minutes < -kLargestOffsetMinutes || minutes > kLargestOffsetMinutes)
        throw std::invalid_argument(fmt::format("not an offset from UTC: {} minutes", minutes));
    DateTime value = *this;
    value.utcOffsetMinutes_ = minutes;
    return value;
}

DateTime DateTime::DatePart() const
{
    return hasDate() ? DateOnly(year_, month_, day_) : DateTime{};
}

DateTime DateTime::TimePart() const
{
    return hasTime() ? TimeOnly(hour_, minute_, second_) : DateTime{};
}

std::string DateTime::ToIso() const
{
    switch (kind_) {
    case Kind::Full:
        return fmt::format("{:04}-{:02}-{:02}T{:02}:{:02}:{:02}{}", year_, month_, day_, hour_, minute_, second_,
                           utcOffsetMinutes_ ? OffsetText(*utcOffsetMinutes_) : "");
    case Kind::DateOnly:
        return fmt::format("{:04}-{:02}-{:02}", year_, month_, day_);
    case Kind::TimeOnly:
        return fmt::format("T{:02}:{:02}:{:02}", hour_, minute_, second_);
    case Kind::None:
        break;
    }
    return {};
}

std::string DateTime::ToStampText() const
{
    if (!hasDate())
        return {};
    return fmt::format("{:02}-{:02}-{:04}-{}-{}-{}", day_, month_, year_, hour_, minute_, second_);
}

std::string DateTime::ToGeneralText() const
{
    switch (kind_) {
    case Kind::Full:
        if (hour_ == 0 && minute_ == 0 && second_ == 0)
            return DatePart().ToIso();
        return fmt::format("{:04}-{:02}-{:02} {:02}:{:02}:{:02}", year_, month_, day_, hour_, minute_, second_);
    case Kind::DateOnly:
        return ToIso();
    case Kind::TimeOnly:
        return fmt::format("{:02}:{:02}:{:02}", hour_, minute_, second_);
    case Kind::None:
        break;
    }
    return {};
}

}  // namespace varnemo
