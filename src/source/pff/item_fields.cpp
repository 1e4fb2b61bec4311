#include "source/pff/item_fields.h"

#include "source/pff/property_tags.h"

namespace varnemo::mapi::pff {
namespace {

std::vector<PropertyKey> Tags(std::initializer_list<std::uint16_t> tags)
{
    std::vector<PropertyKey> keys;
    for (const auto id : tags)
        keys.push_back(PropertyKey::Tag(id));
    return keys;
}

// A contact value kept as a named property first, then in a tag.
std::vector<PropertyKey> NamedThenTag(const PropertyKey& named, std::uint16_t fallback)
{
    return {named, PropertyKey::Tag(fallback)};
}

}  // namespace

TextSources SourcesOf(TextField field)
{
    using F = TextField;
    switch (field) {
    case F::MessageClass: return {Tags({tag::MessageClass})};
    case F::Subject: return {Tags({tag::Subject})};
    case F::To: return {Tags({tag::DisplayTo})};
    case F::CC: return {Tags({tag::DisplayCc})};
    case F::BCC: return {Tags({tag::DisplayBcc})};
    case F::SenderName: return {Tags({tag::SenderName, tag::SentRepresentingName})};
    case F::Body: return {};  // item_body.h
    case F::Categories: return {{named::Keywords}, true};
    case F::Location: return {{named::Location}};
    case F::DLName: return {NamedThenTag(named::DistributionListName, tag::DisplayName)};
    case F::FirstName: return {Tags({tag::GivenName})};
    case F::MiddleName: return {Tags({tag::MiddleName})};
    case F::LastName: return {Tags({tag::Surname})};
    case F::Suffix: return {Tags({tag::Generation})};
    case F::Title: return {Tags({tag::DisplayNamePrefix})};
    case F::Email1Address: return {{named::Email1Address}};
    case F::Email2Address: return {{named::Email2Address}};
    case F::Email3Address: return {{named::Email3Address}};
    case F::CompanyName: return {Tags({tag::CompanyName})};
    case F::JobTitle: return {Tags({tag::JobTitle})};
    case F::Department: return {Tags({tag::DepartmentName})};
    case F::OfficeLocation: return {Tags({tag::OfficeLocation})};
    case F::BusinessAddressStreet: return {NamedThenTag(named::WorkAddressStreet, tag::StreetAddress)};
    case F::BusinessAddressCity: return {NamedThenTag(named::WorkAddressCity, tag::Locality)};
    case F::BusinessAddressState: return {NamedThenTag(named::WorkAddressState, tag::StateOrProvince)};
    case F::BusinessAddressPostalCode: return {NamedThenTag(named::WorkAddressPostalCode, tag::PostalCode)};
    case F::BusinessAddressCountry: return {NamedThenTag(named::WorkAddressCountry, tag::Country)};
    case F::WebPage: return {NamedThenTag(named::WebPage, tag::BusinessHomePage)};
    case F::ManagerName: return {Tags({tag::ManagerName})};
    case F::AssistantName: return {Tags({tag::Assistant})};
    case F::BusinessTelephoneNumber: return {Tags({tag::BusinessTelephoneNumber})};
    case F::BusinessFaxNumber: return {Tags({tag::BusinessFaxNumber})};
    case F::MobileTelephoneNumber: return {Tags({tag::MobileTelephoneNumber})};
    case F::PagerNumber: return {Tags({tag::PagerTelephoneNumber})};
    case F::HomeAddressStreet: return {Tags({tag::HomeAddressStreet})};
    case F::HomeAddressCity: return {Tags({tag::HomeAddressCity})};
    case F::HomeAddressPostalCode: return {Tags({tag::HomeAddressPostalCode})};
    case F::HomeAddressState: return {Tags({tag::HomeAddressStateOrProvince})};
    case F::HomeAddressCountry: return {Tags({tag::HomeAddressCountry})};
    case F::Spouse: return {Tags({tag::SpouseName})};
    case F::Children: return {Tags({tag::ChildrensNames}), true};
    case F::HomeTelephoneNumber: return {Tags({tag::HomeTelephoneNumber})};
    case F::HomeFaxNumber: return {Tags({tag::HomeFaxNumber})};
    }
    return {};
}

DateSources SourcesOf(DateField field)
{
    using F = DateField;
    switch (field) {
    case F::CreationTime: return {Tags({tag::CreationTime})};
    case F::MessageDate: return {Tags({tag::MessageDeliveryTime, tag::ClientSubmitTime, tag::CreationTime})};
    case F::ReminderTime: return {{named::ReminderTime}};
    case F::Start: return {{named::AppointmentStart}};
    case F::End: return {{named::AppointmentEnd}};
    case F::StartDate: return {{named::TaskStartDate}, DateReading::StoredDate};
    case F::DueDate: return {{named::TaskDueDate}, DateReading::StoredDate};
    // The local copies hold the day as the user entered it; the tags hold it as an instant,
    // which a zone east or west of the one it was saved in would move to another day.
    case F::Birthday: return {NamedThenTag(named::BirthdayLocal, tag::Birthday), DateReading::CalendarDate};
    case F::Anniversary:
        return {NamedThenTag(named::WeddingAnniversaryLocal, tag::WeddingAnniversary), DateReading::CalendarDate};
    }
    return {};
}

}  // namespace varnemo::mapi::pff
