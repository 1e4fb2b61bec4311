// What the writers put into a real local Notes database: items with their names, order, types
// and values, attachments with their bytes, and the folders the documents are filed in.
#include "fakes/fake_target_view.h"
#include "local_notes_test_support.h"
#include "notes/calendar_writer.h"
#include "notes/contact_writer.h"
#include "notes/create_nsf.h"
#include "notes/group_writer.h"
#include "notes/memo_writer.h"
#include "notes/task_writer.h"

namespace varnemo {
namespace {

using notes::local::StoredDocument;
using notes::local::testing::AttachmentBytes;
using notes::local::testing::ReadDocuments;

// "name:type" of each item of a document, in order.
std::vector<std::string> Shape(const StoredDocument& document)
{
    std::vector<std::string> shape;
    for (const auto& item : document.items) {
        const char* type = item.isRichText                                              ? "richtext"
                           : std::holds_alternative<DateTime>(item.value)               ? "datetime"
                           : std::holds_alternative<std::vector<std::string>>(item.value) ? "textlist"
                                                                                        : "text";
        shape.push_back(item.name + ":" + type);
    }
    return shape;
}

const notes::ItemValue& Value(const StoredDocument& document, const std::string& name)
{
    for (const auto& item : document.items)
        if (item.name == name)
            return item.value;
    throw std::runtime_error("no item " + name);
}

std::string Text(const StoredDocument& document, const std::string& name)
{
    return std::get<std::string>(Value(document, name));
}

DateTime Date(const StoredDocument& document, const std::string& name)
{
    return std::get<DateTime>(Value(document, name));
}

class WritersTest : public ::testing::Test {
protected:
    WritersTest() : notes(dir.path() / "notes-data")
    {
        state.LoadExcludeFromViewValues();
        state.TargetDatabasePath = (dir.path() / "mail.nsf").string();
        state.NamesDbPath = (dir.path() / "book.nsf").string();
        auto session = notes.CreateSession();
        session->GetDatabase("", "mail.ntf")->CreateCopy("", state.TargetDatabasePath);
        session->GetDatabase("", "pernames.ntf")->CreateCopy("", state.NamesDbPath);
    }

    std::string TempFile(const std::string& name, const std::string& content)
    {
        std::filesystem::create_directories(dir.path() / "tmp");
        const auto path = dir.path() / "tmp" / name;
        testing::WriteFile(path, content);
        return path.string();
    }

    WriteResult Memo(std::string& attachments)
    {
        return SendNotesMail(context, "Budget", attachments, "Ann; Bob", "Carl", "Dora", "", "Numbers",
                             DateTime::Full(2026, 1, 2, 3, 4, 5), "Outlook\\Inbox\\2026", true);
    }

