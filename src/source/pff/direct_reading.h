#pragma once

#include "source/pff/direct/attachment_node.h"
#include "source/pff/item_node.h"
#include "source/pff/property_bag.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnemo::mapi::pff {

// Which parts of an item are read straight from the data file rather than through libpff: the
// properties of the messages of folders, and the files attached to them. libpff keeps every
// index node that a read passes in memory, and reads all of an attachment's bytes merely to list
// its properties. Anything the direct reader does not read, or finds in doubt, stays with libpff.

// The properties of a message of a folder.
std::optional<PropertyBag> ReadMessagePropertiesDirectly(const ItemRef& message, const std::string& where);

// The sub-node ids of the attachments of a message of a folder.
std::optional<std::vector<std::uint32_t>> ReadAttachmentIdsDirectly(const ItemRef& message, const std::string& where);

// An attachment by value of a message of a folder.
std::optional<direct::AttachmentNode> ReadAttachmentDirectly(const ItemRef& message, std::uint32_t attachmentId,
                                                             const std::string& where);

}  // namespace varnemo::mapi::pff
