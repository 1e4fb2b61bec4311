#include "source/pff/property_bag.h"

#include "common/errors.h"
#include "source/pff/code_page.h"
#include "source/pff/multi_value.h"
#include "source/pff/property_tags.h"

#include <string_view>

namespace varnemo::mapi::pff {
namespace {

// Property value types ([MS-OXCDATA] 2.11.1).
constexpr std::uint32_t TypeInteger16 = 0x0002;
constexpr std::uint32_t TypeInteger32 = 0x0003;
constexpr std::uint32_t TypeBoolean = 0x000B;
constexpr std::uint32_t TypeInteger64 = 0x0014;
constexpr std::uint32_t TypeString8 = 0x001E;
constexpr std::uint32_t TypeUnicode = 0x001F;
constexpr std::uint32_t TypeTime = 0x0040;
constexpr std::uint32_t MultiValued = 0x1000;

bool IsText(std::uint32_t valueType)
{
    return valueType == TypeString8 || valueType == TypeUnicode;
}

std::int64_t LittleEndian(const std::string& data, size_t size)
{
    std::uint64_t value = 0;
    for (size_t i = size; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(data[i]);
    // Sign-extend the smaller integer types.
    if (size < 8 && (value >> (size * 8 - 1)) & 1)
        value |= ~std::uint64_t{0} << (size * 8);
    return static_cast<std::int64_t>(value);
}

// Strings are stored with or without their terminator, and some writers pad them with more. Only
// the terminators at the end go: a NUL inside a subject or a body is part of the text.
void TrimTerminator(std::string& text, std::uint32_t valueType)
{
    const size_t unit = valueType == TypeUnicode ? 2 : 1;
    if (text.size() % unit != 0)
        return;  // a broken UTF-16 value ends in half a character, not in a terminator
    const std::string_view value(text);
    size_t end = value.size();
    while (end >= unit && value.substr(end - unit, unit).find_first_not_of('\0') == std::string_view::npos)
        end -= unit;
    text.resize(end);
}

}  // namespace

PropertyBag::PropertyBag(std::vector<StoredValue> values, std::string where, std::string leftOut)
    : where_(std::move(where)), leftOut_(std::move(leftOut))
{
    for (auto& value : values) {
        auto key = value.key;
        entries_.emplace(std::move(key), std::move(value));
    }
    SettleCharset();
}

std::vector<PropertyKey> PropertyBag::Keys() const
{
    std::vector<PropertyKey> keys;
    keys.reserve(entries_.size());
    for (const auto& [key, value] : entries_)
        keys.push_back(key);
    return keys;
}

std::optional<std::uint32_t> PropertyBag::ValueType(const PropertyKey& key) const
{
    const auto* entry = Find(key);
    return entry ? std::optional(entry->valueType) : std::nullopt;
}

void PropertyBag::SettleCharset()
{
    const auto codePage = Integer(PropertyKey::Tag(tag::MessageCodepage))
                              .value_or(Integer(PropertyKey::Tag(tag::InternetCodepage)).value_or(DefaultCodePage));
    charset_ = CharsetOfCodePage(static_cast<std::uint32_t>(codePage));
}

const StoredValue* PropertyBag::Find(const PropertyKey& key) const
{
    const auto found = entries_.find(key);
    return found == entries_.end() ? nullptr : &found->second;
}

std::string PropertyBag::RawData(const StoredValue& entry) const
{
    if (entry.bytes)
        return *entry.bytes;
    if (!entry.read)
        throw ComponentError("cannot read a property value (" + where_ + "): it has none");
    return entry.read();
}

std::vector<std::string> PropertyBag::RawValues(const StoredValue& entry) const
{
    auto values = SplitMultiValue(RawData(entry));
    if (!values)
        throw ComponentError("cannot read a multi-valued property (" + where_ + "): its value table is damaged");
    return std::move(*values);
}

std::string PropertyBag::Decode(std::uint32_t valueType, const std::string& data) const
{
    std::string text = data;
    TrimTerminator(text, valueType);
    return ToUtf8(text, valueType == TypeUnicode ? "UTF-16LE" : charset_);
}

std::optional<std::string> PropertyBag::Text(const PropertyKey& key) const
{
    const StoredValue* entry = Find(key);
    if (!entry || !IsText(entry->valueType))
        return std::nullopt;
    return Decode(entry->valueType, RawData(*entry));
}

std::vector<std::string> PropertyBag::TextList(const PropertyKey& key) const
{
    const StoredValue* entry = Find(key);
    if (!entry || !IsText(entry->valueType & ~MultiValued) || !(entry->valueType & MultiValued))
        return {};
    std::vector<std::string> texts;
    for (const auto& data : RawValues(*entry))
        texts.push_back(Decode(entry->valueType & ~MultiValued, data));
    return texts;
}

std::optional<std::string> PropertyBag::Bytes(const PropertyKey& key) const
{
    const StoredValue* entry = Find(key);
    if (!entry)
        return std::nullopt;
    return RawData(*entry);
}

std::vector<std::string> PropertyBag::BytesList(const PropertyKey& key) const
{
    const StoredValue* entry = Find(key);
    if (!entry || !(entry->valueType & MultiValued))
        return {};
    return RawValues(*entry);
}

std::optional<std::int64_t> PropertyBag::Integer(const PropertyKey& key) const
{
    const StoredValue* entry = Find(key);
    if (!entry)
        return std::nullopt;
    size_t size = 0;
    switch (entry->valueType) {
    case TypeInteger16: size = 2; break;
    case TypeInteger32: size = 4; break;
    case TypeInteger64: size = 8; break;
    default: return std::nullopt;
    }
    const auto data = RawData(*entry);
    if (data.size() < size)
        return std::nullopt;
    return LittleEndian(data, size);
}

std::optional<bool> PropertyBag::Boolean(const PropertyKey& key) const
{
    const StoredValue* entry = Find(key);
    if (!entry || entry->valueType != TypeBoolean)
        return std::nullopt;
    const auto data = RawData(*entry);
    if (data.empty())
        return std::nullopt;
    return data[0] != '\0';
}

std::optional<std::uint64_t> PropertyBag::FileTime(const PropertyKey& key) const
{
    const StoredValue* entry = Find(key);
    if (!entry || entry->valueType != TypeTime)
        return std::nullopt;
    const auto data = RawData(*entry);
    if (data.size() < 8)
        return std::nullopt;
    return static_cast<std::uint64_t>(LittleEndian(data, 8));
}

}  // namespace varnemo::mapi::pff
