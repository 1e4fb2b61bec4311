#pragma once

// The two B-trees of the file, written as 512-byte pages: the node B-tree (node id to data and
// sub-node blocks and parent) and the block B-tree (block id to place and size). Leaves are
// filled completely and index levels are added until one root page remains.

#include "block_writer.h"
#include "format_constants.h"

#include <vector>

namespace pstgen {

struct NodeRecord {
    std::uint32_t nid;
    std::uint64_t data;
    std::uint64_t subnodes;
    std::uint32_t parent;
};

struct PageRef {
    std::uint64_t bid;
    std::uint64_t offset;
};

class PageWriter {
public:
    PageWriter(OutputFile& file, SpaceAllocator& space) : file_(file), space_(space) {}
    PageRef Write(PageType type, ByteView content);
    std::uint64_t NextBid() const { return nextIndex_ << 2; }

private:
    OutputFile& file_;
    SpaceAllocator& space_;
    std::uint64_t nextIndex_ = 1;
};

// Both take the records in any order.
PageRef WriteNodeBTree(std::vector<NodeRecord> nodes, PageWriter& pages);
PageRef WriteBlockBTree(std::vector<BlockRecord> blocks, PageWriter& pages);

}  // namespace pstgen
