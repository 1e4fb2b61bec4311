#pragma once

// Where a property or table context keeps a value that is not stored inline: in its heap when
// small, otherwise in a sub-node of its own (streamed block by block).

#include "block_writer.h"
#include "heap_builder.h"
#include "property.h"
#include "subnodes.h"

namespace pstgen {

struct LtpTarget {
    HeapBuilder& heap;
    Subnodes& subnodes;
    BlockWriter& blocks;
};

// The heap id or sub-node id of the stored value; 0 for an empty value.
std::uint32_t StoreValue(LtpTarget& target, const PropertyValue& value);

// Writes the heap's pages as the node's data and returns the data's root block id.
std::uint64_t WriteHeap(BlockWriter& blocks, std::vector<Bytes> pages);

}  // namespace pstgen
