#include "notes/local/document_writer.h"

#include "common/errors.h"
#include "notes/local/attachment_staging.h"
#include "notes/local/folders.h"
#include "notes/local/sqlite_connection.h"
#include "notes/local/sqlite_statement.h"
#include "notes/local/sqlite_transaction.h"

#include <fmt/format.h>

namespace varnemo::notes::local {

DocumentWriter::DocumentWriter(std::shared_ptr<SqliteConnection> connection) : connection_(std::move(connection)) {}

DocumentWriter::~DocumentWriter()
{
    if (!hasStagedAttachments_)
        return;
    try {
        DiscardStagedAttachments(*connection_, draft_.unid());
    } catch (const ComponentError&) {
        // Left for the next opening of the store, which removes staged leftovers.
    }
}

void DocumentWriter::SetItem(const std::string& name, const ItemValue& value)
{
    draft_.SetItem(name, EncodeItemValue(value));
}

void DocumentWriter::AddRichTextItem(const std::string& name)
{
    draft_.SetItem(name, {std::string(kRichTextType), ""});
}

void DocumentWriter::AttachFile(const std::string& richTextItemName, const std::filesystem::path& file)
{
    const std::string objectName = draft_.TakeAttachmentName(file.filename().string());
    hasStagedAttachments_ = true;
    StageAttachment(*connection_, draft_.unid(), {richTextItemName, objectName, file});
}

void DocumentWriter::Save()
{
    const std::string now = DateTime::Now().ToIso();
    try {
        SqliteTransaction transaction(*connection_);
        long long documentId = storedId_;
        if (documentId)
            UpdateDocument(now);
        else
            documentId = InsertDocument(now);
        WriteItems(documentId);
        ClaimStagedAttachments(*connection_, draft_.unid(), documentId);
        transaction.Commit();
        storedId_ = documentId;
        hasStagedAttachments_ = false;
    } catch (const ComponentError& error) {
        // The store's message already names the database file.
        throw ComponentError(fmt::format("cannot save the document {}: {}", draft_.unid(), error.what()));
    }
}

void DocumentWriter::PutInFolder(const std::string& folderName)
{
    if (!storedId_)
        throw ComponentError(fmt::format("cannot put the document {} in the folder \"{}\" of the database {}: it "
                                         "has not been saved yet",
                                         draft_.unid(), folderName, connection_->path().string()));
    SqliteTransaction transaction(*connection_);
    const long long folderId = EnsureFolder(*connection_, folderName);
    SqliteStatement file(*connection_, "INSERT OR IGNORE INTO folder_entries (folder_id, document_id) VALUES (?, ?)");
    file.Bind(1, folderId).Bind(2, storedId_).Run();
    transaction.Commit();
}

long long DocumentWriter::InsertDocument(const std::string& now)
{
    SqliteStatement insert(*connection_, "INSERT INTO documents (unid, created, modified) VALUES (?, ?, ?)");
    insert.Bind(1, draft_.unid()).Bind(2, draft_.created().ToIso()).Bind(3, now).Run();
    return connection_->LastInsertRowId();
}

void DocumentWriter::UpdateDocument(const std::string& now)
{
    SqliteStatement update(*connection_, "UPDATE documents SET modified = ? WHERE id = ?");
    update.Bind(1, now).Bind(2, storedId_).Run();
    SqliteStatement removeItems(*connection_, "DELETE FROM items WHERE document_id = ?");
    removeItems.Bind(1, storedId_).Run();
}

void DocumentWriter::WriteItems(long long documentId)
{
    SqliteStatement insert(*connection_,
                           "INSERT INTO items (document_id, position, name, type, value) VALUES (?, ?, ?, ?, ?)");
    long long position = 0;
    for (const auto& [name, encoded] : draft_.items()) {
        insert.Bind(1, documentId).Bind(2, position++).Bind(3, name).Bind(4, encoded.type).Bind(5, encoded.value);
        insert.Run();
        insert.Reset();
    }
}

}  // namespace varnemo::notes::local
