#pragma once

#include "common/date_time.h"

namespace varnemo {

// How far the local time zone is from UTC at a wall-clock time, and whether daylight-saving
// time is in effect then. The stored date-times have no zone of their own; formats that need
// one (ISO 8601 with an offset, DXL) take the local zone's rules for that moment.
struct UtcOffset {
    long seconds = 0;  // east of UTC positive
    bool daylightSaving = false;
};

// value must have a date; a time of day alone has no offset and gives UTC.
UtcOffset LocalUtcOffset(const DateTime& value);

}  // namespace varnemo
