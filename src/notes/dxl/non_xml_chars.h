#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace varnemo::notes::dxl {

// Text items hold what Outlook gave, which is not always text that XML can carry: control
// characters, the non-characters U+FFFE and U+FFFF, unpaired surrogates (as the three bytes
// that would encode them), and bytes that are not UTF-8 at all. DXL writes such a character as
// <nonxmlchar value="HEX"/>. A byte that is no character is written the same way as the code
// U+DC00 plus the byte (U+DC80 to U+DCFF), a code that a lone surrogate of that range never
// takes here: such a surrogate is written as its three bytes instead. So every byte string
// comes back unchanged.

// Hands text every run of characters that XML can carry, and nonXmlChar every code that
// stands for what it cannot, in order.
void SplitForXml(std::string_view bytes, const std::function<void(std::string_view)>& text,
                 const std::function<void(char32_t)>& nonXmlChar);

// Appends what a nonxmlchar value stands for. Fails (std::invalid_argument) for a value beyond
// the Unicode range.
void AppendNonXmlChar(std::string& bytes, char32_t value);

}  // namespace varnemo::notes::dxl
