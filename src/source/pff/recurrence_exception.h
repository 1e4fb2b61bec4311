#pragma once

#include "source/pff/property_bag.h"

namespace varnemo::mapi::pff {

// Outlook keeps each changed or deleted occurrence of a recurring appointment as an item embedded
// in an attachment of the series. Such attachments belong to the recurrence, not to the user:
// Outlook never lists them among the appointment's attachments.

// Whether the item is a recurring series (an appointment that repeats).
bool IsRecurringSeries(const PropertyBag& item);

// Whether an attachment of a recurring series holds one of its occurrences: an embedded item
// marked as an exception or hidden. A file, however marked, is the user's.
bool IsRecurrenceException(const PropertyBag& attachment);

}  // namespace varnemo::mapi::pff
