#include "fakes/fake_mailbox.h"
#include "fakes/memory_source_view.h"
#include "fakes/scripted_dialogs.h"
#include "shell/shell.h"
#include "source/store_discovery.h"
#include "source/store_entry.h"

#include <gtest/gtest.h>
#include <thread>

namespace varnemo {
namespace {

using testing::FakeFolder;
using testing::FakeStore;

const std::pair<std::string, std::string> kNotConfigured{"Outlook NOT installed or configured properly.\nno profile",
                                                         "Kestrova Varnemo"};

FakeStore Store(std::string name, std::string entryId)
{
    // In the system's own form, so that the list shows the file's name on every system.
    const std::string separator(1, kPathSeparator);
    std::string pstPath = separator + "mail" + separator + entryId + ".pst";
    FakeStore store{.name = std::move(name), .entryId = std::move(entryId), .pstPath = std::move(pstPath)};
    store.top.Add({.name = "Inbox", .entryId = store.entryId + "-INBOX"});
    store.top.Add({.name = "Contacts", .entryId = store.entryId + "-CONTACTS", .defaultMessageClass = "IPM.Contact"});
    return store;
}

class StoreDiscoveryTest : public ::testing::Test {
protected:
    std::vector<std::string> NodeTexts() const
    {
        std::vector<std::string> texts;
        for (size_t n = 1; n <= tree.Count(); ++n)
            texts.push_back(tree.Node(n).text);
        return texts;
    }
    bool AllTicked() const
    {
        for (size_t n = 1; n <= tree.Count(); ++n)
            if (!tree.Node(n).checked)
                return false;
        return tree.Count() > 0;
    }
    // Lists the profile's stores and picks the entry at index, as the user does.
    void PickConfiguredStore(int index)
    {
        discovery.CmdExportConfigured_Click();
        view.chosenEntry = index;
        discovery.CmbOutlookStores_Click();
    }

