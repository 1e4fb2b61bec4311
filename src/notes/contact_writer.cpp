#include "notes/contact_writer.h"

namespace varnemo {
namespace {

using Rule = ItemRule<ContactFields>;

// Each contact text and the Person item it fills, in the order the items are written.
const std::vector<Rule> kPersonItems = {
    Fixed<ContactFields>("Form", "Person"),
    Field("FirstName", &ContactFields::elotus_FirstName),
    Field("MiddleName", &ContactFields::elotus_MiddleName),
    Field("LastName", &ContactFields::elotus_LastName),
    Field("Suffix", &ContactFields::elotus_Suffix),
    Field("Title", &ContactFields::elotus_Title),
    Field("MailAddress", &ContactFields::elotus_Email),
    Field("CompanyName", &ContactFields::elotus_Company),
    Field("JobTitle", &ContactFields::elotus_JobTitle),
    Field("OfficeStreetAddress", &ContactFields::elotus_BusinessStreet),
    Field("OfficeCity", &ContactFields::elotus_BusinessCity),
    Field("OfficeZIP", &ContactFields::elotus_BusinessZip),
    Field("OfficeState", &ContactFields::elotus_BusinessState),
    Field("OfficeCountry", &ContactFields::elotus_BusinessCountry),
    Field("Location", &ContactFields::elotus_Location),
    Field("WebSite", &ContactFields::elotus_WebPage),
    Field("Department", &ContactFields::elotus_Department),
    Field("Manager", &ContactFields::elotus_Manager),
    Field("Assistant", &ContactFields::elotus_Assistant),
    Field("OfficePhoneNumber", &ContactFields::elotus_OfficePhone),
    Field("OfficeFAXPhoneNumber", &ContactFields::elotus_OfficeFax),
    Field("CellPhoneNumber", &ContactFields::elotus_CellPhone),
    Field("PhoneNumber_6", &ContactFields::elotus_Pager),
    Field("MiscPhone1", &ContactFields::elotus_OtherEmail1),
    Field("MiscPhone2", &ContactFields::elotus_OtherEmail2),
    Field("MiscPhone3", &ContactFields::elotus_OtherEmail3),
    Field("StreetAddress", &ContactFields::elotus_PersonalStreet),
    Field("City", &ContactFields::elotus_PersonalCity),
    Field("Zip", &ContactFields::elotus_PersonalZip),
    Field("State", &ContactFields::elotus_PersonalState),
    Field("Country", &ContactFields::elotus_PersonalCountry),
    Field("Spouse", &ContactFields::elotus_Spouse),
    Field("Children", &ContactFields::elotus_Childern),
    Field("PhoneNumber", &ContactFields::elotus_HomePhone),
    Field("HomeFAXPhoneNumber", &ContactFields::elotus_HomeFax),
    Field("Birthday", &ContactFields::elotus_BirthDay),
    Field("Anniversary", &ContactFields::elotus_Anniversary),
    Field("Comment", &ContactFields::elotus_Comments),
    Field("Categories", &ContactFields::elotus_Categories),
    Fixed<ContactFields>("Type", "Person"),
};

}  // namespace

WriteResult WritePerson(WriterContext& context, const TargetDatabases& target, const ContactFields& contact,
                        const std::string& origin)
{
    auto plan =
        AddressBookPlan(target, ItemsByRules(kPersonItems, contact, context.state), "Outlook Contacts");
    plan.origin = origin;
    return WriteDocument(context, plan);
}

WriteResult SaveNotesContacts(WriterContext& context, const ContactFields& contact, bool /*SaveIt: never read*/)
{
    return WritePerson(context, CurrentTargetDatabases(context), contact);
}

}  // namespace varnemo
