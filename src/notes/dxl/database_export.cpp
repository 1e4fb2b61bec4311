#include "notes/dxl/database_export.h"

#include "common/errors.h"
#include "notes/dxl/document_export.h"
#include "notes/dxl/dxl_text.h"
#include "notes/dxl/dxl_vocabulary.h"
#include "notes/dxl/xml_writer.h"
#include "notes/local/database_reader.h"

#include <fmt/format.h>

namespace varnemo::notes::dxl {
namespace {

using local::DatabaseReader;

void StartDatabase(XmlWriter& xml, DatabaseReader& reader)
{
    const auto info = reader.Info();
    xml.StartElement("database");
    xml.Attribute("xmlns", kDxlNamespace);
    WriteNameAttribute(xml, "title", info.title);
    xml.Raw("\n");
    xml.StartElement("databaseinfo");
    xml.Attribute("replicaid", info.replicaId);
    xml.EndElement();
    xml.Raw("\n");
}

// Every folder, even an empty one; the documents name their folders themselves.
void WriteFolders(XmlWriter& xml, DatabaseReader& reader)
{
    for (const auto& element : reader.DesignElements()) {
        if (element.kind != local::DesignKind::Folder)
            continue;
        xml.StartElement("folder");
        WriteNameAttribute(xml, "name", element.name);
        xml.EndElement();
        xml.Raw("\n");
    }
}

}  // namespace

void ExportDatabase(const std::filesystem::path& database, std::ostream& out)
{
    try {
        DatabaseReader reader(database);
        XmlWriter xml(out);
        StartDatabase(xml, reader);
        WriteFolders(xml, reader);
        reader.ForEachDocument([&](const local::StoredDocument& document) {
            WriteDocument(xml, reader, document, reader.FoldersOf(document.unid));
        });
        xml.Finish();
    } catch (const ComponentError& error) {
        throw ComponentError(fmt::format("cannot export {} as DXL: {}", database.string(), error.what()));
    }
}

}  // namespace varnemo::notes::dxl
