#include "notes/dxl/database_import.h"

#include "common/errors.h"
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
            const std::string name = xml.RequiredAttribute("name");
            try {
                store.AddFolder(name);
            } catch (const ComponentError& error) {
                xml.Fail(error.what());  // adds the place in the DXL file
            }
            xml.SkipElement();
        } else if (xml.LocalName() == "document") {
            ImportDocument(xml, store, scratch.path());
        } else {
            xml.SkipElement();
        }
    });
}

}  // namespace varnemo::notes::dxl
