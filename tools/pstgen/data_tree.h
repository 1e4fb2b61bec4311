#pragma once

// Writes one stream of a node: a single data block when it fits, otherwise the data blocks under
// an XBLOCK (up to 1,021 blocks, about 8 MB) or under an XXBLOCK of XBLOCKs (about 8.5 GB).
// Data is written as it arrives; only the block ids are kept.

#include "block_writer.h"

namespace pstgen {

class DataTreeBuilder {
public:
    explicit DataTreeBuilder(BlockWriter& blocks) : blocks_(blocks) {}

    // Appends one data block of exactly these bytes (heap pages, rows of a table).
    void AppendBlock(ByteView data);
    // Appends bytes, filling blocks to their capacity.
    void Append(ByteView data);
    // Writes the tree blocks and returns the id of the stream's root; 0 for an empty stream.
    std::uint64_t Finish();

private:
    struct Child {
        std::uint64_t bid;
        std::uint64_t size;
    };

    void FlushPending();
    static std::vector<Child> WriteLevel(BlockWriter& blocks, const std::vector<Child>& children, std::uint8_t level);

    BlockWriter& blocks_;
    Bytes pending_;
    std::vector<Child> leaves_;
};

}  // namespace pstgen
