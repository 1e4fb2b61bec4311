#include "source/pff/item_node.h"

#include "source/pff/pff_error.h"

namespace varnemo::mapi::pff {

std::uint32_t NodeIdOf(const ItemNode& node, const std::string& where)
{
    std::uint32_t id = 0;
    CheckPff("cannot read an item's node id", where, [&](libpff_error_t** e) {
        return libpff_item_get_identifier(node.get(), &id, e);
    });
    return id;
}

}  // namespace varnemo::mapi::pff
