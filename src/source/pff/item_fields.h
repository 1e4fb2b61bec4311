#pragma once

#include "source/mapi.h"
#include "source/pff/property_key.h"

#include <vector>

namespace varnemo::mapi::pff {

// Where each value of an item lives: the properties to try in order, the first one present
// (and not empty) giving the value.
struct TextSources {
    std::vector<PropertyKey> keys;
    bool multiValued = false;  // a list of strings, joined with ", "
};
// Every text field but the body, which has its own chain (item_body.h).
TextSources SourcesOf(TextField field);

// How a stored time becomes the value users see.
enum class DateReading {
    Instant,       // a UTC instant, shown in the user's zone
    StoredDate,    // a local date stored without conversion to UTC: that date at 00:00:00
    CalendarDate,  // a day that belongs to no zone (a birthday): its UTC date, as a date alone
};

struct DateSources {
    std::vector<PropertyKey> keys;
    DateReading reading = DateReading::Instant;
};
DateSources SourcesOf(DateField field);

}  // namespace varnemo::mapi::pff
