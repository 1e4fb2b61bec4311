#pragma once

#include "com/object.h"
#include "notes/notes.h"

namespace varnemo::notes::com {

class ComDatabase : public Database {
public:
    explicit ComDatabase(varnemo::com::Object database) : database_(std::move(database)) {}
    std::unique_ptr<Database> CreateCopy(const std::string& server, const std::string& path) override;
    void EnableFolder(const std::string& folderName) override;
    std::unique_ptr<Document> CreateDocument() override;
    // Walks the database's AllDocuments collection.
    std::vector<std::string> TextsOfItem(const std::string& itemName) override;

private:
    varnemo::com::Object database_;
};

// A NotesSession of the Notes client's automation objects.
class ComSession : public Session {
public:
    explicit ComSession(varnemo::com::Object session) : session_(std::move(session)) {}
    std::unique_ptr<Database> GetDatabase(const std::string& server, const std::string& path) override;
    std::string GETENVIRONMENTSTRING(const std::string& name, bool system) override;

private:
    varnemo::com::Object session_;
};

}  // namespace varnemo::notes::com
