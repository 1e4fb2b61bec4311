#include "notes/local/sqlite_transaction.h"

#include "common/errors.h"
#include "notes/local/sqlite_statement.h"

#include <fmt/format.h>

namespace varnemo::notes::local {
namespace {

// Kept prepared: a conversion opens and closes a transaction or two for every document, and
// compiling these anew each time cost about a twentieth of the run.
void RunPrepared(SqliteConnection& connection, const std::string& sql)
{
    SqliteStatement(connection, sql).Run();
}

}  // namespace

SqliteTransaction::SqliteTransaction(SqliteConnection& connection)
    : connection_(connection), withinHeldWrites_(connection.HoldingWrites())
{
    if (!withinHeldWrites_) {
        RunPrepared(connection_, "BEGIN IMMEDIATE");
        return;
    }
    // Written on its own, this would reach the file while the held writes before it are lost.
    if (!connection_.HeldWritesIntact())
        throw ComponentError(fmt::format("cannot write to the database {}: the documents saved before were lost "
                                         "when a write failed",
                                         connection_.path().string()));
    RunPrepared(connection_, "SAVEPOINT document");
}

SqliteTransaction::~SqliteTransaction()
{
    if (committed_)
        return;
    try {
        if (!withinHeldWrites_) {
            RunPrepared(connection_, "ROLLBACK");
        } else if (connection_.HeldWritesIntact()) {
            RunPrepared(connection_, "ROLLBACK TO document");
            RunPrepared(connection_, "RELEASE document");
        }
    } catch (...) {
        // SQLite may already have rolled back on its own (a full disk, an I/O error).
    }
}

void SqliteTransaction::Commit()
{
    RunPrepared(connection_, withinHeldWrites_ ? "RELEASE document" : "COMMIT");
    committed_ = true;
}

}  // namespace varnemo::notes::local
