#pragma once

#include "notes/local/sqlite_connection.h"

namespace varnemo::notes::local {

// A write transaction that is rolled back unless Commit() is reached: a failure anywhere in
// between leaves the database as it was. Within writes the connection holds (HoldWrites) it is a
// savepoint of the held transaction, committed with it.
class SqliteTransaction {
public:
    // IMMEDIATE takes the write lock at once, so a busy database fails here and not halfway.
    explicit SqliteTransaction(SqliteConnection& connection);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    void Commit();

private:
    SqliteConnection& connection_;
    const bool withinHeldWrites_;
    bool committed_ = false;
};

}  // namespace varnemo::notes::local
