#pragma once

#include "common/date_time.h"

namespace varnemo {

// How far a wall-clock time is from UTC, and whether daylight-saving time is in effect then
// (known only when the local zone's rules give the offset).
struct UtcOffset {
    long seconds = 0;  // east of UTC positive
    bool daylightSaving = false;
};

// The local time zone's offset at a wall-clock time. value must have a date; a time of day
// alone has no offset and gives UTC.
UtcOffset LocalUtcOffset(const DateTime& value);

// The offset of a full value: the one it carries, or, for a value stored without one by an
// earlier version, the local zone's at that wall-clock time, as that version read it.
UtcOffset UtcOffsetOf(const DateTime& value);

}  // namespace varnemo
