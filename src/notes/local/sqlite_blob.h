#pragma once

#include <cstddef>

struct sqlite3_blob;

namespace varnemo::notes::local {

class SqliteConnection;

// Incremental access to one BLOB value, so that large attachments move through the database in
// pieces and never whole in memory.
class SqliteBlob {
public:
    enum class Access { Read, Write };

    SqliteBlob(SqliteConnection& connection, const char* table, const char* column, long long rowId, Access access);
    ~SqliteBlob();
    SqliteBlob(const SqliteBlob&) = delete;
    SqliteBlob& operator=(const SqliteBlob&) = delete;

    long long size() const;
    void Write(const char* data, std::size_t count, long long offset);
    void Read(char* data, std::size_t count, long long offset);

private:
    SqliteConnection& connection_;
    sqlite3_blob* blob_ = nullptr;
};

}  // namespace varnemo::notes::local
