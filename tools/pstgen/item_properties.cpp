#include "item_properties.h"

#include "contact_fields.h"
#include "format_constants.h"

#include <fmt/format.h>

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace pstgen {

namespace {

constexpr std::uint32_t kMessageRead = 0x01;
constexpr std::uint32_t kMessageHasAttachments = 0x10;
constexpr std::uint32_t kAttachByValue = 1;
constexpr std::uint32_t kAttachByReference = 2;
constexpr std::uint32_t kAttachEmbeddedMessage = 5;
constexpr std::uint32_t kAttachByWebReference = 7;
constexpr std::uint32_t kMailUserObject = 6;
constexpr std::uint32_t kUtf8CodePage = 65001;
constexpr std::uint8_t kOneOffProvider[16] = {0x81, 0x2B, 0x1F, 0xA4, 0xBE, 0xA3, 0x10, 0x19,
                                              0x9D, 0x6E, 0x00, 0xDD, 0x01, 0x0F, 0x54, 0x02};
constexpr std::uint16_t kOneOffUnicode = 0x8000;

std::string DisplayLine(const Item& item, RecipientType type)
{
    std::string line;
    for (const auto& recipient : item.recipients) {
        if (recipient.type != type)
            continue;
        if (!line.empty())
            line += "; ";
        line += recipient.who.name.empty() ? recipient.who.address : recipient.who.name;
    }
    return line;
}

void SetIfPresent(PropertyList& properties, std::uint16_t id, const std::optional<FileTime>& time)
{
    if (time)
        properties.Set(id, TimeValue(*time));
}

void SetIfNotEmpty(PropertyList& properties, std::uint16_t id, const std::string& text)
{
    if (!text.empty())
        properties.Set(id, StringValue(text));
}

void SetMessageValues(const Item& item, PropertyList& properties)
{
    properties.Set(0x001A, StringValue(item.messageClass.empty() ? DefaultMessageClass(item.kind) : item.messageClass));
    properties.Set(0x0037, StringValue(item.subject));
    properties.Set(0x0E1D, StringValue(item.subject));
    SetIfNotEmpty(properties, 0x1000, item.body);
    SetIfNotEmpty(properties, 0x1035, item.messageId);
    if (!item.html.empty()) {
        properties.Set(0x1013, BinaryValue(Bytes(item.html.begin(), item.html.end())));
        properties.Set(0x3FDE, Int32Value(kUtf8CodePage));
    }
    SetIfNotEmpty(properties, 0x0C1A, item.sender.name);
    SetIfNotEmpty(properties, 0x0042, item.sender.name);
    if (!item.sender.address.empty()) {
        properties.Set(0x0C1F, StringValue(item.sender.address));
        properties.Set(0x0065, StringValue(item.sender.address));
        properties.Set(0x0C1E, StringValue("SMTP"));
        properties.Set(0x0064, StringValue("SMTP"));
    }
    properties.Set(0x0E04, StringValue(DisplayLine(item, RecipientType::To)));
    properties.Set(0x0E03, StringValue(DisplayLine(item, RecipientType::Cc)));
    properties.Set(0x0E02, StringValue(DisplayLine(item, RecipientType::Bcc)));
    SetIfPresent(properties, 0x0E06, item.delivered);
    SetIfPresent(properties, 0x0039, item.submitted);
    SetIfPresent(properties, 0x3007, item.created);
    SetIfPresent(properties, 0x3008, item.created ? item.created : item.delivered);
    properties.Set(0x0017, Int32Value(item.importance));
    properties.Set(0x0E07, Int32Value(kMessageRead | (item.attachments.empty() ? 0 : kMessageHasAttachments)));
}

void SetNamedValues(const Item& item, NameToIdMap& names, PropertyList& properties)
{
    auto lid = [&](const Guid& set, std::uint32_t id) { return names.IdOf({set, id, {}}); };
    if (!item.categories.empty())
        properties.Set(names.IdOf({property_set::kPublicStrings, 0, "Keywords"}), MultiStringValue(item.categories));
    if (item.reminder) {
        properties.Set(lid(property_set::kCommon, 0x8502), TimeValue(*item.reminder));
        properties.Set(lid(property_set::kCommon, 0x8503), BoolValue(true));
    }
    if (item.kind == ItemKind::Appointment) {
        if (item.start)
            properties.Set(lid(property_set::kAppointment, 0x820D), TimeValue(*item.start));
        if (item.end)
            properties.Set(lid(property_set::kAppointment, 0x820E), TimeValue(*item.end));
        if (!item.location.empty())
            properties.Set(lid(property_set::kAppointment, 0x8208), StringValue(item.location));
        if (item.recurring || item.recurrence)
            properties.Set(lid(property_set::kAppointment, 0x8223), BoolValue(true));
        if (item.recurrence)
            properties.Set(lid(property_set::kAppointment, 0x8216), BinaryValue(RecurrenceBlob(*item.recurrence)));
        if (item.recurrence && item.recurrence->zone)
            properties.Set(lid(property_set::kAppointment, 0x8233), BinaryValue(TimeZoneStruct(*item.recurrence->zone)));
    }
    if (item.kind == ItemKind::Task) {
        if (item.start)
            properties.Set(lid(property_set::kTask, 0x8104), TimeValue(*item.start));
        if (item.due)
            properties.Set(lid(property_set::kTask, 0x8105), TimeValue(*item.due));
    }
}

void SetContactValues(const Item& item, NameToIdMap& names, PropertyList& properties)
{
    properties.Set(0x3001, StringValue(item.subject));
    for (const auto& [key, text] : item.contact) {
        const auto* field = FindContactField(key);
        if (!field)
            throw std::invalid_argument(fmt::format("unknown contact value \"{}\" in \"{}\"", key, item.subject));
        const auto id = field->tag != 0 ? field->tag : names.IdOf({property_set::kAddress, field->addressLid, {}});
        properties.Set(id, StringValue(text));
    }
    if (!item.children.empty())
        properties.Set(0x3A58, MultiStringValue(item.children));
    SetIfPresent(properties, 0x3A42, item.birthday);
    SetIfPresent(properties, 0x3A41, item.anniversary);
    if (item.birthdayLocal)
        properties.Set(names.IdOf({property_set::kAddress, 0x80DE, {}}), TimeValue(*item.birthdayLocal));
    if (item.anniversaryLocal)
        properties.Set(names.IdOf({property_set::kAddress, 0x80DF, {}}), TimeValue(*item.anniversaryLocal));
}

void SetListValues(const Item& item, NameToIdMap& names, PropertyList& properties)
{
    const auto name = item.listName.empty() ? item.subject : item.listName;
    properties.Set(0x3001, StringValue(name));
    properties.Set(names.IdOf({property_set::kAddress, 0x8053, {}}), StringValue(name));
    std::vector<Bytes> members;
    for (const auto& member : item.members)
        members.push_back(OneOffEntryId(member));
    // Members that are not contacts are listed by their one-off entry id in both lists.
    properties.Set(names.IdOf({property_set::kAddress, 0x8054, {}}), MultiBinaryValue(members));
    properties.Set(names.IdOf({property_set::kAddress, 0x8055, {}}), MultiBinaryValue(members));
}

void PutTerminated(Bytes& out, std::string_view text)
{
    Append(out, Utf16(text));
    PutLE(out, std::uint16_t{0});
}

// A web link (a cloud attachment) is an address; a link by reference names a file.
std::uint32_t AttachMethod(const Attachment& attachment)
{
    if (attachment.embedded)
        return kAttachEmbeddedMessage;
    if (attachment.link.empty())
        return kAttachByValue;
    return attachment.link.find("://") != std::string::npos ? kAttachByWebReference : kAttachByReference;
}

}  // namespace

PropertyList ItemProperties(const Item& item, NameToIdMap& names)
{
    PropertyList properties;
    SetMessageValues(item, properties);
    SetNamedValues(item, names, properties);
    if (item.kind == ItemKind::Contact)
        SetContactValues(item, names, properties);
    if (item.kind == ItemKind::DistributionList)
        SetListValues(item, names, properties);
    const auto size = std::accumulate(properties.begin(), properties.end(), std::uint64_t{0},
                                      [](std::uint64_t sum, const auto& entry) { return sum + entry.second.Size(); });
    const auto attached = std::accumulate(
        item.attachments.begin(), item.attachments.end(), size,
        [](std::uint64_t sum, const Attachment& a) { return sum + (a.content ? a.content->Size() : 0); });
    properties.Set(0x0E08, Int32Value(static_cast<std::uint32_t>(std::min<std::uint64_t>(attached, 0x7FFFFFFF))));
    return properties;
}

PropertyList RecipientProperties(const Recipient& recipient)
{
    PropertyList properties;
    properties.Set(0x0C15, Int32Value(static_cast<std::uint32_t>(recipient.type)));
    properties.Set(0x0E0F, BoolValue(true));
    properties.Set(0x0FFE, Int32Value(kMailUserObject));
    properties.Set(0x0FFF, BinaryValue(OneOffEntryId(recipient.who)));
    properties.Set(0x3001, StringValue(recipient.who.name));
    properties.Set(0x3002, StringValue("SMTP"));
    properties.Set(0x3003, StringValue(recipient.who.address));
    properties.Set(0x39FE, StringValue(recipient.who.address));
    properties.Set(0x3900, Int32Value(0));
    properties.Set(0x3A40, BoolValue(false));
    properties.Set(0x5FF6, StringValue(recipient.who.name));
    return properties;
}

PropertyList AttachmentProperties(const Attachment& attachment)
{
    PropertyList properties;
    properties.Set(0x3705, Int32Value(AttachMethod(attachment)));
    SetIfNotEmpty(properties, 0x3707, attachment.fileName);
    SetIfNotEmpty(properties, 0x370D, attachment.link);
    SetIfNotEmpty(properties, 0x3001, attachment.embedded ? attachment.embedded->subject : attachment.fileName);
    properties.Set(0x370B, Int32Value(0xFFFFFFFF));
    if (attachment.flags != 0)
        properties.Set(0x7FFD, Int32Value(attachment.flags));
    if (attachment.hidden)
        properties.Set(0x7FFE, BoolValue(true));
    if (attachment.content) {
        properties.Set(0x3701, StreamValue(attachment.content));
        properties.Set(0x0E20, Int32Value(static_cast<std::uint32_t>(
                                   std::min<std::uint64_t>(attachment.content->Size(), 0x7FFFFFFF))));
    }
    return properties;
}

Bytes OneOffEntryId(const Address& address)
{
    Bytes id(4, 0);
    Append(id, kOneOffProvider);
    PutLE(id, std::uint16_t{0});
    PutLE(id, kOneOffUnicode);
    PutTerminated(id, address.name);
    PutTerminated(id, "SMTP");
    PutTerminated(id, address.address);
    return id;
}

}  // namespace pstgen
