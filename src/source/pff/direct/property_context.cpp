#include "source/pff/direct/property_context.h"

#include "common/errors.h"
#include "source/pff/direct/file_layout.h"

#include <fmt/format.h>

#include <functional>

namespace varnemo::mapi::pff::direct {
namespace {

constexpr std::uint8_t kHeapSignature = 0xEC;
constexpr std::uint8_t kPropertyContextSignature = 0xBC;
constexpr std::uint8_t kBTreeOnHeapSignature = 0xB5;
constexpr std::size_t kPropertyKeySize = 2;
constexpr std::size_t kPropertyRecordDataSize = 6;
constexpr int kMaxBTreeLevels = 8;

// The allocations of a heap on node; a heap id names one by block index and 1-based allocation index.
class Heap {
public:
    Heap(const std::vector<std::string>& blocks, std::string where) : blocks_(blocks), where_(std::move(where))
    {
        if (blocks_.empty() || blocks_[0].size() < 8 || static_cast<std::uint8_t>(blocks_[0][2]) != kHeapSignature ||
            static_cast<std::uint8_t>(blocks_[0][3]) != kPropertyContextSignature)
            Damaged("it is not a property context");
    }

    std::uint32_t userRoot() const { return layout::Get<std::uint32_t>(blocks_[0], 4); }

    std::string_view Allocation(std::uint32_t heapId) const
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

    [[noreturn]] void Damaged(const std::string& why) const
    {
        throw ComponentError(fmt::format("cannot read the properties of {}: {}", where_, why));
    }

private:
    const std::vector<std::string>& blocks_;
    std::string where_;
};

// Values of these types are held in the record itself; the others are named by a heap or node id.
std::optional<std::size_t> InlineSize(std::uint16_t type)
{
    switch (type) {
    case 0x0002: return 2;  // 16-bit integer
    case 0x000B: return 1;  // boolean
    case 0x0003:            // 32-bit integer
    case 0x0004:            // 32-bit float
    case 0x000A: return 4;  // error code
    default: return std::nullopt;
    }
}

StoredProperty PropertyOf(const Heap& heap, std::string_view record)
{
    StoredProperty property;
    property.id = layout::Get<std::uint16_t>(record, 0);
    property.type = layout::Get<std::uint16_t>(record, 2);
    const auto value = layout::Get<std::uint32_t>(record, 4);
    if (const auto size = InlineSize(property.type))
        property.bytes = std::string(record.substr(4, *size));
    else if ((value & 0x1F) != 0)
        property.subnode = value;
    else if (value != 0)
        property.bytes = std::string(heap.Allocation(value));
    return property;
}

void CollectRecords(const Heap& heap, std::uint32_t heapId, int level, std::vector<StoredProperty>& properties)
{
    if (level > kMaxBTreeLevels)
        heap.Damaged("its B-tree is deeper than any can be");
    const auto records = heap.Allocation(heapId);
    const std::size_t recordSize = kPropertyKeySize + (level > 0 ? 4 : kPropertyRecordDataSize);
    for (std::size_t at = 0; at + recordSize <= records.size(); at += recordSize) {
        const auto record = records.substr(at, recordSize);
        if (level > 0)
            CollectRecords(heap, layout::Get<std::uint32_t>(record, kPropertyKeySize), level - 1, properties);
        else
            properties.push_back(PropertyOf(heap, record));
    }
}

}  // namespace

std::vector<StoredProperty> ReadPropertyContext(const std::vector<std::string>& blocks, const std::string& where)
{
    const Heap heap(blocks, where);
    const auto header = heap.Allocation(heap.userRoot());
    if (header.size() < 8 || static_cast<std::uint8_t>(header[0]) != kBTreeOnHeapSignature ||
        header[1] != kPropertyKeySize || header[2] != kPropertyRecordDataSize)
        heap.Damaged("its B-tree header is wrong");
    std::vector<StoredProperty> properties;
    if (const auto root = layout::Get<std::uint32_t>(header, 4); root != 0)
        CollectRecords(heap, root, static_cast<std::uint8_t>(header[3]), properties);
    return properties;
}

}  // namespace varnemo::mapi::pff::direct
