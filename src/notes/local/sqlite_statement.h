#pragma once

#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace varnemo::notes::local {

class SqliteConnection;

// A prepared statement, finalized when it goes out of scope. Parameters are numbered from 1 and
// columns from 0, as in SQLite.
class SqliteStatement {
public:
    SqliteStatement(SqliteConnection& connection, const std::string& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& Bind(int index, std::string_view text);
    // Binds text without copying it: the caller keeps it unchanged until the statement has run.
    SqliteStatement& BindKept(int index, std::string_view text);
    SqliteStatement& Bind(int index, long long number);
    SqliteStatement& BindNull(int index);
    SqliteStatement& BindZeroBlob(int index, long long size);

    // Advances to the next row; false when there are no more rows.
    bool Step();
    // Runs a statement that returns no rows.
    void Run();
    // Makes the statement ready to run again with new parameters.
    void Reset();

    std::string Text(int column) const;
    long long Integer(int column) const;

private:
    SqliteConnection& connection_;
    std::string sql_;
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace varnemo::notes::local
