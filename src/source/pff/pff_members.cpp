#include "source/pff/pff_members.h"

#include "source/pff/collection_index.h"
#include "source/pff/one_off_entry_id.h"

#include <fmt/format.h>

namespace varnemo::mapi::pff {

PffMembers::PffMembers(std::vector<std::string> entryIds, std::string charset, std::string list)
    : entryIds_(std::move(entryIds)), charset_(std::move(charset)), list_(std::move(list))
{
}

std::string PffMembers::Item(long index)
{
    const auto member = ParseOneOffEntryId(entryIds_[ZeroBasedIndex(index, Count(), "member", list_)], charset_);
    if (!member)
        throw ComponentError(
            fmt::format("member {} of the distribution list {} is not a one-off entry id", index, list_));
    return member->displayName.empty() ? member->address : member->displayName;
}

}  // namespace varnemo::mapi::pff
