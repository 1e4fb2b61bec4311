#pragma once

#include "notes/document_writer.h"

#include <string>

namespace varnemo {

// The 38 texts of one contact, as the contact writer takes them.
struct ContactFields {
    std::string elotus_FirstName, elotus_MiddleName, elotus_LastName, elotus_Suffix, elotus_Title;
    std::string elotus_Email, elotus_Company, elotus_JobTitle;
    std::string elotus_BusinessStreet, elotus_BusinessCity, elotus_BusinessZip, elotus_BusinessState,
        elotus_BusinessCountry;
    std::string elotus_Location, elotus_WebPage, elotus_Department, elotus_Manager, elotus_Assistant;
    std::string elotus_OfficePhone, elotus_OfficeFax, elotus_CellPhone, elotus_Pager;
    std::string elotus_OtherEmail1, elotus_OtherEmail2, elotus_OtherEmail3;
    std::string elotus_PersonalStreet, elotus_PersonalCity, elotus_PersonalZip, elotus_PersonalState,
        elotus_PersonalCountry;
    std::string elotus_Spouse, elotus_Childern, elotus_HomePhone, elotus_HomeFax;
    std::string elotus_BirthDay, elotus_Anniversary, elotus_Comments, elotus_Categories;
};

// Writes one contact as a Person document of the address book, filed into "Outlook Contacts".
// Best effort.
WriteResult WritePerson(WriterContext& context, const TargetDatabases& target, const ContactFields& contact,
                        const std::string& origin = {});

// The same, into the address book that the program-wide values and the target window name now.
WriteResult SaveNotesContacts(WriterContext& context, const ContactFields& contact, bool SaveIt);

}  // namespace varnemo
