#include "subnodes.h"

#include "format_constants.h"

#include <algorithm>
#include <stdexcept>

namespace pstgen {

namespace {

constexpr std::uint8_t kSubnodeBlockType = layout::kSubnodeTreeBlock;
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kMaxLeafEntries = (kMaxBlockData - kHeaderSize) / 24;
constexpr std::size_t kMaxIndexEntries = (kMaxBlockData - kHeaderSize) / 16;

Bytes Header(std::uint8_t level, std::size_t count)
{
    Bytes block;
    PutLE(block, kSubnodeBlockType);
    PutLE(block, level);
    PutLE(block, static_cast<std::uint16_t>(count));
    PutLE(block, std::uint32_t{0});
    return block;
}

}  // namespace

std::uint32_t Subnodes::NewNid(std::uint32_t type)
{
    return MakeNid(type, nextIndex_++);
}

std::uint64_t Subnodes::Write(BlockWriter& blocks)
{
    if (records_.empty())
        return 0;
    std::sort(records_.begin(), records_.end(), [](const auto& a, const auto& b) { return a.nid < b.nid; });

    struct Leaf {
        std::uint32_t firstNid;
        std::uint64_t bid;
    };
    std::vector<Leaf> leaves;
    for (std::size_t first = 0; first < records_.size(); first += kMaxLeafEntries) {
        const auto count = std::min(kMaxLeafEntries, records_.size() - first);
        auto block = Header(0, count);
        for (std::size_t i = first; i < first + count; ++i) {
            PutLE(block, std::uint64_t{records_[i].nid});
            PutLE(block, records_[i].data);
            PutLE(block, records_[i].subnodes);
        }
        leaves.push_back({records_[first].nid, blocks.WriteInternal(block)});
    }
    if (leaves.size() == 1)
        return leaves.front().bid;
    if (leaves.size() > kMaxIndexEntries)
        throw std::length_error("too many sub-nodes for one SIBLOCK");
    auto index = Header(1, leaves.size());
    for (const auto& leaf : leaves) {
        PutLE(index, std::uint64_t{leaf.firstNid});
        PutLE(index, leaf.bid);
    }
    return blocks.WriteInternal(index);
}

}  // namespace pstgen
