#pragma once

#include "notes/local/database_reader.h"

#include <string>
#include <vector>

namespace varnemo::notes::dxl {

class XmlWriter;

// Writes one document as a <document> element: its noteinfo (UNID, creation and modification
// times), its items in their order with their types, the folders it is filed in, and each
// attachment as a $FILE item that its rich-text item refers to. Attachment bytes go from the
// store to the output in pieces. Failures name the document and the item or attachment.
void WriteDocument(XmlWriter& xml, local::DatabaseReader& reader, const local::StoredDocument& document,
                   const std::vector<std::string>& folders);

}  // namespace varnemo::notes::dxl
