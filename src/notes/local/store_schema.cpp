#include "notes/local/store_schema.h"

#include "notes/local/sqlite_connection.h"
#include "notes/local/sqlite_transaction.h"

#include <fmt/format.h>

namespace varnemo::notes::local {
namespace {

// Names compare without regard to case, as Notes compares item, form, view and folder names.
// Dates are in the ISO form of DateTime::ToIso(); full ones written by earlier versions have no
// offset from UTC and are local wall-clock times.
constexpr const char* kTables = R"sql(
CREATE TABLE database_info (
    singleton   INTEGER PRIMARY KEY CHECK (singleton = 1),
    title       TEXT NOT NULL,
    is_template INTEGER NOT NULL CHECK (is_template IN (0, 1)),
    replica_id  TEXT NOT NULL CHECK (length(replica_id) = 16)
);

-- Folder names keep "\" between their levels ("Projects\2024\Q1").
CREATE TABLE design_elements (
    id   INTEGER PRIMARY KEY,
    kind TEXT NOT NULL CHECK (kind IN ('form', 'view', 'folder')),
    name TEXT NOT NULL COLLATE NOCASE CHECK (name <> '')
);
-- Views and folders share one name space in Notes; forms have their own.
CREATE UNIQUE INDEX design_element_names ON design_elements (kind = 'form', name);

CREATE TABLE documents (
    id       INTEGER PRIMARY KEY,
    unid     TEXT NOT NULL UNIQUE CHECK (length(unid) = 32 AND unid NOT GLOB '*[^0-9A-F]*'),
    created  TEXT NOT NULL,
    modified TEXT NOT NULL
);

-- An attachment belongs either to a saved document or, while its document is still being
-- written, is staged for that document's UNID; staged rows left by a crash are removed when
-- the store is next opened. object_name is unique within a document; file_name is the name
-- the file had.
CREATE TABLE attachments (
    id          INTEGER PRIMARY KEY,
    document_id INTEGER REFERENCES documents (id) ON DELETE CASCADE,
    staged_for  TEXT,
    item_name   TEXT NOT NULL COLLATE NOCASE,
    file_name   TEXT NOT NULL,
    object_name TEXT NOT NULL,
    CHECK ((document_id IS NULL) <> (staged_for IS NULL))
);
CREATE UNIQUE INDEX attachment_object_names ON attachments (document_id, object_name)
    WHERE document_id IS NOT NULL;
CREATE INDEX staged_attachments ON attachments (staged_for) WHERE staged_for IS NOT NULL;

-- The bytes live apart from the attachment's row: SQLite rewrites a whole row on UPDATE, and
-- a Save that claims a staged attachment must not copy its bytes again.
CREATE TABLE attachment_contents (
    attachment_id INTEGER PRIMARY KEY REFERENCES attachments (id) ON DELETE CASCADE,
    content       BLOB NOT NULL
);

CREATE TABLE folder_entries (
    folder_id   INTEGER NOT NULL REFERENCES design_elements (id) ON DELETE CASCADE,
    document_id INTEGER NOT NULL REFERENCES documents (id) ON DELETE CASCADE,
    PRIMARY KEY (folder_id, document_id)
) WITHOUT ROWID;
CREATE INDEX folder_entries_by_document ON folder_entries (document_id);
)sql";

// value: the text; a JSON array for a text list; the ISO form for a date-time, a JSON array of
// them for a date-time list; '' for rich text. Version 1 knew no date-time lists.
// The type's CHECK compares with each name in turn: written as IN (...), SQLite builds a table of
// the names for every row it checks, more than half of inserting the row. Stores made before
// keep that form; both accept the same rows.
std::string ItemsTable(std::string_view name)
{
    return fmt::format(R"sql(
CREATE TABLE {} (
    document_id INTEGER NOT NULL REFERENCES documents (id) ON DELETE CASCADE,
    position    INTEGER NOT NULL,
    name        TEXT NOT NULL COLLATE NOCASE CHECK (name <> ''),
    type        TEXT NOT NULL CHECK (type = 'text' OR type = 'textlist' OR type = 'datetime' OR
                                     type = 'datetimelist' OR type = 'richtext'),
    value       TEXT NOT NULL,
    PRIMARY KEY (document_id, position),
    UNIQUE (document_id, name)
) WITHOUT ROWID;
)sql",
                       name);
}

void StampVersion(SqliteConnection& connection)
{
    connection.Execute(fmt::format("PRAGMA user_version = {}", kStoreSchemaVersion));
}

}  // namespace

void CreateSchema(SqliteConnection& connection)
{
    connection.Execute(kTables);
    connection.Execute(ItemsTable("items"));
    connection.Execute(fmt::format("PRAGMA application_id = {}", static_cast<std::int32_t>(kStoreApplicationId)));
    StampVersion(connection);
}

void UpgradeSchema(SqliteConnection& connection)
{
    if (connection.PragmaInteger("user_version") >= static_cast<long long>(kStoreSchemaVersion))
        return;
    // SQLite cannot change a CHECK in place: the items move into a table with the new one.
    SqliteTransaction transaction(connection);
    connection.Execute(ItemsTable("items_upgraded"));
    connection.Execute("INSERT INTO items_upgraded SELECT * FROM items");
    connection.Execute("DROP TABLE items");
    connection.Execute("ALTER TABLE items_upgraded RENAME TO items");
    StampVersion(connection);
    transaction.Commit();
}

}  // namespace varnemo::notes::local
