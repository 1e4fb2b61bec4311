#include "notes/local/store_file.h"

#include "common/errors.h"
#include "notes/local/design_store.h"
#include "notes/local/large_page_cache.h"
#include "notes/local/sqlite_connection.h"
#include "notes/local/sqlite_transaction.h"
#include "notes/local/store_header.h"
#include "notes/local/store_schema.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fmt/format.h>
#include <sqlite3.h>
#include <unistd.h>

namespace varnemo::notes::local {
namespace {

// How long a write waits for another program that holds the database before giving up.
constexpr int kBusyTimeoutMilliseconds = 10000;
// 2 MiB of 4 KiB pages. Folded back in short stretches, the log reaches the database file while
// the conversion goes on, and the last fold, which the conversion waits for, is short (a third of
// what it was with stretches of 32 MiB, on 100 MB of attachments).
constexpr int kFramesPerCheckpoint = 512;
// 128 MiB: the most log a writer that never pauses keeps (see BackgroundCheckpointer).
constexpr int kFramesBeforeWriterFolds = 32768;

void UseWriteAheadLog(SqliteConnection& connection)
{
    connection.Execute("PRAGMA journal_mode = WAL");
    connection.Execute("PRAGMA synchronous = NORMAL");
}

void ApplyConnectionSettings(SqliteConnection& connection)
{
    connection.Execute("PRAGMA foreign_keys = ON");
    connection.Execute(fmt::format("PRAGMA busy_timeout = {}", kBusyTimeoutMilliseconds));
    // Document UNIDs are random: each new one lands on any page of their index, which outgrows
    // SQLite's 2 MiB default at about 50,000 documents and then costs a read per save. 16 MiB
    // keeps the index of a few hundred thousand documents at hand. It is also the most a
    // transaction keeps in memory: beyond it SQLite spills pages to the log, however many
    // attachment bytes a group of held saves brings.
    connection.Execute(fmt::format("PRAGMA cache_size = -{}", kStoreCacheBytes / 1024));
    // Each document is saved in a savepoint, which journals every page the document changes;
    // SQLite would spill that journal to a temporary file past 64 KiB.
    connection.Execute("PRAGMA temp_store = MEMORY");
}

// SQLite opens a file it may not write read-only without a word, and a folder it may not write
// leaves it no place for the write-ahead log: the first write would fail with "attempt to write
// a readonly database" either way. Say which, before anything is tried.
void CheckWritable(SqliteConnection& connection)
{
    const auto& path = connection.path();
    if (sqlite3_db_readonly(connection.handle(), "main") == 1)
        throw ComponentError(fmt::format("cannot write to the database {}: the file is read-only for this user",
                                         path.string()));
    const auto folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    if (access(folder.c_str(), W_OK) != 0)
        throw ComponentError(fmt::format("cannot write to the database {}: its folder is read-only for this user, "
                                         "and the database keeps its write-ahead log beside it",
                                         path.string()));
}

void RemoveStagedLeftovers(SqliteConnection& connection)
{
    connection.Execute("DELETE FROM attachments WHERE staged_for IS NOT NULL");
}

// A temporary file beside the target, so that the final step is a link within one directory.
std::filesystem::path CreateTemporaryBeside(const std::filesystem::path& path)
{
    std::string pattern = path.string() + ".creating-XXXXXX";
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0)
        throw ComponentError(fmt::format("cannot create the database {}: {}", path.string(), std::strerror(errno)));
    close(descriptor);
    return pattern;
}

void RemoveWithJournals(const std::filesystem::path& path)
{
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        std::filesystem::remove(path.string() + suffix, ignored);
}

void BuildStore(const std::filesystem::path& path, const DatabaseDesign& design)
{
    SqliteConnection connection(path, SqliteConnection::Mode::Create);
    // Nobody sees the file before it is whole and synced (SyncFile), so there is no cause to wait
    // for the disk at every step of its making.
    connection.Execute("PRAGMA journal_mode = MEMORY");
    connection.Execute("PRAGMA synchronous = OFF");
    {
        SqliteTransaction transaction(connection);
        CreateSchema(connection);
        WriteDesign(connection, design);
        transaction.Commit();
    }
    UseWriteAheadLog(connection);
}  // closing the only connection folds the log into the file

void SyncFile(const std::filesystem::path& path)
{
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool synced = descriptor >= 0 && fsync(descriptor) == 0;
    const int error = errno;
    if (descriptor >= 0)
        close(descriptor);
    if (!synced)
        throw ComponentError(fmt::format("cannot write {} to the disk: {}", path.string(), std::strerror(error)));
}

// link() fails when the name is taken: the no-replace guarantee holds even against a file that
// appeared while the store was being built.
void PublishStore(const std::filesystem::path& temporary, const std::filesystem::path& path)
{
    if (link(temporary.c_str(), path.c_str()) != 0)
        throw ComponentError(errno == EEXIST
                                 ? fmt::format("cannot create the database {}: the file already exists", path.string())
                                 : fmt::format("cannot create the database {}: {}", path.string(), std::strerror(errno)));
}

}  // namespace

std::unique_ptr<SqliteConnection> OpenStoreForWriting(const std::filesystem::path& path)
{
    CheckStoreHeader(path);
    auto connection = std::make_unique<SqliteConnection>(path, SqliteConnection::Mode::ReadWrite);
    CheckWritable(*connection);
    ApplyConnectionSettings(*connection);
    UseWriteAheadLog(*connection);
    UpgradeSchema(*connection);
    // Each checkpoint waits for the disk twice: on a thread of its own, so that nobody waits.
    connection->CheckpointInBackground(kFramesPerCheckpoint, kFramesBeforeWriterFolds);
    RemoveStagedLeftovers(*connection);
    return connection;
}

std::unique_ptr<SqliteConnection> OpenStoreForReading(const std::filesystem::path& path)
{
    CheckStoreHeader(path);
    // Read-write with query_only rather than SQLITE_OPEN_READONLY: a read-only connection to a
    // WAL store leaves -wal and -shm files behind, while the last read-write connection removes
    // them when it closes. A write-protected file still opens, read-only, as SQLite falls back.
    auto connection = std::make_unique<SqliteConnection>(path, SqliteConnection::Mode::ReadWrite);
    ApplyConnectionSettings(*connection);
    connection->Execute("PRAGMA query_only = ON");
    return connection;
}

void CreateStore(const std::filesystem::path& path, const DatabaseDesign& design)
{
    std::error_code error;
    if (std::filesystem::exists(path, error) || std::filesystem::is_symlink(path, error))
        throw ComponentError(fmt::format("cannot create the database {}: the file already exists", path.string()));
    // With no database under this name, journals under it are a deleted database's leftovers;
    // SQLite would replay them into the new file.
    RemoveWithJournals(path);
    const auto temporary = CreateTemporaryBeside(path);
    try {
        BuildStore(temporary, design);
        SyncFile(temporary);
    } catch (const ComponentError& error) {
        RemoveWithJournals(temporary);
        // The temporary name means nothing to the user; the database's own name does.
        throw ComponentError(fmt::format("cannot create the database {}: {}", path.string(), error.what()));
    }
    try {
        PublishStore(temporary, path);
    } catch (...) {
        RemoveWithJournals(temporary);
        throw;
    }
    RemoveWithJournals(temporary);
    // The new name itself lasts once its folder is synced.
    try {
        SyncFile(path.has_parent_path() ? path.parent_path() : std::filesystem::path("."));
    } catch (const ComponentError& error) {
        throw ComponentError(fmt::format("cannot create the database {}: {}", path.string(), error.what()));
    }
}

}  // namespace varnemo::notes::local