    testing::FakeMailbox mailbox;
    ProgramState state;
    FolderTree tree;
    testing::MemorySourceView view;
    testing::ScriptedDialogs dialogs;
    StoreDiscovery discovery{mailbox, state, tree, view, dialogs};
};

// Road A: listing the configured stores.

TEST_F(StoreDiscoveryTest, ListingAppendsEveryQualifyingStoreAndShowsThePreviewTab)
{
    mailbox.stores = {Store("Mailbox", "S1"), Store("Archive", "S2"), Store("Hidden", "S3")};
    mailbox.stores[2].qualifyingText = "  ";
    view.startConversionEnabled = true;
    view.storeListEnabled = false;
    discovery.CmdExportConfigured_Click();
    EXPECT_EQ(view.storeEntries, (std::vector<std::string>{"Mailbox (S1.pst)" + std::string(300, ' ') + "#S1",
                                                           "Archive (S2.pst)" + std::string(300, ' ') + "#S2"}));
    EXPECT_TRUE(view.storeListEnabled);
    EXPECT_FALSE(view.startConversionEnabled) << "nothing is picked yet";
    EXPECT_TRUE(view.previewTabShown);
    EXPECT_EQ(mailbox.sessionsLoggedOff, 1);

    discovery.CmdExportConfigured_Click();
    EXPECT_EQ(view.storeEntries.size(), 4u) << "a second press lists every store again";
}

TEST_F(StoreDiscoveryTest, AProfileWithoutQualifyingStoresStillShowsThePreviewTab)
{
    mailbox.stores = {Store("Hidden", "S1")};
    mailbox.stores[0].qualifyingText = "";
    view.storeListEnabled = false;
    discovery.CmdExportConfigured_Click();
    EXPECT_TRUE(view.storeEntries.empty());
    EXPECT_FALSE(view.storeListEnabled) << "the list keeps its enabled state";
    EXPECT_FALSE(view.startConversionEnabled);
    EXPECT_TRUE(view.previewTabShown);
}

TEST_F(StoreDiscoveryTest, AFailedLogonSaysOutlookIsNotConfiguredWithTheCauseAndChangesNoTab)
{
    mailbox.stores = {Store("Mailbox", "S1")};
    mailbox.failsToLogOn = true;
    view.startConversionEnabled = true;
    discovery.CmdExportConfigured_Click();
    view.dataFilePath = "/mail/other.pst";
    discovery.CmdExportOther_Click();
    EXPECT_EQ(dialogs.messages, (std::vector{kNotConfigured, kNotConfigured}));
    EXPECT_FALSE(view.startConversionEnabled);
    EXPECT_TRUE(view.storeEntries.empty());
    EXPECT_TRUE(view.storeListEnabled);
    EXPECT_FALSE(view.previewTabShown);
}

// Road B: choosing a configured store.

TEST_F(StoreDiscoveryTest, PickingAStoreShowsItsTreeFullyTicked)
{
    mailbox.stores = {Store("Mailbox", "S1"), Store("Archive", "S2")};
    PickConfiguredStore(1);
    EXPECT_EQ(state.OutlookStoreID, "S2");
    EXPECT_EQ(NodeTexts(), (std::vector<std::string>{"Archive", "Inbox (0)", "Contacts (0)"}));
    EXPECT_TRUE(AllTicked());
    EXPECT_TRUE(view.startConversionEnabled);
    EXPECT_TRUE(view.storeListEnabled);
    EXPECT_EQ(mailbox.sessionsLoggedOff, mailbox.sessionsCreated) << "no session stays open";
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(StoreDiscoveryTest, AStoreWhoseNameHoldsAHashStillOpens)
{
    mailbox.stores = {Store("Team #4 # Mail", "S1")};
    PickConfiguredStore(0);
    EXPECT_EQ(state.OutlookStoreID, "S1");
    ASSERT_EQ(tree.Count(), 3u);
    EXPECT_EQ(tree.Node(1).text, "Team #4 # Mail");
    EXPECT_TRUE(view.startConversionEnabled);
}

TEST_F(StoreDiscoveryTest, PickingWithNoEntryChosenOnlyReenablesTheList)
{
    mailbox.stores = {Store("Mailbox", "S1")};
    discovery.CmdExportConfigured_Click();
    view.startConversionEnabled = true;
    const int sessions = mailbox.sessionsCreated;
    discovery.CmbOutlookStores_Click();
    EXPECT_TRUE(view.storeListEnabled);
    EXPECT_TRUE(view.startConversionEnabled);
    EXPECT_EQ(mailbox.sessionsCreated, sessions);
    EXPECT_EQ(tree.Count(), 0u);
}

TEST_F(StoreDiscoveryTest, AStoreThatCannotBeOpenedIsReportedAndTheWindowStaysUsable)
{
    mailbox.stores = {Store("Mailbox", "S1")};
    discovery.CmdExportConfigured_Click();
    mailbox.stores.clear();  // the store left the profile after it was listed
    view.chosenEntry = 0;
    discovery.CmbOutlookStores_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].first, "The folders of \"Mailbox (S1.pst)\" cannot be shown.\nno store S1");
    EXPECT_EQ(dialogs.messages[0].second, "Kestrova Varnemo");
    EXPECT_FALSE(view.startConversionEnabled);
    EXPECT_EQ(view.chosenEntry, -1) << "no store name stays above a tree that is not its own";
    EXPECT_EQ(tree.Count(), 0u);
    EXPECT_EQ(state.OutlookStoreID, "");
    EXPECT_TRUE(view.storeListEnabled);
    EXPECT_EQ(mailbox.sessionsLoggedOff, mailbox.sessionsCreated) << "the failed build's session is closed too";
}

// Road C: opening another data file.

TEST_F(StoreDiscoveryTest, OpeningADataFileShowsItsTreeAndLocksTheStoreList)
{
    mailbox.dataFiles["/mail/archive.pst"] = Store("Archive 2009", "PST1");
    view.dataFilePath = "  /mail/archive.pst ";
    discovery.CmdExportOther_Click();
    EXPECT_EQ(state.OutlookStoreID, "PST1");
    EXPECT_EQ(NodeTexts(), (std::vector<std::string>{"Archive 2009", "Inbox (0)", "Contacts (0)"}));
    EXPECT_TRUE(AllTicked());
    EXPECT_TRUE(view.startConversionEnabled);
    EXPECT_FALSE(view.storeListEnabled);
    EXPECT_TRUE(view.previewTabShown);
    EXPECT_EQ(mailbox.sessionsLoggedOff, 1);
}

TEST_F(StoreDiscoveryTest, AFileThatIsNotADataFileIsNamedWithTheReasonAndLeavesNoEarlierTree)
{
    mailbox.dataFiles["/mail/archive.pst"] = Store("Archive 2009", "PST1");
    view.dataFilePath = "/mail/archive.pst";
    discovery.CmdExportOther_Click();
    view.dataFilePath = "/mail/letter.txt";
    discovery.CmdExportOther_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].first, "The file \"/mail/letter.txt\" cannot be opened as an Outlook data file.\n"
                                         "/mail/letter.txt is not an Outlook data file");
    EXPECT_EQ(state.OutlookStoreID, "") << "the earlier file is not converted in this one's place";
    EXPECT_EQ(tree.Count(), 0u);
    EXPECT_FALSE(view.startConversionEnabled);
    EXPECT_EQ(mailbox.sessionsLoggedOff, 2);

    view.previewTabShown = false;
    view.dataFilePath = "/mail/other.txt";
    discovery.CmdExportOther_Click();
    EXPECT_FALSE(view.previewTabShown) << "the tab stays as Browse left it";
}

