#include "source/pff/direct/property_context.h"

#include "source/pff/direct/file_layout.h"
#include "source/pff/direct/heap_on_node.h"

namespace varnemo::mapi::pff::direct {
namespace {

constexpr std::size_t kPropertyIdSize = 2;
constexpr std::size_t kPropertyRecordDataSize = 6;

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

}  // namespace

std::vector<StoredProperty> ReadPropertyContext(const std::vector<std::string>& blocks, const std::string& where)
{
    const HeapOnNode heap(blocks, layout::kPropertyContextHeap, "the properties of " + where);
    std::vector<StoredProperty> properties;
    ForEachBTreeRecord(heap, heap.userRoot(), kPropertyIdSize, [&](std::string_view key, std::string_view data) {
        if (data.size() < kPropertyRecordDataSize)
            heap.Damaged("a property record is cut short");
        StoredProperty property;
        property.id = layout::Get<std::uint16_t>(key, 0);
        property.type = layout::Get<std::uint16_t>(data, 0);
        const auto value = layout::Get<std::uint32_t>(data, 2);
        if (const auto size = InlineSize(property.type))
            property.bytes = std::string(data.substr(2, *size));
        else if ((value & 0x1F) != 0)
            property.subnode = value;
        else if (value != 0)
            property.bytes = std::string(heap.Allocation(value));
        properties.push_back(std::move(property));
    });
    return properties;
}

}  // namespace varnemo::mapi::pff::direct
