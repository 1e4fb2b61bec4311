#pragma once

#include <string>

namespace varnemo::notes::local {

class SqliteConnection;

// The id of the folder named folderName ("Projects\2024"), creating it and every missing folder
// above it. Fails on an empty level ("A\\B", "\A") and on a name that belongs to a view.
long long EnsureFolder(SqliteConnection& connection, const std::string& folderName);

// Files the stored document into the folder, creating the folder as EnsureFolder does; filing
// it again changes nothing.
void FileDocument(SqliteConnection& connection, const std::string& folderName, long long documentId);

}  // namespace varnemo::notes::local
