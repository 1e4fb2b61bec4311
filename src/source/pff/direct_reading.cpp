#include "source/pff/direct_reading.h"

#include "common/errors.h"

namespace varnemo::mapi::pff {
namespace {

bool IsFolder(const ItemRef& node)
{
    std::uint8_t type = LIBPFF_ITEM_TYPE_UNDEFINED;
    return node && libpff_item_get_type(node->get(), &type, nullptr) == 1 && type == LIBPFF_ITEM_TYPE_FOLDER;
}

// Messages embedded in attachments live in sub-nodes, which the node B-tree does not list.
bool IsMessageOfFolder(const ItemRef& message)
{
    return message && message->file->nodes() && IsFolder(message->parent);
}

}  // namespace

std::optional<PropertyBag> ReadMessagePropertiesDirectly(const ItemRef& message, const std::string& where)
{
    if (!IsMessageOfFolder(message))
        return std::nullopt;
    const auto& file = *message->file;
    const auto* nodes = file.nodes();
    try {
        const auto blocks = nodes->FindNode(NodeIdOf(*message, where));
        if (!blocks)
            return std::nullopt;
        auto properties = direct::ReadPropertyContext(nodes->DataBlocks(blocks->data), where);
        return PropertyBag(std::move(properties), where, file.names(),
                           [nodes, subnodes = blocks->subnodes](std::uint32_t subnode) {
                               return nodes->SubnodeData(subnodes, subnode);
                           });
    } catch (const ComponentError&) {
        return std::nullopt;
    }
}

std::optional<std::vector<std::uint32_t>> ReadAttachmentIdsDirectly(const ItemRef& message, const std::string& where)
{
    if (!IsMessageOfFolder(message))
        return std::nullopt;
    try {
        return direct::AttachmentNode::Ids(*message->file->nodes(), NodeIdOf(*message, where), where);
    } catch (const ComponentError&) {
        return std::nullopt;
    }
}

std::optional<direct::AttachmentNode> ReadAttachmentDirectly(const ItemRef& message, std::uint32_t attachmentId,
                                                             const std::string& where)
{
    if (!IsMessageOfFolder(message))
        return std::nullopt;
    try {
        return direct::AttachmentNode::Read(*message->file->nodes(), NodeIdOf(*message, where), attachmentId, where);
    } catch (const ComponentError&) {
        return std::nullopt;
    }
}

}  // namespace varnemo::mapi::pff
