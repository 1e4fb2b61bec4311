#include "source/pff/direct/attachment_node.h"

#include "common/errors.h"
#include "source/pff/direct/table_context.h"

#include <fmt/format.h>

#include <algorithm>
#include <utility>

namespace varnemo::mapi::pff::direct {
namespace {

constexpr std::uint16_t kAttachDataId = 0x3701;
constexpr std::uint16_t kBinaryType = 0x0102;
constexpr std::uint32_t kAttachmentTableNode = 0x671;

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
        if (data->subnode) {
            const auto node = nodes.FindSubnode(attachment->subnodes, *data->subnode);
            if (!node)
                throw ComponentError(fmt::format("cannot read {}: the node of its data is missing", where));
            dataBlock = node->data;
        } else
            heapData = std::move(data->bytes);
        properties.erase(data);
    }
    for (auto& property : properties) {
        if (property.subnode)
            property.bytes = nodes.SubnodeData(attachment->subnodes, *std::exchange(property.subnode, std::nullopt));
    }
    return AttachmentNode(std::move(properties), dataBlock, std::move(heapData));
}

std::optional<std::vector<std::uint32_t>> AttachmentNode::Ids(const NodeDatabase& nodes, std::uint32_t messageId,
                                                             const std::string& where)
{
    const auto message = nodes.FindNode(messageId);
    if (!message)
        return std::nullopt;
    const auto table = message->subnodes ? nodes.FindSubnode(message->subnodes, kAttachmentTableNode) : std::nullopt;
    if (!table)
        return std::vector<std::uint32_t>{};
    return ReadTableRowIds(nodes.DataBlocks(table->data), "the attachment table of " + where);
}

void AttachmentNode::ReadData(const NodeDatabase& nodes, const ByteSink& sink) const
{
    if (dataBlock_)
        nodes.ReadData(*dataBlock_, sink);
    else if (!data_.empty())
        sink(data_);
}

}  // namespace varnemo::mapi::pff::direct
