#pragma once

#include <string>
#include <string_view>

namespace varnemo::mapi::pff {

// The readable text of an HTML document: scripts, styles and the head left out, a line break
// for <br> and around block elements, runs of white space folded as a browser folds them.
// charset names the encoding of the bytes (an iconv name); empty lets the document's own
// declaration decide.
std::string PlainTextOfHtml(std::string_view html, const std::string& charset);

}  // namespace varnemo::mapi::pff
