#include "notes/local/sqlite_transaction.h"

#include "common/errors.h"

#include <fmt/format.h>

namespace varnemo::notes::local {

SqliteTransaction::SqliteTransaction(SqliteConnection& connection)
    : connection_(connection), withinHeldWrites_(connection.HoldingWrites())
{
    if (!withinHeldWrites_) {
        connection_.Execute("BEGIN IMMEDIATE");
        return;
    }
    // Written on its own, this would reach the file while the held writes before it are lost.
    if (!connection_.HeldWritesIntact())
        throw ComponentError(fmt::format("cannot write to the database {}: the documents saved before were lost "
                                         "when a write failed",
                                         connection_.path().string()));
    connection_.Execute("SAVEPOINT document");
}

SqliteTransaction::~SqliteTransaction()
{
    if (committed_)
        return;
    try {
        if (!withinHeldWrites_) {
            connection_.Execute("ROLLBACK");
        } else if (connection_.HeldWritesIntact()) {
            connection_.Execute("ROLLBACK TO document");
            connection_.Execute("RELEASE document");
        }
    } catch (...) {
        // SQLite may already have rolled back on its own (a full disk, an I/O error).
    }
}

void SqliteTransaction::Commit()
{
    connection_.Execute(withinHeldWrites_ ? "RELEASE document" : "COMMIT");
    committed_ = true;
}

}  // namespace varnemo::notes::local
