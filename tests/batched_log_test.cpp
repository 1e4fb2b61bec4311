// The write-ahead log's frames are gathered into large writes: what a commit publishes must be in
// the file for every other connection, whatever the page size and however the log is rewound.
#include "notes/local/sqlite_connection.h"
#include "notes/local/sqlite_statement.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace varnemo::testing {
namespace {

using notes::local::SqliteConnection;
using notes::local::SqliteStatement;

class BatchedLog : public ::testing::Test {
protected:
    // A log that is never folded back: every page read by another connection comes from the log.
    std::unique_ptr<SqliteConnection> OpenLogOnly(int pageSize = 4096) const
    {
        auto connection = std::make_unique<SqliteConnection>(path, SqliteConnection::Mode::Create);
        connection->Execute("PRAGMA page_size = " + std::to_string(pageSize));
        connection->Execute("PRAGMA journal_mode = WAL");
        connection->Execute("PRAGMA synchronous = NORMAL");  // as the store: no sync at a commit
        connection->Execute("PRAGMA wal_autocheckpoint = 0");
        connection->Execute("CREATE TABLE IF NOT EXISTS blobs (id INTEGER PRIMARY KEY, content BLOB)");
        return connection;
    }

    static void Insert(SqliteConnection& connection, int bytes)
    {
        connection.Execute("INSERT INTO blobs (content) VALUES (randomblob(" + std::to_string(bytes) + "))");
    }

    static std::string Contents(SqliteConnection& connection)
    {
        SqliteStatement query(connection,
                              "SELECT group_concat(hex(content), '|') FROM (SELECT content FROM blobs ORDER BY id)");
        EXPECT_TRUE(query.Step());
        return query.Text(0);
    }

    static std::string IntegrityCheck(SqliteConnection& connection)
    {
        SqliteStatement check(connection, "PRAGMA integrity_check");
        EXPECT_TRUE(check.Step());
        return check.Text(0);
    }

    TempDir directory;
    std::filesystem::path path = directory.path() / "log.db";
};

TEST_F(BatchedLog, AnotherConnectionReadsEveryCommitWhole)
{
    auto writer = OpenLogOnly();
    SqliteConnection reader(path, SqliteConnection::Mode::ReadOnly);
    // Commits of one page, of a few, and of more than one batch.
    for (const int bytes : {10, 3000, 9000, 70000, 250000, 20, 140000}) {
        Insert(*writer, bytes);
        EXPECT_EQ(Contents(reader), Contents(*writer)) << "after a commit of " << bytes << " bytes";
    }
    EXPECT_EQ(IntegrityCheck(reader), "ok");
}

// Pages spilled to the log before the commit are written again in place when they change once more,
// and a rolled-back transaction's frames are written over by the next one.
TEST_F(BatchedLog, FramesWrittenOverInPlaceOrAfterARollbackLeaveOnlyCommits)
{
    auto writer = OpenLogOnly();
    writer->Execute("PRAGMA cache_size = 10");
    Insert(*writer, 5000);
    writer->Execute("BEGIN IMMEDIATE");
    for (int i = 0; i < 20; ++i)
        Insert(*writer, 30000);
    writer->Execute("ROLLBACK");
    writer->Execute("BEGIN IMMEDIATE");
    for (int i = 0; i < 100; ++i)
        Insert(*writer, 3000);
    writer->Execute("UPDATE blobs SET content = randomblob(3000) WHERE id % 2 = 0");
    for (int i = 0; i < 50; ++i)
        Insert(*writer, 3000);
    writer->Execute("COMMIT");

    SqliteConnection reader(path, SqliteConnection::Mode::ReadOnly);
    EXPECT_EQ(Contents(reader), Contents(*writer));
    EXPECT_EQ(IntegrityCheck(reader), "ok");
}

TEST_F(BatchedLog, LogsOfEveryPageSizeReachTheFile)
{
    for (const int pageSize : {512, 4096, 65536}) {
        std::filesystem::remove(path);
        std::string written;
        {
            auto writer = OpenLogOnly(pageSize);
            for (int i = 0; i < 4; ++i)
                Insert(*writer, 100000);
            written = Contents(*writer);
        }  // closing the last connection folds the log into the file
        SqliteConnection reader(path, SqliteConnection::Mode::ReadOnly);
        EXPECT_EQ(Contents(reader), written) << pageSize << "-byte pages";
        EXPECT_EQ(IntegrityCheck(reader), "ok") << pageSize << "-byte pages";
    }
}

}  // namespace
}  // namespace varnemo::testing
