#pragma once

#include "com/variant.h"
#include "notes/notes.h"

namespace varnemo::notes::com {

// The value an item assignment passes: a text as VT_BSTR, a date-time as VT_DATE (one without
// a value as the empty text, as Notes keeps an empty date field), a text list as
// VT_ARRAY | VT_BSTR.
varnemo::com::Variant ItemVariant(const ItemValue& value);

}  // namespace varnemo::notes::com
