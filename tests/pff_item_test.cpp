#include "pff_fixtures.h"

#include "common/errors.h"

namespace varnemo::testing {
namespace {

using mapi::DateField;
using mapi::TextField;

std::unique_ptr<mapi::Item> SampleMessage(FixtureStore& sample)
{
    return SubFolder(*sample.store->TopFolder(), "Sample1")->GetItems()->Item(1);
}

TEST(PffItem, MailValues)
{
    FixtureStore sample("sample1.pst");
    auto message = SampleMessage(sample);
    EXPECT_EQ(message->MessageClass(), "IPM.Note");
    EXPECT_EQ(message->Subject(), "Here is a sample message");
    EXPECT_EQ(message->Text(TextField::SenderName), "Terry Mahaffey");
    EXPECT_EQ(message->Text(TextField::To), "Terry Mahaffey");
    EXPECT_EQ(message->Text(TextField::CC), "");
    EXPECT_EQ(message->Text(TextField::Body).rfind("With a sample attachment. It\u2019s my daughter", 0), 0u)
        << message->Text(TextField::Body);
    // Multi-valued "Keywords" in the public strings, found through the name-to-id map.
    EXPECT_EQ(message->Text(TextField::Categories), "Green Category, Blue Category");
    EXPECT_EQ(message->Importance(), 1);
}

TEST(PffItem, TimesAreLocalWithTheirOffsetAndTaskDatesAreTakenAsStored)
{
    FixtureStore sample("sample1.pst");
    auto message = SampleMessage(sample);
    const auto pacificTime = DateTime::Full(2010, 3, 15, 10, 12, 7).WithUtcOffset(-7 * 60);  // daylight saving
    {
        TimeZone zone(Pacific);
        EXPECT_EQ(message->Date(DateField::CreationTime), pacificTime);
        // Delivery time (0x0E06) comes first; the creation time is four seconds earlier.
        EXPECT_EQ(message->Date(DateField::MessageDate), pacificTime);
        EXPECT_EQ(message->Date(DateField::StartDate), DateTime::Full(2010, 3, 19, 0, 0, 0));
        EXPECT_EQ(message->Date(DateField::DueDate), DateTime::Full(2010, 3, 19, 0, 0, 0));
    }
    {
        TimeZone zone("JST-9");
        EXPECT_EQ(message->Date(DateField::CreationTime), DateTime::Full(2010, 3, 16, 2, 12, 7).WithUtcOffset(9 * 60));
        EXPECT_EQ(message->Date(DateField::StartDate), DateTime::Full(2010, 3, 19, 0, 0, 0));
    }
    EXPECT_FALSE(message->Date(DateField::Start).hasValue());
    EXPECT_FALSE(message->Date(DateField::Birthday).hasValue());
}

TEST(PffItem, AnsiAndUnicodeFilesGiveTheSameStrings)
{
    FixtureStore ansi("test_ansi.pst");
    FixtureStore unicode("test_unicode.pst");
    auto ansiPost = SubFolder(*ansi.store->TopFolder(), "Folder")->GetItems()->Item(1);
    auto unicodePost = SubFolder(*unicode.store->TopFolder(), "Folder")->GetItems()->Item(1);
    for (const auto field : {TextField::MessageClass, TextField::Subject, TextField::SenderName, TextField::To,
                             TextField::Body}) {
        EXPECT_EQ(ansiPost->Text(field), unicodePost->Text(field)) << static_cast<int>(field);
    }
    EXPECT_EQ(ansiPost->MessageClass(), "IPM.Post");
    EXPECT_EQ(ansiPost->Subject(), "Post");
    EXPECT_EQ(ansiPost->Text(TextField::SenderName), "Terry Mahaffey");
    EXPECT_EQ(ansiPost->Text(TextField::Body).substr(0, 4), "Post");
    EXPECT_EQ(unicode.store->TopFolder()->GetItems()->Item(1)->Subject(), "Test");
}

TEST(PffItem, ContactValues)
{
    FixtureStore distList("dist-list.pst");
    auto contact = ItemOfClass(*SubFolder(*distList.store->TopFolder(), "Contacts"), "IPM.Contact");
    EXPECT_EQ(contact->Subject(), "contact name 1");
    EXPECT_EQ(contact->Text(TextField::FirstName), "contact");
    EXPECT_EQ(contact->Text(TextField::MiddleName), "name");
    EXPECT_EQ(contact->Text(TextField::LastName), "1");
    EXPECT_EQ(contact->Text(TextField::Email1Address), "contact1@rjohnson.id.au");
    for (const auto empty : {TextField::Email2Address, TextField::CompanyName, TextField::BusinessAddressCity,
                             TextField::WebPage, TextField::Children}) {
        EXPECT_EQ(contact->Text(empty), "") << static_cast<int>(empty);
    }
    // A list name falls back to the display name, which every contact has.
    EXPECT_EQ(contact->Text(TextField::DLName), "contact name 1");
    EXPECT_THROW(contact->GetMembers(), ComponentError);
}

TEST(PffItem, DistributionListNameAndMembersInOrder)
{
    FixtureStore distList("dist-list.pst");
    auto list = ItemOfClass(*SubFolder(*distList.store->TopFolder(), "Contacts"), "IPM.DistList");
    EXPECT_EQ(list->Text(TextField::DLName), "test dist list");
    auto members = list->GetMembers();
    ASSERT_EQ(members->Count(), 3);
    EXPECT_EQ(members->Item(1), "contact name 1");
    EXPECT_EQ(members->Item(2), "dist name 1");
    EXPECT_EQ(members->Item(3), "dist name 2");
    EXPECT_THROW(members->Item(4), ComponentError);
}

TEST(PffItem, AppointmentValues)
{
    FixtureStore distList("dist-list.pst");
    auto appointment = SubFolder(*distList.store->TopFolder(), "Calendar")->GetItems()->Item(1);
    EXPECT_EQ(appointment->MessageClass(), "IPM.Appointment");
    EXPECT_EQ(appointment->Subject(), "Test appointment");
    EXPECT_EQ(appointment->Text(TextField::Location), "");
    EXPECT_EQ(appointment->Text(TextField::Body).rfind("This is a complete test", 0), 0u);
    EXPECT_THROW(appointment->GetMembers(), ComponentError);

    // 15:00 to 15:30 UTC: the series runs "every Tuesday from 8:00 AM to 8:30 AM" Pacific time.
    TimeZone zone(Pacific);
    EXPECT_EQ(appointment->Date(DateField::Start), DateTime::Full(2016, 8, 2, 8, 0, 0).WithUtcOffset(-7 * 60));
    EXPECT_EQ(appointment->Date(DateField::End), DateTime::Full(2016, 8, 2, 8, 30, 0).WithUtcOffset(-7 * 60));
    EXPECT_EQ(appointment->Date(DateField::ReminderTime), DateTime::Full(2016, 8, 2, 8, 0, 0).WithUtcOffset(-7 * 60));
    EXPECT_FALSE(appointment->Date(DateField::DueDate).hasValue());
}

}  // namespace
}  // namespace varnemo::testing
