// The conversion run over an in-memory mailbox: which folders and items reach which writer,
// what the window shows, and how failures are counted.
#include "conversion/conversion_report.h"
#include "conversion/conversion_run.h"
#include "fakes/fake_mailbox.h"
#include "fakes/fake_target_view.h"
#include "fakes/recording_notes.h"
#include "shell/path_text.h"
#include "temp_dir.h"

#include <algorithm>
#include <fmt/format.h>
#include <gtest/gtest.h>

namespace varnemo {
namespace {

using testing::FakeFolder;
using testing::FakeMail;

class ConversionRunTest : public ::testing::Test {
protected:
    ConversionRunTest()
    {
        mailbox.stores.push_back({.name = "Mailbox", .entryId = "STORE1", .pstPath = "/data/archive.pst"});
        state.OutlookStoreID = "STORE1";
        state.LoadExcludeFromViewValues();
        view.newNsfSelected = false;
        view.existingNsfFileName = "  /notes/mail.nsf ";
    }

    FakeFolder& AddFolder(std::string name, std::string entryId, std::string kind = "IPM.Note")
    {
        return top().Add({.name = std::move(name), .entryId = std::move(entryId), .defaultMessageClass = std::move(kind)});
    }
    FakeFolder& top() { return mailbox.stores[0].top; }

    void Select(std::vector<std::string> entries) { state.SelectedFolders = std::move(entries); }

