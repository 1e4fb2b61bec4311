#pragma once

#include "notes/local/attachment_staging.h"
#include "notes/local/database_reader.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace varnemo::notes::local {

class SqliteConnection;

// A document as it was read from an export of a store: it keeps its UNID and its times.
struct ImportedDocument {
    std::string unid;
    DateTime created;
    DateTime modified;
    std::vector<StoredItem> items;     // in their order
    std::vector<std::string> folders;  // the folders it is filed in
};

// Writes documents that come from elsewhere into an existing store, keeping their identity,
// where DocumentWriter makes new ones. Each document is written whole or not at all.
class DatabaseImporter {
public:
    explicit DatabaseImporter(const std::filesystem::path& path);
    ~DatabaseImporter();
    DatabaseImporter(const DatabaseImporter&) = delete;
    DatabaseImporter& operator=(const DatabaseImporter&) = delete;

    // Creates the folder and the folders above it, as a design element without documents.
    void AddFolder(const std::string& folderName);

    // Copies the file's bytes into the store for the document with this UNID; they become
    // part of it when WriteDocument writes that document. Staged bytes of a document that is
    // never written are removed when the store is next opened.
    void StageAttachment(const std::string& unid, const AttachmentSource& source);

    // Writes the document with its items, the attachments staged for it and its folder entries.
    // Fails when the store already holds a document with its UNID.
    void WriteDocument(const ImportedDocument& document);

private:
    std::unique_ptr<SqliteConnection> connection_;
};

}  // namespace varnemo::notes::local
