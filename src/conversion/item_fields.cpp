#include "conversion/item_fields.h"

namespace varnemo {

using mapi::DateField;
using mapi::TextField;

MailFields ReadMailFields(mapi::Item& item)
{
    MailFields fields;
    fields.Subject = item.Text(TextField::Subject);
    fields.MailTo = item.Text(TextField::To);
    fields.MailFrom = item.Text(TextField::SenderName);
    fields.MailCC = item.Text(TextField::CC);
    fields.MailBCC = item.Text(TextField::BCC);
    fields.BodyText = item.Text(TextField::Body);
    fields.MailDate = item.Date(DateField::MessageDate);
    return fields;
}

CalendarFields ReadCalendarFields(mapi::Item& item)
{
    CalendarFields fields;
    fields.calSubject = item.Text(TextField::Subject);
    fields.calSenderEmail = item.Text(TextField::SenderName);
    fields.calStart = item.Date(DateField::Start);
    fields.calEnd = item.Date(DateField::End);
    fields.calBody = item.Text(TextField::Body);
    fields.calCreationTime = item.Date(DateField::CreationTime);
    fields.calLocation = item.Text(TextField::Location);
    fields.calCategories = item.Text(TextField::Categories);
    return fields;
}

TaskFields ReadTaskFields(mapi::Item& item)
{
    TaskFields fields;
    fields.TaskSubject = item.Text(TextField::Subject);
    fields.TaskDueDate = item.Date(DateField::DueDate);
    fields.TaskStart = item.Date(DateField::StartDate);
    fields.TaskBody = item.Text(TextField::Body);
    fields.TaskCreationTime = item.Date(DateField::CreationTime);
    fields.TaskPriority = std::to_string(item.Importance());
    fields.TaskReminderTime = item.Date(DateField::ReminderTime);
    return fields;
}

ContactFields ReadContactFields(mapi::Item& item)
{
    ContactFields c;
    c.elotus_FirstName = item.Text(TextField::FirstName);
    c.elotus_MiddleName = item.Text(TextField::MiddleName);
    c.elotus_LastName = item.Text(TextField::LastName);
    c.elotus_Suffix = item.Text(TextField::Suffix);
    c.elotus_Title = item.Text(TextField::Title);
    c.elotus_Email = item.Text(TextField::Email1Address);
    c.elotus_Company = item.Text(TextField::CompanyName);
    c.elotus_JobTitle = item.Text(TextField::JobTitle);
    c.elotus_BusinessStreet = item.Text(TextField::BusinessAddressStreet);
    c.elotus_BusinessCity = item.Text(TextField::BusinessAddressCity);
    c.elotus_BusinessZip = item.Text(TextField::BusinessAddressPostalCode);
    c.elotus_BusinessState = item.Text(TextField::BusinessAddressState);
    c.elotus_BusinessCountry = item.Text(TextField::BusinessAddressCountry);
    c.elotus_Location = item.Text(TextField::OfficeLocation);
    c.elotus_WebPage = item.Text(TextField::WebPage);
    c.elotus_Department = item.Text(TextField::Department);
    c.elotus_Manager = item.Text(TextField::ManagerName);
    c.elotus_Assistant = item.Text(TextField::AssistantName);
    c.elotus_OfficePhone = item.Text(TextField::BusinessTelephoneNumber);
    c.elotus_OfficeFax = item.Text(TextField::BusinessFaxNumber);
    c.elotus_CellPhone = item.Text(TextField::MobileTelephoneNumber);
    c.elotus_Pager = item.Text(TextField::PagerNumber);
    c.elotus_OtherEmail1 = c.elotus_Email;
    c.elotus_OtherEmail2 = item.Text(TextField::Email2Address);
    c.elotus_OtherEmail3 = item.Text(TextField::Email3Address);
    c.elotus_PersonalStreet = item.Text(TextField::HomeAddressStreet);
    c.elotus_PersonalCity = item.Text(TextField::HomeAddressCity);
    c.elotus_PersonalZip = item.Text(TextField::HomeAddressPostalCode);
    c.elotus_PersonalState = item.Text(TextField::HomeAddressState);
    c.elotus_PersonalCountry = item.Text(TextField::HomeAddressCountry);
    c.elotus_Spouse = item.Text(TextField::Spouse);
    c.elotus_Childern = item.Text(TextField::Children);
    c.elotus_HomePhone = item.Text(TextField::HomeTelephoneNumber);
    c.elotus_HomeFax = item.Text(TextField::HomeFaxNumber);
    c.elotus_BirthDay = item.Date(DateField::Birthday).ToGeneralText();
    c.elotus_Anniversary = item.Date(DateField::Anniversary).ToGeneralText();
    c.elotus_Comments = item.Text(TextField::Body);
    c.elotus_Categories = item.Text(TextField::Categories);
    return c;
}

std::string ReadMemberList(mapi::Item& item, ContinueOnError& failures)
{
    std::string list;
    std::unique_ptr<mapi::Members> members;
    long count = 0;
    failures([&] {
        members = item.GetMembers();
        count = members->Count();
    });
    for (long index = 1; index <= count; ++index)
        failures([&] { list += "'" + members->Item(index) + "' "; });
    return list;
}

}  // namespace varnemo
