#pragma once

#include "heap_builder.h"

namespace pstgen {

// Writes a B-tree-on-heap over records (key then entry, sorted by key, concatenated) and
// returns the heap id of its header. Leaves are filled to the heap's allocation limit; index
// levels are added above them until one allocation holds the root.
std::uint32_t WriteBth(HeapBuilder& heap, std::uint8_t keySize, std::uint8_t entrySize, ByteView records);

}  // namespace pstgen
