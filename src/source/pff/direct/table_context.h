#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnemo::mapi::pff::direct {

// The row ids of a table context (its PidTagLtpRowId column), in the order of its rows, given the
// leaf blocks of the table's node. The attachment table of a message names each attachment's
// sub-node this way.
std::vector<std::uint32_t> ReadTableRowIds(const std::vector<std::string>& blocks, const std::string& where);

}  // namespace varnemo::mapi::pff::direct
