#pragma once

#include <cstdint>

namespace varnemo::notes::local {

class SqliteConnection;

// PRAGMA application_id of every store file: "VNMO" in ASCII. It tells our files from the
// SQLite files of other programs before anything opens them.
inline constexpr std::uint32_t kStoreApplicationId = 0x564E4D4F;

// PRAGMA user_version: the layout of the tables below. A file with a higher number was written
// by a newer program and is refused rather than misread. Version 2 added date-time lists.
inline constexpr std::uint32_t kStoreSchemaVersion = 2;

// Creates the tables of an empty store and stamps it with the application id and version.
void CreateSchema(SqliteConnection& connection);

// Brings the tables of a store written by an earlier version to this layout.
void UpgradeSchema(SqliteConnection& connection);

}  // namespace varnemo::notes::local
