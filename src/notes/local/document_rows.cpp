#include "notes/local/document_rows.h"

#include "common/errors.h"
#include "notes/local/sqlite_connection.h"
#include "notes/local/sqlite_statement.h"

#include <fmt/format.h>

#include <algorithm>

namespace varnemo::notes::local {
namespace {

// Each run of an INSERT into the items table opens its cursors anew: inserting a document's items
// a row at a time spent more than the rest of the document's save. Kept small, the statements stay
// few (one text per row count) and far below SQLite's limit on parameters.
constexpr std::size_t kRowsPerInsert = 32;

std::string InsertItemsSql(std::size_t rows)
{
    std::string sql = "INSERT INTO items (document_id, position, name, type, value) VALUES (?, ?, ?, ?, ?)";
    for (std::size_t row = 1; row < rows; ++row)
        sql += ", (?, ?, ?, ?, ?)";
    return sql;
}

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
    long long position = 0;
    for (std::size_t first = 0; first < items.size(); first += kRowsPerInsert) {
        const std::size_t count = std::min(kRowsPerInsert, items.size() - first);
        SqliteStatement insert(connection, InsertItemsSql(count));
        int parameter = 1;
        for (std::size_t at = first; at < first + count; ++at) {
            const auto& [name, encoded] = items[at];
            insert.Bind(parameter, documentId).Bind(parameter + 1, position++).BindKept(parameter + 2, name);
            insert.BindKept(parameter + 3, encoded.type).BindKept(parameter + 4, encoded.value);
            parameter += 5;
        }
        insert.Run();
    }
}

}  // namespace varnemo::notes::local
