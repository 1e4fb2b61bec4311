#pragma once

// The time zone of a recurring series, as Outlook describes it (PidLidTimeZoneStruct of the
// calendar object protocol): its offset from UTC and when daylight-saving time begins and ends
// each year. The occurrences of a series are wall-clock times there; this gives their instants.

#include "source/recurrence_pattern.h"

#include <optional>
#include <string_view>

namespace varnemo::mapi {

class SeriesTimeZone {
public:
    // Where a switch happens each year: the week-th (5: last) dayOfWeek of month, at minute
    // (after midnight) of the wall clock in force before it.
    struct Switch {
        int month = 0, dayOfWeek = 0, week = 0, minute = 0;
    };

    // A zone without daylight-saving time, biasMinutes west of UTC (as Windows counts it).
    static SeriesTimeZone Fixed(int biasMinutes);
    // Reads the stored structure; throws std::invalid_argument when it is cut short or holds
    // values outside the format.
    static SeriesTimeZone FromTimeZoneStruct(std::string_view bytes);

    // The UTC minutes of a wall-clock time of the zone. A time in the hour skipped when summer
    // time begins counts as winter time; one of the hour passed twice when it ends, as summer time.
    WallMinutes ToUtc(WallMinutes wallClock) const;

private:
    bool IsDaylightTime(WallMinutes wallClock) const;

    int bias_ = 0;          // minutes west of UTC
    int standardBias_ = 0;  // added in winter (usually 0)
    int daylightBias_ = 0;  // added in summer (usually -60)
    std::optional<Switch> toDaylight_, toStandard_;
};

}  // namespace varnemo::mapi
