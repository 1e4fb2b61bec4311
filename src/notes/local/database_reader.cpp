#include "notes/local/database_reader.h"

#include "common/errors.h"
#include "notes/local/design_store.h"
#include "notes/local/item_encoding.h"
#include "notes/local/sqlite_blob.h"
#include "notes/local/sqlite_connection.h"
#include "notes/local/sqlite_statement.h"
#include "notes/local/store_file.h"

#include <algorithm>
#include <fmt/format.h>
#include <ostream>

namespace varnemo::notes::local {
namespace {

constexpr std::size_t kChunkSize = 1 << 20;

std::vector<StoredItem> ReadItems(SqliteStatement& query, long long documentId)
{
    query.Reset();
    query.Bind(1, documentId);
    std::vector<StoredItem> items;
    while (query.Step()) {
        const std::string type = query.Text(1);
        items.push_back({query.Text(0), DecodeItemValue(type, query.Text(2)), type == kRichTextType});
    }
    return items;
}

std::vector<StoredAttachment> ReadAttachments(SqliteStatement& query, long long documentId)
{
    query.Reset();
    query.Bind(1, documentId);
    std::vector<StoredAttachment> attachments;
    while (query.Step())
        attachments.push_back({query.Integer(0), query.Text(1), query.Text(2), query.Text(3), query.Integer(4)});
    return attachments;
}

}  // namespace

DatabaseReader::DatabaseReader(const std::filesystem::path& path) : connection_(OpenStoreForReading(path)) {}

DatabaseReader::~DatabaseReader() = default;

DatabaseInfo DatabaseReader::Info()
{
    return ReadDatabaseInfo(*connection_);
}

std::vector<DesignElement> DatabaseReader::DesignElements()
{
    return ReadDesignElements(*connection_);
}

void DatabaseReader::ForEachDocument(const std::function<void(const StoredDocument&)>& visit)
{
    SqliteStatement documents(*connection_, "SELECT id, unid, created, modified FROM documents ORDER BY id");
    SqliteStatement items(*connection_,
                          "SELECT name, type, value FROM items WHERE document_id = ? ORDER BY position");
    SqliteStatement attachments(*connection_,
                                "SELECT id, item_name, file_name, object_name, length(content) FROM attachments "
                                "JOIN attachment_contents ON attachment_id = id WHERE document_id = ? ORDER BY id");
    while (documents.Step()) {
        const long long id = documents.Integer(0);
        StoredDocument document{documents.Text(1), DateTime::FromIso(documents.Text(2)),
                                DateTime::FromIso(documents.Text(3)), ReadItems(items, id),
                                ReadAttachments(attachments, id)};
        visit(document);
    }
}

void DatabaseReader::CopyAttachment(const StoredAttachment& attachment, std::ostream& out)
{
    SqliteBlob blob(*connection_, "attachment_contents", "content", attachment.id, SqliteBlob::Access::Read);
    std::vector<char> chunk(kChunkSize);
    for (long long offset = 0; offset < blob.size();) {
        const auto count = static_cast<std::size_t>(std::min<long long>(blob.size() - offset, kChunkSize));
        blob.Read(chunk.data(), count, offset);
        out.write(chunk.data(), static_cast<std::streamsize>(count));
        offset += static_cast<long long>(count);
    }
    if (!out)
        throw ComponentError(fmt::format("cannot write out the attachment {} of the database {}",
                                         attachment.objectName, connection_->path().string()));
}

std::vector<std::string> DatabaseReader::FolderMembers(const std::string& folderName)
{
    SqliteStatement folder(*connection_, "SELECT id FROM design_elements WHERE kind = 'folder' AND name = ?");
    if (!folder.Bind(1, folderName).Step())
        throw ComponentError(
            fmt::format("the database {} has no folder \"{}\"", connection_->path().string(), folderName));
    SqliteStatement members(*connection_, "SELECT documents.unid FROM folder_entries "
                                          "JOIN documents ON documents.id = folder_entries.document_id "
                                          "WHERE folder_entries.folder_id = ? ORDER BY documents.id");
    members.Bind(1, folder.Integer(0));
    std::vector<std::string> unids;
    while (members.Step())
        unids.push_back(members.Text(0));
    return unids;
}

std::vector<std::string> DatabaseReader::FoldersOf(const std::string& unid)
{
    SqliteStatement folders(*connection_, "SELECT design_elements.name FROM folder_entries "
                                          "JOIN design_elements ON design_elements.id = folder_entries.folder_id "
                                          "JOIN documents ON documents.id = folder_entries.document_id "
                                          "WHERE documents.unid = ? ORDER BY design_elements.id");
    folders.Bind(1, unid);
    std::vector<std::string> names;
    while (folders.Step())
        names.push_back(folders.Text(0));
    return names;
}

}  // namespace varnemo::notes::local
