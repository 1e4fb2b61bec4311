#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnemo {

// Removes the blanks (spaces) at both ends, as the user-facing texts of the program are trimmed.
std::string TrimBlanks(std::string_view text);

// Splits at every separator; empty pieces are kept and nothing is trimmed. An empty text gives
// no pieces at all.
std::vector<std::string> SplitKeepingEmpty(std::string_view text, char separator);

}  // namespace varnemo
