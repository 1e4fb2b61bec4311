// Stopping a conversion on the user's word, the overall progress that a run shows, and the
// databases that its completion message names.
#include "conversion/conversion_report.h"
#include "conversion/conversion_run.h"
#include "conversion/overall_progress.h"
#include "fakes/fake_mailbox.h"
#include "fakes/fake_target_view.h"
#include "fakes/recording_notes.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace varnemo {
namespace {

using namespace std::chrono_literals;
using testing::FakeContact;
using testing::FakeMail;

// A window whose user asks the run to stop once it has yielded after so many items.
class StoppingView : public testing::FakeTargetView {
public:
    StopRequest stop;
    long stopAfterItems = -1;
    void ShowOverallProgress(const OverallProgress& progress) override
    {
        FakeTargetView::ShowOverallProgress(progress);
        if (progress.done == stopAfterItems)
            stop.Request();
    }
};

class ConversionStopTest : public ::testing::Test {
protected:
    ConversionStopTest()
    {
        mailbox.stores.push_back({.name = "Mailbox", .entryId = "STORE1", .pstPath = "/data/archive.pst"});
        state.OutlookStoreID = "STORE1";
        view.newNsfSelected = false;
        view.existingNsfFileName = "/notes/mail.nsf";
        auto& top = mailbox.stores[0].top;
        top.Add({.name = "Inbox", .entryId = "F1"}).items.assign(5, FakeMail("mail"));
        top.Add({.name = "Contacts", .entryId = "F2", .defaultMessageClass = "IPM.Contact"}).items = {
            FakeContact("Ada", "Lovelace"), FakeContact("Alan", "Turing")};
        top.Add({.name = "Journal", .entryId = "F3", .defaultMessageClass = "IPM.Journal"}).items = {FakeMail("j")};
        state.SelectedFolders = {"F1#Inbox", "F3#Journal", "F2#Contacts", ""};
    }

    long DocumentsCreated() const
    {
        return static_cast<long>(std::count_if(notes.calls.begin(), notes.calls.end(), [](const std::string& call) {
            return call.rfind("CreateDocument", 0) == 0;
        }));
    }

    testing::FakeMailbox mailbox;
    ProgramState state;
    testing::RecordingNotes notes;
    StoppingView view;
    ConversionRun run{mailbox, WriterContext{state, notes, view}, ConversionOptions{.stop = &view.stop}};
};

TEST_F(ConversionStopTest, AStopEndsTheRunAfterTheItemAtHandWithItsSummary)
{
    view.stopAfterItems = 3;
    run.CmdConversion_Click();

    EXPECT_TRUE(run.Summary().stoppedByUser());
    EXPECT_FALSE(run.Summary().AllWhole());
    EXPECT_EQ(run.Summary().converted(), 3);
    EXPECT_EQ(DocumentsCreated(), 3) << "no item after the one at hand was started";
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first,
              "The conversion was stopped by the user.\r\n/notes/mail.nsf\r\n3 items converted before it stopped.");
    EXPECT_TRUE(view.closed) << "a stopped run ends as a finished one does";
    EXPECT_TRUE(state.SelectedFolders.empty());
    EXPECT_FALSE(run.Running());

    std::ostringstream report;
    WriteConversionReport(run.Summary(), report);
    EXPECT_EQ(report.str().rfind("Stopped by the user", 0), 0u) << report.str();
}

TEST_F(ConversionStopTest, AStopInAContactFolderAndAStopBeforeTheFirstItem)
{
    view.stopAfterItems = 6;
    run.CmdConversion_Click();
    EXPECT_EQ(run.Summary().converted(), 6);
    EXPECT_EQ(DocumentsCreated(), 6);

    testing::RecordingNotes otherNotes;
    StoppingView early;
    early.newNsfSelected = false;
    early.existingNsfFileName = "/notes/mail.nsf";
    early.stop.Request();
    state.SelectedFolders = {"F1#Inbox"};
    ConversionRun stopped(mailbox, WriterContext{state, otherNotes, early}, ConversionOptions{.stop = &early.stop});
    stopped.CmdConversion_Click();
    EXPECT_EQ(stopped.Summary().converted(), 0);
    EXPECT_TRUE(stopped.Summary().stoppedByUser());
    ASSERT_EQ(early.messages.size(), 1u);
    EXPECT_NE(early.messages[0].first.find("0 items converted before it stopped."), std::string::npos);
}

TEST_F(ConversionStopTest, OverallProgressCountsTheItemsOfEveryConvertedFolder)
{
    run.CmdConversion_Click();
    EXPECT_FALSE(run.Summary().stoppedByUser());
    ASSERT_EQ(view.overall.size(), 8u) << "once before the first item, then after each of the 7";
    EXPECT_EQ(view.overall.front().done, 0);
    EXPECT_FALSE(view.overall.front().left.has_value());
    for (size_t at = 0; at < view.overall.size(); ++at) {
        EXPECT_EQ(view.overall[at].total, 7) << "the journal entry is not converted, so not counted";
        EXPECT_EQ(view.overall[at].done, static_cast<long>(at));
    }
    EXPECT_EQ(view.overall.back().left, 0s);
}

TEST_F(ConversionStopTest, TimeLeftFollowsThePaceOfTheItemsDone)
{
    EXPECT_FALSE(EstimateTimeLeft(0, 100, 5000ms).has_value());
    EXPECT_EQ(EstimateTimeLeft(10, 100, 5000ms), 45s);
    EXPECT_EQ(EstimateTimeLeft(3, 4, 100ms), 1s) << "a part of a second is a second";
    EXPECT_EQ(EstimateTimeLeft(4, 4, 100ms), 0s);
    EXPECT_EQ(EstimateTimeLeft(5, 4, 100ms), 0s) << "more done than counted (items added meanwhile)";

    EXPECT_EQ(OverallProgressText({0, 44000, std::nullopt}), "0 of 44000 items");
    EXPECT_EQ(OverallProgressText({10, 100, 45s}), "10 of 100 items, less than a minute left");
    EXPECT_EQ(OverallProgressText({10, 100, 61s}), "10 of 100 items, about 2 minutes left");
    EXPECT_EQ(OverallProgressText({10, 100, 3h + 5min}), "10 of 100 items, about 3 hours 5 minutes left");
}

TEST_F(ConversionStopTest, AnExistingTargetNamesNoAddressBookOfAnEarlierRun)
{
    state.NamesDbPath = "/notes/Converted Outlook PST/names01-01-2026-9-0-0.nsf";
    state.SelectedFolders = {"F2#Contacts"};
    run.CmdConversion_Click();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first,
              "Outlook Mailbox Exported Successfully to Lotus Notes Mailbox.\r\n/notes/mail.nsf\r\n2 items converted.");
    EXPECT_EQ(state.NamesDbPath, "");
}

}  // namespace
}  // namespace varnemo
