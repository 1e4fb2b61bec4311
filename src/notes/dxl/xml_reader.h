#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

typedef struct _xmlTextReader xmlTextReader;

namespace varnemo::notes::dxl {

// An XML file read node by node (libxml2's xmlTextReader): only the current node is held in
// memory. Element names are compared without their namespace. Every failure, of the file or of
// its content, is a ComponentError naming the file and the line.
class XmlReader {
public:
    explicit XmlReader(const std::filesystem::path& file);
    ~XmlReader();
    XmlReader(const XmlReader&) = delete;
    XmlReader& operator=(const XmlReader&) = delete;

    // Moves to the first element of the file, which must be named root.
    void ReadRoot(std::string_view root);

    // With the reader on a start tag: calls onElement for each child element with the reader
    // on the child's start tag, and onText with the text between them (character data,
    // whitespace included). onElement must leave the reader on the end of that child, as
    // ForEachChild and SkipElement do. Returns with the reader on the end of the element.
    void ForEachChild(const std::function<void()>& onElement,
                      const std::function<void(std::string_view)>& onText = {});

    // Moves past the element whose start tag the reader is on, whatever it holds.
    void SkipElement();

    // The text that the element holds; fails when it holds elements.
    std::string ReadPlainText();

    std::string_view LocalName() const;
    std::optional<std::string> Attribute(const char* name) const;
    std::string RequiredAttribute(const char* name) const;

    [[noreturn]] void Fail(std::string_view problem) const;

private:
    void Advance();

    std::filesystem::path file_;
    xmlTextReader* reader_ = nullptr;
    std::string parserError_;
};

}  // namespace varnemo::notes::dxl
