#include "notes/dxl/database_import.h"

#include "notes/dxl/document_import.h"
#include "notes/dxl/scratch_directory.h"
#include "notes/dxl/xml_reader.h"
#include "notes/local/database_importer.h"

namespace varnemo::notes::dxl {

void ImportDatabase(const std::filesystem::path& dxlFile, const std::filesystem::path& database)
{
    local::DatabaseImporter store(database);
    ScratchDirectory scratch;
    XmlReader xml(dxlFile);
    xml.ReadRoot("database");
    xml.ForEachChild([&] {
        if (xml.LocalName() == "folder") {
            store.AddFolder(xml.RequiredAttribute("name"));
            xml.SkipElement();
        } else if (xml.LocalName() == "document") {
            ImportDocument(xml, store, scratch.path());
        } else {
            xml.SkipElement();
        }
    });
}

}  // namespace varnemo::notes::dxl
