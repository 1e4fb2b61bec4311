#include "notes/local/local_document.h"

#include "notes/local/document_writer.h"
#include "notes/local/local_rich_text_item.h"

namespace varnemo::notes::local {

LocalDocument::LocalDocument(std::shared_ptr<DocumentWriter> writer) : writer_(std::move(writer)) {}

void LocalDocument::ReplaceItemValue(const std::string& name, const ItemValue& value)
{
    writer_->SetItem(name, value);
}

std::unique_ptr<RichTextItem> LocalDocument::CreateRichTextItem(const std::string& name)
{
    writer_->AddRichTextItem(name);
    return std::make_unique<LocalRichTextItem>(writer_, name);
}

void LocalDocument::Save(std::int16_t, std::int16_t)
{
    writer_->Save();
}

void LocalDocument::PutInFolder(const std::string& folderName)
{
    writer_->PutInFolder(folderName);
}

}  // namespace varnemo::notes::local
