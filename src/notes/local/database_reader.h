#pragma once

#include "common/date_time.h"
#include "notes/local/database_design.h"
#include "notes/notes.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace varnemo::notes::local {

class SqliteConnection;

struct StoredItem {
    std::string name;
    ItemValue value;  // an empty text for a rich-text item
    bool isRichText = false;
};

struct StoredAttachment {
    long long id = 0;
    std::string itemName;    // the rich-text item that holds it
    std::string fileName;    // the name of the file that was attached
    std::string objectName;  // unique within the document; differs from fileName for a repeated name
    long long size = 0;
};

struct StoredDocument {
    std::string unid;
    DateTime created;
    DateTime modified;
    std::vector<StoredItem> items;  // in the order they were first assigned
    std::vector<StoredAttachment> attachments;
};

// Reads a store without changing it: for tests, for showing a database and for export. Only
// saved documents are seen. A file that is not a store of ours is refused untouched.
class DatabaseReader {
public:
    explicit DatabaseReader(const std::filesystem::path& path);
    ~DatabaseReader();
    DatabaseReader(const DatabaseReader&) = delete;
    DatabaseReader& operator=(const DatabaseReader&) = delete;

    DatabaseInfo Info();
    std::vector<DesignElement> DesignElements();

    // Hands each document to visit in the order they were created, one at a time, so memory
    // stays flat however many documents the database holds.
    void ForEachDocument(const std::function<void(const StoredDocument&)>& visit);

    // Writes the attachment's bytes to out in pieces.
    void CopyAttachment(const StoredAttachment& attachment, std::ostream& out);

    // The UNIDs of the documents in the folder, in creation order. Fails for an unknown folder.
    std::vector<std::string> FolderMembers(const std::string& folderName);

    // The folders the document is filed in, in the order the folders were made; none for an
    // unknown UNID.
    std::vector<std::string> FoldersOf(const std::string& unid);

private:
    std::unique_ptr<SqliteConnection> connection_;
};

}  // namespace varnemo::notes::local