// A file read around damage, or by the fallback reader, is shown as any other, and the user is
// told so before a conversion starts, on either thread.
TEST_F(StoreDiscoveryTest, AFileNotReadAsItStandsIsShownAndSaysHowItWasRead)
{
    for (const bool background : {false, true}) {
        SCOPED_TRACE(background ? "read off the window's thread" : "read on the window's thread");
        mailbox.usableFromAnyThread = background;
        dialogs.messages.clear();
        auto damaged = Store("Archive 2009", "PST1");
        damaged.damageReadAround = "its message store cannot be read";
        mailbox.dataFiles["/mail/archive.pst"] = damaged;
        view.dataFilePath = "/mail/archive.pst";
        discovery.CmdExportOther_Click();
        EXPECT_EQ(NodeTexts(), (std::vector<std::string>{"Archive 2009", "Inbox (0)", "Contacts (0)"}));
        EXPECT_TRUE(view.startConversionEnabled);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].first, "The folders of \"/mail/archive.pst\" are shown as far as they can be "
                                             "read.\nThe data file is damaged: its message store cannot be read.");
        EXPECT_EQ(dialogs.messages[0].second, "Kestrova Varnemo");
    }
    auto fallback = Store("Personal Folders", "S1");
    fallback.fallbackReason = "the direct reader finds it damaged: block 8 fails its checksum";
    fallback.readPastDamage = true;
    mailbox.stores = {fallback};
    dialogs.messages.clear();
    PickConfiguredStore(0);
    EXPECT_EQ(state.OutlookStoreID, "S1");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].first,
              "The folders of \"Personal Folders (S1.pst)\" are shown as far as they can be read.\nThe data file was "
              "read by the fallback reader (libpff), as the direct reader finds it damaged: block 8 fails its "
              "checksum; what was read past the damage may not be whole.");
}

TEST_F(StoreDiscoveryTest, AStoreThatDoesNotQualifyOpensNothingAndSaysNothing)
{
    mailbox.dataFiles["/mail/odd.pst"] = Store("Odd", "PST1");
    mailbox.dataFiles["/mail/odd.pst"].qualifyingText = " ";
    view.dataFilePath = "/mail/odd.pst";
    discovery.CmdExportOther_Click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(tree.Count(), 0u);
    EXPECT_EQ(state.OutlookStoreID, "");
    EXPECT_FALSE(view.startConversionEnabled);
    EXPECT_TRUE(view.storeListEnabled);
    EXPECT_TRUE(view.previewTabShown);
}

