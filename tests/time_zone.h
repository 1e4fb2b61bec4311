#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace varnemo::testing {

// Sets the process's time zone (a POSIX TZ value) for one test; programs it starts inherit it.
class TimeZone {
public:
    explicit TimeZone(const char* zone)
    {
        if (const char* current = std::getenv("TZ"))
            previous_ = current;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZone()
    {
        if (previous_)
            setenv("TZ", previous_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;

private:
    std::optional<std::string> previous_;
};

// Zones by their rules, so that the tests need no time-zone database.
// Pacific time, with the daylight-saving rules in force since 2007.
inline constexpr const char* Pacific = "PST8PDT,M3.2.0,M11.1.0";
// Central European time as in Berlin: summer time from the last Sunday of March, 02:00, to the
// last Sunday of October, 03:00.
inline constexpr const char* Berlin = "CET-1CEST,M3.5.0,M10.5.0/3";
// Eastern time as in New York, with the rules in force since 2007.
inline constexpr const char* NewYork = "EST5EDT,M3.2.0,M11.1.0";

}  // namespace varnemo::testing
