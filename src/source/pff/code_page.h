#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnemo::mapi::pff {

// Outlook writes 8-bit strings in the Windows code page of the item; this is the one assumed
// when an item does not say.
inline constexpr std::uint32_t DefaultCodePage = 1252;

// The iconv name of a Windows code page ("CP1252", "UTF-8", "ISO-2022-JP", ...).
std::string CharsetOfCodePage(std::uint32_t codePage);

// Converts text in the named charset to UTF-8. A byte sequence that is not valid in that
// charset becomes U+FFFD rather than ending the conversion; an unknown charset is read as
// Windows-1252 so that the text is never lost.
std::string ToUtf8(std::string_view text, const std::string& charset);

}  // namespace varnemo::mapi::pff
