#include "source/pff/pff_attachment.h"

#include "common/errors.h"
#include "source/pff/collection_index.h"
#include "source/pff/eml_writer.h"
#include "source/pff/pff_item.h"
#include "source/pff/property_tags.h"
#include "source/pff/recurrence_exception.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <string_view>

namespace varnemo::mapi::pff {
namespace {

// Stands in for the name of an embedded item that has neither a name nor a subject.
constexpr std::string_view UnnamedMessage = "Attached message";

// The ways of attaching (PidTagAttachMethod) that keep only a pointer to the file: by reference
// (2, 3, 4: a path) and by web reference (7: a cloud attachment's address).
bool IsLinkMethod(std::int64_t method)
{
    return (method >= 2 && method <= 4) || method == 7;
}

// Where a link points (empty when it does not say), when the data file holds no bytes for it.
std::optional<std::string> LinkWithoutBytes(const PropertyBag& properties)
{
    const auto method = properties.Integer(PropertyKey::Tag(tag::AttachMethod));
    if (!method || !IsLinkMethod(*method) || properties.Has(PropertyKey::Tag(tag::AttachDataBinary)))
        return std::nullopt;
    for (const auto id : {tag::AttachLongPathname, tag::AttachPathname}) {
        if (auto target = properties.Text(PropertyKey::Tag(id)); target && !target->empty())
            return target;
    }
    return std::string();
}

// end is in lower case.
bool EndsWithNoCase(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() &&
           std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char lower, char c) { return lower == std::tolower(static_cast<unsigned char>(c)); });
}

// The name of the message file an embedded item is saved as: path separators and control
// characters cannot stay, and the name tells what the file is (an Outlook ".msg" name would not).
std::string MessageFileName(std::string name)
{
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '/' || c == '\\' || (c >= 0 && c < ' '); }, '_');
    if (EndsWithNoCase(name, ".eml"))
        return name;
    if (EndsWithNoCase(name, ".msg"))
        name.resize(name.size() - 4);
    return name + ".eml";
}

}  // namespace

PffAttachment::PffAttachment(ItemNode node, std::string where)
    : node_(std::move(node)),
      properties_(node_.source->Properties(std::move(where))),
      link_(LinkWithoutBytes(properties_)),
      // libpff refuses to tell the kind of a web link.
      embedded_(!link_ && node_.source->HoldsItem(properties_.where()))
{
}

std::string PffAttachment::StoredFileName() const
{
    for (const auto id : {tag::AttachLongFilename, tag::AttachFilename, tag::DisplayName}) {
        if (auto name = properties_.Text(PropertyKey::Tag(id)); name && !name->empty())
            return *name;
    }
    return {};
}

std::string PffAttachment::MimeType() const
{
    auto type = properties_.Text(PropertyKey::Tag(tag::AttachMimeTag)).value_or("");
    return type.find('/') == std::string::npos ? "application/octet-stream" : type;
}

std::unique_ptr<PffItem> PffAttachment::EmbeddedItem() const
{
    return std::make_unique<PffItem>(ItemNode{node_.file, node_.source->EmbeddedItem(properties_.where())},
                                     "item embedded in " + properties_.where());
}

std::string PffAttachment::FileName()
{
    if (!embedded_)
        return StoredFileName();
    // The name the user gave the attachment, as Outlook shows it; the inner subject only when
    // the attachment has none.
    auto name = StoredFileName();
    if (name.empty())
        name = EmbeddedItem()->Subject();
    return MessageFileName(name.empty() ? std::string(UnnamedMessage) : name);
}

void PffAttachment::ReadData(const ByteSink& sink) const
{
    node_.source->ReadData(sink, properties_.where());
}

void PffAttachment::SaveAsFile(const std::filesystem::path& path)
{
    // An empty file under the linked file's name would pass for the file.
    if (link_)
        throw ComponentError(fmt::format("it is a link to {}, and the data file holds no copy of the file",
                                         link_->empty() ? "a file whose place it does not give" : *link_));
    if (embedded_) {
        WriteMessageFile(*EmbeddedItem(), StoredFileName(), path);
        return;
    }
    WriteFileThrough(path, properties_.where(), [&](const ByteSink& sink) { ReadData(sink); });
}

PffAttachments::PffAttachments(ItemNode message, std::string where, bool recurringSeries)
    : message_(std::move(message)), where_(std::move(where))
{
    const int rows = message_.source->AttachmentCount(where_);
    for (int at = 0; at < rows; ++at) {
        // Only a recurring series has attachments to leave out; the others need no reading.
        if (!recurringSeries || IsUsersAttachment(at))
            shown_.push_back(at);
    }
}

bool PffAttachments::IsUsersAttachment(int at) const
{
    try {
        return !IsRecurrenceException(Open(at, at + 1)->properties());
    } catch (const ComponentError&) {
        // An attachment that cannot be read stays, so that saving it reports what is wrong.
        return true;
    }
}

std::unique_ptr<PffAttachment> PffAttachments::Attachment(long index) const
{
    const auto at = ZeroBasedIndex(index, static_cast<long>(shown_.size()), "attachment", where_);
    return Open(shown_[static_cast<size_t>(at)], index);
}

std::unique_ptr<PffAttachment> PffAttachments::Open(int at, long index) const
{
    auto where = fmt::format("attachment {} of {}", index, where_);
    return std::make_unique<PffAttachment>(ItemNode{message_.file, message_.source->Attachment(at, where_)},
                                           std::move(where));
}

}  // namespace varnemo::mapi::pff
