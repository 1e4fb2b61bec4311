#include "source/com/item_properties.h"

namespace varnemo::mapi::com {

std::string_view TextProperty(TextField field)
{
    using F = TextField;
    switch (field) {
    case F::MessageClass: return "MessageClass";
    case F::Subject: return "Subject";
    case F::To: return "To";
    case F::CC: return "CC";
    case F::BCC: return "BCC";
    case F::SenderName: return "SenderName";
    case F::Body: return "Body";
    case F::Categories: return "Categories";
    case F::Location: return "Location";
    case F::DLName: return "DLName";
    case F::FirstName: return "FirstName";
    case F::MiddleName: return "MiddleName";
    case F::LastName: return "LastName";
    case F::Suffix: return "Suffix";
    case F::Title: return "Title";
    case F::Email1Address: return "Email1Address";
    case F::Email2Address: return "Email2Address";
    case F::Email3Address: return "Email3Address";
    case F::CompanyName: return "CompanyName";
    case F::JobTitle: return "JobTitle";
    case F::Department: return "Department";
    case F::OfficeLocation: return "OfficeLocation";
    case F::BusinessAddressStreet: return "BusinessAddressStreet";
    case F::BusinessAddressCity: return "BusinessAddressCity";
    case F::BusinessAddressState: return "BusinessAddressState";
    case F::BusinessAddressPostalCode: return "BusinessAddressPostalCode";
    case F::BusinessAddressCountry: return "BusinessAddressCountry";
    case F::WebPage: return "WebPage";
    case F::ManagerName: return "ManagerName";
    case F::AssistantName: return "AssistantName";
    case F::BusinessTelephoneNumber: return "BusinessTelephoneNumber";
    case F::BusinessFaxNumber: return "BusinessFaxNumber";
    case F::MobileTelephoneNumber: return "MobileTelephoneNumber";
    case F::PagerNumber: return "PagerNumber";
    case F::HomeAddressStreet: return "HomeAddressStreet";
    case F::HomeAddressCity: return "HomeAddressCity";
    case F::HomeAddressPostalCode: return "HomeAddressPostalCode";
    case F::HomeAddressState: return "HomeAddressState";
    case F::HomeAddressCountry: return "HomeAddressCountry";
    case F::Spouse: return "Spouse";
    case F::Children: return "Children";
    case F::HomeTelephoneNumber: return "HomeTelephoneNumber";
    case F::HomeFaxNumber: return "HomeFaxNumber";
    }
    return "";
}

std::vector<std::string_view> DateProperties(DateField field)
{
    using F = DateField;
    switch (field) {
    case F::CreationTime: return {"CreationTime"};
    // When the message arrived; a message that never arrived (a draft, a sent one) has only the
    // time it was sent.
    case F::MessageDate: return {"ReceivedTime", "SentOn"};
    case F::ReminderTime: return {"ReminderTime"};
    case F::Start: return {"Start"};
    case F::End: return {"End"};
    case F::StartDate: return {"StartDate"};
    case F::DueDate: return {"DueDate"};
    case F::Birthday: return {"Birthday"};
    case F::Anniversary: return {"Anniversary"};
    }
    return {};
}

}  // namespace varnemo::mapi::com
