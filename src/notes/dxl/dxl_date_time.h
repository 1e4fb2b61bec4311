#pragma once

#include "common/date_time.h"

#include <string>
#include <string_view>

namespace varnemo::notes::dxl {

// A date-time in DXL's ISO 8601 basic form, with the dst attribute it takes.
struct DxlDateTime {
    std::string text;
    bool daylightSaving = false;
};

// "20260107T140509,00+01" for a full value (hundredths, and its offset from UTC: the one it
// carries, else the local zone's at that moment, see UtcOffsetOf), "20260107" for a date alone,
// "T140509,00" for a time alone. value must have a value.
DxlDateTime FormatDxlDateTime(const DateTime& value);

// The value of any of those forms; a full value keeps the offset written with it ("+01" or
// "+0530"), a time alone has none. Throws std::invalid_argument for anything else.
DateTime ParseDxlDateTime(std::string_view text);

}  // namespace varnemo::notes::dxl
