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

struct DateSources {
    std::vector<PropertyKey> keys;
    bool storedDate = false;  // a local calendar date stored without conversion to UTC
};
DateSources SourcesOf(DateField field);

}  // namespace varnemo::mapi::pff
