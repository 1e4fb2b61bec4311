#include "notes/group_writer.h"


namespace varnemo {

WriteResult SaveNotesGroups(WriterContext& context, const std::string& DLName, const std::string& Members,
                            const std::string& Desc, bool /*SaveIt: accepted, never read*/)
{
    ItemList items = {
        {"Form", std::string("Group")},
        {"ListName", DLName},
        {"ListDescription", Desc},
        {"Members", Members},
        {"Type", std::string("Group")},
    };
    auto plan = AddressBookPlan(context, std::move(items), "Outlook Groups");
    return WriteDocument(context, plan);
}

}  // namespace varnemo
