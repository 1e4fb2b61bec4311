#pragma once

#include <string_view>

namespace varnemo::notes::dxl {

class XmlWriter;

// <text>...</text> holding the value exactly: line feeds as <break/>, and what XML cannot
// carry as <nonxmlchar/> (see non_xml_chars.h).
void WriteTextElement(XmlWriter& xml, std::string_view value);

// A name (of an item, a folder, a file) as an attribute. Attributes cannot hold elements, so a
// name with a character that XML cannot carry is refused (ComponentError) rather than altered.
void WriteNameAttribute(XmlWriter& xml, const char* attribute, std::string_view value);

}  // namespace varnemo::notes::dxl
