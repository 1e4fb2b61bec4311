#include "notes/local/document_writer.h"

#include "common/errors.h"
#include "notes/local/attachment_staging.h"
#include "notes/local/document_rows.h"
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
    const std::string fileName = file.filename().string();
    const std::string objectName = draft_.TakeAttachmentName(fileName);
    hasStagedAttachments_ = true;
    StageAttachment(*connection_, draft_.unid(), {richTextItemName, objectName, fileName, file});
}

void DocumentWriter::Save()
{
    const DateTime now = DateTime::Now();
    try {
        SqliteTransaction transaction(*connection_);
        long long documentId = storedId_;
        if (documentId)
            UpdateDocument(now);
        else
            documentId = InsertDocument(now);
        InsertItemRows(*connection_, documentId, draft_.items());
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
    FileDocument(*connection_, folderName, storedId_);
    transaction.Commit();
}

long long DocumentWriter::InsertDocument(const DateTime& now)
{
    return InsertDocumentRow(*connection_, draft_.unid(), draft_.created(), now);
}

void DocumentWriter::UpdateDocument(const DateTime& now)
{
    SqliteStatement update(*connection_, "UPDATE documents SET modified = ? WHERE id = ?");
    update.Bind(1, now.ToIso()).Bind(2, storedId_).Run();
    SqliteStatement removeItems(*connection_, "DELETE FROM items WHERE document_id = ?");
    removeItems.Bind(1, storedId_).Run();
}


}  // namespace varnemo::notes::local