TEST_F(StoreDiscoveryTest, AFolderThatFailsMidBuildCostsOnlyItself)
{
    auto store = Store("Archive", "PST1");
    store.top.folders[0].Add({.name = "2008", .entryId = "Y8"});
    store.top.folders[0].Add({.name = "2009", .entryId = "Y9"});
    mailbox.dataFiles["/mail/archive.pst"] = store;
    view.dataFilePath = "/mail/archive.pst";
    // The second sub-folder disappears while the build yields after the first.
    view.duringYield = [&] {
        auto& inbox = mailbox.dataFiles["/mail/archive.pst"].top.folders[0];
        if (tree.Count() == 3 && inbox.folders.size() == 2)
            inbox.folders.pop_back();
    };
    discovery.CmdExportOther_Click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(NodeTexts(), (std::vector<std::string>{"Archive", "Inbox (0)", "2008 (0)",
                                                     "Unnamed folder 2 (cannot be read)", "Contacts (0)"}));
    EXPECT_EQ(tree.Node(4).error, "no folder at index 2");
    EXPECT_FALSE(tree.Node(4).checked);
    EXPECT_TRUE(tree.Node(5).checked);
    EXPECT_TRUE(view.startConversionEnabled);
}

TEST_F(StoreDiscoveryTest, AStoreWhoseFoldersCannotBeListedIsReportedAndTheStartStaysOff)
{
    auto store = Store("Archive", "PST1");
    store.top.faults = {testing::FolderFault::SubFolders};
    mailbox.dataFiles["/mail/archive.pst"] = store;
    view.dataFilePath = "/mail/archive.pst";
    discovery.CmdExportOther_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].first, "The file \"/mail/archive.pst\" cannot be opened as an Outlook data file.\n"
                                         "cannot read the sub-folders of folder TOP (damaged)");
    EXPECT_EQ(tree.Count(), 0u) << "no half-built tree";
    EXPECT_FALSE(view.startConversionEnabled);
    EXPECT_FALSE(view.previewTabShown);
}

TEST_F(StoreDiscoveryTest, AClickDuringABuildWaitsForTheBuildToEnd)
{
    auto store = Store("Archive", "PST1");
    store.top.folders[0].Add({.name = "Old", .entryId = "OLD"});
    mailbox.dataFiles["/mail/archive.pst"] = store;
    mailbox.stores = {Store("Mailbox", "S1")};
    view.dataFilePath = "/mail/archive.pst";
    view.duringYield = [&] {
        discovery.CmdExportOther_Click();
        discovery.CmdExportConfigured_Click();
    };
    discovery.CmdExportOther_Click();
    EXPECT_EQ(mailbox.sessionsCreated, 1);
    EXPECT_EQ(NodeTexts(), (std::vector<std::string>{"Archive", "Inbox (0)", "Old (0)", "Contacts (0)"}));
    EXPECT_TRUE(view.storeEntries.empty());
    EXPECT_FALSE(discovery.Busy());
}


// Every road on a thread of its own, for a component that allows it.

