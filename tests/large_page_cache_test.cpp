// SQLite's cached pages come from one arena of large pages; stores that together outgrow the arena
// go on in memory SQLite allocates itself, and keep what they write.
#include "notes/local/large_page_cache.h"
#include "notes/local/sqlite_connection.h"
#include "notes/local/sqlite_statement.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace varnemo::testing {
namespace {

using notes::local::SqliteConnection;
using notes::local::SqliteStatement;

// Printable, so that it goes through a text column unchanged, and different on every page.
std::string Pattern(std::size_t size, unsigned seed)
{
    std::string text(size, ' ');
    for (std::size_t i = 0; i < size; ++i)
        text[i] = static_cast<char>('a' + (i * 2654435761u + seed) % 26);
    return text;
}

std::string Stored(const std::filesystem::path& path)
{
    SqliteConnection connection(path, SqliteConnection::Mode::ReadOnly);
    SqliteStatement query(connection, "SELECT content FROM texts");
    EXPECT_TRUE(query.Step());
    return query.Text(0);
}

TEST(LargePageCache, StoresThatOutgrowTheArenaTogetherKeepWhatTheyWrite)
{
    TempDir directory;
    // Two stores' worth is more than the arena, which holds two stores' caches.
    constexpr std::size_t kContentBytes = notes::local::kStoreCacheBytes + 4096;
    std::vector<std::filesystem::path> paths{directory.path() / "first.db", directory.path() / "second.db"};
    std::vector<std::unique_ptr<SqliteConnection>> connections;
    for (const auto& path : paths)
        connections.push_back(std::make_unique<SqliteConnection>(path, SqliteConnection::Mode::Create));
    ASSERT_TRUE(notes::local::UseLargePagesForPageCache())
        << "SQLite was initialized before a connection could hand it the arena";

    for (unsigned i = 0; i < connections.size(); ++i) {
        auto& connection = *connections[i];
        connection.Execute("PRAGMA journal_mode = WAL");
        connection.Execute("PRAGMA cache_size = -" + std::to_string(2 * notes::local::kStoreCacheBytes / 1024));
        connection.Execute("CREATE TABLE texts (content TEXT)");
        connection.Execute("BEGIN IMMEDIATE");  // every page stays in the cache until the commit
        SqliteStatement insert(connection, "INSERT INTO texts (content) VALUES (?)");
        insert.Bind(1, Pattern(kContentBytes, i)).Run();
        if (i == 0) {
            EXPECT_GE(notes::local::PageCacheBytesInLargePages(), kContentBytes) << "the first store's pages";
        }
    }
    for (auto& connection : connections)
        connection->Execute("COMMIT");
    connections.clear();

    for (unsigned i = 0; i < paths.size(); ++i)
        EXPECT_EQ(Stored(paths[i]), Pattern(kContentBytes, i)) << paths[i];
}

}  // namespace
}  // namespace varnemo::testing
