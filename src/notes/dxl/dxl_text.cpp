#include "notes/dxl/dxl_text.h"

#include "common/errors.h"
#include "notes/dxl/non_xml_chars.h"
#include "notes/dxl/xml_writer.h"

#include <fmt/format.h>

namespace varnemo::notes::dxl {
namespace {

void WriteLines(XmlWriter& xml, std::string_view run)
{
    for (std::size_t start = 0;;) {
        const std::size_t end = run.find('\n', start);
        if (end == std::string_view::npos) {
            if (start < run.size())
                xml.Text(run.substr(start));
            return;
        }
        if (end > start)
            xml.Text(run.substr(start, end - start));
        xml.EmptyElement("break");
        start = end + 1;
    }
}

}  // namespace

void WriteTextElement(XmlWriter& xml, std::string_view value)
{
    xml.StartElement("text");
    SplitForXml(
        value, [&](std::string_view run) { WriteLines(xml, run); },
        [&](char32_t code) {
            xml.StartElement("nonxmlchar");
            xml.Attribute("value", fmt::format("{:X}", static_cast<unsigned>(code)));
            xml.EndElement();
        });
    xml.EndElement();
}

void WriteNameAttribute(XmlWriter& xml, const char* attribute, std::string_view value)
{
    SplitForXml(
        value, [](std::string_view) {},
        [&](char32_t code) {
            throw ComponentError(fmt::format("the name \"{}\" cannot be written into DXL: it holds the code {:X}, "
                                             "which XML cannot carry",
                                             value, static_cast<unsigned>(code)));
        });
    xml.Attribute(attribute, value);
}

}  // namespace varnemo::notes::dxl
