#pragma once

#include <filesystem>

namespace varnemo::notes::dxl {

// Reads a DXL file as ExportDatabase writes it, node by node, into an existing database of the
// local store: its folders, and its documents with their UNIDs, times, items and types,
// attachments and folder entries. The database keeps its own title, replica id and design.
// Each document is written whole or not at all; a failure (ComponentError, naming the file,
// the line and the document) stops the import after the documents written so far.
void ImportDatabase(const std::filesystem::path& dxlFile, const std::filesystem::path& database);

}  // namespace varnemo::notes::dxl
