#include "notes/local/database_importer.h"

#include "common/errors.h"
#include "notes/local/document_rows.h"
#include "notes/local/folders.h"
#include "notes/local/item_encoding.h"
#include "notes/local/sqlite_connection.h"
#include "notes/local/sqlite_transaction.h"
#include "notes/local/store_file.h"

#include <fmt/format.h>

namespace varnemo::notes::local {
namespace {

std::vector<DraftItem> EncodeItems(const std::vector<StoredItem>& items)
{
    std::vector<DraftItem> encoded;
    encoded.reserve(items.size());
    for (const auto& item : items)
        encoded.push_back({item.name, item.isRichText ? EncodedItem{std::string(kRichTextType), ""}
                                                      : EncodeItemValue(item.value)});
    return encoded;
}

}  // namespace

DatabaseImporter::DatabaseImporter(const std::filesystem::path& path) : connection_(OpenStoreForWriting(path)) {}

DatabaseImporter::~DatabaseImporter() = default;

void DatabaseImporter::AddFolder(const std::string& folderName)
{
    SqliteTransaction transaction(*connection_);
    EnsureFolder(*connection_, folderName);
    transaction.Commit();
}

void DatabaseImporter::StageAttachment(const std::string& unid, const AttachmentSource& source)
{
    local::StageAttachment(*connection_, unid, source);
}

void DatabaseImporter::WriteDocument(const ImportedDocument& document)
{
    try {
        SqliteTransaction transaction(*connection_);
        const long long documentId =
            InsertDocumentRow(*connection_, document.unid, document.created, document.modified);
        InsertItemRows(*connection_, documentId, EncodeItems(document.items));
        ClaimStagedAttachments(*connection_, document.unid, documentId);
        for (const auto& folder : document.folders)
            FileDocument(*connection_, folder, documentId);
        transaction.Commit();
    } catch (const ComponentError& error) {
        throw ComponentError(fmt::format("cannot import the document {}: {}", document.unid, error.what()));
    }
}

}  // namespace varnemo::notes::local
