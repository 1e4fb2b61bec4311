#pragma once

// The node database: a file of blocks grouped into nodes. Nodes and their blocks are written as
// they come; Finish adds the B-trees, the map pages and the header.

#include "btree_pages.h"
#include "block_writer.h"
#include "mailbox.h"

#include <filesystem>

namespace pstgen {

class NdbFile {
public:
    NdbFile(const std::filesystem::path& path, Encoding encoding);

    BlockWriter& Blocks() { return blocks_; }
    void AddNode(const NodeRecord& node) { nodes_.push_back(node); }
    void Finish();

private:
    std::array<std::uint32_t, 32> NextNids() const;

    OutputFile file_;
    SpaceAllocator space_;
    BlockWriter blocks_;
    std::vector<NodeRecord> nodes_;
};

}  // namespace pstgen
