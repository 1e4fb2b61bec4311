#include "source/pff/item_body.h"

#include "source/pff/code_page.h"
#include "source/pff/html_text.h"
#include "source/pff/pff_error.h"
#include "source/pff/property_tags.h"
#include "source/pff/rtf_text.h"

namespace varnemo::mapi::pff {

std::optional<HtmlBody> HtmlBodyOf(const PropertyBag& properties)
{
    const auto key = PropertyKey::Tag(tag::Html);
    if (auto text = properties.Text(key); text && !text->empty())
        return HtmlBody{std::move(*text), "UTF-8"};
    auto bytes = properties.Bytes(key);
    if (!bytes || bytes->empty())
        return std::nullopt;
    const auto codePage = properties.Integer(PropertyKey::Tag(tag::InternetCodepage));
    return HtmlBody{std::move(*bytes), codePage ? CharsetOfCodePage(static_cast<std::uint32_t>(*codePage)) : ""};
}

std::string BodyTextFromHtml(const PropertyBag& properties)
{
    const auto key = PropertyKey::Tag(tag::Html);
    if (const auto text = properties.Text(key))
        return PlainTextOfHtml(*text, "UTF-8");
    // Stored as bytes, the HTML declares its own character set.
    if (const auto bytes = properties.Bytes(key))
        return PlainTextOfHtml(*bytes, "");
    return {};
}

std::string BodyTextFromRtf(libpff_item_t* message, const PropertyBag& properties)
{
    if (!properties.Has(PropertyKey::Tag(tag::RtfCompressed)))
        return {};
    const char* what = "cannot decompress the RTF body";
    size_t size = 0;
    const int found = CheckPff(what, properties.where(), [&](libpff_error_t** e) {
        return libpff_message_get_rtf_body_size(message, &size, e);
    });
    if (found != 1 || size == 0)
        return {};
    std::string rtf(size, '\0');
    CheckPff(what, properties.where(), [&](libpff_error_t** e) {
        return libpff_message_get_rtf_body(message, reinterpret_cast<uint8_t*>(rtf.data()), size, e);
    });
    return PlainTextOfRtf(rtf, properties.charset());
}

std::string BodyText(libpff_item_t* message, const PropertyBag& properties)
{
    if (auto text = properties.Text(PropertyKey::Tag(tag::Body)); text && !text->empty())
        return *text;
    if (auto text = BodyTextFromHtml(properties); !text.empty())
        return text;
    return BodyTextFromRtf(message, properties);
}

}  // namespace varnemo::mapi::pff
