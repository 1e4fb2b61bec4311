#pragma once

#include "notes/local/sqlite_connection.h"

namespace varnemo::notes::local {

// A write transaction that is rolled back unless Commit() is reached: a failure anywhere in
// between leaves the database as it was.
class SqliteTransaction {
public:
    // IMMEDIATE takes the write lock at once, so a busy database fails here and not halfway.
    explicit SqliteTransaction(SqliteConnection& connection) : connection_(connection)
    {
        connection_.Execute("BEGIN IMMEDIATE");
    }
    ~SqliteTransaction()
    {
        if (!committed_) {
            try {
                connection_.Execute("ROLLBACK");
            } catch (...) {
                // SQLite may already have rolled back on its own (a full disk, an I/O error).
            }
        }
    }
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    void Commit()
    {
        connection_.Execute("COMMIT");
        committed_ = true;
    }

private:
    SqliteConnection& connection_;
    bool committed_ = false;
};

}  // namespace varnemo::notes::local