    std::vector<std::string> CallsStartingWith(const std::string& prefix) const
    {
        std::vector<std::string> found;
        std::copy_if(notes.calls.begin(), notes.calls.end(), std::back_inserter(found),
                     [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
        return found;
    }

    void Run() { run.CmdConversion_Click(); }

    testing::FakeMailbox mailbox;
    ProgramState state;
    testing::RecordingNotes notes;
    testing::FakeTargetView view;
    ConversionRun run{mailbox, WriterContext{state, notes, view, [] { return DateTime::Full(2026, 12, 7, 14, 5, 9); }}};
};

TEST_F(ConversionRunTest, SkipsBlankEntriesAndFilesByTheFolderPath)
{
    auto& inbox = AddFolder("Inbox", "F1");
    inbox.items = {FakeMail("one"), FakeMail("two")};
    inbox.Add({.name = "Sub", .entryId = "F2"}).items = {FakeMail("three")};
    Select({"F1#Inbox", "   ", "F2#Inbox\\Sub", "", ""});
    Run();
    EXPECT_EQ(state.TargetDatabasePath, "/notes/mail.nsf");
    EXPECT_EQ(CallsStartingWith("PutInFolder"),
              (std::vector<std::string>{"PutInFolder(Outlook\\Inbox)", "PutInFolder(Outlook\\Inbox)",
                                        "PutInFolder(Outlook\\Inbox\\Sub)"}));
    EXPECT_EQ(run.Summary().converted(), 3);
    EXPECT_TRUE(state.SelectedFolders.empty());
    EXPECT_TRUE(view.closed);
    EXPECT_TRUE(view.subjectLabelShown);
}

TEST_F(ConversionRunTest, AHashInAFolderNameStaysInTheNotesFolderName)
{
    AddFolder("Q#1 reports", "F1").items = {FakeMail("x")};
    Select({"F1#Q#1 reports"});
    Run();
    EXPECT_EQ(CallsStartingWith("PutInFolder"), (std::vector<std::string>{"PutInFolder(Outlook\\Q#1 reports)"}));
}

TEST_F(ConversionRunTest, FoldersOfOtherClassesShowTheirNameAndConvertNothing)
{
    AddFolder("Notes", "F1", "IPM.StickyNote").items = {FakeMail("sticky")};
    AddFolder("Journal", "F2", "IPM.Journal").items = {FakeMail("entry")};
    Select({"F1#Notes", "F2#Journal"});
    Run();
    EXPECT_TRUE(CallsStartingWith("CreateDocument").empty());
    const auto shown = std::count(view.captionHistory.begin(), view.captionHistory.end(),
                                  std::make_pair(TargetLabel::LblSaveHeader, std::string("Notes")));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(run.Summary().converted(), 0);
    // Not converted by design, but not left unsaid either.
    EXPECT_EQ(run.Summary().skippedByDesign(), 2);
    EXPECT_TRUE(run.Summary().AllWhole());
    EXPECT_NE(view.messages.back().first.find("No item was exported"), std::string::npos);
    EXPECT_NE(view.messages.back().first.find("2 items not converted by design"), std::string::npos);
}

TEST_F(ConversionRunTest, OnlyAnExactDistListClassGoesToTheGroupWriter)
{
    auto& contacts = AddFolder("Contacts", "F1", "IPM.Contact");
    auto lookalike = testing::FakeContact("Not", "AList");
    lookalike.Text(mapi::TextField::MessageClass, "IPM.DistListX");
    contacts.items = {testing::FakeContact("Ann", "Lee"), testing::FakeDistList("Team", {"Ann", "Bob"}), lookalike};
    Select({"F1#Contacts"});
    Run();
    EXPECT_EQ(CallsStartingWith("PutInFolder"),
              (std::vector<std::string>{"PutInFolder(Outlook Contacts)", "PutInFolder(Outlook Groups)",
                                        "PutInFolder(Outlook Contacts)"}));
    EXPECT_EQ(run.Summary().converted(), 3);
}

TEST_F(ConversionRunTest, AFailingItemIsCountedAndTheFolderGoesOn)
{
    auto& inbox = AddFolder("Inbox", "F1");
    inbox.items = {FakeMail("before"), FakeMail("broken"), FakeMail("after")};
    inbox.items[1].unreadable = true;
    auto& contacts = AddFolder("Contacts", "F2", "IPM.Contact");
    contacts.items = {testing::FakeContact("A", "B"), testing::FakeContact("C", "D")};
    contacts.items[0].unreadable = true;
    Select({"F1#Inbox", "F2#Contacts", "MISSING#Gone"});
    Run();
    EXPECT_EQ(run.Summary().converted(), 3);
    EXPECT_EQ(run.Summary().notConverted(), 2);
    ASSERT_EQ(run.Summary().problems().size(), 3u);
    EXPECT_EQ(run.Summary().problems()[0].folder, "Inbox");
    EXPECT_EQ(run.Summary().problems()[2].folder, "Gone");
    const auto& message = view.messages.back();
    EXPECT_EQ(message.second, "Export Complete");
    EXPECT_EQ(message.first,
              "Outlook Mailbox Exported to Lotus Notes Mailbox, but not everything arrived whole.\r\n"
              "/notes/mail.nsf\r\n"
              "3 items converted. 2 items could not be converted. 1 folder could not be read.");
    EXPECT_FALSE(run.Summary().AllWhole());
}

TEST_F(ConversionRunTest, TheReportNamesEveryItemThatDidNotArrive)
{
    auto& inbox = AddFolder("In\tbox", "F1");
    inbox.items = {FakeMail("fine"), FakeMail("broken")};
    inbox.items[1].entryId = "M2";
    inbox.items[1].unreadableTexts.insert(mapi::TextField::Body);
    Select({"F1#In\tbox", "GONE#Old"});
    Run();
    std::ostringstream report;
    WriteConversionReport(run.Summary(), report);
    EXPECT_EQ(report.str(), "Items converted: 1\nItems already in the database: 0\nItems converted in part: 0\n"
                            "Items not converted: 1\n"
                            "Items skipped by design: 0\nFolders not read: 1\n\n"
                            "Folder\tPosition\tItem\tEntry ID\tOutcome\tReason\n"
                            "In box\t2\tbroken\tM2\tnot converted\tvalue cannot be read\n"
                            "Old\t\t(whole folder)\t\tfolder not read\tno folder GONE in Mailbox\n");
}

// Drafts often have no subject: such an item is still named, by its place and as "(no subject)",
// and never taken for a whole folder.
TEST_F(ConversionRunTest, AnItemWithoutASubjectIsNamedByItsPlace)
{
    auto& drafts = AddFolder("Drafts", "F1");
    drafts.items = {FakeMail("first"), FakeMail("")};
    drafts.items[1].entryId = "D2";
    drafts.items[1].unreadableTexts.insert(mapi::TextField::Body);
    Select({"F1#Drafts"});
    Run();
    ASSERT_EQ(run.Summary().problems().size(), 1u);
    const auto& problem = run.Summary().problems()[0];
    EXPECT_EQ(problem.outcome, Outcome::NotConverted);
    EXPECT_EQ(problem.position, 2);
    EXPECT_EQ(problem.item, "(no subject)");
    EXPECT_EQ(problem.id, "D2");
    EXPECT_EQ(ProblemLine(problem), "Drafts, item 2 \"(no subject)\": not converted: value cannot be read");
}

// What the folder tree found but could not hand over is counted with the rest.
TEST_F(ConversionRunTest, FoldersLeftOutOfTheSelectionAreAccountedFor)
{
    AddFolder("Inbox", "F1").items = {FakeMail("one")};
    Select({"F1#Inbox"});
    state.LeftOutFolders = {
        {"Sent Items", LeftOutFolder::Why::Unreadable, "the contents table is damaged", -1},
        {"", LeftOutFolder::Why::NotConverted, "items stored in the top folder are not converted", 2},
        {"Custom", LeftOutFolder::Why::NotConverted, "folders of class IPF.Custom are not converted", 3},
    };
    Run();
    const auto& summary = run.Summary();
    EXPECT_EQ(summary.converted(), 1);
    EXPECT_EQ(summary.foldersNotRead(), 1);
    EXPECT_EQ(summary.skippedByDesign(), 5);
    EXPECT_FALSE(summary.AllWhole());
    EXPECT_TRUE(state.LeftOutFolders.empty());
    const auto& text = view.messages.back().first;
    EXPECT_NE(text.find("1 item converted. 1 folder could not be read. 5 items not converted by design"),
              std::string::npos)
        << text;
    EXPECT_EQ(ProblemLine(summary.problems()[0]),
              "Sent Items (whole folder): folder not read: the contents table is damaged");
    EXPECT_EQ(ProblemLine(summary.problems()[1]),
              "(top folder) (whole folder: 2 items): skipped by design: items stored in the top folder are not "
              "converted");
}

TEST_F(ConversionRunTest, ItemsThatTheDatabaseHoldsAlreadyAreCountedNotWrittenAgain)
{
    auto& inbox = AddFolder("Inbox", "F1");
    inbox.items = {FakeMail("old"), FakeMail("new")};
    inbox.items[0].entryId = "M1";
    inbox.items[1].entryId = "M2";
    notes.itemTexts = {"M1", "M9"};
    Select({"F1#Inbox"});
    Run();
    EXPECT_EQ(CallsStartingWith("TextsOfItem"), (std::vector<std::string>{"TextsOfItem(VarnemoOrigin)"}));
    EXPECT_EQ(CallsStartingWith("CreateDocument").size(), 1u);
    EXPECT_EQ(CallsStartingWith("ReplaceItemValue(VarnemoOrigin)").size(), 1u) << "the new memo records its origin";
    EXPECT_EQ(run.Summary().converted(), 1);
    EXPECT_EQ(run.Summary().alreadyThere(), 1);
    EXPECT_TRUE(run.Summary().AllWhole());
}

TEST_F(ConversionRunTest, AWriterThatCannotSaveCountsAsAFailure)
{
    AddFolder("Calendar", "F1", "IPM.Appointment").items = {FakeMail("meeting")};
    notes.failing = {"Save"};
    Select({"F1#Calendar"});
    Run();
    EXPECT_EQ(run.Summary().notConverted(), 1);
    EXPECT_NE(run.Summary().problems().at(0).reason.find("Save failed"), std::string::npos);
}

// A calendar entry that was saved and then could not be filed is in the database: the account
// must say so, so that its counts match what the user finds there.
TEST_F(ConversionRunTest, ASavedEntryThatCouldNotBeFiledIsConvertedInPart)
{
    AddFolder("Calendar", "F1", "IPM.Appointment").items = {FakeMail("meeting")};
    notes.failing = {"PutInFolder"};
    Select({"F1#Calendar"});
    Run();
    EXPECT_EQ(CallsStartingWith("Save").size(), 1u);
    ASSERT_EQ(run.Summary().problems().size(), 1u);
    EXPECT_EQ(run.Summary().problems()[0].outcome, Outcome::ConvertedInPart);
    EXPECT_NE(run.Summary().problems()[0].reason.find("PutInFolder failed"), std::string::npos);
}

// A series whose stored recurrence is cut short still arrives, as its first occurrence, and the
// account says what is missing.
TEST_F(ConversionRunTest, ASeriesWhoseRecurrenceCannotBeReadArrivesAsItsFirstOccurrenceInPart)
{
    auto meeting = FakeMail("weekly meeting");
    meeting.Date(mapi::DateField::Start, DateTime::Full(2024, 3, 4, 9, 0, 0).WithUtcOffset(60));
    // Versions, then a weekly frequency, and nothing more.
    meeting.recurrence.pattern = std::string("\x04\x30\x04\x30\x0B\x20", 6);
    AddFolder("Calendar", "F1", "IPM.Appointment").items = {meeting};
    Select({"F1#Calendar"});
    Run();
    EXPECT_EQ(CallsStartingWith("Save").size(), 1u);
    EXPECT_EQ(CallsStartingWith("ReplaceItemValue(STARTDATETIME)").size(), 1u);
    EXPECT_TRUE(CallsStartingWith("ReplaceItemValue(Repeats)").empty());
    ASSERT_EQ(run.Summary().problems().size(), 1u);
    EXPECT_EQ(run.Summary().problems()[0].outcome, Outcome::ConvertedInPart);
    EXPECT_EQ(run.Summary().problems()[0].reason,
              "only the first occurrence of the series is written: its recurrence cannot be read: the recurrence "
              "ends before its pattern type (at byte 6)");
}

TEST_F(ConversionRunTest, AnExistingTargetThatCannotBeOpenedStopsTheRunBeforeTheFirstItem)
{
    AddFolder("Inbox", "F1").items = {FakeMail("one"), FakeMail("two")};
    notes.failing = {"GetDatabase"};
    Select({"F1#Inbox"});
    Run();
    EXPECT_TRUE(CallsStartingWith("CreateDocument").empty());
    EXPECT_EQ(run.Summary().converted() + run.Summary().notConverted(), 0);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, "The conversion could not start.\r\nGetDatabase failed");
    EXPECT_FALSE(view.closed);
}

TEST_F(ConversionRunTest, ProgressLabelsCountEveryItemOfABigFolder)
{
    auto& inbox = AddFolder("Inbox", "F1");
    inbox.items.assign(40000, FakeMail("bulk"));
    Select({"F1#Inbox"});
    Run();
    EXPECT_EQ(run.Summary().converted(), 40000);
    EXPECT_EQ(view.captions[TargetLabel::LblCurrent], "40000/40000");
    EXPECT_EQ(view.captions[TargetLabel::LblFound], "40000");
}

TEST_F(ConversionRunTest, TemporaryAttachmentFoldersAreGoneEvenForItemsThatFailed)
{
    testing::TempDir temp;
    testing::TemporaryFolderOverride useTemp(temp.path());
    auto& inbox = AddFolder("Inbox", "F1");
    inbox.items = {FakeMail("kept")};
    inbox.items[0].Attach("a.txt", "a").Attach("a.txt", "b");
    auto& calendar = AddFolder("Calendar", "F2", "IPM.Appointment");
    calendar.items = {FakeMail("lost")};
    calendar.items[0].Attach("c.txt", "c");
    notes.failing = {"EnableFolder"};  // the calendar writer gives up before its files, the memo goes on
    Select({"F1#Inbox", "F2#Calendar"});
    Run();
    EXPECT_EQ(CallsStartingWith("EmbedObject").size(), 2u);
    EXPECT_TRUE(std::filesystem::is_empty(temp.path()));
}

TEST_F(ConversionRunTest, AttachmentsGoThroughATemporaryFolderNamedBeyondAscii)
{
    testing::TempDir temp;
    const auto userTemp = temp.path() / PathFromText("J\u00fcrgen-\u00fc");
    std::filesystem::create_directory(userTemp);
    testing::TemporaryFolderOverride useTemp(userTemp);
    auto& inbox = AddFolder("Inbox", "F1");
    inbox.items = {FakeMail("Bericht")};
    inbox.items[0].Attach("Bericht-\u00e4.txt", "Inhalt");
    Select({"F1#Inbox"});
    Run();
    EXPECT_TRUE(run.Summary().problems().empty());
    const auto embedded = CallsStartingWith("EmbedObject");
    ASSERT_EQ(embedded.size(), 1u);
    EXPECT_NE(embedded[0].find(TextFromPath(userTemp)), std::string::npos) << embedded[0];
    EXPECT_NE(embedded[0].find("Bericht-\u00e4.txt"), std::string::npos) << embedded[0];
    // The saved file was found again by that path and deleted.
    EXPECT_TRUE(std::filesystem::is_empty(userTemp));
}

TEST_F(ConversionRunTest, NewDatabaseIsNamedAfterTheDataFileAndTheStartTime)
{
    testing::TempDir out;
    const std::string separator(1, kPathSeparator);
    mailbox.stores[0].pstPath = separator + "data" + separator + "Archive.PST.pst";
    view.newNsfSelected = true;
    state.TargetDatabasePath = out.path().string();
    Select({});
    Run();
    const std::string folder = (out.path() / "Converted Outlook PST").string() + separator;
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(state.TargetDatabasePath, folder + "Archive.PST07-12-2026-14-5-9.nsf");
    EXPECT_EQ(state.NamesDbPath, folder + "names07-12-2026-14-5-9.nsf");
    EXPECT_EQ(CallsStartingWith("CreateCopy"),
              (std::vector<std::string>{"CreateCopy(," + state.TargetDatabasePath + ")",
                                        "CreateCopy(," + state.NamesDbPath + ")"}));
}

TEST_F(ConversionRunTest, CompletionIsReportedOnlyOnceTheDatabasesAreReleased)
{
    AddFolder("Inbox", "F1").items = {FakeMail("one"), FakeMail("two")};
    Select({"F1#Inbox"});
    Run();
    EXPECT_EQ(notes.calls.back(), "ReleaseDatabases") << "after the last document";
    EXPECT_EQ(CallsStartingWith("ReleaseDatabases").size(), 1u);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].second, "Export Complete");

