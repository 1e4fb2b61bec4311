#pragma once

#include <string>
#include <string_view>

namespace varnemo::mapi::pff {

// The readable text of an RTF body. HTML that Outlook wrapped in RTF (\fromhtml1) is unwrapped
// and its text taken as from any HTML; other RTF loses its control words, groups of hidden
// destinations (font and colour tables, pictures, ...) and keeps its text, paragraph breaks
// and tabs. charset is the iconv name of the code page assumed when the RTF names none.
std::string PlainTextOfRtf(std::string_view rtf, const std::string& charset);

}  // namespace varnemo::mapi::pff
