#include "source/com/com_members.h"

namespace varnemo::mapi::com {

std::string ComMembers::Item(long index)
{
    const auto member = members_.Item(index);
    auto name = member.GetText("Name");
    return name.empty() ? member.GetText("Address") : name;
}

}  // namespace varnemo::mapi::com
