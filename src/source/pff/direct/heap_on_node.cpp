#include "source/pff/direct/heap_on_node.h"

#include "common/errors.h"
#include "source/pff/direct/file_layout.h"

#include <fmt/format.h>

namespace varnemo::mapi::pff::direct {
namespace {

constexpr std::uint8_t kBTreeSignature = 0xB5;
constexpr std::size_t kHeapIdSize = 4;
constexpr int kMaxBTreeLevels = 8;

void VisitLevel(const HeapOnNode& heap, std::uint32_t heapId, int level, std::size_t keySize, std::size_t dataSize,
                const std::function<void(std::string_view, std::string_view)>& visit)
{
    if (level > kMaxBTreeLevels)
        heap.Damaged("its B-tree is deeper than any can be");
    const auto records = heap.Allocation(heapId);
    const std::size_t recordSize = keySize + (level > 0 ? kHeapIdSize : dataSize);
    for (std::size_t at = 0; at + recordSize <= records.size(); at += recordSize) {
        const auto key = records.substr(at, keySize);
        const auto rest = records.substr(at + keySize, recordSize - keySize);
        if (level > 0)
            VisitLevel(heap, layout::Get<std::uint32_t>(rest, 0), level - 1, keySize, dataSize, visit);
        else
            visit(key, rest);
    }
}

}  // namespace

HeapOnNode::HeapOnNode(const std::vector<std::string>& blocks, std::uint8_t clientSignature, std::string where)
    : blocks_(blocks), where_(std::move(where))
{
    if (blocks_.empty() || blocks_[0].size() < 8 ||
        static_cast<std::uint8_t>(blocks_[0][layout::kHeapSignatureAt]) != layout::kHeapSignature ||
        static_cast<std::uint8_t>(blocks_[0][layout::kHeapClientAt]) != clientSignature)
        Damaged(fmt::format("it is not a heap of kind {:#x}", clientSignature));
}

std::uint32_t HeapOnNode::userRoot() const
{
    return layout::Get<std::uint32_t>(blocks_[0], 4);
}

std::string_view HeapOnNode::Allocation(std::uint32_t heapId) const
{
    const std::size_t blockIndex = heapId >> 16;
    const std::size_t index = (heapId >> 5) & 0x7FF;
    if ((heapId & 0x1F) != 0 || blockIndex >= blocks_.size() || index == 0)
        Damaged(fmt::format("heap id {:#x} is invalid", heapId));
    const std::string_view block = blocks_[blockIndex];
    const std::size_t map = layout::Get<std::uint16_t>(block, 0);
    const std::size_t count = layout::Get<std::uint16_t>(block, map);
    if (index > count || map + 4 + 2 * (index + 1) > block.size())
        Damaged(fmt::format("heap id {:#x} is past the heap's allocations", heapId));
    const std::size_t begin = layout::Get<std::uint16_t>(block, map + 4 + 2 * (index - 1));
    const std::size_t end = layout::Get<std::uint16_t>(block, map + 4 + 2 * index);
    if (begin > end || end > map)
        Damaged(fmt::format("heap allocation {:#x} has wrong bounds", heapId));
    return block.substr(begin, end - begin);
}

void HeapOnNode::Damaged(const std::string& why) const
{
    throw ComponentError(fmt::format("cannot read {}: {}", where_, why));
}

void ForEachBTreeRecord(const HeapOnNode& heap, std::uint32_t headerId, std::size_t keySize,
                        const std::function<void(std::string_view key, std::string_view data)>& visit)
{
    const auto header = heap.Allocation(headerId);
    if (header.size() < 8 || static_cast<std::uint8_t>(header[0]) != kBTreeSignature ||
        static_cast<std::uint8_t>(header[1]) != keySize || header[2] == 0)
        heap.Damaged("its B-tree header is wrong");
    if (const auto root = layout::Get<std::uint32_t>(header, 4); root != 0)
        VisitLevel(heap, root, static_cast<std::uint8_t>(header[3]), keySize, static_cast<std::uint8_t>(header[2]),
                   visit);
}

}  // namespace varnemo::mapi::pff::direct
