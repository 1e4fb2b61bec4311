#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnemo::mapi::pff {

// A recipient written out in full inside an entry id (a one-off entry id), as distribution
// lists keep their members.
struct OneOffRecipient {
    std::string displayName;
    std::string addressType;  // "SMTP", "EX", ...
    std::string address;
};

// No value when the bytes are not a one-off entry id. charset is the iconv name of the code page
// of 8-bit strings (used when the entry id does not hold Unicode strings).
std::optional<OneOffRecipient> ParseOneOffEntryId(std::string_view bytes, const std::string& charset);

}  // namespace varnemo::mapi::pff
