#include "fakes/fake_mailbox.h"
#include "source/folder_tree.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>

namespace varnemo {

// Found by argument-dependent lookup, so it lives beside LeftOutFolder.
void PrintTo(const LeftOutFolder& folder, std::ostream* out)
{
    const char* why = folder.why == LeftOutFolder::Why::Unreadable ? "unreadable" : "not converted";
    *out << "{\"" << folder.path << "\", " << why << ", \"" << folder.reason << "\", " << folder.items << "}";
}

namespace {

using testing::FakeFolder;
using testing::FolderFault;
using Why = LeftOutFolder::Why;

class FolderTreeTest : public ::testing::Test {
protected:
    FolderTreeTest() { mailbox.stores.push_back({.name = "Mailbox", .entryId = "STORE1", .pstPath = "m.pst"}); }

    FakeFolder& top() { return mailbox.stores[0].top; }

    void Build()
    {
        auto session = mailbox.CreateSession();
        session->Logon();
        auto store = session->GetStoreFromID("STORE1");
        BuildFolderTree(*store, tree, [this] { ++yields; });
        tree.TickAll();
    }

    std::vector<std::string> Tags() const
    {
        std::vector<std::string> tags;
        for (size_t n = 2; n <= tree.Count(); ++n)
            tags.push_back(tree.Node(n).tag);
        return tags;
    }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (size_t n = 2; n <= tree.Count(); ++n)
            texts.push_back(tree.Node(n).text);
        return texts;
    }

