#include "source/pff/store_display_name.h"

#include "common/errors.h"
#include "source/pff/direct/name_map.h"
#include "source/pff/direct/node_database.h"
#include "source/pff/direct/property_context.h"
#include "source/pff/property_bag.h"
#include "source/pff/property_tags.h"

namespace varnemo::mapi::pff {
namespace {

// The node of the message store, which holds the store's own properties.
constexpr std::uint32_t kMessageStoreNode = 0x21;

}  // namespace

std::optional<std::string> ReadStoreDisplayName(const std::filesystem::path& dataFile)
{
    try {
        const auto nodes = direct::NodeDatabase::Open(dataFile);
        if (!nodes)
            return std::nullopt;
        const auto blocks = nodes->FindNode(kMessageStoreNode);
        if (!blocks)
            return std::nullopt;
        const std::string where = "the message store of " + dataFile.string();
        // The display name is one of the store's own properties, never a named one.
        const PropertyBag properties(direct::ReadPropertyContext(nodes->DataBlocks(blocks->data), where), where,
                                     direct::NameMap{},
                                     [&](std::uint32_t subnode) { return nodes->SubnodeData(blocks->subnodes, subnode); });
        return properties.Text(PropertyKey::Tag(tag::DisplayName));
    } catch (const ComponentError&) {
        return std::nullopt;
    }
}

}  // namespace varnemo::mapi::pff
