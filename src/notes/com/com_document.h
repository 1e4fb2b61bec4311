#pragma once

#include "com/object.h"
#include "notes/notes.h"

namespace varnemo::notes::com {

class ComRichTextItem : public RichTextItem {
public:
    explicit ComRichTextItem(varnemo::com::Object item) : item_(std::move(item)) {}
    // The embedded object that Notes hands back is released at once.
    void EmbedObject(int type, const std::string& objectClass, const std::string& source,
                     const std::string& name) override;

private:
    varnemo::com::Object item_;
};

class ComDocument : public Document {
public:
    explicit ComDocument(varnemo::com::Object document) : document_(std::move(document)) {}
    // Assigns to the document's member named after the item, as doc.Subject = value does.
    void ReplaceItemValue(const std::string& name, const ItemValue& value) override;
    std::unique_ptr<RichTextItem> CreateRichTextItem(const std::string& name) override;
    void Save(std::int16_t force, std::int16_t createResponse) override;
    // The folder name alone: the optional create flag is left out.
    void PutInFolder(const std::string& folderName) override;

private:
    varnemo::com::Object document_;
};

}  // namespace varnemo::notes::com
