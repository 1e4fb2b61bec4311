#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace varnemo::notes::local {

class BackgroundCheckpointer;

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

    // A statement prepared earlier for this text and given back, ready to bind; null when there
    // is none. Saving a document runs the same few statements every time, and preparing them
    // costs more than running them.
    sqlite3_stmt* TakePrepared(const std::string& sql);
    // Keeps a reset statement for the next TakePrepared of its text (one per text).
    void GiveBackPrepared(const std::string& sql, sqlite3_stmt* statement);

    // Every write from now until CommitHeldWrites() becomes part of one transaction, which costs
    // a fraction of committing each document on its own; a SqliteTransaction within it is a
    // savepoint, so a failed document still leaves the others as they were. Nothing of it reaches
    // the file (or another connection) before the commit.
    void HoldWrites();
    bool HoldingWrites() const { return holdingWrites_; }
    // False when SQLite abandoned the held transaction after a failed write (a full disk, an
    // I/O error): every write held since the last commit is lost.
    bool HeldWritesIntact() const;
    // Commits the held transaction and ends the holding. Throws a ComponentError naming the file
    // when the held writes could not be committed or were lost: none of them is in the file then.
    void CommitHeldWrites();

    // From now on the write-ahead log is folded back on another thread whenever commits make it
    // framesPerCheckpoint pages longer, and by the writer once it holds framesBeforeWriterFolds
    // (see BackgroundCheckpointer).
    void CheckpointInBackground(int framesPerCheckpoint, int framesBeforeWriterFolds);
    // Stops checkpointing in the background and copies the whole write-ahead log into the
    // database file, leaving the log empty: the file alone then holds every commit. Fails when
    // a reader of another connection still needs part of the log.
    void FoldLogIntoFile();

private:
    std::filesystem::path path_;
    sqlite3* db_ = nullptr;
    std::mutex preparedMutex_;
    std::map<std::string, sqlite3_stmt*, std::less<>> prepared_;
    std::unique_ptr<BackgroundCheckpointer> checkpointer_;
    bool holdingWrites_ = false;
};

}  // namespace varnemo::notes::local
