#include "notes/local/document_rows.h"

#include "common/errors.h"
#include "notes/local/sqlite_connection.h"
#include "notes/local/sqlite_statement.h"

#include <fmt/format.h>

namespace varnemo::notes::local {
namespace {

bool HasDocument(SqliteConnection& connection, const std::string& unid)
{
    SqliteStatement query(connection, "SELECT 1 FROM documents WHERE unid = ?");
    return query.Bind(1, unid).Step();
}

}  // namespace

long long InsertDocumentRow(SqliteConnection& connection, const std::string& unid, const DateTime& created,
                            const DateTime& modified)
{
    // Asked first so that the message says what is wrong instead of naming a SQLite constraint.
    if (HasDocument(connection, unid))
        throw ComponentError(fmt::format("the database {} already has a document with the UNID {}",
                                         connection.path().string(), unid));
    SqliteStatement insert(connection, "INSERT INTO documents (unid, created, modified) VALUES (?, ?, ?)");
    insert.Bind(1, unid).Bind(2, created.ToIso()).Bind(3, modified.ToIso()).Run();
    return connection.LastInsertRowId();
}

void InsertItemRows(SqliteConnection& connection, long long documentId, const std::vector<DraftItem>& items)
{
    SqliteStatement insert(connection,
                           "INSERT INTO items (document_id, position, name, type, value) VALUES (?, ?, ?, ?, ?)");
    long long position = 0;
    for (const auto& [name, encoded] : items) {
        insert.Bind(1, documentId).Bind(2, position++).Bind(3, name).Bind(4, encoded.type).Bind(5, encoded.value);
        insert.Run();
        insert.Reset();
    }
}

}  // namespace varnemo::notes::local
