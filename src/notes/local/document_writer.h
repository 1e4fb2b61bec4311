#pragma once

#include "notes/local/document_draft.h"

#include <filesystem>
#include <memory>
#include <string>

namespace varnemo::notes::local {

class SqliteConnection;

// Writes one document into a store. The document exists in the store only from its first
// Save; what it stages before (attachments) is discarded when it is abandoned unsaved.
class DocumentWriter {
public:
    explicit DocumentWriter(std::shared_ptr<SqliteConnection> connection);
    ~DocumentWriter();
    DocumentWriter(const DocumentWriter&) = delete;
    DocumentWriter& operator=(const DocumentWriter&) = delete;

    void SetItem(const std::string& name, const ItemValue& value);
    void AddRichTextItem(const std::string& name);
    void AttachFile(const std::string& richTextItemName, const std::filesystem::path& file);

    // Writes the document and its attachments in one transaction; a later Save replaces the
    // stored items with the current ones.
    void Save();
    void PutInFolder(const std::string& folderName);

private:
    long long InsertDocument(const DateTime& now);
    void UpdateDocument(const DateTime& now);

    std::shared_ptr<SqliteConnection> connection_;
    DocumentDraft draft_;
    long long storedId_ = 0;  // 0 until the first Save
    bool hasStagedAttachments_ = false;
};

}  // namespace varnemo::notes::local
