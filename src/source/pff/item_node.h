#pragma once

#include "source/pff/pff_file.h"
#include "source/pff/pff_handles.h"

#include <cstdint>
#include <memory>
#include <string>

namespace varnemo::mapi::pff {

// An open libpff item together with what it depends on: the open data file and, for an
// attachment or an embedded item, the item it was read from. Whoever holds the node keeps all of
// them alive; they are released child first.
struct ItemNode {
    std::shared_ptr<const PffFile> file;
    std::shared_ptr<const ItemNode> parent;
    ItemHandle handle;

    libpff_item_t* get() const { return handle.get(); }
};

using ItemRef = std::shared_ptr<const ItemNode>;

// The node id under which the data file keeps the item; where names it in error messages.
std::uint32_t NodeIdOf(const ItemNode& node, const std::string& where);

inline ItemRef MakeItemNode(std::shared_ptr<const PffFile> file, ItemRef parent, ItemHandle handle)
{
    return std::make_shared<const ItemNode>(ItemNode{std::move(file), std::move(parent), std::move(handle)});
}

}  // namespace varnemo::mapi::pff
