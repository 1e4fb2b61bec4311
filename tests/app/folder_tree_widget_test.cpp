// The folder tree as the main window shows it: built from each sample data file, and from an
// in-memory store with repeated names and folders of unlisted classes.
#include "fakes/fake_mailbox.h"
#include "source/logged_on_session.h"
#include "source/pff/pff_mapi.h"
#include "window_test_support.h"

#include <QAction>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

namespace varnemo {
namespace {

struct ShownFolder {
    std::string text;
    int image;
    int depth;
};

// Every node of the widget in display order, with its depth and icon position.
class TreeReading {
public:
    TreeReading(testing::MainWindowHarness& ui, const app::SmallIcons& icons) : ui_(ui), icons_(icons) {}

    std::vector<ShownFolder> Folders()
    {
        std::vector<ShownFolder> folders;
        for (int top = 0; top < ui_.TreeWidget().topLevelItemCount(); ++top)
            Read(*ui_.TreeWidget().topLevelItem(top), 0, folders);
        return folders;
    }

    bool AllTicked()
    {
        bool all = true;
        for (QTreeWidgetItemIterator it(&ui_.TreeWidget()); *it; ++it)
            all = all && (*it)->checkState(0) == Qt::Checked;
        return all;
    }

private:
    // The first position of the icon list whose picture the item shows.
    int ImageOf(const QTreeWidgetItem& item)
    {
        const QImage shown = item.icon(0).pixmap(16).toImage();
        for (int position = 0; position < icons_.Count(); ++position)
            if (icons_.At(position).pixmap(16).toImage() == shown)
                return position;
        return -1;
    }

    void Read(const QTreeWidgetItem& item, int depth, std::vector<ShownFolder>& folders)
    {
        folders.push_back({item.text(0).toStdString(), ImageOf(item), depth});
        for (int child = 0; child < item.childCount(); ++child)
            Read(*item.child(child), depth + 1, folders);
    }

