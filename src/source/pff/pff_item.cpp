#include "source/pff/pff_item.h"

#include "source/pff/entry_ids.h"
#include "source/pff/file_time.h"
#include "source/pff/item_body.h"
#include "source/pff/item_fields.h"
#include "source/pff/one_off_entry_id.h"
#include "source/pff/pff_attachment.h"
#include "source/pff/pff_members.h"
#include "source/pff/property_tags.h"
#include "source/pff/recurrence_exception.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <algorithm>
#include <cctype>

namespace varnemo::mapi::pff {
namespace {

std::string Joined(const std::vector<std::string>& values)
{
    return fmt::format("{}", fmt::join(values, ", "));
}

// A stored subject may start with a marker: 0x01, then a character giving the length of its
// prefix ("RE: "). The marker is not part of the subject users see.
std::string WithoutSubjectMarker(std::string subject)
{
    if (subject.size() >= 2 && subject[0] == '\x01')
        subject.erase(0, 2);
    return subject;
}

bool IsDistributionList(const std::string& messageClass)
{
    constexpr std::string_view ListClass = "IPM.DistList";
    return messageClass.size() >= ListClass.size() &&
           std::equal(ListClass.begin(), ListClass.end(), messageClass.begin(),
                      [](char a, char b) { return std::tolower(a) == std::tolower(b); });
}

}  // namespace

PffItem::PffItem(ItemNode node, std::string where)
    : node_(std::move(node)), properties_(node_.source->Properties(std::move(where)))
{
}

std::string PffItem::EntryID()
{
    return ToText(FolderEntryId{node_.file->recordKey(), node_.source->NodeId()});
}

std::string PffItem::Text(TextField field)
{
    if (field == TextField::Body)
        return BodyText(*node_.source, properties_);
    if (field == TextField::Subject)
        return WithoutSubjectMarker(properties_.Text(PropertyKey::Tag(tag::Subject)).value_or(""));
    const auto sources = SourcesOf(field);
    for (const auto& key : sources.keys) {
        auto value = sources.multiValued ? Joined(properties_.TextList(key)) : properties_.Text(key).value_or("");
        if (!value.empty())
            return value;
    }
    return {};
}

std::optional<std::uint64_t> PffItem::FirstFileTime(DateField field) const
{
    for (const auto& key : SourcesOf(field).keys) {
        if (const auto time = properties_.FileTime(key); time && UnixTimeOf(*time))
            return time;
    }
    return std::nullopt;
}

DateTime PffItem::Date(DateField field)
{
    const auto time = FirstFileTime(field);
    if (!time)
        return {};
    switch (SourcesOf(field).reading) {
    case DateReading::StoredDate: return StoredDateOf(*time);
    case DateReading::CalendarDate: return StoredDateOf(*time).DatePart();
    case DateReading::Instant: break;
    }
    return LocalTimeOf(*time);
}

std::optional<std::time_t> PffItem::MessageInstant() const
{
    const auto time = FirstFileTime(DateField::MessageDate);
    return time ? UnixTimeOf(*time) : std::nullopt;
}

long PffItem::Importance()
{
    constexpr long Normal = 1;
    return static_cast<long>(properties_.Integer(PropertyKey::Tag(tag::Importance)).value_or(Normal));
}

RecurrenceData PffItem::Recurrence()
{
    if (!IsRecurringSeries(properties_))
        return {};
    return {properties_.Bytes(named::AppointmentRecur).value_or(""), properties_.Bytes(named::TimeZoneStruct).value_or("")};
}

std::unique_ptr<PffAttachments> PffItem::Attachments() const
{
    return std::make_unique<PffAttachments>(node_, properties_.where(), IsRecurringSeries(properties_));
}

std::unique_ptr<mapi::Attachments> PffItem::GetAttachments()
{
    return Attachments();
}

std::unique_ptr<mapi::Members> PffItem::GetMembers()
{
    const auto messageClass = Text(TextField::MessageClass);
    if (!IsDistributionList(messageClass))
        throw ComponentError(fmt::format("{} is not a distribution list (message class \"{}\")",
                                         properties_.where(), messageClass));
    return std::make_unique<PffMembers>(properties_.BytesList(named::DistributionListOneOffMembers),
                                        properties_.charset(), properties_.where());
}

std::vector<std::string> PffItem::LeftOut()
{
    if (properties_.leftOut().empty())
        return {};
    return {properties_.leftOut()};
}

}  // namespace varnemo::mapi::pff
