#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

typedef struct _xmlTextWriter xmlTextWriter;

namespace varnemo::notes::dxl {

// An XML document written as it goes (libxml2's xmlTextWriter), so that nothing but the
// element being written is held in memory. Every failure, of libxml2 or of the stream, is a
// ComponentError naming what was being written.
class XmlWriter {
public:
    explicit XmlWriter(std::ostream& out);
    ~XmlWriter();
    XmlWriter(const XmlWriter&) = delete;
    XmlWriter& operator=(const XmlWriter&) = delete;

    void StartElement(const char* name);
    void EndElement();
    void EmptyElement(const char* name) { StartElement(name), EndElement(); }
    // value must consist of characters that XML can carry; the writer escapes markup.
    void Attribute(const char* name, std::string_view value);
    void Text(std::string_view text);
    // Written as it is: for text that needs no escaping (base64) and for line breaks between
    // elements that keep the file readable.
    void Raw(std::string_view text);
    // Ends every open element and the document, and flushes the stream.
    void Finish();

private:
    void Check(int result, std::string_view doing);

    xmlTextWriter* writer_ = nullptr;
    std::ostream& out_;
};

}  // namespace varnemo::notes::dxl
