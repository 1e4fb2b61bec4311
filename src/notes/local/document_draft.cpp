#include "notes/local/document_draft.h"

#include "common/errors.h"
#include "notes/local/identifiers.h"

#include <algorithm>
#include <fmt/format.h>
#include <strings.h>

namespace varnemo::notes::local {
namespace {

bool SameNameIgnoringCase(const std::string& left, const std::string& right)
{
    return strcasecmp(left.c_str(), right.c_str()) == 0;
}

// "report.pdf", 2 gives "report-2.pdf"; a name without an extension gets the number at its end.
std::string NumberedName(const std::string& fileName, int number)
{
    const auto dot = fileName.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot != 0;
    const std::string stem = hasExtension ? fileName.substr(0, dot) : fileName;
    const std::string extension = hasExtension ? fileName.substr(dot) : std::string();
    return fmt::format("{}-{}{}", stem, number, extension);
}

}  // namespace

bool DocumentDraft::CaseInsensitiveLess::operator()(const std::string& left, const std::string& right) const
{
    return strcasecmp(left.c_str(), right.c_str()) < 0;
}

DocumentDraft::DocumentDraft() : unid_(NewUniversalId()), created_(DateTime::Now()) {}

void DocumentDraft::SetItem(const std::string& name, EncodedItem encoded)
{
    if (name.empty())
        throw ComponentError(fmt::format("document {}: an item needs a name", unid_));
    const auto existing =
        std::ranges::find_if(items_, [&](const DraftItem& item) { return SameNameIgnoringCase(item.name, name); });
    if (existing != items_.end())
        existing->encoded = std::move(encoded);
    else
        items_.push_back({name, std::move(encoded)});
}

std::string DocumentDraft::TakeAttachmentName(const std::string& fileName)
{
    std::string name = fileName;
    for (int number = 2; attachmentNames_.contains(name); ++number)
        name = NumberedName(fileName, number);
    attachmentNames_.insert(name);
    return name;
}

}  // namespace varnemo::notes::local
