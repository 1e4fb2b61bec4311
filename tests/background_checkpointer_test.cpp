#include "notes/local/background_checkpointer.h"
#include "notes/local/sqlite_connection.h"
#include "notes/local/sqlite_statement.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace varnemo::testing {
namespace {

using notes::local::BackgroundCheckpointer;
using notes::local::SqliteConnection;
using notes::local::SqliteStatement;

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

void InsertBlob(SqliteConnection& connection, std::uintmax_t bytes = kBlobBytes)
{
    connection.Execute("INSERT INTO blobs VALUES (randomblob(" + std::to_string(bytes) + "))");
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
    BackgroundCheckpointer checkpointer(*connection, 128, 4 * 128);
    InsertBlob(*connection);
    checkpointer.WaitUntilIdle();
    EXPECT_GE(std::filesystem::file_size(folded), kBlobBytes);
}

TEST(BackgroundCheckpointer, TheLogStartedOverByTheWriterIsFoldedInTheBackgroundAgain)
{
    TempDir dir;
    const auto path = dir.path() / "restarted.db";
    auto connection = LogOnlyDatabase(path);
    BackgroundCheckpointer checkpointer(*connection, 100, 4 * 100);
    // 1 MiB is some 260 pages: the first commit asks for a checkpoint, which a reader of the
    // older state keeps from folding anything back; the second leaves more than four times 100
    // pages in the log, and the writer folds them back itself.
    SqliteConnection reader(path, SqliteConnection::Mode::ReadOnly);
    reader.Execute("BEGIN");
    reader.Execute("SELECT count(*) FROM blobs");
    InsertBlob(*connection);
    checkpointer.WaitUntilIdle();
    reader.Execute("COMMIT");
    InsertBlob(*connection);
    ASSERT_GE(std::filesystem::file_size(path), 2 * kBlobBytes);
    // The log starts over with a commit longer than the one that asked last, by less than 100 pages.
    const std::uintmax_t longer = kBlobBytes + kBlobBytes / 4;
    InsertBlob(*connection, longer);
    checkpointer.WaitUntilIdle();
    EXPECT_GE(std::filesystem::file_size(path), 2 * kBlobBytes + longer);
}

// The checkpointer opens its own connection at the first request, from inside the writer's
// commit: a file it cannot open (here its name is gone) costs the background fold, not the commit.
TEST(BackgroundCheckpointer, AConnectionThatCannotBeOpenedLeavesTheWriterGoingOn)
{
    TempDir dir;
    const auto path = dir.path() / "unnamed.db";
    auto connection = LogOnlyDatabase(path);
    BackgroundCheckpointer checkpointer(*connection, 128, 4 * 128);
    std::filesystem::remove(path);
    InsertBlob(*connection);
    InsertBlob(*connection);
    checkpointer.WaitUntilIdle();
    SqliteStatement count(*connection, "SELECT count(*) FROM blobs");
    ASSERT_TRUE(count.Step());
    EXPECT_EQ(count.Integer(0), 2);
}

TEST(BackgroundCheckpointer, StopsWithACheckpointStillAskedFor)
{
    TempDir dir;
    auto connection = LogOnlyDatabase(dir.path() / "stopping.db");
    {
        BackgroundCheckpointer checkpointer(*connection, 1, 4);
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
