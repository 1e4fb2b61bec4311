#include "source/pff/item_body.h"

#include "source/pff/code_page.h"
#include "source/pff/html_text.h"
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

std::string BodyTextFromRtf(const PropertySource& message, const PropertyBag& properties)
{
    if (!properties.Has(PropertyKey::Tag(tag::RtfCompressed)))
        return {};
    const auto rtf = message.RtfBody(properties.where());
    return rtf ? PlainTextOfRtf(*rtf, properties.charset()) : std::string();
}

std::string BodyText(const PropertySource& message, const PropertyBag& properties)
{
    if (auto text = properties.Text(PropertyKey::Tag(tag::Body)); text && !text->empty())
        return *text;
    if (auto text = BodyTextFromHtml(properties); !text.empty())
        return text;
    return BodyTextFromRtf(message, properties);
}

}  // namespace varnemo::mapi::pff