    view = {};
    view.newNsfSelected = false;
    view.existingNsfFileName = "/notes/mail.nsf";
    notes.failing = {"ReleaseDatabases"};
    Select({"F1#Inbox"});
    Run();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].second, "Export Complete");
    EXPECT_NE(view.messages[0].first.find("ReleaseDatabases failed"), std::string::npos) << view.messages[0].first;
    EXPECT_FALSE(view.closed);
}

TEST_F(ConversionRunTest, ItemsAreCountedOnlyOnceTheirDocumentsAreCommitted)
{
    auto& inbox = AddFolder("Inbox", "F1");
    for (int i = 0; i < 450; ++i)
        inbox.items.push_back(FakeMail(fmt::format("mail {}", i)));
    Select({"F1#Inbox"});
    notes.failing = {"CommitSaved"};
    Run();
    const auto firstSave = std::ranges::find(notes.calls, "Save(0,0)");
    EXPECT_LT(std::ranges::find(notes.calls, "HoldSaves"), firstSave);
    EXPECT_GE(CallsStartingWith("CommitSaved").size(), 2u) << "saves are not held for the whole run";
    const auto afterLastSave = std::find(notes.calls.rbegin(), notes.calls.rend(), "Save(0,0)").base();
    EXPECT_NE(std::find(afterLastSave, notes.calls.end(), "CommitSaved"), notes.calls.end());

    EXPECT_EQ(run.Summary().converted(), 0);
    EXPECT_EQ(run.Summary().notConverted(), 450);
    ASSERT_EQ(run.Summary().problems().size(), 450u);
    const auto& last = run.Summary().problems().back();
    EXPECT_EQ(last.item, "mail 449");
    EXPECT_EQ(last.position, 450);
    EXPECT_NE(last.reason.find("CommitSaved failed"), std::string::npos) << last.reason;
    EXPECT_FALSE(run.Summary().AllWhole());
}

