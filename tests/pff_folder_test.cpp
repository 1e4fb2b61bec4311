#include "pff_fixtures.h"

#include "common/errors.h"
#include "source/folder_tree.h"

#include <vector>

namespace varnemo::testing {
namespace {

struct FolderFacts {
    std::string name;
    std::string messageClass;
    long items;
};

std::vector<FolderFacts> FirstLevel(mapi::Store& store)
{
    std::vector<FolderFacts> facts;
    auto folders = store.TopFolder()->GetFolders();
    for (long index = 1; index <= folders->Count(); ++index) {
        auto folder = folders->Item(index);
        facts.push_back({folder->Name(), folder->DefaultMessageClass(), folder->GetItems()->Count()});
    }
    return facts;
}

void ExpectFolders(const std::vector<FolderFacts>& actual, const std::vector<FolderFacts>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].name, expected[i].name) << "folder " << i + 1;
        EXPECT_EQ(actual[i].messageClass, expected[i].messageClass) << expected[i].name;
        EXPECT_EQ(actual[i].items, expected[i].items) << expected[i].name;
    }
}

TEST(PffFolder, DefaultFolderSetWithClassesAndCountsInFileOrder)
{
    FixtureStore distList("dist-list.pst");
    ExpectFolders(FirstLevel(*distList.store), {{"Deleted Items", "IPM.Note", 0},
                                                {"Inbox", "IPM.Note", 0},
                                                {"Outbox", "IPM.Note", 0},
                                                {"Sent Items", "IPM.Note", 0},
                                                {"Calendar", "IPM.Appointment", 1},
                                                {"Contacts", "IPM.Contact", 2},
                                                {"Journal", "IPM.Journal", 0},
                                                {"Notes", "IPM.StickyNote", 0},
                                                {"Tasks", "IPM.Task", 0},
                                                {"Drafts", "IPM.Note", 0},
                                                {"RSS Feeds", "IPM.Note.OutlookHomepage", 0},
                                                {"Junk E-mail", "IPM.Note", 0}});
}

TEST(PffFolder, SmallStoresWithItemsInTheTopFolderToo)
{
    FixtureStore unicode("test_unicode.pst");
    EXPECT_EQ(unicode.store->TopFolder()->GetItems()->Count(), 1);
    ExpectFolders(FirstLevel(*unicode.store), {{"Deleted Items", "IPM.Note", 0}, {"Folder", "IPM.Note", 1}});

    FixtureStore ansi("test_ansi.pst");
    EXPECT_EQ(ansi.store->TopFolder()->GetItems()->Count(), 0);
    ExpectFolders(FirstLevel(*ansi.store), {{"Deleted Items", "IPM.Note", 0}, {"Folder", "IPM.Note", 1}});

    FixtureStore sample("sample1.pst");
    ExpectFolders(FirstLevel(*sample.store), {{"Deleted Items", "IPM.Note", 0}, {"Sample1", "IPM.Note", 1}});
}

TEST(PffFolder, IndicesOutsideTheCollectionsThrow)
{
    FixtureStore distList("dist-list.pst");
    auto contacts = SubFolder(*distList.store->TopFolder(), "Contacts");
    auto items = contacts->GetItems();
    EXPECT_THROW(items->Item(0), ComponentError);
    EXPECT_THROW(items->Item(3), ComponentError);
    EXPECT_NO_THROW(items->Item(2));
    auto folders = distList.store->TopFolder()->GetFolders();
    EXPECT_THROW(folders->Item(folders->Count() + 1), ComponentError);
    EXPECT_THROW(contacts->GetFolders()->Item(1), ComponentError);
}

// What the tree of each sample file leaves out: only test_unicode.pst keeps an item (an
// IPM.Post) in its top folder; the other folders that no node shows hold nothing.
TEST(PffFolder, TheTreeLeavesOutTheItemsOfTheTopFolder)
{
    using Why = LeftOutFolder::Why;
    const std::vector<std::pair<std::string, std::vector<LeftOutFolder>>> expected{
        {"test_unicode.pst",
         {{"Top of Personal Folders", Why::NotConverted, "items stored in the top folder are not converted", 1}}},
        {"test_ansi.pst", {}},
        {"sample1.pst", {}},
        {"dist-list.pst", {}},
    };
    for (const auto& [fixture, leftOut] : expected) {
        SCOPED_TRACE(fixture);
        FixtureStore file(fixture);
        FolderTree tree;
        BuildFolderTree(*file.store, tree, [] {});
        EXPECT_EQ(tree.LeftOutFolders(), leftOut);
    }
}

}  // namespace
}  // namespace varnemo::testing
