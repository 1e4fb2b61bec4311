#include "data_tree.h"

#include "format_constants.h"

#include <algorithm>
#include <stdexcept>

namespace pstgen {

namespace {

constexpr std::uint8_t kTreeBlockType = layout::kDataTreeBlock;
constexpr std::size_t kTreeHeaderSize = 8;
constexpr std::size_t kMaxTreeEntries = (kMaxBlockData - kTreeHeaderSize) / 8;

}  // namespace

void DataTreeBuilder::AppendBlock(ByteView data)
{
    FlushPending();
    leaves_.push_back({blocks_.WriteData(data), data.size()});
}

void DataTreeBuilder::Append(ByteView data)
{
    while (!data.empty()) {
        const auto take = std::min(data.size(), kMaxBlockData - pending_.size());
        pending_.insert(pending_.end(), data.begin(), data.begin() + static_cast<std::ptrdiff_t>(take));
        data = data.subspan(take);
        if (pending_.size() == kMaxBlockData)
            FlushPending();
    }
}

std::uint64_t DataTreeBuilder::Finish()
{
    FlushPending();
    if (leaves_.empty())
        return 0;
    auto level = leaves_;
    for (std::uint8_t depth = 1; level.size() > 1; ++depth) {
        if (depth > 2)
            throw std::length_error("a stream larger than an XXBLOCK can hold");
        level = WriteLevel(blocks_, level, depth);
    }
    leaves_.clear();
    return level.front().bid;
}

void DataTreeBuilder::FlushPending()
{
    if (pending_.empty())
        return;
    leaves_.push_back({blocks_.WriteData(pending_), pending_.size()});
    pending_.clear();
}

std::vector<DataTreeBuilder::Child> DataTreeBuilder::WriteLevel(BlockWriter& blocks, const std::vector<Child>& children,
                                                               std::uint8_t level)
{
    std::vector<Child> parents;
    for (std::size_t first = 0; first < children.size(); first += kMaxTreeEntries) {
        const auto count = std::min(kMaxTreeEntries, children.size() - first);
        std::uint64_t total = 0;
        for (std::size_t i = first; i < first + count; ++i)
            total += children[i].size;
        Bytes block;
        PutLE(block, kTreeBlockType);
        PutLE(block, level);
        PutLE(block, static_cast<std::uint16_t>(count));
        PutLE(block, static_cast<std::uint32_t>(total));
        for (std::size_t i = first; i < first + count; ++i)
            PutLE(block, children[i].bid);
        parents.push_back({blocks.WriteInternal(block), total});
    }
    return parents;
}

}  // namespace pstgen
