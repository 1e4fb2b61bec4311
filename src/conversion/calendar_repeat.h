#pragma once

#include "common/date_time.h"
#include "notes/calendar_writer.h"
#include "source/mapi.h"

#include <optional>

namespace varnemo {

// How an appointment repeats, as the calendar writer takes it; none when it does not repeat.
// firstStart is the appointment's start. Throws ComponentError when the recurrence that the
// item stores cannot be read.
std::optional<CalendarRepeat> ReadCalendarRepeat(mapi::Item& item, const DateTime& firstStart);

}  // namespace varnemo
