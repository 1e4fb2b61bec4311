#pragma once

// The map pages at the head of every section of the file (allocation map, and where due the
// page map, free map and free-page map) and the density list.

#include "output_file.h"
#include "space_allocator.h"

namespace pstgen {

struct MapSummary {
    std::uint64_t lastAllocationMap;
    std::uint64_t freeBytes;
    std::uint64_t fileEnd;
};

MapSummary WriteMapPages(OutputFile& file, const SpaceAllocator& space);

}  // namespace pstgen
