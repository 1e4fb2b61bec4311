#pragma once

// The sub-nodes of one node (tables and large values of a message, attachments, ...): their ids
// are local to the node, and they are written as an SLBLOCK, or SLBLOCKs under an SIBLOCK.

#include "block_writer.h"

#include <vector>

namespace pstgen {

struct SubnodeRecord {
    std::uint32_t nid;
    std::uint64_t data;
    std::uint64_t subnodes;
};

class Subnodes {
public:
    // A node id of the given type not yet used among these sub-nodes.
    std::uint32_t NewNid(std::uint32_t type);
    void Add(SubnodeRecord record) { records_.push_back(record); }
    // The id of the sub-node tree's root block; 0 when there are no sub-nodes.
    std::uint64_t Write(BlockWriter& blocks);

private:
    std::uint32_t nextIndex_ = 0x400;
    std::vector<SubnodeRecord> records_;
};

}  // namespace pstgen
