#include "notes/dxl/xml_reader.h"

#include "common/errors.h"
#include "notes/dxl/xml_library.h"

#include <fmt/format.h>

namespace varnemo::notes::dxl {
namespace {

const char* Chars(const xmlChar* text)
{
    return reinterpret_cast<const char*>(text);
}

bool IsCharacterData(int type)
{
    return type == XML_READER_TYPE_TEXT || type == XML_READER_TYPE_CDATA || type == XML_READER_TYPE_WHITESPACE ||
           type == XML_READER_TYPE_SIGNIFICANT_WHITESPACE;
}

// Keeps libxml2's own message for the exception instead of letting it print to stderr.
void KeepParserError(void* context, const char* message, xmlParserSeverities severity, xmlTextReaderLocatorPtr)
{
    auto& kept = *static_cast<std::string*>(context);
    if (severity == XML_PARSER_SEVERITY_ERROR || kept.empty())
        kept = message;
    while (!kept.empty() && (kept.back() == '\n' || kept.back() == ' '))
        kept.pop_back();
}

}  // namespace

XmlReader::XmlReader(const std::filesystem::path& file) : file_(file)
{
    // HUGE: an attachment's base64 text is one text node, and may pass libxml2's 10 MB default.
    reader_ = Xml().xmlReaderForFile(file.c_str(), nullptr, XML_PARSE_HUGE | XML_PARSE_NONET);
    if (!reader_)
        throw ComponentError(fmt::format("cannot open the DXL file {}", file.string()));
    Xml().xmlTextReaderSetErrorHandler(reader_, KeepParserError, &parserError_);
}

XmlReader::~XmlReader()
{
    Xml().xmlFreeTextReader(reader_);
}

void XmlReader::Advance()
{
    const int result = Xml().xmlTextReaderRead(reader_);
    if (result < 0)
        Fail(parserError_.empty() ? "it is not well-formed XML" : parserError_);
    if (result == 0)
        Fail("it ends in the middle of an element");
}

void XmlReader::ReadRoot(std::string_view root)
{
    do {
        const int result = Xml().xmlTextReaderRead(reader_);
        if (result < 0)
            Fail(parserError_.empty() ? "it is not well-formed XML" : parserError_);
        if (result == 0)
            Fail("it holds no element");
    } while (Xml().xmlTextReaderNodeType(reader_) != XML_READER_TYPE_ELEMENT);
    if (LocalName() != root)
        Fail(fmt::format("its first element is <{}>, not <{}>", LocalName(), root));
}

void XmlReader::ForEachChild(const std::function<void()>& onElement,
                             const std::function<void(std::string_view)>& onText)
{
    if (Xml().xmlTextReaderIsEmptyElement(reader_))
        return;
    const int depth = Xml().xmlTextReaderDepth(reader_);
    for (;;) {
        Advance();
        const int type = Xml().xmlTextReaderNodeType(reader_);
        if (type == XML_READER_TYPE_END_ELEMENT && Xml().xmlTextReaderDepth(reader_) == depth)
            return;
        if (type == XML_READER_TYPE_ELEMENT)
            onElement();
        else if (IsCharacterData(type) && onText)
            onText(Chars(Xml().xmlTextReaderConstValue(reader_)));
    }
}

void XmlReader::SkipElement()
{
    ForEachChild([this] { SkipElement(); });
}

std::string XmlReader::ReadPlainText()
{
    const std::string element(LocalName());
    std::string text;
    ForEachChild([&] { Fail(fmt::format("<{}> holds <{}>, where only text belongs", element, LocalName())); },
                 [&](std::string_view part) { text += part; });
    return text;
}

std::string_view XmlReader::LocalName() const
{
    const xmlChar* name = Xml().xmlTextReaderConstLocalName(reader_);
    return name ? Chars(name) : "";
}

std::optional<std::string> XmlReader::Attribute(const char* name) const
{
    xmlChar* value = Xml().xmlTextReaderGetAttribute(reader_, reinterpret_cast<const xmlChar*>(name));
    if (!value)
        return std::nullopt;
    std::string copy = Chars(value);
    (*Xml().xmlFree)(value);
    return copy;
}

std::string XmlReader::RequiredAttribute(const char* name) const
{
    auto value = Attribute(name);
    if (!value)
        Fail(fmt::format("<{}> has no {} attribute", LocalName(), name));
    return *value;
}

void XmlReader::Fail(std::string_view problem) const
{
    throw ComponentError(fmt::format("the DXL file {}, line {}: {}", file_.string(),
                                     Xml().xmlTextReaderGetParserLineNumber(reader_), problem));
}

}  // namespace varnemo::notes::dxl
