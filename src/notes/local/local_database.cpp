#include "notes/local/local_database.h"

#include "notes/local/connection_cache.h"
#include "notes/local/database_location.h"
#include "notes/local/design_store.h"
#include "notes/local/document_writer.h"
#include "notes/local/folders.h"
#include "notes/local/local_document.h"
#include "notes/local/sqlite_statement.h"
#include "notes/local/sqlite_transaction.h"
#include "notes/local/store_file.h"

namespace varnemo::notes::local {

LocalDatabase::LocalDatabase(std::shared_ptr<SqliteConnection> connection, std::filesystem::path dataDirectory)
    : connection_(std::move(connection)), dataDirectory_(std::move(dataDirectory))
{
}

std::unique_ptr<Database> LocalDatabase::CreateCopy(const std::string& server, const std::string& path)
{
    const auto location = LocateDatabase(dataDirectory_, server, path);
    DatabaseDesign design = ReadDesign(*connection_);
    design.isTemplate = false;
    ForgetVanishedConnection(location);
    CreateStore(location, design);
    return std::make_unique<LocalDatabase>(SharedWriteConnection(location), dataDirectory_);
}

void LocalDatabase::EnableFolder(const std::string& folderName)
{
    SqliteTransaction transaction(*connection_);
    EnsureFolder(*connection_, folderName);
    transaction.Commit();
}

std::unique_ptr<Document> LocalDatabase::CreateDocument()
{
    return std::make_unique<LocalDocument>(std::make_shared<DocumentWriter>(connection_));
}

std::vector<std::string> LocalDatabase::TextsOfItem(const std::string& itemName)
{
    SqliteStatement select(*connection_, "SELECT value FROM items WHERE name = ? AND type = 'text'");
    select.Bind(1, itemName);
    std::vector<std::string> texts;
    while (select.Step())
        texts.push_back(select.Text(0));
    return texts;
}

}  // namespace varnemo::notes::local
