#pragma once

#include <filesystem>
#include <string>
#include <string_view>

struct sqlite3;

namespace varnemo::notes::local {

// One open SQLite connection to a store file. Every failure becomes a ComponentError that names
// the file and carries SQLite's own message.
class SqliteConnection {
public:
    enum class Mode { ReadWrite, ReadOnly, Create };

    SqliteConnection(const std::filesystem::path& path, Mode mode);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Runs statements that return no rows.
    void Execute(const std::string& sql);
    // The value of a pragma that answers with one integer (application_id, user_version, ...).
    long long PragmaInteger(std::string_view name);

    long long LastInsertRowId() const;

    // Throws a ComponentError for the failed SQLite call, naming the file and what was done.
    [[noreturn]] void Fail(std::string_view doing) const;

    const std::filesystem::path& path() const { return path_; }
    sqlite3* handle() const { return db_; }

private:
    std::filesystem::path path_;
    sqlite3* db_ = nullptr;
};

}  // namespace varnemo::notes::local
