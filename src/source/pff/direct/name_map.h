#pragma once

#include "source/pff/direct/node_database.h"
#include "source/pff/property_key.h"

#include <cstdint>
#include <map>
#include <optional>

namespace varnemo::mapi::pff::direct {

// Property ids from here up are local ids of named properties, which the map names.
constexpr std::uint16_t kFirstNamedId = 0x8000;

// The file's name-to-id map: which property set and long id or name each local id of a named
// property (0x8000 and up) stands for.
class NameMap {
public:
    // Throws ComponentError when the map cannot be read.
    static NameMap Read(const NodeDatabase& nodes);

    std::optional<PropertyKey> KeyOf(std::uint16_t localId) const;

private:
    std::map<std::uint16_t, PropertyKey> keys_;
};

}  // namespace varnemo::mapi::pff::direct
