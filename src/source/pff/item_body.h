#pragma once

#include "source/pff/property_bag.h"
#include "source/pff/property_source.h"

#include <optional>
#include <string>

namespace varnemo::mapi::pff {

// The plain-text body of a message: its text body; else the text of its HTML body; else the
// text of its compressed RTF body.
std::string BodyText(const PropertySource& message, const PropertyBag& properties);

// The HTML body as stored, and the charset of its bytes (an iconv name): UTF-8 for one stored as
// text, the item's Internet code page for bytes, or empty when the document's own declaration
// decides.
struct HtmlBody {
    std::string html;
    std::string charset;
};
std::optional<HtmlBody> HtmlBodyOf(const PropertyBag& properties);

// The text of each kind of body alone (empty when the message has none of that kind).
std::string BodyTextFromHtml(const PropertyBag& properties);
std::string BodyTextFromRtf(const PropertySource& message, const PropertyBag& properties);

}  // namespace varnemo::mapi::pff