    testing::MainWindowHarness& ui_;
    const app::SmallIcons& icons_;
};

bool operator==(const ShownFolder& a, const ShownFolder& b)
{
    return a.text == b.text && a.image == b.image && a.depth == b.depth;
}

void PrintTo(const ShownFolder& folder, std::ostream* out)
{
    *out << "{" << folder.text << ", image " << folder.image << ", depth " << folder.depth << "}";
}

struct FixtureTree {
    std::string fixture;
    std::vector<ShownFolder> folders;
};

void PrintTo(const FixtureTree& tree, std::ostream* out)
{
    *out << tree.fixture;
}

class FixtureTreeTest : public ::testing::TestWithParam<FixtureTree> {
protected:
    testing::TempDir profile;  // an empty default profile
    mapi::pff::PffMapi mapi{profile.path()};
    testing::MainWindowHarness ui{mapi};
};

// The widget shows each node's text and icon at its depth, every node ticked; each folder's tag
// reopens that very folder through a new session, by the store identifier the window kept.
TEST_P(FixtureTreeTest, ShowsEveryListedFolderTickedWithTagsThatReopenIt)
{
    const auto path = testing::CopyFixture(GetParam().fixture, ui.dir.path());
    ui.OpenDataFile(path);
    app::SmallIcons icons;
    TreeReading reading(ui, icons);
    EXPECT_EQ(reading.Folders(), GetParam().folders);
    EXPECT_TRUE(reading.AllTicked());
    EXPECT_TRUE(ui.Button("CmdStartConversion").isEnabled());

    LoggedOnSession session(mapi);
    auto store = session->GetStoreFromID(ui.state.OutlookStoreID);
    const FolderTree& tree = ui.window.Tree();
    EXPECT_EQ(tree.Node(1).tag, "");
    for (size_t n = 2; n <= tree.Count(); ++n) {
        const std::string& tag = tree.Node(n).tag;
        const auto hash = tag.find('#');
        ASSERT_NE(hash, std::string::npos) << tag;
        const std::string folderPath = tag.substr(hash + 1);
        EXPECT_EQ(tree.Node(n).text.rfind(folderPath + " (", 0), 0u) << tag;
        EXPECT_EQ(store->GetFolderFromID(tag.substr(0, hash))->Name(), folderPath);
    }
}

INSTANTIATE_TEST_SUITE_P(
    SampleFiles, FixtureTreeTest,
    ::testing::Values(
        FixtureTree{"dist-list.pst",
                    {{"Personal Folders", 0, 0},
                     {"Deleted Items (0)", 2, 1},
                     {"Inbox (0)", 2, 1},
                     {"Outbox (0)", 2, 1},
                     {"Sent Items (0)", 2, 1},
                     {"Calendar (1)", 60, 1},
                     {"Contacts (2)", 61, 1},
                     {"Journal (0)", 62, 1},
                     {"Notes (0)", 67, 1},
                     {"Tasks (0)", 58, 1},
                     {"Drafts (0)", 2, 1},
                     {"Junk E-mail (0)", 2, 1}}},
        FixtureTree{"sample1.pst", {{"sample1", 0, 0}, {"Deleted Items (0)", 2, 1}, {"Sample1 (1)", 2, 1}}},
        FixtureTree{"test_ansi.pst", {{"Personal Folders", 0, 0}, {"Deleted Items (0)", 2, 1}, {"Folder (1)", 2, 1}}},
        FixtureTree{"test_unicode.pst",
                    {{"Personal Folders", 0, 0}, {"Deleted Items (0)", 2, 1}, {"Folder (1)", 2, 1}}}),
    [](const auto& info) {
        std::string name = info.param.fixture.substr(0, info.param.fixture.find('.'));
        std::erase(name, '-');
        std::erase(name, '_');
        return name;
    });

TEST(SmallIconsTest, SeventySixIconsWithTheFolderClassKeys)
{
    app::SmallIcons icons;
    EXPECT_EQ(icons.Count(), 76);
    EXPECT_EQ(icons.Position("tasks"), 58);
    EXPECT_EQ(icons.Position("cal"), 60);
    EXPECT_EQ(icons.Position("contacts"), 61);
    EXPECT_EQ(icons.Position("journal"), 62);
    EXPECT_EQ(icons.Position("mail"), -1);
    std::set<qint64> distinct;
    for (const int position : {0, 1, 2, 58, 60, 61, 62, 67})
        distinct.insert(icons.At(position).cacheKey());
    EXPECT_EQ(distinct.size(), 8u) << "each folder class has a picture of its own";
    EXPECT_THROW(icons.At(76), std::out_of_range);
}

// Two folders named alike, a folder below a folder of an unlisted class, and a store name with
// "#", all picked from the configured stores.
TEST(RepeatedNamesTreeTest, EveryFolderHangsBelowItsOwnParentOrNearestShownAncestor)
{
    testing::FakeMailbox mailbox;
    testing::FakeStore store{.name = "Team # Archive", .entryId = "S1", .pstPath = "/mail/team.pst"};
    auto& archive = store.top.Add({.name = "Archive", .entryId = "A1"});
    archive.Add({.name = "Archive", .entryId = "A2"}).Add({.name = "2009", .entryId = "Y9"});
    archive.Add({.name = "Projects", .entryId = "P1"});
    auto& search = store.top.Add({.name = "Search", .entryId = "SR", .defaultMessageClass = "IPF.Search"});
    search.Add({.name = "Archive", .entryId = "A3", .defaultMessageClass = "IPM.Task"});
    mailbox.stores.push_back(store);

    testing::MainWindowHarness ui(mailbox);
    ui.Button("CmdExportConfigured").click();
    ui.ChooseStore(0);
    app::SmallIcons icons;
    TreeReading reading(ui, icons);
    EXPECT_EQ(reading.Folders(), (std::vector<ShownFolder>{{"Team # Archive", 0, 0},
                                                          {"Archive (0)", 2, 1},
                                                          {"Archive (0)", 2, 2},
                                                          {"2009 (0)", 2, 3},
                                                          {"Projects (0)", 2, 2},
                                                          {"Archive (0)", 58, 1}}));
    EXPECT_TRUE(reading.AllTicked());
    EXPECT_EQ(ui.window.Tree().Node(4).tag, "Y9#Archive\\Archive\\2009");
    EXPECT_EQ(ui.window.Tree().Node(6).tag, "A3#Search\\Archive");

    // Unticking one of the two alike-named folders takes exactly that one out.
    ui.TreeWidget().topLevelItem(0)->child(0)->child(0)->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(ui.window.Tree().Node(3).checked);
    EXPECT_TRUE(ui.window.Tree().Node(2).checked);
}

// A tree to edit: Archive with two levels below it, an unreadable folder and the Inbox.
class TreeEditingTest : public ::testing::Test {
protected:
    TreeEditingTest()
    {
        testing::FakeStore store{.name = "Mailbox", .entryId = "S1", .pstPath = "/mail/mailbox.pst"};
        auto& archive = store.top.Add({.name = "Archive", .entryId = "A"});
        archive.Add({.name = "2009", .entryId = "Y"}).Add({.name = "January", .entryId = "J"});
        archive.Add({.name = "Broken", .entryId = "B", .faults = {testing::FolderFault::Items}});
        archive.Add({.name = "Projects", .entryId = "P"});
        store.top.Add({.name = "Inbox", .entryId = "I"});
        mailbox.stores.push_back(store);
        ui.Button("CmdExportConfigured").click();
        ui.ChooseStore(0);
    }

