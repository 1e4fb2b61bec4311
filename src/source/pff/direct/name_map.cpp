#include "source/pff/direct/name_map.h"

#include "source/pff/code_page.h"
#include "source/pff/direct/file_layout.h"
#include "source/pff/direct/property_context.h"

#include <algorithm>

namespace varnemo::mapi::pff::direct {
namespace {

constexpr std::uint32_t kNameMapNode = 0x61;
constexpr std::uint16_t kGuidStream = 0x0002;
constexpr std::uint16_t kEntryStream = 0x0003;
constexpr std::uint16_t kStringStream = 0x0004;
constexpr std::size_t kEntrySize = 8;
constexpr Guid kMapiSet = MakeGuid(0x00020328, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46});

std::string StreamOf(const NodeDatabase& nodes, const NodeBlocks& map, std::vector<StoredProperty>& properties,
                     std::uint16_t id)
{
    const auto found =
        std::find_if(properties.begin(), properties.end(), [&](const StoredProperty& p) { return p.id == id; });
    if (found == properties.end())
        return {};
    return found->subnode ? nodes.SubnodeData(map.subnodes, *found->subnode) : std::move(found->bytes);
}

}  // namespace

NameMap NameMap::Read(const NodeDatabase& nodes)
{
    NameMap names;
    const auto map = nodes.FindNode(kNameMapNode);
    if (!map)
        return names;
    const auto where = "the name-to-id map of " + nodes.where();
    auto properties = ReadPropertyContext(nodes.DataBlocks(map->data), where);
    const auto guids = StreamOf(nodes, *map, properties, kGuidStream);
    const auto entries = StreamOf(nodes, *map, properties, kEntryStream);
    const auto strings = StreamOf(nodes, *map, properties, kStringStream);
    for (std::size_t at = 0; at + kEntrySize <= entries.size(); at += kEntrySize) {
        const auto idOrOffset = layout::Get<std::uint32_t>(entries, at);
        const auto guidAndKind = layout::Get<std::uint16_t>(entries, at + 4);
        const auto index = layout::Get<std::uint16_t>(entries, at + 6);
        const std::size_t guidIndex = guidAndKind >> 1;
        Guid set{};
        if (guidIndex == 1)
            set = kMapiSet;
        else if (guidIndex == 2)
            set = property_set::PublicStrings;
        else if (guidIndex >= 3 && (guidIndex - 3 + 1) * set.size() <= guids.size())
            std::copy_n(guids.begin() + static_cast<std::ptrdiff_t>((guidIndex - 3) * set.size()), set.size(), set.begin());
        else
            continue;
        const auto localId = static_cast<std::uint16_t>(kFirstNamedId + index);
        if ((guidAndKind & 1) == 0) {
            names.keys_.emplace(localId, PropertyKey::LongId(set, idOrOffset));
            continue;
        }
        const auto length = layout::Get<std::uint32_t>(strings, idOrOffset);
        if (std::uint64_t{idOrOffset} + 4 + length > strings.size())
            continue;
        auto name = ToUtf8(std::string_view(strings).substr(idOrOffset + 4, length), "UTF-16LE");
        name.resize(std::min(name.size(), name.find('\0')));
        names.keys_.emplace(localId, PropertyKey::Name(set, std::move(name)));
    }
    return names;
}

std::optional<PropertyKey> NameMap::KeyOf(std::uint16_t localId) const
{
    const auto found = keys_.find(localId);
    return found == keys_.end() ? std::nullopt : std::optional<PropertyKey>(found->second);
}

}  // namespace varnemo::mapi::pff::direct
