#include "notes/local/sqlite_connection.h"

#include "common/errors.h"
#include "notes/local/background_checkpointer.h"
#include "notes/local/batched_log_vfs.h"
#include "notes/local/large_page_cache.h"
#include "notes/local/sqlite_statement.h"

#include <algorithm>
#include <cstring>
#include <fmt/format.h>
#include <sqlite3.h>

namespace varnemo::notes::local {
namespace {

int OpenFlags(SqliteConnection::Mode mode)
{
    switch (mode) {
    case SqliteConnection::Mode::ReadOnly: return SQLITE_OPEN_READONLY;
    case SqliteConnection::Mode::ReadWrite: return SQLITE_OPEN_READWRITE;
    case SqliteConnection::Mode::Create: return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    }
    return SQLITE_OPEN_READONLY;
}

// Enough of a statement to recognize it in an error message; the schema is a page long.
std::string Abbreviated(std::string_view sql)
{
    constexpr std::size_t kLength = 100;
    std::string text(sql.substr(0, kLength));
    std::ranges::replace(text, '\n', ' ');
    return sql.size() > kLength ? text + "..." : text;
}

// SQLite says "disk I/O error" or "unable to open database file" without the reason; the
// operating system's ("No space left on device", "File too large", "Permission denied") is the
// part a user can act on.
std::string ErrorMessage(sqlite3* db)
{
    std::string message = sqlite3_errmsg(db);
    const int primary = sqlite3_extended_errcode(db) & 0xFF;
    const bool fromTheSystem = primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN || primary == SQLITE_FULL;
    if (const int system = sqlite3_system_errno(db); fromTheSystem && system != 0)
        message += fmt::format(" ({})", std::strerror(system));
    return message;
}

}  // namespace

SqliteConnection::SqliteConnection(const std::filesystem::path& path, Mode mode) : path_(path)
{
    // A connection is only ever used by one writer at a time, but the cache hands it out from
    // any thread: keep SQLite's own serialization (FULLMUTEX). Its log is written in batches.
    const int flags = OpenFlags(mode) | SQLITE_OPEN_FULLMUTEX;
    UseLargePagesForPageCache();  // before anything initializes SQLite
    const int result = sqlite3_open_v2(path.c_str(), &db_, flags, BatchedLogVfsName());
    if (result != SQLITE_OK) {
        const std::string message = db_ ? ErrorMessage(db_) : sqlite3_errstr(result);
        sqlite3_close_v2(db_);
        throw ComponentError(fmt::format("cannot open the database {}: {}", path.string(), message));
    }
    sqlite3_extended_result_codes(db_, 1);
}

SqliteConnection::~SqliteConnection()
{
    checkpointer_.reset();
    for (const auto& [sql, statement] : prepared_)
        sqlite3_finalize(statement);
    sqlite3_close_v2(db_);
}

void SqliteConnection::HoldWrites()
{
    if (holdingWrites_)
        return;
    Execute("BEGIN IMMEDIATE");
    holdingWrites_ = true;
}

bool SqliteConnection::HeldWritesIntact() const
{
    return sqlite3_get_autocommit(db_) == 0;
}

void SqliteConnection::CommitHeldWrites()
{
    if (!holdingWrites_)
        return;
    holdingWrites_ = false;
    if (!HeldWritesIntact())
        throw ComponentError(fmt::format("cannot write to the database {}: the documents saved since the last "
                                         "commit were lost when a write failed",
                                         path_.string()));
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK)
        return;
    const std::string message = ErrorMessage(db_);
    // A commit that fails on a busy lock leaves the transaction open; it is given up all the same.
    if (HeldWritesIntact())
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw ComponentError(fmt::format("cannot write to the database {} the documents saved since the last commit: {}",
                                     path_.string(), message));
}

void SqliteConnection::CheckpointInBackground(int framesPerCheckpoint, int framesBeforeWriterFolds)
{
    checkpointer_ = std::make_unique<BackgroundCheckpointer>(*this, framesPerCheckpoint, framesBeforeWriterFolds);
}

void SqliteConnection::FoldLogIntoFile()
{
    // A background checkpoint in progress would hold the lock that this one needs.
    checkpointer_.reset();
    // TRUNCATE waits (busy_timeout) for readers of older commits, and syncs the file before it
    // empties the log.
    if (sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr) != SQLITE_OK)
        Fail("folding the write-ahead log into the file");
}

sqlite3_stmt* SqliteConnection::TakePrepared(const std::string& sql)
{
    const std::lock_guard lock(preparedMutex_);
    const auto found = prepared_.find(sql);
    if (found == prepared_.end())
        return nullptr;
    auto* statement = found->second;
    prepared_.erase(found);
    return statement;
}

void SqliteConnection::GiveBackPrepared(const std::string& sql, sqlite3_stmt* statement)
{
    const std::lock_guard lock(preparedMutex_);
    // A statement nested in another of the same text was prepared twice; one copy is enough.
    if (!prepared_.emplace(sql, statement).second)
        sqlite3_finalize(statement);
}

void SqliteConnection::Execute(const std::string& sql)
{
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        Fail(sql);
}

long long SqliteConnection::PragmaInteger(std::string_view name)
{
    SqliteStatement pragma(*this, fmt::format("PRAGMA {}", name));
    if (!pragma.Step())
        throw ComponentError(fmt::format("{}: PRAGMA {} gave no value", path_.string(), name));
    return pragma.Integer(0);
}

long long SqliteConnection::LastInsertRowId() const
{
    return sqlite3_last_insert_rowid(db_);
}

void SqliteConnection::Fail(std::string_view doing) const
{
    throw ComponentError(
        fmt::format("database {}: {} failed: {}", path_.string(), Abbreviated(doing), ErrorMessage(db_)));
}

}  // namespace varnemo::notes::local
