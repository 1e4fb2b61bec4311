#include "notes/local/sqlite_blob.h"

#include "notes/local/sqlite_connection.h"

#include <fmt/format.h>
#include <sqlite3.h>

namespace varnemo::notes::local {

SqliteBlob::SqliteBlob(SqliteConnection& connection, const char* table, const char* column, long long rowId,
                       Access access)
    : connection_(connection)
{
    if (sqlite3_blob_open(connection_.handle(), "main", table, column, rowId, access == Access::Write ? 1 : 0,
                          &blob_) != SQLITE_OK)
        connection_.Fail(fmt::format("opening {}.{} of row {}", table, column, rowId));
}

SqliteBlob::~SqliteBlob()
{
    sqlite3_blob_close(blob_);
}

long long SqliteBlob::size() const
{
    return sqlite3_blob_bytes(blob_);
}

void SqliteBlob::Write(const char* data, std::size_t count, long long offset)
{
    if (sqlite3_blob_write(blob_, data, static_cast<int>(count), static_cast<int>(offset)) != SQLITE_OK)
        connection_.Fail(fmt::format("writing {} bytes at offset {}", count, offset));
}

void SqliteBlob::Read(char* data, std::size_t count, long long offset)
{
    if (sqlite3_blob_read(blob_, data, static_cast<int>(count), static_cast<int>(offset)) != SQLITE_OK)
        connection_.Fail(fmt::format("reading {} bytes at offset {}", count, offset));
}

}  // namespace varnemo::notes::local
