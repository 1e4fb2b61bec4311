#pragma once

#include "notes/local/database_design.h"

#include <vector>

namespace varnemo::notes::local {

class SqliteConnection;

DatabaseInfo ReadDatabaseInfo(SqliteConnection& connection);
std::vector<DesignElement> ReadDesignElements(SqliteConnection& connection);
DatabaseDesign ReadDesign(SqliteConnection& connection);

// Writes the design into an empty store and gives it a new replica id.
void WriteDesign(SqliteConnection& connection, const DatabaseDesign& design);

}  // namespace varnemo::notes::local
