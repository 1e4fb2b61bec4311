#pragma once

// A recurring appointment's series as the writers take it: the pattern and every occurrence as
// a date-time.

#include "common/date_time.h"
#include "source/mapi.h"
#include "source/recurrence_pattern.h"

#include <optional>
#include <vector>

namespace varnemo::mapi {

// How far ahead a series without end (or with a far end) is laid out, from its first day.
inline constexpr int kSeriesHorizonYears = 10;

struct AppointmentSeries {
    RecurrencePattern pattern;
    // Every occurrence's start and end, in order: instants on this machine's clock when the
    // series' time zone is known, its wall clock otherwise.
    std::vector<DateTime> starts, ends;
    // The last day of a series that ends on a date, on the series' calendar.
    DateTime endDate;
    // When occurrences were left out past the horizon: its day, on the series' calendar.
    std::optional<DateTime> cutAt;
};

// The series of an appointment; none for an item that does not repeat. firstStart is the
// appointment's start as read from the item: when the item has no time zone for its series, the
// offset from UTC of its first occurrence stands for the whole series. Throws ComponentError
// saying what is wrong when the stored recurrence cannot be read.
std::optional<AppointmentSeries> SeriesOf(const RecurrenceData& data, const DateTime& firstStart);

}  // namespace varnemo::mapi
