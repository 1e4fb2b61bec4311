#pragma once

#include "notes/document_writer.h"

#include <string>

namespace varnemo {

// Writes one distribution list as a Group document, filed into "Outlook Groups", in the same
// database as the contacts. Members is one text ("'Ann' 'Bob' "), never split. Best effort.
WriteResult SaveNotesGroups(WriterContext& context, const std::string& DLName, const std::string& Members,
                            const std::string& Desc, bool SaveIt);

}  // namespace varnemo
