#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnemo::mapi::pff {

// The values of a multi-valued property of variable-size values (strings, binaries) as a data
// file stores them: a 32-bit count, one 32-bit offset per value, then the values back to back.
// libpff 20180714 reports no values for such properties, so they are split here. No value when
// the offsets do not fit the data.
std::optional<std::vector<std::string>> SplitMultiValue(std::string_view data);

}  // namespace varnemo::mapi::pff
