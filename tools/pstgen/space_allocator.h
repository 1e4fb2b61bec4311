#pragma once

// Hands out file space for blocks and pages, front to back, keeping clear of the map pages that
// sit at fixed places, and records every allocation in the allocation-map bits.

#include "little_endian.h"

#include <cstdint>
#include <vector>

namespace pstgen {

// The map pages at the start of one 253,952-byte section of the file.
struct MapSection {
    std::uint64_t start;
    bool hasPageMap;
    bool hasFreeMap;
    bool hasFreePageMap;

    static MapSection At(std::size_t index);
    std::uint64_t headSize() const;
};

class SpaceAllocator {
public:
    SpaceAllocator();

    // Offset of a fresh, zero-filled run of size bytes aligned to alignment.
    std::uint64_t Allocate(std::uint64_t size, std::uint64_t alignment);

    std::size_t SectionCount() const { return bits_.size(); }
    // The allocation-map bits of one section: one bit per 64 bytes, high bit first.
    const Bytes& SectionBits(std::size_t index) const { return bits_[index]; }
    std::uint64_t FreeBytes(std::size_t index) const;

private:
    void OpenNextSection();
    void MarkAllocated(std::uint64_t offset, std::uint64_t size);

    std::uint64_t cursor_ = 0;
    std::vector<Bytes> bits_;
};

}  // namespace pstgen
