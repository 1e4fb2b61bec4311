// How the writers behave when a Notes operation fails: which calls still happen, what reaches
// the caller, and what becomes of the temporary attachment files.
#include "fakes/fake_target_view.h"
#include "fakes/recording_notes.h"
#include "notes/calendar_writer.h"
#include "notes/contact_writer.h"
#include "notes/group_writer.h"
#include "notes/memo_writer.h"
#include "notes/task_writer.h"
#include "shell/path_text.h"
#include "temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace varnemo {
namespace {

using testing::FakeTargetView;
using testing::RecordingNotes;

class WriterFailures : public ::testing::Test {
protected:
    WriterFailures() { state.TargetDatabasePath = "target.nsf", state.NamesDbPath = "names.nsf"; }

    std::string AttachmentFile(const std::string& name)
    {
        const auto path = dir.path() / PathFromText(name);
        testing::WriteFile(path, "bytes of " + name);
        return TextFromPath(path);
    }

    bool Called(const std::string& operation) const
    {
        return std::any_of(notes.calls.begin(), notes.calls.end(),
                           [&](const std::string& call) { return call.rfind(operation, 0) == 0; });
    }

    WriteResult Calendar(std::string& attachments)
    {
        return SendNotesCalendar(context, "Review", attachments, "Ann", DateTime::Full(2026, 3, 7, 9, 30, 0),
                                 DateTime::Full(2026, 3, 7, 10, 15, 30), "body", DateTime(), "Room 1", "Work",
                                 "Outlook\\Calendar", true);
    }

    WriteResult Task(std::string& attachments)
    {
        return SendNotesTask(context, "Plan", attachments, DateTime::DateOnly(2026, 3, 9), DateTime(), "body",
                             DateTime(), "2", DateTime(), "Outlook\\Tasks", true);
    }

