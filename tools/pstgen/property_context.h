#pragma once

#include "block_writer.h"
#include "property.h"
#include "subnodes.h"

namespace pstgen {

// Writes the properties of one object (store, folder, message, attachment) as a property
// context: a heap whose B-tree maps property ids to types and values. Large values become
// sub-nodes in subnodes. Returns the root block id of the node's data.
std::uint64_t WritePropertyContext(const PropertyList& properties, Subnodes& subnodes, BlockWriter& blocks);

}  // namespace pstgen
