#include "source/pff/direct/attachment_node.h"

#include "common/errors.h"

#include <fmt/format.h>

#include <algorithm>

namespace varnemo::mapi::pff::direct {
namespace {

constexpr std::uint16_t kAttachDataId = 0x3701;
constexpr std::uint16_t kBinaryType = 0x0102;

NodeBlocks SubnodeOf(const NodeDatabase& nodes, std::uint64_t subnodeBlock, std::uint32_t id, const std::string& where)
{
    const auto found = nodes.FindSubnode(subnodeBlock, id);
    if (!found)
        throw ComponentError(fmt::format("cannot read {}: its value node {:#x} is missing", where, id));
    return *found;
}

}  // namespace

std::optional<AttachmentNode> AttachmentNode::Read(const NodeDatabase& nodes, std::uint32_t messageId,
                                                   std::uint32_t attachmentId, const std::string& where)
{
    const auto message = nodes.FindNode(messageId);
    if (!message || message->subnodes == 0)
        return std::nullopt;
    const auto attachment = nodes.FindSubnode(message->subnodes, attachmentId);
    if (!attachment)
        return std::nullopt;
    auto properties = ReadPropertyContext(nodes.DataBlocks(attachment->data), where);
    const auto data = std::find_if(properties.begin(), properties.end(),
                                   [](const StoredProperty& p) { return p.id == kAttachDataId; });
    if (data != properties.end() && data->type != kBinaryType)
        return std::nullopt;

    std::optional<std::uint64_t> dataBlock;
    std::string heapData;
    if (data != properties.end()) {
        if (data->subnode)
            dataBlock = SubnodeOf(nodes, attachment->subnodes, *data->subnode, where).data;
        else
            heapData = std::move(data->bytes);
        properties.erase(data);
    }
    for (auto& property : properties) {
        if (!property.subnode)
            continue;
        nodes.ReadData(SubnodeOf(nodes, attachment->subnodes, *property.subnode, where).data,
                       [&](std::string_view bytes) { property.bytes.append(bytes); });
        property.subnode.reset();
    }
    return AttachmentNode(std::move(properties), dataBlock, std::move(heapData));
}

void AttachmentNode::ReadData(const NodeDatabase& nodes, const ByteSink& sink) const
{
    if (dataBlock_)
        nodes.ReadData(*dataBlock_, sink);
    else if (!data_.empty())
        sink(data_);
}

}  // namespace varnemo::mapi::pff::direct
