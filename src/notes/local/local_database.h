#pragma once

#include "notes/notes.h"

#include <filesystem>
#include <memory>

namespace varnemo::notes::local {

class SqliteConnection;

class LocalDatabase : public Database {
public:
    // dataDirectory resolves the relative paths given to CreateCopy.
    LocalDatabase(std::shared_ptr<SqliteConnection> connection, std::filesystem::path dataDirectory);

    // The copy is a database, not a template, even when this database is a template.
    std::unique_ptr<Database> CreateCopy(const std::string& server, const std::string& path) override;
    void EnableFolder(const std::string& folderName) override;
    std::unique_ptr<Document> CreateDocument() override;
    std::vector<std::string> TextsOfItem(const std::string& itemName) override;

private:
    std::shared_ptr<SqliteConnection> connection_;
    std::filesystem::path dataDirectory_;
};

}  // namespace varnemo::notes::local
