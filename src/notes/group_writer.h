#pragma once

#include "notes/document_writer.h"

#include <string>

namespace varnemo {

// The values of one distribution list, as the group writer takes them.
struct GroupFields {
    std::string DLName;
    // One text ("'Ann' 'Bob' "), never split.
    std::string Members;
    std::string Desc;
};

// Writes one distribution list as a Group document of the address book, filed into
// "Outlook Groups". Best effort.
WriteResult WriteGroup(WriterContext& context, const TargetDatabases& target, const GroupFields& group,
                       const std::string& origin = {});

// The same, with the values one by one, into the address book that the program-wide values and
// the target window name now.
WriteResult SaveNotesGroups(WriterContext& context, const std::string& DLName, const std::string& Members,
                            const std::string& Desc, bool SaveIt);

}  // namespace varnemo