TEST_F(StoreDiscoveryTest, EveryRoadReadsItsStoreOffTheWindowsThreadAndEndsAsBefore)
{
    mailbox.usableFromAnyThread = true;
    mailbox.stores = {Store("Mailbox", "S1"), Store("Archive", "S2")};
    mailbox.dataFiles["/mail/archive.pst"] = Store("Archive 2009", "PST1");

    PickConfiguredStore(1);
    EXPECT_EQ(view.storeEntries.size(), 2u);
    EXPECT_EQ(state.OutlookStoreID, "S2");
    EXPECT_EQ(NodeTexts(), (std::vector<std::string>{"Archive", "Inbox (0)", "Contacts (0)"}));
    EXPECT_TRUE(AllTicked());
    EXPECT_TRUE(view.startConversionEnabled);
    EXPECT_TRUE(view.storeListEnabled);
    EXPECT_TRUE(view.openingEnded) << "the pick showed its progress and took it away again";

    view.dataFilePath = "/mail/archive.pst";
    discovery.CmdExportOther_Click();
    EXPECT_EQ(state.OutlookStoreID, "PST1");
    EXPECT_FALSE(view.storeListEnabled);

    ASSERT_EQ(mailbox.storeReadsOn.size(), 3u) << "the listing, the pick and the file";
    for (const auto& thread : mailbox.storeReadsOn)
        EXPECT_NE(thread, std::this_thread::get_id());
    EXPECT_EQ(mailbox.sessionsLoggedOff, mailbox.sessionsCreated);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(StoreDiscoveryTest, CancellingAPickLeavesNoTreeAndNoChoice)
{
    mailbox.usableFromAnyThread = true;
    mailbox.stores = {Store("Mailbox", "S1"), Store("Big", "S2")};
    auto& inbox = mailbox.stores[1].top.folders[0];
    for (int number = 1; number <= 5; ++number)
        inbox.Add({.name = "Project " + std::to_string(number), .entryId = "P" + std::to_string(number),
                   .listingTakes = std::chrono::milliseconds(30)});
    PickConfiguredStore(0);
    ASSERT_EQ(state.OutlookStoreID, "S1");

    view.duringYield = [&] { discovery.CancelOpening(); };
    view.chosenEntry = 1;
    discovery.CmbOutlookStores_Click();
    EXPECT_EQ(tree.Count(), 0u) << "neither the cancelled store's tree nor the one before";
    EXPECT_EQ(state.OutlookStoreID, "");
    EXPECT_EQ(view.chosenEntry, -1);
    EXPECT_FALSE(view.startConversionEnabled);
    EXPECT_TRUE(view.storeListEnabled);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(mailbox.sessionsLoggedOff, mailbox.sessionsCreated);
    EXPECT_FALSE(discovery.Busy());
}

TEST_F(StoreDiscoveryTest, CancelEndsAnOpenThatTakesLongAsWellAsTheFolderReading)
{
    mailbox.usableFromAnyThread = true;
    // Longer than any test may take: only a stopped open lets the test end in time.
    constexpr std::chrono::seconds kForever{20};
    mailbox.stores = {Store("Mailbox", "S1"), Store("Big", "S2")};
    mailbox.stores[1].openTakes = kForever;
    auto file = Store("Archive", "PST1");
    file.openTakes = kForever;
    mailbox.dataFiles["/mail/archive.pst"] = file;
    view.duringYield = [&] { discovery.CancelOpening(); };

    view.dataFilePath = "/mail/archive.pst";
    discovery.CmdExportOther_Click();
    EXPECT_EQ(mailbox.opensStopped, 1) << "the data file's open";
    EXPECT_EQ(tree.Count(), 0u);

    view.duringYield = nullptr;
    discovery.CmdExportConfigured_Click();
    view.duringYield = [&] { discovery.CancelOpening(); };
    view.chosenEntry = 1;
    discovery.CmbOutlookStores_Click();
    EXPECT_EQ(mailbox.opensStopped, 2) << "the picked store's open";
    EXPECT_EQ(tree.Count(), 0u);
    EXPECT_EQ(state.OutlookStoreID, "");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(mailbox.sessionsLoggedOff, mailbox.sessionsCreated);
    EXPECT_FALSE(discovery.Busy());
}

TEST_F(StoreDiscoveryTest, CancelEndsAListingHeldUpByOneMailboxAndLeavesTheListAsItWas)
{
    mailbox.usableFromAnyThread = true;
    mailbox.stores = {Store("Mailbox", "S1"), Store("Damaged", "S2"), Store("Archive", "S3")};
    // Longer than any test may take: only a stopped listing lets the test end in time.
    mailbox.stores[1].listingTakes = std::chrono::seconds(20);
    view.duringYield = [&] {
        if (view.yields > 3)
            discovery.CancelOpening();
    };

    discovery.CmdExportConfigured_Click();

    EXPECT_EQ(mailbox.opensStopped, 1);
    EXPECT_TRUE(view.storeEntries.empty());
    EXPECT_FALSE(view.previewTabShown);
    EXPECT_TRUE(dialogs.messages.empty());
    ASSERT_FALSE(view.listingShown.empty());
    EXPECT_EQ(view.listingShown.back(), 1) << "the first mailbox was read before the held-up one";
    EXPECT_TRUE(view.openingEnded);
    EXPECT_EQ(mailbox.sessionsLoggedOff, mailbox.sessionsCreated);
    EXPECT_FALSE(discovery.Busy());

    view.duringYield = nullptr;
    mailbox.stores[1].listingTakes = {};
    discovery.CmdExportConfigured_Click();
    EXPECT_EQ(view.storeEntries.size(), 3u) << "a listing after the cancel reads every mailbox";
}

}  // namespace
}  // namespace varnemo
