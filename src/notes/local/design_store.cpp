#include "notes/local/design_store.h"

#include "common/errors.h"
#include "notes/local/identifiers.h"
#include "notes/local/sqlite_connection.h"
#include "notes/local/sqlite_statement.h"

#include <fmt/format.h>

namespace varnemo::notes::local {

DatabaseInfo ReadDatabaseInfo(SqliteConnection& connection)
{
    SqliteStatement query(connection, "SELECT title, is_template, replica_id FROM database_info");
    if (!query.Step())
        throw ComponentError(fmt::format("the database {} has no database information", connection.path().string()));
    return {query.Text(0), query.Integer(1) != 0, query.Text(2)};
}

std::vector<DesignElement> ReadDesignElements(SqliteConnection& connection)
{
    SqliteStatement query(connection, "SELECT kind, name FROM design_elements ORDER BY id");
    std::vector<DesignElement> elements;
    while (query.Step())
        elements.push_back({DesignKindFromName(query.Text(0)), query.Text(1)});
    return elements;
}

DatabaseDesign ReadDesign(SqliteConnection& connection)
{
    const DatabaseInfo info = ReadDatabaseInfo(connection);
    return {info.title, info.isTemplate, ReadDesignElements(connection)};
}

void WriteDesign(SqliteConnection& connection, const DatabaseDesign& design)
{
    SqliteStatement info(connection,
                         "INSERT INTO database_info (singleton, title, is_template, replica_id) VALUES (1, ?, ?, ?)");
    info.Bind(1, design.title).Bind(2, design.isTemplate ? 1LL : 0LL).Bind(3, NewReplicaId()).Run();

    SqliteStatement element(connection, "INSERT INTO design_elements (kind, name) VALUES (?, ?)");
    for (const auto& [kind, name] : design.elements) {
        element.Bind(1, DesignKindName(kind)).Bind(2, name).Run();
        element.Reset();
    }
}

}  // namespace varnemo::notes::local
