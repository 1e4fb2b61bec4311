#include "notes/local/local_rich_text_item.h"

#include "notes/local/document_writer.h"

#include <fmt/format.h>

namespace varnemo::notes::local {

LocalRichTextItem::LocalRichTextItem(std::shared_ptr<DocumentWriter> document, std::string name)
    : document_(std::move(document)), name_(std::move(name))
{
}

void LocalRichTextItem::EmbedObject(int type, const std::string&, const std::string& source, const std::string&)
{
    if (type != EMBED_ATTACHMENT)
        throw ComponentError(fmt::format("cannot embed {} in the item {}: only file attachments (type {}) are "
                                         "supported, not type {}",
                                         source, name_, EMBED_ATTACHMENT, type));
    document_->AttachFile(name_, source);
}

}  // namespace varnemo::notes::local
