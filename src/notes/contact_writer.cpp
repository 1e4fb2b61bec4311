#include "notes/contact_writer.h"

#include <utility>

namespace varnemo {
namespace {

// Each contact text and the Person item it fills, in the order the items are written.
const std::pair<const char*, std::string ContactFields::*> kPersonItems[] = {
    {"FirstName", &ContactFields::elotus_FirstName},
    {"MiddleName", &ContactFields::elotus_MiddleName},
    {"LastName", &ContactFields::elotus_LastName},
    {"Suffix", &ContactFields::elotus_Suffix},
    {"Title", &ContactFields::elotus_Title},
    {"MailAddress", &ContactFields::elotus_Email},
    {"CompanyName", &ContactFields::elotus_Company},
    {"JobTitle", &ContactFields::elotus_JobTitle},
    {"OfficeStreetAddress", &ContactFields::elotus_BusinessStreet},
    {"OfficeCity", &ContactFields::elotus_BusinessCity},
    {"OfficeZIP", &ContactFields::elotus_BusinessZip},
    {"OfficeState", &ContactFields::elotus_BusinessState},
    {"OfficeCountry", &ContactFields::elotus_BusinessCountry},
    {"Location", &ContactFields::elotus_Location},
    {"WebSite", &ContactFields::elotus_WebPage},
    {"Department", &ContactFields::elotus_Department},
    {"Manager", &ContactFields::elotus_Manager},
    {"Assistant", &ContactFields::elotus_Assistant},
    {"OfficePhoneNumber", &ContactFields::elotus_OfficePhone},
    {"OfficeFAXPhoneNumber", &ContactFields::elotus_OfficeFax},
    {"CellPhoneNumber", &ContactFields::elotus_CellPhone},
    {"PhoneNumber_6", &ContactFields::elotus_Pager},
    {"MiscPhone1", &ContactFields::elotus_OtherEmail1},
    {"MiscPhone2", &ContactFields::elotus_OtherEmail2},
    {"MiscPhone3", &ContactFields::elotus_OtherEmail3},
    {"StreetAddress", &ContactFields::elotus_PersonalStreet},
    {"City", &ContactFields::elotus_PersonalCity},
    {"Zip", &ContactFields::elotus_PersonalZip},
    {"State", &ContactFields::elotus_PersonalState},
    {"Country", &ContactFields::elotus_PersonalCountry},
    {"Spouse", &ContactFields::elotus_Spouse},
    {"Children", &ContactFields::elotus_Childern},
    {"PhoneNumber", &ContactFields::elotus_HomePhone},
    {"HomeFAXPhoneNumber", &ContactFields::elotus_HomeFax},
    {"Birthday", &ContactFields::elotus_BirthDay},
    {"Anniversary", &ContactFields::elotus_Anniversary},
    {"Comment", &ContactFields::elotus_Comments},
    {"Categories", &ContactFields::elotus_Categories},
};

}  // namespace

WriteResult SaveNotesContacts(WriterContext& context, const ContactFields& contact, bool /*SaveIt: never read*/)
{
    ItemList items;
    items.emplace_back("Form", std::string("Person"));
    for (const auto& [itemName, field] : kPersonItems)
        items.emplace_back(itemName, contact.*field);
    items.emplace_back("Type", std::string("Person"));
    auto plan = AddressBookPlan(context, std::move(items), "Outlook Contacts");
    return WriteDocument(context, plan);
}

}  // namespace varnemo
