#pragma once

#include <filesystem>

namespace varnemo::notes::local {
class DatabaseImporter;
}

namespace varnemo::notes::dxl {

class XmlReader;

// Reads the <document> element that the reader is on, as WriteDocument writes it, and writes
// the document into the store: UNID, times, items with their types, attachments (their bytes
// pass through a file in scratch) and folders. Leaves the reader on the end of the element.
void ImportDocument(XmlReader& xml, local::DatabaseImporter& store, const std::filesystem::path& scratch);

}  // namespace varnemo::notes::dxl
