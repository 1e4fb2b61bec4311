#pragma once

#include "source/pff/direct/node_database.h"
#include "source/pff/direct/property_context.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnemo::mapi::pff::direct {

// An attachment of a message held in its own node, whose data is bytes (a file attached by
// value): its properties, read once, and its data, streamed from the file when asked for.
class AttachmentNode {
public:
    // Nothing when the message or the attachment is not where the node tree says, or when the
    // attachment's data is not plain bytes (an embedded item, an OLE object).
    static std::optional<AttachmentNode> Read(const NodeDatabase& nodes, std::uint32_t messageId,
                                              std::uint32_t attachmentId, const std::string& where);
    // The sub-node ids of a message's attachments, in the order of its attachment table; nothing
    // when the node tree has no such message.
    static std::optional<std::vector<std::uint32_t>> Ids(const NodeDatabase& nodes, std::uint32_t messageId,
                                                         const std::string& where);

    // Every property but the data, with values from sub-nodes read in.
    std::vector<StoredProperty>& properties() { return properties_; }
    void ReadData(const NodeDatabase& nodes, const ByteSink& sink) const;

private:
    AttachmentNode(std::vector<StoredProperty> properties, std::optional<std::uint64_t> dataBlock, std::string data)
        : properties_(std::move(properties)), dataBlock_(dataBlock), data_(std::move(data))
    {
    }

    std::vector<StoredProperty> properties_;
    std::optional<std::uint64_t> dataBlock_;  // the data tree of the data, when a sub-node holds it
    std::string data_;                        // the data, when the heap holds it
};

}  // namespace varnemo::mapi::pff::direct
