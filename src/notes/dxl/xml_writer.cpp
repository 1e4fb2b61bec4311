#include "notes/dxl/xml_writer.h"

#include "common/errors.h"
#include "notes/dxl/xml_library.h"

#include <fmt/format.h>
#include <ostream>
#include <string>

namespace varnemo::notes::dxl {
namespace {

int WriteToStream(void* context, const char* buffer, int length)
{
    auto& out = *static_cast<std::ostream*>(context);
    out.write(buffer, length);
    return out ? length : -1;
}

const xmlChar* XmlChars(const char* text)
{
    return reinterpret_cast<const xmlChar*>(text);
}

}  // namespace

XmlWriter::XmlWriter(std::ostream& out) : out_(out)
{
    xmlOutputBufferPtr buffer = Xml().xmlOutputBufferCreateIO(WriteToStream, nullptr, &out_, nullptr);
    if (!buffer)
        throw ComponentError("cannot set up the XML output");
    writer_ = Xml().xmlNewTextWriter(buffer);  // owns the buffer from here on
    if (!writer_) {
        Xml().xmlOutputBufferClose(buffer);
        throw ComponentError("cannot set up the XML output");
    }
    Check(Xml().xmlTextWriterStartDocument(writer_, "1.0", "UTF-8", nullptr), "the XML declaration");
}

XmlWriter::~XmlWriter()
{
    Xml().xmlFreeTextWriter(writer_);
}

void XmlWriter::StartElement(const char* name)
{
    Check(Xml().xmlTextWriterStartElement(writer_, XmlChars(name)), name);
}

void XmlWriter::EndElement()
{
    Check(Xml().xmlTextWriterEndElement(writer_), "the end of an element");
}

void XmlWriter::Attribute(const char* name, std::string_view value)
{
    const std::string terminated(value);
    Check(Xml().xmlTextWriterWriteAttribute(writer_, XmlChars(name), XmlChars(terminated.c_str())), name);
}

void XmlWriter::Text(std::string_view text)
{
    const std::string terminated(text);
    Check(Xml().xmlTextWriterWriteString(writer_, XmlChars(terminated.c_str())), "text");
}

void XmlWriter::Raw(std::string_view text)
{
    Check(Xml().xmlTextWriterWriteRawLen(writer_, XmlChars(text.data()), static_cast<int>(text.size())), "text");
}

void XmlWriter::Finish()
{
    Check(Xml().xmlTextWriterEndDocument(writer_), "the end of the document");
    Check(Xml().xmlTextWriterFlush(writer_), "the end of the document");
    out_.flush();
    if (!out_)
        throw ComponentError("cannot write the XML output");
}

void XmlWriter::Check(int result, std::string_view doing)
{
    if (result < 0)
        throw ComponentError(fmt::format("cannot write {} of the XML output{}", doing,
                                         out_ ? "" : ": the output stream failed"));
}

}  // namespace varnemo::notes::dxl
