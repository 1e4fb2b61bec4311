#include "source/com/com_item.h"

#include "source/com/com_attachments.h"
#include "source/com/com_members.h"
#include "source/com/item_properties.h"

namespace varnemo::mapi::com {

std::string ComItem::Text(TextField field)
{
    return item_.GetText(TextProperty(field));
}

DateTime ComItem::Date(DateField field)
{
    for (const auto property : DateProperties(field)) {
        auto value = item_.GetDate(property);
        if (!value.hasValue())
            continue;
        // The object model gives a birthday or anniversary at local midnight; it is a day alone.
        const bool day = field == DateField::Birthday || field == DateField::Anniversary;
        return day ? value.DatePart() : value;
    }
    return {};
}

long ComItem::Importance()
{
    return item_.GetLong("Importance");
}

RecurrenceData ComItem::Recurrence()
{
    // Named properties of the appointment property set, by their MAPI names (binary type 0102).
    constexpr const char* kPattern = "http://schemas.microsoft.com/mapi/id/{00062002-0000-0000-C000-000000000046}/82160102";
    constexpr const char* kTimeZone = "http://schemas.microsoft.com/mapi/id/{00062002-0000-0000-C000-000000000046}/82330102";
    if (Text(TextField::MessageClass).rfind("IPM.Appointment", 0) != 0)
        return {};
    RecurrenceData data;
    data.pattern = varnemo::com::BytesOf(item_.Call("Fields", varnemo::com::Variant::Text(kPattern)), "RDOMail.Fields(recurrence)");
    if (!data.pattern.empty())
        data.timeZone =
            varnemo::com::BytesOf(item_.Call("Fields", varnemo::com::Variant::Text(kTimeZone)), "RDOMail.Fields(time zone)");
    return data;
}

std::unique_ptr<mapi::Attachments> ComItem::GetAttachments()
{
    return std::make_unique<ComAttachments>(item_.CallObject("Attachments", "RDOAttachments"));
}

std::unique_ptr<mapi::Members> ComItem::GetMembers()
{
    return std::make_unique<ComMembers>(item_.CallObject("Members", "RDOAddressEntries"));
}

}  // namespace varnemo::mapi::com
