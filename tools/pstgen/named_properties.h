#pragma once

// Named properties (a property set and a number or a name) and the file's name-to-id map, which
// gives each one a local property id from 0x8000 on.

#include "property.h"

#include <array>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace pstgen {

struct Guid {
    std::array<std::uint8_t, 16> bytes{};

    // From the registry form "00062008-0000-0000-C000-000000000046".
    static Guid Parse(std::string_view text);
    auto operator<=>(const Guid&) const = default;
};

namespace property_set {
extern const Guid kMapi;
extern const Guid kPublicStrings;
extern const Guid kCommon;
extern const Guid kAppointment;
extern const Guid kTask;
extern const Guid kAddress;
}  // namespace property_set

struct NamedProperty {
    Guid set;
    std::uint32_t lid = 0;
    // Not empty for a property named by a string; lid is then unused.
    std::string name;

    auto operator<=>(const NamedProperty&) const = default;
};

class NameToIdMap {
public:
    // The local id of the named property, registering it on first use.
    std::uint16_t IdOf(const NamedProperty& property);
    // The properties of the map's own node.
    PropertyList Properties() const;

private:
    std::uint16_t GuidIndex(const Guid& set) const;

    std::map<NamedProperty, std::uint16_t> ids_;
    std::vector<NamedProperty> inOrder_;
    std::vector<Guid> guids_;
};

}  // namespace pstgen
