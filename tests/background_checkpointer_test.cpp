#include "notes/local/background_checkpointer.h"
#include "notes/local/sqlite_connection.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace varnemo::testing {
namespace {

using notes::local::BackgroundCheckpointer;
using notes::local::SqliteConnection;

constexpr std::uintmax_t kBlobBytes = 1 << 20;

// A database in write-ahead-log mode that never folds its log back on its own.
std::unique_ptr<SqliteConnection> LogOnlyDatabase(const std::filesystem::path& path)
{
    auto connection = std::make_unique<SqliteConnection>(path, SqliteConnection::Mode::Create);
    connection->Execute("PRAGMA journal_mode = WAL");
    connection->Execute("PRAGMA wal_autocheckpoint = 0");
    connection->Execute("CREATE TABLE blobs (content BLOB)");
    return connection;
}

void InsertBlob(SqliteConnection& connection)
{
    connection.Execute("INSERT INTO blobs VALUES (randomblob(" + std::to_string(kBlobBytes) + "))");
}

TEST(BackgroundCheckpointer, CommittedPagesReachTheDatabaseFileWhileTheWriterGoesOn)
{
    TempDir dir;
    const auto unfolded = dir.path() / "unfolded.db";
    const auto folded = dir.path() / "folded.db";
    {
        auto connection = LogOnlyDatabase(unfolded);
        InsertBlob(*connection);
        EXPECT_LT(std::filesystem::file_size(unfolded), kBlobBytes) << "the bytes should wait in the log";
    }
    auto connection = LogOnlyDatabase(folded);
    // A blob of 1 MiB is some 260 pages: enough to ask for a checkpoint, too few for the writer
    // to fold the log back itself.
    BackgroundCheckpointer checkpointer(*connection, 128);
    InsertBlob(*connection);
    checkpointer.WaitUntilIdle();
    EXPECT_GE(std::filesystem::file_size(folded), kBlobBytes);
}

TEST(BackgroundCheckpointer, StopsWithACheckpointStillAskedFor)
{
    TempDir dir;
    auto connection = LogOnlyDatabase(dir.path() / "stopping.db");
    {
        BackgroundCheckpointer checkpointer(*connection, 1);
        InsertBlob(*connection);
    }
    // The writer goes on, and its commits no longer call into the checkpointer that is gone
    // (the sanitized build fails here if they do).
    InsertBlob(*connection);
    SqliteConnection reader(dir.path() / "stopping.db", SqliteConnection::Mode::ReadOnly);
    EXPECT_GE(reader.PragmaInteger("page_count") * reader.PragmaInteger("page_size"), 2 * kBlobBytes);
}

}  // namespace
}  // namespace varnemo::testing
