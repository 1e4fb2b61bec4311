#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnemo::mapi::pff::direct {

// One property as a property context stores it: its value's bytes, or, for a value too large for
// the heap, the sub-node that holds them.
struct StoredProperty {
    std::uint16_t id = 0;
    std::uint16_t type = 0;
    std::string bytes;
    std::optional<std::uint32_t> subnode;
};

// The properties of a property context (a heap on node whose B-tree maps property ids to values),
// given the leaf blocks of the node's data. where names the node in error messages.
std::vector<StoredProperty> ReadPropertyContext(const std::vector<std::string>& blocks, const std::string& where);

}  // namespace varnemo::mapi::pff::direct