    testing::FakeMailbox mailbox;
    FolderTree tree;
    int yields = 0;
};

TEST_F(FolderTreeTest, NodesComeInPreOrderWithPathsFromTheirParents)
{
    auto& projects = top().Add({.name = "Projects", .entryId = "P"});
    auto& alpha = projects.Add({.name = "Alpha", .entryId = "A"});
    alpha.Add({.name = "One", .entryId = "A1"});
    alpha.Add({.name = "Two", .entryId = "A2"});
    projects.Add({.name = "Beta", .entryId = "B"});
    Build();
    EXPECT_EQ(Tags(), (std::vector<std::string>{"P#Projects", "A#Projects\\Alpha", "A1#Projects\\Alpha\\One",
                                                "A2#Projects\\Alpha\\Two", "B#Projects\\Beta"}));
    EXPECT_EQ(tree.Node(1).text, "Mailbox");
    EXPECT_EQ(tree.Node(1).parent, 0u);
    EXPECT_EQ(tree.Node(4).parent, 3u);
    EXPECT_EQ(tree.Node(6).parent, 2u);
    EXPECT_EQ(yields, 4) << "one yield after every folder below the first level";
}

TEST_F(FolderTreeTest, TextsImagesAndTicks)
{
    FakeFolder contacts{.name = "Contacts", .entryId = "C", .defaultMessageClass = "IPM.Contact"};
    contacts.items.resize(12);
    top().Add(contacts);
    top().Add({.name = "Calendar", .entryId = "K", .defaultMessageClass = "IPM.Appointment"});
    top().Add({.name = "Journal", .entryId = "J", .defaultMessageClass = "IPM.Journal"});
    top().Add({.name = "Notes", .entryId = "N", .defaultMessageClass = "IPM.StickyNote"});
    top().Add({.name = "Tasks", .entryId = "T", .defaultMessageClass = "IPM.Task"});
    top().Add({.name = "Custom", .entryId = "X", .defaultMessageClass = "IPM.Note.Custom"});
    top().Add({.name = "Lower", .entryId = "L", .defaultMessageClass = "ipm.note"});
    Build();
    ASSERT_EQ(tree.Count(), 6u);
    EXPECT_EQ(tree.Node(2).text, "Contacts (12)");
    EXPECT_TRUE(tree.Node(2).hasItems);
    EXPECT_EQ(tree.Node(3).text, "Calendar (0)");
    EXPECT_FALSE(tree.Node(3).hasItems);
    std::vector<int> images;
    for (size_t n = 1; n <= tree.Count(); ++n) {
        images.push_back(tree.Node(n).image);
        EXPECT_TRUE(tree.Node(n).checked);
    }
    EXPECT_EQ(images, (std::vector<int>{0, 61, 60, 62, 67, 58}));
}

TEST_F(FolderTreeTest, DuplicateNamesAndHiddenParentsStillBuildTheRightTree)
{
    top().Add({.name = "Archive", .entryId = "A1"}).Add({.name = "Archive", .entryId = "A2"});
    auto& hidden = top().Add({.name = "Search", .entryId = "S", .defaultMessageClass = "IPF.Other"});
    hidden.Add({.name = "Found", .entryId = "F"});
    Build();
    ASSERT_EQ(tree.Count(), 4u);
    EXPECT_EQ(tree.Node(3).tag, "A2#Archive\\Archive");
    EXPECT_EQ(tree.Node(3).parent, 2u);
    EXPECT_NE(tree.Node(2).key, tree.Node(3).key);
    EXPECT_EQ(tree.Node(4).tag, "F#Search\\Found");
    EXPECT_EQ(tree.Node(4).parent, 1u) << "hangs below the nearest shown ancestor: the root";
}

TEST_F(FolderTreeTest, SelectedFoldersTakeTickedTagsInOrderThenBlanks)
{
    top().Add({.name = "Inbox", .entryId = "I"});
    top().Add({.name = "Sent", .entryId = "S"});
    top().Add({.name = "Drafts", .entryId = "D"});
    Build();
    tree.Node(3).checked = false;
    EXPECT_EQ(tree.SelectedFolders(), (std::vector<std::string>{"I#Inbox", "D#Drafts", "", "", ""}));
}

TEST_F(FolderTreeTest, AStoreWithoutShownFoldersIsTheRootAlone)
{
    top().Add({.name = "Other", .entryId = "O", .defaultMessageClass = "IPM.Other"});
    Build();
    ASSERT_EQ(tree.Count(), 1u);
    EXPECT_TRUE(tree.Node(1).checked);
    EXPECT_EQ(tree.SelectedFolders(), (std::vector<std::string>{"", ""}));
}

// A folder whose contents table is damaged, with a sub-folder and siblings that are intact.
TEST_F(FolderTreeTest, AFolderWhoseItemsCannotBeCountedCostsOnlyItself)
{
    auto& inbox = top().Add({.name = "Inbox", .entryId = "I", .faults = {FolderFault::Items}});
    inbox.items.resize(3);
    inbox.Add({.name = "Projects", .entryId = "P"}).items.resize(2);
    top().Add({.name = "Sent Messages", .entryId = "S"}).items.resize(4);
    Build();

    EXPECT_EQ(Texts(), (std::vector<std::string>{"Inbox (cannot be read)", "Projects (2)", "Sent Messages (4)"}));
    const FolderNode& damaged = tree.Node(2);
    EXPECT_EQ(damaged.error, "cannot read the contents table of folder I (damaged)");
    EXPECT_FALSE(damaged.checked);
    EXPECT_FALSE(damaged.hasItems);
    EXPECT_EQ(damaged.image, 2) << "its class could be read";
    EXPECT_EQ(tree.Node(3).parent, 2u) << "its sub-folders hang below it";
    EXPECT_TRUE(tree.Node(3).checked);
    EXPECT_EQ(tree.SelectedFolders(), (std::vector<std::string>{"P#Inbox\\Projects", "S#Sent Messages", "", "", ""}));
    EXPECT_EQ(tree.LeftOutFolders(),
              (std::vector<LeftOutFolder>{{"Inbox", Why::Unreadable, damaged.error, -1}}));
}

// Whatever part of a folder cannot be read, the folder gets a node that says so and carries
// the error, and its siblings and listable sub-folders are built as usual.
TEST_F(FolderTreeTest, EachPartThatCannotBeReadLeavesAnUntickedNodeWithItsError)
{
    struct Case {
        FolderFault fault;
        const char* defaultMessageClass;
        std::vector<std::string> texts;
        int image;
        long items;
    };
    const std::vector<Case> cases{
        {FolderFault::Name, "IPM.Task", {"Unnamed folder 2 (cannot be read)", "Old (0)", "Sent (0)"}, 58, 2},
        {FolderFault::EntryId, "IPM.Task", {"Drafts (cannot be read)", "Old (0)", "Sent (0)"}, 58, 2},
        {FolderFault::Class, "IPM.Task", {"Drafts (cannot be read)", "Old (0)", "Sent (0)"}, kPlainFolderImage, 2},
        {FolderFault::Items, "IPM.Task", {"Drafts (cannot be read)", "Old (0)", "Sent (0)"}, 58, -1},
        {FolderFault::Items, "IPM.Custom", {"Drafts (cannot be read)", "Old (0)", "Sent (0)"}, kPlainFolderImage, -1},
        {FolderFault::SubFolders, "IPM.Task", {"Drafts (cannot be read)", "Sent (0)"}, 58, 2},
        {FolderFault::Open, "IPM.Task", {"Unnamed folder 2 (cannot be read)", "Sent (0)"}, kPlainFolderImage, -1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(fmt::format("fault {}, class {}", static_cast<int>(test.fault), test.defaultMessageClass));
        top() = FakeFolder{.name = "Top", .entryId = "TOP"};
        top().Add({.name = "Inbox", .entryId = "I"});
        auto& drafts = top().Add({.name = "Drafts", .entryId = "D", .defaultMessageClass = test.defaultMessageClass,
                                  .faults = {test.fault}});
        drafts.items.resize(2);
        drafts.Add({.name = "Old", .entryId = "O"});
        top().Add({.name = "Sent", .entryId = "S"});
        Build();

        auto texts = Texts();
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.front(), "Inbox (0)");
        texts.erase(texts.begin());
        EXPECT_EQ(texts, test.texts);
        const FolderNode& damaged = tree.Node(3);
        EXPECT_NE(damaged.error.find("(damaged)"), std::string::npos) << damaged.error;
        EXPECT_EQ(damaged.image, test.image);
        EXPECT_FALSE(damaged.checked);
        const auto selected = tree.SelectedFolders();
        EXPECT_EQ(std::count_if(selected.begin(), selected.end(), [](const auto& tag) { return !tag.empty(); }),
                  static_cast<std::ptrdiff_t>(tree.Count()) - 2)
            << "every folder node but the damaged one is handed over";
        ASSERT_EQ(tree.LeftOutFolders().size(), 1u);
        const std::string path = damaged.text.substr(0, damaged.text.find(" (cannot be read)"));
        EXPECT_EQ(tree.LeftOutFolders()[0], (LeftOutFolder{path, Why::Unreadable, damaged.error, test.items}));
    }
}

TEST_F(FolderTreeTest, AFolderThatCannotBeReadCannotBeTickedNorHandedOver)
{
    top().Add({.name = "Inbox", .entryId = "I", .faults = {FolderFault::Items}});
    top().Add({.name = "Sent", .entryId = "S"});
    Build();
    tree.SetChecked(2, true);
    EXPECT_FALSE(tree.Node(2).checked);
    tree.SetChecked(3, false);
    tree.SetChecked(3, true);
    EXPECT_TRUE(tree.Node(3).checked);
    tree.Node(2).checked = true;  // as a caller that sets the state itself
    EXPECT_EQ(tree.SelectedFolders(), (std::vector<std::string>{"S#Sent", "", "", ""}));
}

TEST_F(FolderTreeTest, LeftOutFoldersNameTheItemsThatNoShownFolderHolds)
{
    top().items.resize(2);
    auto& custom = top().Add({.name = "Custom", .entryId = "C", .defaultMessageClass = "IPM.Custom"});
    custom.items.resize(1);
    custom.Add({.name = "Forms", .entryId = "F", .defaultMessageClass = "IPM.Custom.Forms"}).items.resize(3);
    custom.Add({.name = "Inbox", .entryId = "I"}).items.resize(5);
    top().Add({.name = "Search", .entryId = "E", .defaultMessageClass = "IPM.Other"});
    top().Add({.name = "Broken", .entryId = "B", .faults = {FolderFault::Items}});
    Build();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Inbox (5)", "Broken (cannot be read)"}));
    EXPECT_EQ(tree.LeftOutFolders(),
              (std::vector<LeftOutFolder>{
                  {"Top of Personal Folders", Why::NotConverted, "items stored in the top folder are not converted", 2},
                  {"Custom", Why::NotConverted, "folders of class IPM.Custom are not converted", 1},
                  {"Custom\\Forms", Why::NotConverted, "folders of class IPM.Custom.Forms are not converted", 3},
                  {"Broken", Why::Unreadable, "cannot read the contents table of folder B (damaged)", -1}}))
        << "an empty folder of another class leaves nothing out";
}

TEST_F(FolderTreeTest, TopFolderItemsThatCannotBeCountedAreSaidSo)
{
    top().faults = {FolderFault::Items, FolderFault::Name};
    top().Add({.name = "Inbox", .entryId = "I"});
    Build();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Inbox (0)"}));
    const LeftOutFolder items{"the top folder", Why::Unreadable,
                              "cannot read the contents table of folder TOP (damaged)", -1};
    EXPECT_EQ(tree.LeftOutFolders(), (std::vector<LeftOutFolder>{items}));
}

TEST_F(FolderTreeTest, ANewBuildForgetsWhatTheLastOneLeftOut)
{
    top().items.resize(1);
    top().Add({.name = "Inbox", .entryId = "I", .faults = {FolderFault::Items}});
    Build();
    EXPECT_EQ(tree.LeftOutFolders().size(), 2u);
    top() = FakeFolder{.name = "Top", .entryId = "TOP"};
    top().Add({.name = "Inbox", .entryId = "I"});
    Build();
    EXPECT_TRUE(tree.LeftOutFolders().empty());
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Inbox (0)"}));
}

TEST_F(FolderTreeTest, AStoreWhoseFoldersCannotBeListedStillFailsAsAWhole)
{
    top().Add({.name = "Inbox", .entryId = "I"});
    top().faults = {FolderFault::SubFolders};
    EXPECT_THROW(Build(), ComponentError);
}

}  // namespace
}  // namespace varnemo
