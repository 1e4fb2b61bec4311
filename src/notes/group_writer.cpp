#include "notes/group_writer.h"

namespace varnemo {
namespace {

using Rule = ItemRule<GroupFields>;

const std::vector<Rule> kGroupItems = {
    Fixed<GroupFields>("Form", "Group"),
    Field("ListName", &GroupFields::DLName),
    Field("ListDescription", &GroupFields::Desc),
    Field("Members", &GroupFields::Members),
    Fixed<GroupFields>("Type", "Group"),
};

}  // namespace

WriteResult WriteGroup(WriterContext& context, const TargetDatabases& target, const GroupFields& group,
                       const std::string& origin)
{
    auto plan = AddressBookPlan(target, ItemsByRules(kGroupItems, group, context.state), "Outlook Groups");
    plan.origin = origin;
    return WriteDocument(context, plan);
}

WriteResult SaveNotesGroups(WriterContext& context, const std::string& DLName, const std::string& Members,
                            const std::string& Desc, bool /*SaveIt: accepted, never read*/)
{
    return WriteGroup(context, CurrentTargetDatabases(context), GroupFields{DLName, Members, Desc});
}

}  // namespace varnemo
