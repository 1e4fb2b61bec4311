#include "source/store_entry.h"

#include "common/errors.h"
#include "common/text.h"

namespace varnemo {
namespace {

constexpr size_t kGapWidth = 300;

}  // namespace

std::string StoreEntryText(const std::string& displayName, const std::string& entryId)
{
    return displayName + std::string(kGapWidth, ' ') + "#" + entryId;
}

std::string StoreIdOfEntry(const std::string& entryText)
{
    const auto separator = entryText.rfind('#');
    return separator == std::string::npos ? std::string() : entryText.substr(separator + 1);
}

std::string RequiredStoreIdOfEntry(const std::string& entryText)
{
    std::string entryId = TrimBlanks(StoreIdOfEntry(entryText));
    if (entryId.empty())
        throw ComponentError("the store entry \"" + DisplayNameOfEntry(entryText) + "\" names no store identifier");
    return entryId;
}

std::string DisplayNameOfEntry(const std::string& entryText)
{
    const auto gap = entryText.rfind(std::string(kGapWidth, ' ') + "#");
    return gap == std::string::npos ? entryText : entryText.substr(0, gap);
}

}  // namespace varnemo
