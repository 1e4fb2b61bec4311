#pragma once

#include "source/mapi.h"

#include <string_view>
#include <vector>

namespace varnemo::mapi::com {

// The RDOMail property (or the kind's own, for appointments, tasks, contacts and lists) that
// holds the value; the text fields carry the object model's names.
std::string_view TextProperty(TextField field);

// The properties that may hold a date value, the first one with a value counting.
std::vector<std::string_view> DateProperties(DateField field);

}  // namespace varnemo::mapi::com