TEST_F(ConversionRunTest, ASetUpFailureIsReportedAndTheWindowStaysOpen)
{
    state.OutlookStoreID = "NO SUCH STORE";
    Select({"F1#Inbox"});
    Run();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].first.find("NO SUCH STORE"), std::string::npos);
    EXPECT_FALSE(view.closed);
    EXPECT_FALSE(run.Running());
    EXPECT_EQ(state.SelectedFolders.size(), 1u) << "the selection stays for another try";

    mailbox.stores[0].pstPath.clear();
    state.OutlookStoreID = "STORE1";
    view.newNsfSelected = true;
    state.TargetDatabasePath = "/tmp";
    Run();
    EXPECT_NE(view.messages.back().first.find("no data file"), std::string::npos);
}

// A window whose yields deliver a second click on the export button.
class ClickingView : public testing::FakeTargetView {
public:
    ConversionRun* run = nullptr;
    void Yield() override
    {
        FakeTargetView::Yield();
        if (run)
            run->CmdConversion_Click();
    }
};

TEST_F(ConversionRunTest, ASecondClickDuringARunDoesNothing)
{
    AddFolder("Inbox", "F1").items = {FakeMail("one"), FakeMail("two")};
    ClickingView clicking;
    clicking.newNsfSelected = false;
    clicking.existingNsfFileName = "/notes/mail.nsf";
    ConversionRun reentrant(mailbox, WriterContext{state, notes, clicking});
    clicking.run = &reentrant;
    Select({"F1#Inbox"});
    reentrant.CmdConversion_Click();
    EXPECT_EQ(reentrant.Summary().converted(), 2);
    EXPECT_EQ(clicking.messages.size(), 1u);
    EXPECT_EQ(mailbox.sessionsCreated, 1);
}

}  // namespace
}  // namespace varnemo
