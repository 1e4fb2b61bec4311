#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <string>

namespace varnemo::mapi::pff {

// A property set GUID in the byte order in which data files store it.
using Guid = std::array<std::uint8_t, 16>;

constexpr Guid MakeGuid(std::uint32_t data1, std::uint16_t data2, std::uint16_t data3,
                        std::array<std::uint8_t, 8> data4)
{
    return {static_cast<std::uint8_t>(data1), static_cast<std::uint8_t>(data1 >> 8),
            static_cast<std::uint8_t>(data1 >> 16), static_cast<std::uint8_t>(data1 >> 24),
            static_cast<std::uint8_t>(data2), static_cast<std::uint8_t>(data2 >> 8),
            static_cast<std::uint8_t>(data3), static_cast<std::uint8_t>(data3 >> 8),
            data4[0], data4[1], data4[2], data4[3], data4[4], data4[5], data4[6], data4[7]};
}

namespace property_set {
// {0006xxxx-0000-0000-C000-000000000046}: the sets Outlook defines for its item kinds.
constexpr Guid Outlook(std::uint32_t data1)
{
    return MakeGuid(data1, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46});
}
inline constexpr Guid Common = Outlook(0x00062008);
inline constexpr Guid Appointment = Outlook(0x00062002);
inline constexpr Guid Task = Outlook(0x00062003);
inline constexpr Guid Address = Outlook(0x00062004);
inline constexpr Guid PublicStrings = MakeGuid(0x00020329, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46});
}  // namespace property_set

// Names one property of an item: a plain tag id, or a named property (property set plus a long
// id or a string name). A data file stores named properties under local ids that differ from file
// to file; its name-to-id map says which local id stands for which name.
struct PropertyKey {
    enum class Kind { Tag, LongId, Name };

    Kind kind = Kind::Tag;
    Guid set{};
    std::uint32_t id = 0;  // tag id or long id
    std::string name;

    static PropertyKey Tag(std::uint16_t tagId) { return {Kind::Tag, {}, tagId, {}}; }
    static PropertyKey LongId(const Guid& set, std::uint32_t longId) { return {Kind::LongId, set, longId, {}}; }
    static PropertyKey Name(const Guid& set, std::string name) { return {Kind::Name, set, 0, std::move(name)}; }

    auto operator<=>(const PropertyKey&) const = default;
};

}  // namespace varnemo::mapi::pff
