#include "value_storage.h"

#include "data_tree.h"
#include "format_constants.h"

namespace pstgen {

namespace {

std::uint32_t StoreInSubnode(LtpTarget& target, const PropertyValue& value)
{
    DataTreeBuilder tree(target.blocks);
    if (value.stream)
        value.stream->Read([&](ByteView piece) { tree.Append(piece); });
    else
        tree.Append(value.data);
    const auto nid = target.subnodes.NewNid(nid_type::kLtp);
    target.subnodes.Add({nid, tree.Finish(), 0});
    return nid;
}

}  // namespace

std::uint32_t StoreValue(LtpTarget& target, const PropertyValue& value)
{
    const auto size = value.Size();
    if (size == 0)
        return 0;
    if (size > kMaxHeapAllocation)
        return StoreInSubnode(target, value);
    if (!value.stream)
        return target.heap.Allocate(value.data);
    Bytes small;
    value.stream->Read([&](ByteView piece) { Append(small, piece); });
    return target.heap.Allocate(small);
}

std::uint64_t WriteHeap(BlockWriter& blocks, std::vector<Bytes> pages)
{
    DataTreeBuilder tree(blocks);
    for (const auto& page : pages)
        tree.AppendBlock(page);
    return tree.Finish();
}

}  // namespace pstgen
