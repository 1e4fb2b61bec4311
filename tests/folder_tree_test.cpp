#include "fakes/fake_mailbox.h"
#include "source/folder_tree.h"

#include <gtest/gtest.h>

namespace varnemo {
namespace {

using testing::FakeFolder;

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

}  // namespace
}  // namespace varnemo
