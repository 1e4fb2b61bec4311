#pragma once

// Writes blocks: the data (encoded when it is item data), padding to 64 bytes and the trailer
// (size, signature, CRC of the data as stored, id), and keeps the list of every block written for
// the block B-tree.

#include "little_endian.h"
#include "mailbox.h"
#include "output_file.h"
#include "space_allocator.h"

#include <vector>

namespace pstgen {

// One row of the block B-tree.
struct BlockRecord {
    std::uint64_t bid;
    std::uint64_t offset;
    std::uint16_t size;
};

class BlockWriter {
public:
    BlockWriter(OutputFile& file, SpaceAllocator& space, Encoding encoding)
        : file_(file), space_(space), encoding_(encoding)
    {
    }

    // A block of item data (external).
    std::uint64_t WriteData(ByteView data) { return Write(data, false); }
    // A block of the file's own structure: data-tree and sub-node blocks (internal).
    std::uint64_t WriteInternal(ByteView data) { return Write(data, true); }

    const std::vector<BlockRecord>& Records() const { return records_; }
    Encoding encoding() const { return encoding_; }
    std::uint64_t NextBid() const { return nextIndex_ << 2; }

private:
    std::uint64_t Write(ByteView data, bool internal);

    OutputFile& file_;
    SpaceAllocator& space_;
    Encoding encoding_;
    std::uint64_t nextIndex_ = 1;
    std::vector<BlockRecord> records_;
    Bytes scratch_;
};

}  // namespace pstgen
