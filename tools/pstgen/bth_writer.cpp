#include "bth_writer.h"

#include "format_constants.h"

#include <algorithm>

namespace pstgen {

namespace {

// Stores the records in as few allocations as possible and returns, per allocation, its first
// key followed by its heap id: the records of the next level up.
Bytes WriteLevel(HeapBuilder& heap, std::size_t keySize, std::size_t recordSize, ByteView records)
{
    const auto perAllocation = kMaxHeapAllocation / recordSize * recordSize;
    Bytes index;
    for (std::size_t at = 0; at < records.size(); at += perAllocation) {
        const auto piece = records.subspan(at, std::min(perAllocation, records.size() - at));
        const auto hid = heap.Allocate(piece);
        Append(index, piece.first(keySize));
        PutLE(index, hid);
    }
    return index;
}

}  // namespace

std::uint32_t WriteBth(HeapBuilder& heap, std::uint8_t keySize, std::uint8_t entrySize, ByteView records)
{
    std::uint32_t root = 0;
    std::uint8_t indexLevels = 0;
    if (!records.empty()) {
        auto level = WriteLevel(heap, keySize, keySize + entrySize, records);
        while (level.size() > keySize + 4u) {
            level = WriteLevel(heap, keySize, keySize + 4u, level);
            ++indexLevels;
        }
        root = GetLE<std::uint32_t>(level, keySize);
    }
    Bytes header;
    PutLE(header, heap_client::kBTree);
    PutLE(header, keySize);
    PutLE(header, entrySize);
    PutLE(header, indexLevels);
    PutLE(header, root);
    return heap.Allocate(header);
}

}  // namespace pstgen