    // The ticks of the nodes 2 and on, in the model and, as "1"/"0", in the widget.
    std::string Ticks()
    {
        std::string model, shown;
        const FolderTree& tree = ui.window.Tree();
        for (size_t number = 2; number <= tree.Count(); ++number) {
            model += tree.Node(number).checked ? '1' : '0';
            const auto* item = ui.TreeWidget().findItems(QString::fromStdString(tree.Node(number).text),
                                                         Qt::MatchExactly | Qt::MatchRecursive).front();
            shown += item->checkState(0) == Qt::Checked ? '1' : '0';
        }
        EXPECT_EQ(model, shown) << "the widget shows the model";
        return model;
    }

    QTreeWidgetItem& Folder(const char* startOfText)
    {
        return *ui.TreeWidget()
                    .findItems(QString(startOfText) + " (", Qt::MatchStartsWith | Qt::MatchRecursive)
                    .front();
    }

    void Act(const char* action, const char* onFolder = nullptr)
    {
        if (onFolder)
            ui.TreeWidget().setCurrentItem(&Folder(onFolder));
        testing::Find<QAction>(ui.TreeWidget(), action).trigger();
    }

    testing::FakeMailbox mailbox;
    testing::MainWindowHarness ui{mailbox};
};

TEST_F(TreeEditingTest, TheMenuTicksAndUnticksAFolderWithEverythingBelowItOrTheWholeTree)
{
    // Archive, 2009, January, Broken (never ticked), Projects, Inbox.
    ASSERT_EQ(Ticks(), "111011");
    Act("UntickBelow", "Archive");
    EXPECT_EQ(Ticks(), "000001");
    Act("TickBelow", "2009");
    EXPECT_EQ(Ticks(), "011001");
    Act("UntickAll");
    EXPECT_EQ(Ticks(), "000000");
    EXPECT_FALSE(ui.window.Tree().Node(1).checked);
    Act("TickAll");
    EXPECT_EQ(Ticks(), "111011") << "a folder that cannot be read stays unticked";
}

TEST_F(TreeEditingTest, AShiftClickOnACheckBoxTakesEverythingBelow)
{
    QTreeWidget& widget = ui.TreeWidget();
    const auto click = [&](const char* folder, Qt::KeyboardModifiers modifiers) {
        const QRect row = widget.visualItemRect(&Folder(folder));
        // The check box is the first thing of the row, left of the icon and the text.
        const QPoint box(row.left() + widget.style()->pixelMetric(QStyle::PM_IndicatorWidth) / 2 + 3, row.center().y());
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, modifiers, box);
    };
    click("Archive", Qt::ShiftModifier);
    EXPECT_EQ(Ticks(), "000001");
    click("Archive", Qt::NoModifier);
    EXPECT_EQ(Ticks(), "100001") << "a plain click takes only the folder itself";
}

TEST_F(TreeEditingTest, ADeepTreeWithLongNamesScrollsSidewaysWithItsCountsWhole)
{
    testing::FakeStore deep{.name = "Deep", .entryId = "S2", .pstPath = "/mail/deep.pst"};
    testing::FakeFolder* parent = &deep.top;
    for (int level = 1; level <= 40; ++level)
        parent = &parent->Add({.name = "A rather long folder name at level " + std::to_string(level),
                               .entryId = "D" + std::to_string(level)});
    mailbox.stores.push_back(deep);
    ui.StoreList().clear();
    ui.Button("CmdExportConfigured").click();
    ui.ChooseStore(1);

    QTreeWidget& widget = ui.TreeWidget();
    auto& deepest = Folder("A rather long folder name at level 40");
    widget.scrollToItem(&deepest);
    EXPECT_GT(widget.horizontalScrollBar()->maximum(), 0);
    const int textWidth = widget.fontMetrics().horizontalAdvance(deepest.text(0));
    EXPECT_GE(widget.header()->sectionSize(0), widget.visualItemRect(&deepest).left() + textWidth)
        << "the column holds the deepest name with its count";
}

}  // namespace
}  // namespace varnemo
