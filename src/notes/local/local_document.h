#pragma once

#include "notes/notes.h"

#include <memory>

namespace varnemo::notes::local {

class DocumentWriter;

class LocalDocument : public Document {
public:
    explicit LocalDocument(std::shared_ptr<DocumentWriter> writer);

    void ReplaceItemValue(const std::string& name, const ItemValue& value) override;
    std::unique_ptr<RichTextItem> CreateRichTextItem(const std::string& name) override;
    // force and createResponse do not apply: nobody else edits the document meanwhile.
    void Save(std::int16_t force, std::int16_t createResponse) override;
    void PutInFolder(const std::string& folderName) override;

private:
    // Shared with the document's rich-text items, which may outlive this object.
    std::shared_ptr<DocumentWriter> writer_;
};

}  // namespace varnemo::notes::local
