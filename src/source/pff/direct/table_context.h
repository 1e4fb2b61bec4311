#pragma once

#include "source/pff/direct/node_database.h"
#include "source/pff/direct/property_context.h"

#include <cstdint>
#include <string>
#include <vector>

namespace varnemo::mapi::pff::direct {

// The row ids of a table context (its PidTagLtpRowId column), in the order of its rows, given the
// leaf blocks of the table's node. A folder's hierarchy and contents tables, and a message's
// attachment table, name their rows' nodes this way; only the row index is read.
std::vector<std::uint32_t> ReadTableRowIds(const std::vector<std::string>& blocks, const std::string& where);

// Every row of a table context, each as the properties it has a value for (a cell whose value a
// sub-node holds names that sub-node of `table`). where names the table in error messages.
std::vector<std::vector<StoredProperty>> ReadTableRows(const NodeDatabase& nodes, const NodeBlocks& table,
                                                       const std::string& where);

}  // namespace varnemo::mapi::pff::direct