    testing::TempDir dir;
    notes::local::LocalNotes notes;
    ProgramState state;
    testing::FakeTargetView view;
    WriterContext context{state, notes, view};
};

TEST_F(WritersTest, MemoHasItsTwelveItemsInOrderAndIsFiled)
{
    std::string none;
    EXPECT_TRUE(Memo(none).saved);
    const auto documents = ReadDocuments(state.TargetDatabasePath);
    ASSERT_EQ(documents.size(), 1u);
    const auto& memo = documents[0];
    EXPECT_EQ(Shape(memo), (std::vector<std::string>{
                               "Form:text", "From:text", "CopyTo:text", "BlindCopyTo:text", "Subject:text",
                               "Body:text", "PostedDate:datetime", "Type:text", "excludeFromView:textlist",
                               "SendTo:text", "Principal:text", "DeliveredDate:datetime"}));
    EXPECT_EQ(Text(memo, "Form"), "Memo");
    EXPECT_EQ(Text(memo, "Principal"), "Carl");
    EXPECT_EQ(Text(memo, "BlindCopyTo"), "");
    EXPECT_EQ(Text(memo, "SendTo"), "Ann; Bob");
    EXPECT_EQ(Date(memo, "DeliveredDate"), DateTime::Full(2026, 1, 2, 3, 4, 5));
    EXPECT_EQ(std::get<std::vector<std::string>>(Value(memo, "excludeFromView")),
              (std::vector<std::string>{"D", "S"}));
    EXPECT_EQ(notes::local::DatabaseReader(state.TargetDatabasePath).FolderMembers("Outlook\\Inbox\\2026"),
              std::vector<std::string>{memo.unid});
}

TEST_F(WritersTest, MemoAttachmentsArriveByteForByteAndTheFilesAreGone)
{
    const std::string binary("\x00\xFF\x01 PDF \x00 bytes", 15);
    const auto first = TempFile("report.pdf", binary), second = TempFile("notes.txt", "text");
    std::string attachments = "|" + first + "||" + second;
    EXPECT_TRUE(Memo(attachments).saved);
    const auto memo = ReadDocuments(state.TargetDatabasePath).at(0);
    EXPECT_EQ(Shape(memo).back(), "Attachment:richtext");
    ASSERT_EQ(memo.attachments.size(), 2u);
    EXPECT_EQ(memo.attachments[0].fileName, "report.pdf");
    EXPECT_EQ(memo.attachments[0].itemName, "Attachment");
    EXPECT_EQ(AttachmentBytes(state.TargetDatabasePath, memo.attachments[0]), binary);
    EXPECT_EQ(AttachmentBytes(state.TargetDatabasePath, memo.attachments[1]), "text");
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_FALSE(std::filesystem::exists(second));
}

TEST_F(WritersTest, ALoneSeparatorGivesAnEmptyAttachmentItem)
{
    std::string attachments = "|";
    EXPECT_TRUE(Memo(attachments).saved);
    const auto memo = ReadDocuments(state.TargetDatabasePath).at(0);
    EXPECT_EQ(Shape(memo).back(), "Attachment:richtext");
    EXPECT_TRUE(memo.attachments.empty());
}

TEST_F(WritersTest, MemoIntoAMissingDatabaseWritesNothingButDeletesItsFiles)
{
    state.TargetDatabasePath = (dir.path() / "missing.nsf").string();
    const auto file = TempFile("a.txt", "a");
    std::string attachments = "|" + file;
    EXPECT_FALSE(Memo(attachments).saved);
    EXPECT_FALSE(std::filesystem::exists(state.TargetDatabasePath));
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(WritersTest, CalendarEntrySplitsItsStartAndEndIntoDatesAndTimes)
{
    std::string none;
    SendNotesCalendar(context, "Review", none, "Ann", DateTime::Full(2026, 3, 7, 23, 30, 0),
                      DateTime::Full(2026, 3, 8, 0, 15, 30), "Agenda", DateTime::Full(2026, 1, 1, 0, 0, 0), "Room 1",
                      "Work", "Outlook\\Calendar", true);
    const auto entry = ReadDocuments(state.TargetDatabasePath).at(0);
    EXPECT_EQ(Shape(entry),
              (std::vector<std::string>{"Form:text", "AltChair:text", "Chair:text", "AppointmentType:text",
                                        "STARTDATETIME:datetime", "EndDateTime:datetime", "StartDate:datetime",
                                        "StartTime:datetime", "EndDate:datetime", "EndTime:datetime", "From:text",
                                        "Location:text", "Subject:text", "Body:text", "CalendarDateTime:datetime",
                                        "Categories:text", "excludeFromView:textlist"}));
    EXPECT_EQ(Text(entry, "AppointmentType"), "0");
    EXPECT_EQ(Date(entry, "StartDate"), DateTime::DateOnly(2026, 3, 7));
    EXPECT_EQ(Date(entry, "StartTime"), DateTime::TimeOnly(23, 30, 0));
    EXPECT_EQ(Date(entry, "EndDate"), DateTime::DateOnly(2026, 3, 8)) << "spans midnight";
    EXPECT_EQ(Date(entry, "EndTime"), DateTime::TimeOnly(0, 15, 30));
    EXPECT_EQ(Date(entry, "CalendarDateTime"), DateTime::Full(2026, 3, 7, 23, 30, 0));
}

TEST_F(WritersTest, DatesAnItemDoesNotHaveAreStoredEmpty)
{
    std::string none;
    SendNotesCalendar(context, "Undated", none, "", DateTime(), DateTime(), "", DateTime(), "", "", "Outlook\\C", true);
    const auto entry = ReadDocuments(state.TargetDatabasePath).at(0);
    EXPECT_EQ(Text(entry, "STARTDATETIME"), "");
    EXPECT_EQ(Text(entry, "StartTime"), "");
}

TEST_F(WritersTest, TaskKeepsWholeDatesAndImportanceAsText)
{
    std::string none;
    SendNotesTask(context, "Plan", none, DateTime::Full(2026, 3, 9, 0, 0, 0), DateTime::Full(2026, 3, 2, 8, 45, 0),
                  "Steps", DateTime::Full(2026, 2, 1, 12, 0, 0), "2", DateTime(), "Outlook\\Tasks", true);
    const auto task = ReadDocuments(state.TargetDatabasePath).at(0);
    EXPECT_EQ(Shape(task).size(), 14u);
    EXPECT_EQ(Text(task, "TaskType"), "1");
    EXPECT_EQ(Text(task, "Importance"), "2");
    EXPECT_EQ(Date(task, "StartDate"), DateTime::Full(2026, 3, 2, 8, 45, 0));
    EXPECT_EQ(Date(task, "DueDateTime"), DateTime::Full(2026, 3, 9, 0, 0, 0));
    EXPECT_EQ(Date(task, "CalendarDateTime"), DateTime::Full(2026, 2, 1, 12, 0, 0));
}

TEST_F(WritersTest, PersonAndGroupGoToTheAddressBookInANewDatabaseConversion)
{
    ContactFields contact;
    contact.elotus_FirstName = "Ann";
    contact.elotus_Pager = "555";
    contact.elotus_OtherEmail1 = "ann@example.com";
    contact.elotus_BirthDay = "1970-05-17";
    view.newNsfSelected = true;
    EXPECT_TRUE(SaveNotesContacts(context, contact, true).saved);
    EXPECT_TRUE(SaveNotesGroups(context, "Team", "'Ann' 'Bob' ", "Everyone", true).saved);
    EXPECT_TRUE(ReadDocuments(state.TargetDatabasePath).empty());

    const auto book = ReadDocuments(state.NamesDbPath);
    ASSERT_EQ(book.size(), 2u);
    const auto shape = Shape(book[0]);
    ASSERT_EQ(shape.size(), 40u);
    EXPECT_EQ(shape.front(), "Form:text");
    EXPECT_EQ(shape[1], "FirstName:text");
    EXPECT_EQ(shape.back(), "Type:text");
    EXPECT_EQ(Text(book[0], "PhoneNumber_6"), "555");
    EXPECT_EQ(Text(book[0], "MiscPhone1"), "ann@example.com");
    EXPECT_EQ(Text(book[0], "Birthday"), "1970-05-17");
    EXPECT_EQ(Shape(book[1]), (std::vector<std::string>{"Form:text", "ListName:text", "ListDescription:text",
                                                        "Members:text", "Type:text"}));
    EXPECT_EQ(Text(book[1], "Members"), "'Ann' 'Bob' ");
    notes::local::DatabaseReader reader(state.NamesDbPath);
    EXPECT_EQ(reader.FolderMembers("Outlook Contacts"), std::vector<std::string>{book[0].unid});
    EXPECT_EQ(reader.FolderMembers("Outlook Groups"), std::vector<std::string>{book[1].unid});
}

TEST_F(WritersTest, PersonGoesToTheTargetDatabaseInAnExistingDatabaseConversion)
{
    view.newNsfSelected = false;
    EXPECT_TRUE(SaveNotesContacts(context, ContactFields{}, true).saved);
    const auto documents = ReadDocuments(state.TargetDatabasePath);
    ASSERT_EQ(documents.size(), 1u);
    EXPECT_EQ(Text(documents[0], "Form"), "Person");
}

class CreateNsfTest : public WritersTest {
protected:
    void SetNames(const std::string& names)
    {
        testing::WriteFile(dir.path() / "notes-data" / "notes.ini",
                           "[Notes]\nDefaultMailTemplate=  mail.ntf \nNAMES=" + names + "\n");
    }

    void Create()
    {
        state.TargetDatabasePath = (dir.path() / "out" / "new.nsf").string();
        state.NamesDbPath = (dir.path() / "out").string() + "/";
        std::filesystem::create_directories(dir.path() / "out");
        context.now = [] { return DateTime::Full(2009, 2, 1, 14, 3, 7); };
        CreateNSF(context);
    }
};

TEST_F(CreateNsfTest, CopiesTheTemplateAndTheFirstListedAddressBook)
{
    notes.CreateSession()->GetDatabase("", "names.nsf")->EnableFolder("From names.nsf");
    SetNames("names.nsf,archive.nsf");
    Create();
    EXPECT_EQ(state.NamesDbPath, (dir.path() / "out" / "names01-02-2009-14-3-7.nsf").string());
    EXPECT_TRUE(std::filesystem::exists(state.TargetDatabasePath));
    const auto folders = notes::local::DatabaseReader(state.NamesDbPath).DesignElements();
    EXPECT_NE(std::find(folders.begin(), folders.end(),
                        notes::local::DesignElement{notes::local::DesignKind::Folder, "From names.nsf"}),
              folders.end());
    EXPECT_EQ(view.captions[TargetLabel::LblSaveHeader], "Creating Address Book...");
    EXPECT_EQ(view.captions[TargetLabel::LblProcessing], "Please Wait...");
    EXPECT_EQ(view.yields, 2);
}

TEST_F(CreateNsfTest, EmptyNamesTakesThePersonalAddressBookTemplate)
{
    SetNames("");
    Create();
    EXPECT_TRUE(notes::local::DatabaseReader(state.NamesDbPath).Info().title.size() > 0);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(CreateNsfTest, AnEmptyFirstEntryFailsAndEndsTheProgram)
{
    SetNames(",names.nsf");
    EXPECT_THROW(Create(), ProgramEnding);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].second, "Notes Not Installed/Configured");
    EXPECT_EQ(view.messages[0].first.rfind("Lotus Notes NOT INSTALLED or CONFIGURED Properly.\r\n", 0), 0u);
    EXPECT_TRUE(view.programEnded);
    EXPECT_TRUE(std::filesystem::exists(state.TargetDatabasePath)) << "the mail database stays";
}

TEST_F(CreateNsfTest, AnAddressBookNeverTakesAnExistingFilesName)
{
    SetNames("");
    Create();
    const auto first = state.NamesDbPath;
    notes.CreateSession()->GetDatabase("", first)->EnableFolder("Kept");
    std::filesystem::remove(state.TargetDatabasePath);
    Create();  // the same second
    EXPECT_TRUE(view.messages.empty()) << view.messages.front().first;
    EXPECT_EQ(state.NamesDbPath, (dir.path() / "out" / "names01-02-2009-14-3-7-2.nsf").string());
    const auto kept = notes::local::DatabaseReader(first).DesignElements();
    EXPECT_NE(std::find(kept.begin(), kept.end(), notes::local::DesignElement{notes::local::DesignKind::Folder, "Kept"}),
              kept.end())
        << "the first address book is left as it was";
}

TEST_F(CreateNsfTest, AnAddressBookStepsAsideForAMailDatabaseOfItsName)
{
    SetNames("");
    std::filesystem::create_directories(dir.path() / "out");
    state.TargetDatabasePath = (dir.path() / "out" / "names01-02-2009-14-3-7.nsf").string();  // from names.pst
    state.NamesDbPath = (dir.path() / "out").string() + "/";
    context.now = [] { return DateTime::Full(2009, 2, 1, 14, 3, 7); };
    CreateNSF(context);
    EXPECT_EQ(state.NamesDbPath, (dir.path() / "out" / "names01-02-2009-14-3-7-2.nsf").string());
    EXPECT_TRUE(std::filesystem::exists(state.TargetDatabasePath));
}

}  // namespace
}  // namespace varnemo
