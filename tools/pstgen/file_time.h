#pragma once

#include "property_values.h"

#include <string_view>

namespace pstgen {

FileTime FileTimeFromUnix(std::int64_t seconds);
// "2024-05-01", "2024-05-01T10:30:00Z" (UTC; the "Z" may be left out).
FileTime ParseFileTime(std::string_view text);

}  // namespace pstgen
