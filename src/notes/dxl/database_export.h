#pragma once

#include <filesystem>
#include <iosfwd>

namespace varnemo::notes::dxl {

// Writes the whole database of the local store as one DXL document: the database element with
// its title and replica id, a folder design note for each folder, and every document. It is
// written as it is read, one document and one piece of an attachment at a time, so memory
// stays flat however large the database is. Fails (ComponentError) naming the database and
// what could not be written; out then holds an incomplete document.
void ExportDatabase(const std::filesystem::path& database, std::ostream& out);

}  // namespace varnemo::notes::dxl
