#include "notes/group_writer.h"

#include "notes/contact_writer.h"

namespace varnemo {

WriteResult SaveNotesGroups(WriterContext& context, const std::string& DLName, const std::string& Members,
                            const std::string& Desc, bool /*SaveIt: accepted, never read*/)
{
    DocumentPlan plan;
    plan.databasePath = AddressBookPath(context);
    plan.items = {
        {"Form", std::string("Group")},
        {"ListName", DLName},
        {"ListDescription", Desc},
        {"Members", Members},
        {"Type", std::string("Group")},
    };
    plan.folderName = "Outlook Groups";
    plan.failureMode = FailureMode::BestEffort;
    return WriteDocument(context, plan);
}

}  // namespace varnemo
