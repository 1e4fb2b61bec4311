#include "source/pff/pff_attachment.h"

#include "source/pff/collection_index.h"
#include "source/pff/direct_reading.h"
#include "source/pff/eml_writer.h"
#include "source/pff/pff_error.h"
#include "source/pff/pff_item.h"
#include "source/pff/property_tags.h"

#include <fmt/format.h>

#include <algorithm>

namespace varnemo::mapi::pff {
namespace {

// A subject becomes part of a file name: path separators and control characters cannot stay.
std::string FileNameSafe(std::string name)
{
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '/' || c == '\\' || (c >= 0 && c < ' '); }, '_');
    return name;
}

}  // namespace

PffAttachment::PffAttachment(ItemRef message, direct::AttachmentNode direct, std::string where)
    : node_(std::move(message)),
      direct_(std::move(direct)),
      properties_(std::move(direct_->properties()), std::move(where), node_->file->names())
{
}

PffAttachment::PffAttachment(ItemRef node, std::string where)
    : node_(std::move(node)), properties_(node_->get(), std::move(where))
{
    int type = LIBPFF_ATTACHMENT_TYPE_UNDEFINED;
    CheckPff("cannot read the attachment's kind", properties_.where(), [&](libpff_error_t** e) {
        return libpff_attachment_get_type(node_->get(), &type, e);
    });
    embedded_ = type == LIBPFF_ATTACHMENT_TYPE_ITEM;
}

std::string PffAttachment::StoredFileName() const
{
    for (const auto id : {tag::AttachLongFilename, tag::AttachFilename, tag::DisplayName}) {
        if (auto name = properties_.Text(PropertyKey::Tag(id)); name && !name->empty())
            return *name;
    }
    return {};
}

std::string PffAttachment::MimeType() const
{
    auto type = properties_.Text(PropertyKey::Tag(tag::AttachMimeTag)).value_or("");
    return type.find('/') == std::string::npos ? "application/octet-stream" : type;
}

ItemRef PffAttachment::EmbeddedNode() const
{
    if (embeddedNode_)
        return embeddedNode_;
    ItemHandle item;
    const int found = CheckPff("cannot open the embedded item", properties_.where(), [&](libpff_error_t** e) {
        return libpff_attachment_get_item(node_->get(), item.out(), e);
    });
    if (found != 1)
        throw ComponentError(fmt::format("cannot open the embedded item ({}): it is missing", properties_.where()));
    embeddedNode_ = MakeItemNode(node_->file, node_, std::move(item));
    return embeddedNode_;
}

std::unique_ptr<PffItem> PffAttachment::EmbeddedItem() const
{
    return std::make_unique<PffItem>(EmbeddedNode(), "item embedded in " + properties_.where());
}

std::string PffAttachment::FileName()
{
    if (!embedded_)
        return StoredFileName();
    auto base = EmbeddedItem()->Subject();
    if (base.empty())
        base = StoredFileName();
    return base.empty() ? std::string() : FileNameSafe(base) + ".eml";
}

void PffAttachment::ReadData(const ByteSink& sink) const
{
    if (direct_)
        direct_->ReadData(*node_->file->nodes(), sink);
    else
        ReadAttachmentData(node_->get(), properties_.where(), sink);
}

void PffAttachment::SaveAsFile(const std::filesystem::path& path)
{
    if (embedded_) {
        WriteMessageFile(*EmbeddedItem(), StoredFileName(), path);
        return;
    }
    WriteFileThrough(path, properties_.where(), [&](const ByteSink& sink) { ReadData(sink); });
}

PffAttachments::PffAttachments(ItemRef message, std::string where)
    : message_(std::move(message)), where_(std::move(where)), directIds_(ReadAttachmentIdsDirectly(message_, where_))
{
    count_ = directIds_ ? static_cast<long>(directIds_->size()) : LibpffCount();
}

std::unique_ptr<PffAttachment> PffAttachments::Attachment(long index) const
{
    const int at = ZeroBasedIndex(index, count_, "attachment", where_);
    auto where = fmt::format("attachment {} of {}", index, where_);
    if (!directIds_)
        return std::make_unique<PffAttachment>(LibpffAttachment(at, index), std::move(where));
    const auto id = (*directIds_)[static_cast<size_t>(at)];
    if (auto direct = ReadAttachmentDirectly(message_, id, where))
        return std::make_unique<PffAttachment>(message_, std::move(*direct), std::move(where));
    // An embedded item or an OLE object: libpff reads it, found by its node id.
    for (int candidate = 0; candidate < LibpffCount(); ++candidate) {
        auto node = LibpffAttachment(candidate, index);
        if (NodeIdOf(*node, where) == id)
            return std::make_unique<PffAttachment>(std::move(node), std::move(where));
    }
    throw ComponentError(fmt::format("cannot open {}: libpff does not list it", where));
}

int PffAttachments::LibpffCount() const
{
    int count = 0;
    CheckPff("cannot read the attachment table", where_, [&](libpff_error_t** e) {
        return libpff_message_get_number_of_attachments(message_->get(), &count, e);
    });
    return count;
}

ItemRef PffAttachments::LibpffAttachment(int at, long index) const
{
    ItemHandle attachment;
    CheckPff(fmt::format("cannot open attachment {}", index), where_, [&](libpff_error_t** e) {
        return libpff_message_get_attachment(message_->get(), at, attachment.out(), e);
    });
    return MakeItemNode(message_->file, message_, std::move(attachment));
}

}  // namespace varnemo::mapi::pff
