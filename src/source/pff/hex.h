#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnemo::mapi::pff {

// Upper-case hexadecimal, two digits a byte.
std::string ToHex(std::string_view bytes);

// The bytes that ToHex wrote; no value for text of odd length or with other characters
// (lower-case digits are accepted).
std::optional<std::string> FromHex(std::string_view text);

}  // namespace varnemo::mapi::pff
