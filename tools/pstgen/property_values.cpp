#include "property_values.h"

#include "format_constants.h"

#include <fmt/format.h>

#include <stdexcept>

namespace pstgen {

namespace {

std::uint32_t DecodeUtf8(std::string_view text, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + static_cast<std::size_t>(length) > text.size())
        throw std::invalid_argument(fmt::format("invalid UTF-8 at byte {} of \"{}\"", at, text));
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80)
            throw std::invalid_argument(fmt::format("invalid UTF-8 at byte {} of \"{}\"", at, text));
        code = code << 6 | (next & 0x3F);
    }
    at += static_cast<std::size_t>(length);
    return code;
}

// Multi-valued variable-size values: a count, one offset per value, then the values.
PropertyValue MultiValue(std::uint16_t type, const std::vector<Bytes>& values)
{
    Bytes out;
    PutLE(out, static_cast<std::uint32_t>(values.size()));
    auto offset = static_cast<std::uint32_t>(4 + 4 * values.size());
    for (const auto& value : values) {
        PutLE(out, offset);
        offset += static_cast<std::uint32_t>(value.size());
    }
    for (const auto& value : values)
        Append(out, value);
    return {type, std::move(out), nullptr};
}

}  // namespace

Bytes Utf16(std::string_view utf8)
{
    Bytes out;
    out.reserve(utf8.size() * 2);
    for (std::size_t at = 0; at < utf8.size();) {
        const auto code = DecodeUtf8(utf8, at);
        if (code < 0x10000) {
            PutLE(out, static_cast<std::uint16_t>(code));
        } else {
            PutLE(out, static_cast<std::uint16_t>(0xD800 + ((code - 0x10000) >> 10)));
            PutLE(out, static_cast<std::uint16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        }
    }
    return out;
}

PropertyValue StringValue(std::string_view utf8)
{
    return {prop_type::kString, Utf16(utf8), nullptr};
}

PropertyValue Int32Value(std::uint32_t value)
{
    PropertyValue result{prop_type::kInteger32, {}, nullptr};
    PutLE(result.data, value);
    return result;
}

PropertyValue BoolValue(bool value)
{
    return {prop_type::kBoolean, Bytes{static_cast<std::uint8_t>(value ? 1 : 0)}, nullptr};
}

PropertyValue TimeValue(FileTime value)
{
    PropertyValue result{prop_type::kTime, {}, nullptr};
    PutLE(result.data, value);
    return result;
}

PropertyValue BinaryValue(Bytes value)
{
    return {prop_type::kBinary, std::move(value), nullptr};
}

PropertyValue MultiStringValue(const std::vector<std::string>& utf8)
{
    std::vector<Bytes> values;
    for (const auto& text : utf8)
        values.push_back(Utf16(text));
    return MultiValue(prop_type::kMultipleString, values);
}

PropertyValue MultiBinaryValue(const std::vector<Bytes>& values)
{
    return MultiValue(prop_type::kMultipleBinary, values);
}

PropertyValue StreamValue(std::shared_ptr<const ByteSource> source)
{
    return {prop_type::kBinary, {}, std::move(source)};
}

}  // namespace pstgen
