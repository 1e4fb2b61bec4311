#include "named_properties.h"

#include "block_checksum.h"
#include "format_constants.h"
#include "property_values.h"

#include <fmt/format.h>

#include <algorithm>
#include <stdexcept>

namespace pstgen {

namespace {

constexpr std::uint16_t kFirstNamedId = 0x8000;
constexpr std::uint32_t kBucketCount = 251;
constexpr std::uint16_t kBucketCountId = 0x0001;
constexpr std::uint16_t kGuidStreamId = 0x0002;
constexpr std::uint16_t kEntryStreamId = 0x0003;
constexpr std::uint16_t kStringStreamId = 0x0004;
constexpr std::uint16_t kFirstBucketId = 0x1000;
// PS_MAPI and PS_PUBLIC_STRINGS have fixed indices; other sets are numbered from 3 by their
// place in the GUID stream.
constexpr std::uint16_t kMapiIndex = 1;
constexpr std::uint16_t kPublicStringsIndex = 2;
constexpr std::uint16_t kFirstStreamGuidIndex = 3;

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void PutEntry(Bytes& out, std::uint32_t key, std::uint16_t guidIndex, bool isString, std::uint16_t index)
{
    PutLE(out, key);
    PutLE(out, static_cast<std::uint16_t>(guidIndex << 1 | (isString ? 1 : 0)));
    PutLE(out, index);
}

}  // namespace

Guid Guid::Parse(std::string_view text)
{
    std::string hex;
    for (const char c : text)
        if (c != '-' && c != '{' && c != '}')
            hex += c;
    if (hex.size() != 32 || std::any_of(hex.begin(), hex.end(), [](char c) { return HexDigit(c) < 0; }))
        throw std::invalid_argument(fmt::format("not a GUID: \"{}\"", text));
    std::array<std::uint8_t, 16> raw{};
    for (std::size_t i = 0; i < 16; ++i)
        raw[i] = static_cast<std::uint8_t>(HexDigit(hex[2 * i]) << 4 | HexDigit(hex[2 * i + 1]));
    // The first three groups are stored little-endian.
    Guid guid;
    guid.bytes = {raw[3], raw[2], raw[1], raw[0], raw[5], raw[4], raw[7], raw[6],
                  raw[8], raw[9], raw[10], raw[11], raw[12], raw[13], raw[14], raw[15]};
    return guid;
}

namespace property_set {
const Guid kMapi = Guid::Parse("00020328-0000-0000-C000-000000000046");
const Guid kPublicStrings = Guid::Parse("00020329-0000-0000-C000-000000000046");
const Guid kCommon = Guid::Parse("00062008-0000-0000-C000-000000000046");
const Guid kAppointment = Guid::Parse("00062002-0000-0000-C000-000000000046");
const Guid kTask = Guid::Parse("00062003-0000-0000-C000-000000000046");
const Guid kAddress = Guid::Parse("00062004-0000-0000-C000-000000000046");
}  // namespace property_set

std::uint16_t NameToIdMap::IdOf(const NamedProperty& property)
{
    const auto found = ids_.find(property);
    if (found != ids_.end())
        return found->second;
    if (inOrder_.size() >= 0x7FFF)
        throw std::length_error("more named properties than local ids");
    if (property.set != property_set::kMapi && property.set != property_set::kPublicStrings &&
        std::find(guids_.begin(), guids_.end(), property.set) == guids_.end())
        guids_.push_back(property.set);
    const auto id = static_cast<std::uint16_t>(kFirstNamedId + inOrder_.size());
    ids_.emplace(property, id);
    inOrder_.push_back(property);
    return id;
}

std::uint16_t NameToIdMap::GuidIndex(const Guid& set) const
{
    if (set == property_set::kMapi)
        return kMapiIndex;
    if (set == property_set::kPublicStrings)
        return kPublicStringsIndex;
    const auto at = std::find(guids_.begin(), guids_.end(), set) - guids_.begin();
    return static_cast<std::uint16_t>(kFirstStreamGuidIndex + at);
}

PropertyList NameToIdMap::Properties() const
{
    Bytes guidStream, entryStream, stringStream;
    std::vector<Bytes> buckets(kBucketCount);
    for (const auto& guid : guids_)
        Append(guidStream, guid.bytes);
    for (std::size_t index = 0; index < inOrder_.size(); ++index) {
        const auto& property = inOrder_[index];
        const bool isString = !property.name.empty();
        const auto guidIndex = GuidIndex(property.set);
        auto key = property.lid;
        auto hash = property.lid;
        if (isString) {
            // A string name is found through its offset in the string stream, and hashed by its CRC.
            const auto name = Utf16(property.name);
            key = static_cast<std::uint32_t>(stringStream.size());
            hash = BlockCrc(name);
            PutLE(stringStream, static_cast<std::uint32_t>(name.size()));
            Append(stringStream, name);
            AppendZeros(stringStream, AlignUp(stringStream.size(), 4) - stringStream.size());
        }
        PutEntry(entryStream, key, guidIndex, isString, static_cast<std::uint16_t>(index));
        const auto bucket = (hash ^ static_cast<std::uint32_t>(guidIndex << 1 | (isString ? 1 : 0))) % kBucketCount;
        PutEntry(buckets[bucket], hash, guidIndex, isString, static_cast<std::uint16_t>(index));
    }
    PropertyList properties;
    properties.Set(kBucketCountId, Int32Value(kBucketCount));
    properties.Set(kGuidStreamId, BinaryValue(std::move(guidStream)));
    properties.Set(kEntryStreamId, BinaryValue(std::move(entryStream)));
    properties.Set(kStringStreamId, BinaryValue(std::move(stringStream)));
    for (std::uint32_t bucket = 0; bucket < kBucketCount; ++bucket)
        properties.Set(static_cast<std::uint16_t>(kFirstBucketId + bucket), BinaryValue(std::move(buckets[bucket])));
    return properties;
}

}  // namespace pstgen
