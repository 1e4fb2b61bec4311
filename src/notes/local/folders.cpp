#include "notes/local/folders.h"

#include "common/errors.h"
#include "notes/local/sqlite_connection.h"
#include "notes/local/sqlite_statement.h"

#include <fmt/format.h>
#include <optional>
#include <vector>

namespace varnemo::notes::local {
namespace {

constexpr char kLevelSeparator = '\\';

// "A\B\C" gives "A", "A\B", "A\B\C": the folder and the folders above it, outermost first.
std::vector<std::string> FolderAndAncestors(const std::string& folderName, const SqliteConnection& connection)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = folderName.find(kLevelSeparator, start);
        if (end == start || start == folderName.size())
            throw ComponentError(fmt::format("database {}: the folder name \"{}\" has an empty level",
                                             connection.path().string(), folderName));
        if (end == std::string::npos)
            break;
        names.push_back(folderName.substr(0, end));
        start = end + 1;
    }
    names.push_back(folderName);
    return names;
}

struct ExistingElement {
    long long id;
    std::string kind;
};

std::optional<ExistingElement> FindViewOrFolder(SqliteConnection& connection, const std::string& name)
{
    // Spelled as the index on names is, so that SQLite searches it instead of reading every row.
    SqliteStatement query(connection,
                          "SELECT id, kind FROM design_elements WHERE (kind = 'form') = 0 AND name = ?");
    query.Bind(1, name);
    if (!query.Step())
        return std::nullopt;
    return ExistingElement{query.Integer(0), query.Text(1)};
}

long long EnsureOneFolder(SqliteConnection& connection, const std::string& name)
{
    if (const auto existing = FindViewOrFolder(connection, name)) {
        if (existing->kind != "folder")
            throw ComponentError(fmt::format("database {}: cannot use \"{}\" as a folder, it is a {}",
                                             connection.path().string(), name, existing->kind));
        return existing->id;
    }
    SqliteStatement insert(connection, "INSERT INTO design_elements (kind, name) VALUES ('folder', ?)");
    insert.Bind(1, name).Run();
    return connection.LastInsertRowId();
}

}  // namespace

long long EnsureFolder(SqliteConnection& connection, const std::string& folderName)
{
    long long id = 0;
    for (const auto& name : FolderAndAncestors(folderName, connection))
        id = EnsureOneFolder(connection, name);
    return id;
}

void FileDocument(SqliteConnection& connection, const std::string& folderName, long long documentId)
{
    const long long folderId = EnsureFolder(connection, folderName);
    SqliteStatement file(connection, "INSERT OR IGNORE INTO folder_entries (folder_id, document_id) VALUES (?, ?)");
    file.Bind(1, folderId).Bind(2, documentId).Run();
}

}  // namespace varnemo::notes::local
