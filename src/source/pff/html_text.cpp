#include "source/pff/html_text.h"

#include "source/pff/html_parser_library.h"

#include <array>
#include <cstring>
#include <memory>

namespace varnemo::mapi::pff {
namespace {

struct DocumentDeleter {
    void operator()(xmlDoc* document) const { HtmlParser().xmlFreeDoc(document); }
};

bool NameIs(const xmlNode* node, const char* name)
{
    return node->name && HtmlParser().xmlStrcasecmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

bool IsHidden(const xmlNode* node)
{
    return NameIs(node, "head") || NameIs(node, "script") || NameIs(node, "style") || NameIs(node, "title");
}

bool IsBlock(const xmlNode* node)
{
    static constexpr std::array Blocks = {"p", "div", "tr", "li", "ul", "ol", "table", "h1", "h2", "h3",
                                          "h4", "h5", "h6", "blockquote", "pre", "hr", "dl", "dt", "dd"};
    for (const char* block : Blocks) {
        if (NameIs(node, block))
            return true;
    }
    return false;
}

class TextCollector {
public:
    void Walk(const xmlNode* node)
    {
        for (; node; node = node->next) {
            if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
                AddText(reinterpret_cast<const char*>(node->content));
            } else if (node->type == XML_ELEMENT_NODE && !IsHidden(node)) {
                if (NameIs(node, "br")) {
                    BreakLine();
                    continue;
                }
                const bool block = IsBlock(node);
                if (block)
                    EndLine();
                Walk(node->children);
                if (block)
                    EndLine();
                else if (NameIs(node, "td") || NameIs(node, "th"))
                    AddSpace();
            }
        }
    }

    std::string Result()
    {
        while (!text_.empty() && (text_.back() == '\n' || text_.back() == ' '))
            text_.pop_back();
        return text_;
    }

private:
    void AddText(const char* content)
    {
        if (!content)
            return;
        for (const char* c = content; *c; ++c) {
            // A no-break space (U+00A0) reads as an ordinary space in plain text.
            if (c[0] == '\xC2' && c[1] == '\xA0') {
                ++c;
                AddSpace();
            } else if (std::strchr(" \t\r\n\f", *c)) {
                AddSpace();
            } else {
                text_ += *c;
            }
        }
    }

    void AddSpace()
    {
        if (!text_.empty() && text_.back() != ' ' && text_.back() != '\n')
            text_ += ' ';
    }

    void BreakLine()
    {
        if (!text_.empty() && text_.back() == ' ')
            text_.pop_back();
        text_ += '\n';
    }

    // Starts a new line unless the text already stands at the start of one.
    void EndLine()
    {
        if (!text_.empty() && text_.back() == ' ')
            text_.pop_back();
        if (!text_.empty() && text_.back() != '\n')
            text_ += '\n';
    }

    std::string text_;
};

}  // namespace

std::string PlainTextOfHtml(std::string_view html, const std::string& charset)
{
    if (html.empty())
        return {};
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                        (charset.empty() ? 0 : HTML_PARSE_IGNORE_ENC);
    std::unique_ptr<xmlDoc, DocumentDeleter> document(
        HtmlParser().htmlReadMemory(html.data(), static_cast<int>(html.size()), nullptr,
                                    charset.empty() ? nullptr : charset.c_str(), options));
    if (!document)
        return {};
    TextCollector collector;
    collector.Walk(HtmlParser().xmlDocGetRootElement(document.get()));
    return collector.Result();
}

}  // namespace varnemo::mapi::pff
