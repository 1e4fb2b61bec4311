#pragma once

#include "common/date_time.h"

namespace varnemo::com {

// Outlook's "no date": 4501-01-01.
inline constexpr int kNoDateYear = 4501;

// A COM date (days since 1899-12-30, the time of day as the fraction). A date alone has no
// fraction; a time alone is a fraction of day 0. A COM date has no zone: the wall clock goes,
// any offset from UTC is left behind. Throws ComponentError for "no value".
double ToOleDate(const DateTime& value);

// The date and time of a COM date, as Outlook hands it out; Outlook's "no date" is no value.
DateTime FromOleDate(double date);

}  // namespace varnemo::com
