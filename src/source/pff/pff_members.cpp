#include "source/pff/pff_members.h"

#include "source/pff/collection_index.h"

namespace varnemo::mapi::pff {

PffMembers::PffMembers(std::vector<std::string> members, std::string list)
    : members_(std::move(members)), list_(std::move(list))
{
}

std::string PffMembers::Item(long index)
{
    return members_[ZeroBasedIndex(index, Count(), "member", list_)];
}

}  // namespace varnemo::mapi::pff