    testing::TempDir dir;
    ProgramState state;
    RecordingNotes notes;
    FakeTargetView view;
    WriterContext context{state, notes, view};
};

TEST_F(WriterFailures, MemoCallsEveryStepInOrder)
{
    state.LoadExcludeFromViewValues();
    std::string attachments;
    const auto result = SendNotesMail(context, "Hi", attachments, "To", "From", "CC", "BCC", "Body",
                                      DateTime::Full(2026, 1, 2, 3, 4, 5), "Outlook\\Inbox", true);
    EXPECT_TRUE(result.saved);
    EXPECT_TRUE(result.failures.empty());
    const std::vector<std::string> expected = {
        "CreateSession", "GetDatabase(,target.nsf)", "EnableFolder(Outlook\\Inbox)", "CreateDocument",
        "ReplaceItemValue(Form)", "ReplaceItemValue(From)", "ReplaceItemValue(CopyTo)",
        "ReplaceItemValue(BlindCopyTo)", "ReplaceItemValue(Subject)", "ReplaceItemValue(Body)",
        "ReplaceItemValue(PostedDate)", "ReplaceItemValue(Type)", "ReplaceItemValue(excludeFromView)",
        "ReplaceItemValue(SendTo)", "ReplaceItemValue(Principal)", "ReplaceItemValue(DeliveredDate)",
        "Save(0,0)", "PutInFolder(Outlook\\Inbox)"};
    EXPECT_EQ(notes.calls, expected);
}

TEST_F(WriterFailures, MemoIntoAnUnopenableDatabaseWritesNothingButStillDeletesTheFiles)
{
    notes.failing = {"GetDatabase"};
    const auto first = AttachmentFile("a.txt"), second = AttachmentFile("b.txt");
    std::string attachments = "|" + first + "|" + second;
    WriteResult result;
    EXPECT_NO_THROW(result = SendNotesMail(context, "Hi", attachments, "", "", "", "", "", DateTime(), "F", true));
    EXPECT_FALSE(result.saved);
    ASSERT_FALSE(result.failures.empty());
    EXPECT_EQ(result.failures.front(), "GetDatabase failed");
    EXPECT_FALSE(Called("CreateDocument"));
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_FALSE(std::filesystem::exists(second));
}

TEST_F(WriterFailures, MemoGoesOnPastAFailingEmbedding)
{
    notes.failing = {"EmbedObject"};
    const auto file = AttachmentFile("a.txt");
    std::string attachments = "|" + file;
    const auto result = SendNotesMail(context, "Hi", attachments, "", "", "", "", "", DateTime(), "F", true);
    EXPECT_TRUE(result.saved);
    EXPECT_TRUE(Called("PutInFolder"));
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(WriterFailures, AttachmentListPiecesAreEmbeddedInOrderAndEmptyPiecesSkipNothing)
{
    const auto first = AttachmentFile("a.txt"), second = AttachmentFile("b.txt");
    std::string attachments = "|" + first + "||" + second + "|";
    SendNotesMail(context, "Hi", attachments, "", "", "", "", "", DateTime(), "F", true);
    std::vector<std::string> embedded;
    for (const auto& call : notes.calls)
        if (call.rfind("EmbedObject", 0) == 0)
            embedded.push_back(call);
    const std::vector<std::string> expected = {"EmbedObject(1454,\"\"," + first + ",Attachment)",
                                               "EmbedObject(1454,\"\",,Attachment)",
                                               "EmbedObject(1454,\"\"," + second + ",Attachment)",
                                               "EmbedObject(1454,\"\",,Attachment)"};
    EXPECT_EQ(embedded, expected);
    EXPECT_EQ(attachments, first + "||" + second + "|") << "the list loses its first character";
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_FALSE(std::filesystem::exists(second));
}

TEST_F(WriterFailures, AttachmentFilesNamedBeyondAsciiAreEmbeddedAndDeletedByTheirUtf8Path)
{
    const auto file = AttachmentFile("Bericht-\u00e4.txt");
    std::string attachments = "|" + file;
    SendNotesMail(context, "Hi", attachments, "", "", "", "", "", DateTime(), "F", true);
    EXPECT_TRUE(Called("EmbedObject(1454,\"\"," + file + ",Attachment)"));
    EXPECT_FALSE(std::filesystem::exists(PathFromText(file)));
}

TEST_F(WriterFailures, BlankAttachmentListCreatesNoRichTextItem)
{
    std::string attachments = "   ";
    SendNotesMail(context, "Hi", attachments, "", "", "", "", "", DateTime(), "F", true);
    EXPECT_FALSE(Called("CreateRichTextItem"));
    EXPECT_EQ(attachments, "   ");
    EXPECT_EQ(view.yields, 0);
}

TEST_F(WriterFailures, AListPieceNamingADirectoryIsNeverDeleted)
{
    const auto folder = dir.path() / "keep";
    std::filesystem::create_directory(folder);
    testing::WriteFile(folder / "inside.txt", "x");
    std::string attachments = "|" + folder.string();
    SendNotesMail(context, "Hi", attachments, "", "", "", "", "", DateTime(), "F", true);
    EXPECT_TRUE(std::filesystem::exists(folder / "inside.txt"));
}

TEST_F(WriterFailures, CalendarReportsAFailureBeforeItsFirstFileAndKeepsTheFiles)
{
    notes.failing = {"GetDatabase"};
    const auto file = AttachmentFile("a.txt");
    std::string attachments = "|" + file;
    EXPECT_THROW(Calendar(attachments), ComponentError);
    EXPECT_FALSE(Called("CreateDocument"));
    EXPECT_TRUE(std::filesystem::exists(file));
}

TEST_F(WriterFailures, CalendarIgnoresFailuresFromItsFirstFileOn)
{
    notes.failing = {"EmbedObject", "Save"};
    const auto file = AttachmentFile("a.txt");
    std::string attachments = "|" + file;
    WriteResult result;
    EXPECT_NO_THROW(result = Calendar(attachments));
    EXPECT_FALSE(result.saved);
    EXPECT_TRUE(Called("PutInFolder"));
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(WriterFailures, CalendarWithALoneSeparatorStillReportsASaveFailure)
{
    notes.failing = {"Save"};
    std::string attachments = "|";
    EXPECT_THROW(Calendar(attachments), ComponentError);
    EXPECT_TRUE(Called("CreateRichTextItem(Attachment)"));
    EXPECT_FALSE(Called("EmbedObject"));
}

TEST_F(WriterFailures, TaskReportsASaveFailureOnlyWithoutAttachments)
{
    notes.failing = {"Save"};
    std::string none;
    EXPECT_THROW(Task(none), ComponentError);

    std::string one = "|" + AttachmentFile("a.txt");
    WriteResult result;
    EXPECT_NO_THROW(result = Task(one));
    EXPECT_FALSE(result.saved);
}

TEST_F(WriterFailures, ContactsAndGroupsGoToTheAddressBookOnlyInANewDatabaseConversion)
{
    view.newNsfSelected = true;
    SaveNotesContacts(context, ContactFields{}, true);
    SaveNotesGroups(context, "Team", "'Ann' ", "", true);
    view.newNsfSelected = false;
    SaveNotesGroups(context, "Team", "'Ann' ", "", true);
    std::vector<std::string> opened;
    for (const auto& call : notes.calls)
        if (call.rfind("GetDatabase", 0) == 0)
            opened.push_back(call);
    EXPECT_EQ(opened, (std::vector<std::string>{"GetDatabase(,names.nsf)", "GetDatabase(,names.nsf)",
                                                "GetDatabase(,target.nsf)"}));
    EXPECT_FALSE(Called("EnableFolder"));
    EXPECT_TRUE(Called("PutInFolder(Outlook Contacts)"));
    EXPECT_TRUE(Called("PutInFolder(Outlook Groups)"));
}

TEST_F(WriterFailures, ContactWriterSkipsEveryFailingStep)
{
    notes.failing = {"CreateDocument"};
    WriteResult result;
    EXPECT_NO_THROW(result = SaveNotesContacts(context, ContactFields{}, true));
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.failures.front(), "CreateDocument failed");
}

}  // namespace
}  // namespace varnemo
