// Our libpff reader on files that pstgen writes: the store, the folder tree, every value of every
// item kind, and attachments.
#include "pff_fixtures.h"
#include "pstgen/pst_writer.h"
#include "pstgen_mailboxes.h"

#include <gtest/gtest.h>

namespace varnemo::testing {
namespace {

using mapi::DateField;
using mapi::TextField;

class PstgenReader : public ::testing::Test {
protected:
    PstgenReader() : session(mapi::pff::PffMapi(dir.path() / "no profile").CreateSession())
    {
        session->Logon();
        pstgen::WritePst(EveryShapeMailbox(), dir.path() / "every-shape.pst");
        store = session->GetStores().AddPSTStore((dir.path() / "every-shape.pst").string());
    }

    std::unique_ptr<mapi::Item> OnlyItem(const std::string& folder)
    {
        auto items = SubFolder(*store->TopFolder(), folder)->GetItems();
        EXPECT_EQ(items->Count(), 1) << folder;
        return items->Item(1);
    }

    TimeZone utc{"UTC0"};
    TempDir dir;
    std::unique_ptr<mapi::Session> session;
    std::unique_ptr<mapi::Store> store;
};

// "Name (count, class)" of every folder below folder, depth first, children indented.
void Describe(mapi::Folder& folder, const std::string& indent, std::string& out)
{
    auto folders = folder.GetFolders();
    for (long index = 1; index <= folders->Count(); ++index) {
        auto child = folders->Item(index);
        out += indent + child->Name() + " (" + std::to_string(child->GetItems()->Count()) + ", " +
               child->DefaultMessageClass() + ")\n";
        Describe(*child, indent + "  ", out);
    }
}

TEST_F(PstgenReader, StoreAndFolderTreeAreReadAsWritten)
{
    EXPECT_EQ(store->Name(), "Every shape ✓");
    EXPECT_EQ(store->TopFolder()->Name(), "Top of Personal Folders");
    std::string tree;
    Describe(*store->TopFolder(), "", tree);
    EXPECT_EQ(tree,
              "Deleted Items (0, IPM.Note)\n"
              "Inbox (2, IPM.Note)\n"
              "  Projects #1 (1, IPM.Note)\n"
              "    Archive (1, IPM.Note)\n"
              "  Empty (0, IPM.Note)\n"
              "Archive (1, IPM.Note)\n"
              "Back\\slash (1, IPM.Note)\n"
              "Ωmega 日本 (1, IPM.Note)\n"
              "Calendar (1, IPM.Appointment)\n"
              "Tasks (1, IPM.Task)\n"
              "Contacts (2, IPM.Contact)\n"
              "Notes (1, IPM.StickyNote)\n"
              "Journal (1, IPM.Journal)\n"
              "Nothing here (0, IPM.Note)\n");
}

TEST_F(PstgenReader, MailValues)
{
    auto inbox = SubFolder(*store->TopFolder(), "Inbox");
    auto mail = inbox->GetItems()->Item(1);
    EXPECT_EQ(mail->MessageClass(), "IPM.Note");
    EXPECT_EQ(mail->Subject(), "Quarterly numbers ✓");
    EXPECT_EQ(mail->Text(TextField::Body), "Numbers attached.\nRegards");
    EXPECT_EQ(mail->Text(TextField::SenderName), "Ann Archer");
    EXPECT_EQ(mail->Text(TextField::To), "Bob Baker; Cleo Cruz");
    EXPECT_EQ(mail->Text(TextField::CC), "Dan Dorn");
    EXPECT_EQ(mail->Text(TextField::BCC), "Eve Ernst");
    EXPECT_EQ(mail->Text(TextField::Categories), "Finance, Röd");
    EXPECT_EQ(mail->Importance(), 2);
    EXPECT_EQ(mail->Date(DateField::MessageDate), DateTime::Full(2024, 5, 1, 10, 30, 0).WithUtcOffset(0));
    EXPECT_EQ(mail->Date(DateField::CreationTime), DateTime::Full(2024, 5, 1, 10, 28, 0).WithUtcOffset(0));
    EXPECT_EQ(mail->Date(DateField::ReminderTime), DateTime::Full(2024, 5, 2, 9, 0, 0).WithUtcOffset(0));

    // Without a delivery or submit time the creation time is the message date.
    auto plain = inbox->GetItems()->Item(2);
    EXPECT_EQ(plain->Importance(), 0);
    EXPECT_EQ(plain->Date(DateField::MessageDate), DateTime::Full(2023, 12, 31, 23, 59, 59).WithUtcOffset(0));
    EXPECT_EQ(plain->Text(TextField::To), "");
    EXPECT_FALSE(plain->Date(DateField::ReminderTime).hasValue());
}

TEST_F(PstgenReader, AppointmentTaskNoteAndJournalValues)
{
    auto appointment = OnlyItem("Calendar");
    EXPECT_EQ(appointment->MessageClass(), "IPM.Appointment");
    EXPECT_EQ(appointment->Date(DateField::Start), DateTime::Full(2024, 6, 3, 8, 0, 0).WithUtcOffset(0));
    EXPECT_EQ(appointment->Date(DateField::End), DateTime::Full(2024, 6, 3, 9, 30, 0).WithUtcOffset(0));
    EXPECT_EQ(appointment->Text(TextField::Location), "Room 4");
    EXPECT_EQ(appointment->Text(TextField::Categories), "Meetings");

    auto task = OnlyItem("Tasks");
    EXPECT_EQ(task->MessageClass(), "IPM.Task");
    EXPECT_EQ(task->Subject(), "File the report");
    EXPECT_EQ(task->Date(DateField::StartDate), DateTime::Full(2024, 6, 1, 0, 0, 0));
    EXPECT_EQ(task->Date(DateField::DueDate), DateTime::Full(2024, 6, 7, 0, 0, 0));
    EXPECT_EQ(task->Date(DateField::ReminderTime), DateTime::Full(2024, 6, 6, 8, 0, 0).WithUtcOffset(0));
    EXPECT_EQ(task->Importance(), 2);

    EXPECT_EQ(OnlyItem("Notes")->MessageClass(), "IPM.StickyNote");
    EXPECT_EQ(OnlyItem("Notes")->Text(TextField::Body), "Buy milk");
    EXPECT_EQ(OnlyItem("Journal")->MessageClass(), "IPM.Activity");
    EXPECT_EQ(OnlyItem("Journal")->Subject(), "Phone call");
}

TEST_F(PstgenReader, EveryContactValue)
{
    auto contacts = SubFolder(*store->TopFolder(), "Contacts")->GetItems();
    auto contact = contacts->Item(1);
    EXPECT_EQ(contact->MessageClass(), "IPM.Contact");
    const std::pair<TextField, const char*> expected[] = {
        {TextField::FirstName, "Grace"}, {TextField::MiddleName, "Brewster"}, {TextField::LastName, "Hopper"},
        {TextField::Suffix, "PhD"}, {TextField::Title, "Rear Admiral"}, {TextField::Email1Address, "grace@example.com"},
        {TextField::Email2Address, "g.hopper@example.org"}, {TextField::Email3Address, "amazing@example.net"},
        {TextField::CompanyName, "Navy"}, {TextField::JobTitle, "Computer scientist"},
        {TextField::Department, "Programming"}, {TextField::OfficeLocation, "Building 7"},
        {TextField::BusinessAddressStreet, "1 Harbor Road"}, {TextField::BusinessAddressCity, "Arlington"},
        {TextField::BusinessAddressState, "VA"}, {TextField::BusinessAddressPostalCode, "22202"},
        {TextField::BusinessAddressCountry, "USA"}, {TextField::WebPage, "https://example.com/grace"},
        {TextField::ManagerName, "H. Aiken"}, {TextField::AssistantName, "R. Bloch"},
        {TextField::BusinessTelephoneNumber, "+1 555 0100"}, {TextField::BusinessFaxNumber, "+1 555 0101"},
        {TextField::MobileTelephoneNumber, "+1 555 0102"}, {TextField::PagerNumber, "+1 555 0103"},
        {TextField::HomeAddressStreet, "2 Elm Street"}, {TextField::HomeAddressCity, "New York"},
        {TextField::HomeAddressPostalCode, "10001"}, {TextField::HomeAddressState, "NY"},
        {TextField::HomeAddressCountry, "USA"}, {TextField::Spouse, "Vincent"}, {TextField::Children, "Ada, Alan"},
        {TextField::HomeTelephoneNumber, "+1 555 0104"}, {TextField::HomeFaxNumber, "+1 555 0105"},
        {TextField::Body, "Met at the conference"}, {TextField::Categories, "Friends"},
    };
    for (const auto& [field, value] : expected)
        EXPECT_EQ(contact->Text(field), value) << static_cast<int>(field);
    EXPECT_EQ(contact->Date(DateField::Birthday), DateTime::DateOnly(1906, 12, 9));
    EXPECT_EQ(contact->Date(DateField::Anniversary), DateTime::DateOnly(1930, 6, 15));
}

TEST_F(PstgenReader, DistributionListNameAndOneOffMembers)
{
    auto list = SubFolder(*store->TopFolder(), "Contacts")->GetItems()->Item(2);
    EXPECT_EQ(list->MessageClass(), "IPM.DistList");
    EXPECT_EQ(list->Text(TextField::DLName), "Pioneers");
    auto members = list->GetMembers();
    ASSERT_EQ(members->Count(), 3);
    EXPECT_EQ(members->Item(1), "Ada Lovelace");
    EXPECT_EQ(members->Item(2), "alan@example.com");
    EXPECT_EQ(members->Item(3), "Kathleen Booth");
}

TEST_F(PstgenReader, AttachmentsWithHostileNamesAndAnEmbeddedItem)
{
    auto mail = SubFolder(*store->TopFolder(), "Inbox")->GetItems()->Item(1);
    auto attachments = mail->GetAttachments();
    ASSERT_EQ(attachments->Count(), 7);
    const std::pair<const char*, const char*> byValue[] = {
        {"../x", "parent directory"}, {"a\\b.txt", "backslash"},         {"", "no name at all"},
        {"same.txt", "first of two"}, {"same.txt", "second of two"},
    };
    for (long index = 1; index <= 5; ++index) {
        auto attachment = attachments->Item(index);
        EXPECT_EQ(attachment->FileName(), byValue[index - 1].first) << index;
        const auto saved = dir.path() / ("saved" + std::to_string(index));
        attachment->SaveAsFile(saved);
        EXPECT_EQ(ReadFile(saved), byValue[index - 1].second) << index;
    }
    const auto numbers = dir.path() / "numbers.bin";
    attachments->Item(6)->SaveAsFile(numbers);
    EXPECT_EQ(std::filesystem::file_size(numbers), 20000u);

    auto embedded = attachments->Item(7);
    EXPECT_TRUE(embedded->FileName().ends_with(".eml")) << embedded->FileName();
    const auto eml = dir.path() / "embedded.eml";
    embedded->SaveAsFile(eml);
    const auto text = ReadFile(eml);
    EXPECT_NE(text.find("Subject: Inner message"), std::string::npos) << text;
    EXPECT_NE(text.find("Inner body"), std::string::npos) << text;
}

}  // namespace
}  // namespace varnemo::testing
