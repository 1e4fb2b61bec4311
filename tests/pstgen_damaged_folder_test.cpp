// Generated mailboxes with damaged folders. First one whose Inbox cannot be read: the top folder's
// table names, for the Inbox, a node that the file does not have (a row written over with a wrong
// id). The folder tree, varnemo-cli folders and varnemo-cli convert lose that folder, with its
// sub-folders, which they report as one folder not read, and nothing else. Then folders whose
// tables are lost, with or without the index pages that list them too.
#include "cli_process.h"
#include "damaged_node.h"
#include "pff_fixtures.h"
#include "pstgen/pst_writer.h"
#include "source/folder_tree.h"
#include "source/pff/entry_ids.h"

#include <fmt/format.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>

namespace varnemo::testing {
namespace {

namespace fs = std::filesystem;
using Why = LeftOutFolder::Why;

pstgen::Folder FolderOf(std::string name, std::string containerClass, pstgen::ItemKind kind, int items,
                        std::string messageClass = "")
{
    pstgen::Folder folder;
    folder.name = std::move(name);
    folder.containerClass = std::move(containerClass);
    for (int number = 1; number <= items; ++number) {
        pstgen::Item item;
        item.kind = kind;
        item.messageClass = messageClass;
        item.subject = folder.name + " " + std::to_string(number);
        folder.items.push_back(std::move(item));
    }
    return folder;
}

// Enough items in the Inbox that some index page lists nothing but them.
pstgen::Mailbox FortyItemsInTheInbox()
{
    using pstgen::ItemKind;
    auto inbox = FolderOf("Inbox", "", ItemKind::Mail, 40);
    inbox.folders.push_back(FolderOf("Projects", "", ItemKind::Mail, 2));
    pstgen::Mailbox mailbox;
    mailbox.folders = {inbox,
                       FolderOf("Sent Messages", "", ItemKind::Mail, 4),
                       FolderOf("Calendar", "IPF.Appointment", ItemKind::Appointment, 2),
                       FolderOf("Contacts", "IPF.Contact", ItemKind::Contact, 3),
                       FolderOf("Custom", "IPF.Custom", ItemKind::Mail, 3, "IPM.Custom")};
    return mailbox;
}

// Converts the whole file into a new database under work, with a Notes data folder of its own there.
CliOutcome ConvertWhole(const fs::path& pst, const fs::path& work)
{
    return RunCli({"convert", pst.string(), "--new-db", (work / "out").string(), "--notes-data",
                   (work / "notes-data").string()});
}

// A session on an empty profile with the data file added as its store.
struct OpenedFile {
    explicit OpenedFile(const fs::path& path)
        : session(mapi::pff::PffMapi(path.parent_path() / "no profile").CreateSession())
    {
        session->Logon();
        store = session->GetStores().AddPSTStore(path.string());
    }
    std::unique_ptr<mapi::Session> session;
    std::unique_ptr<mapi::Store> store;
};

std::uint32_t NodeOfFirstLevelFolder(const fs::path& pst, const std::string& name)
{
    OpenedFile file(pst);
    return mapi::pff::ParseFolderEntryIdText(SubFolder(*file.store->TopFolder(), name)->EntryID()).nodeId;
}

class DamagedFolder : public ::testing::Test {
protected:
    DamagedFolder()
    {
        pstgen::WritePst(FortyItemsInTheInbox(), pst_);
        const auto inbox = NodeOfFirstLevelFolder(pst_, "Inbox");
        const auto top = mapi::pff::ParseFolderEntryIdText(OpenedFile(pst_).store->TopFolder()->EntryID()).nodeId;
        ChangeTableRowId(pst_, HierarchyTableNode(top), inbox, kNoSuchNode);
    }

    static constexpr std::uint32_t kNoSuchNode = 0x108042;

    CliOutcome ConvertOnly(const std::string& folder, const fs::path& output)
    {
        return RunCli({"convert", pst_.string(), "--new-db", output.string(), "--notes-data",
                       (dir_.path() / "notes-data").string(), "--folder", folder});
    }

    TempDir dir_;
    fs::path pst_ = dir_.path() / "damaged-inbox.pst";
};

std::vector<std::string> FolderTexts(const FolderTree& tree)
{
    std::vector<std::string> texts;
    for (size_t number = 2; number <= tree.Count(); ++number) {
        const FolderNode& node = tree.Node(number);
        texts.push_back(std::string(static_cast<size_t>(node.level - 1) * 2, ' ') + node.text);
    }
    return texts;
}

TEST_F(DamagedFolder, TheTreeShowsEveryOtherFolderWithItsCountAndLeavesTheDamagedOneOut)
{
    OpenedFile file(pst_);
    FolderTree tree;
    BuildFolderTree(*file.store, tree, [] {});
    tree.TickAll();

    // The Inbox's row says it has sub-folders, which no node under that id can give.
    EXPECT_EQ(FolderTexts(tree), (std::vector<std::string>{"Deleted Items (0)", "Inbox (cannot be read)",
                                                           "  Unnamed folder 1 (cannot be read)", "Sent Messages (4)",
                                                           "Calendar (2)", "Contacts (3)"}));
    const FolderNode& inbox = tree.Node(3);
    EXPECT_NE(inbox.error.find(fmt::format("cannot read folder \"Inbox\" in {}: node {:#x} is missing", pst_.string(),
                                           ContentsTableNode(kNoSuchNode))),
              std::string::npos)
        << inbox.error;
    EXPECT_FALSE(inbox.checked);
    const FolderNode& lost = tree.Node(4);
    EXPECT_NE(lost.error.find("it has sub-folders, but neither its hierarchy table nor the node index lists them"),
              std::string::npos)
        << lost.error;

    const auto selected = tree.SelectedFolders();
    std::vector<std::string> paths;
    for (const auto& tag : selected)
        if (!tag.empty())
            paths.push_back(tag.substr(tag.find('#') + 1));
    EXPECT_EQ(paths, (std::vector<std::string>{"Deleted Items", "Sent Messages", "Calendar", "Contacts"}));
    EXPECT_EQ(tree.LeftOutFolders(),
              (std::vector<LeftOutFolder>{
                  {"Inbox", Why::Unreadable, inbox.error, -1},
                  {"Inbox\\Unnamed folder 1", Why::Unreadable, lost.error, -1},
                  {"Custom", Why::NotConverted, "folders of class IPM.Custom are not converted", 3}}));
}

TEST_F(DamagedFolder, TheCommandLineListsItWithItsErrorAndConvertsEveryIntactFolder)
{
    const auto listed = RunCli({"folders", pst_.string()});
    ASSERT_EQ(listed.exitStatus, 0) << listed.err;
    EXPECT_NE(listed.out.find("  Inbox (cannot be read)\t"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("#Inbox\tcannot read folder \"Inbox\""), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("  Sent Messages (4)\t"), std::string::npos) << listed.out;

    for (const auto& [folder, items] : std::vector<std::pair<std::string, size_t>>{
             {"Sent Messages", 4}, {"Calendar", 2}}) {
        SCOPED_TRACE(folder);
        const auto output = dir_.path() / ("out " + std::to_string(items) + folder.substr(0, 3));
        const auto converted = ConvertOnly(folder, output);
        ASSERT_EQ(converted.exitStatus, 0) << converted.err;
        EXPECT_NE(converted.out.find(fmt::format("{} items converted.", items)), std::string::npos) << converted.out;
        const auto shown = RunCli({"show", MailDatabase(converted.out), "--json"});
        ASSERT_EQ(shown.exitStatus, 0) << shown.err;
        const auto documents = nlohmann::json::parse(shown.out)["documents"];
        EXPECT_EQ(documents.size(), items);
        for (const auto& document : documents)
            EXPECT_EQ(document["folders"], nlohmann::json({"Outlook\\" + folder}));
    }
}

// The whole file: every intact folder converts, and the damaged one and the custom-class one
// are counted rather than passed over in silence.
TEST_F(DamagedFolder, ConvertingTheWholeFileAccountsForTheDamagedFolder)
{
    const auto converted = ConvertWhole(pst_, dir_.path());
    EXPECT_EQ(converted.exitStatus, 1) << converted.out;
    EXPECT_NE(converted.out.find("9 items converted. 2 folders could not be read. 3 items not converted by design"),
              std::string::npos)
        << converted.out;
    EXPECT_NE(converted.err.find("Inbox (whole folder): folder not read: cannot read folder \"Inbox\""),
              std::string::npos)
        << converted.err;
    EXPECT_NE(converted.err.find("Custom (whole folder: 3 items): skipped by design"), std::string::npos)
        << converted.err;
}

TEST_F(DamagedFolder, AskingForTheDamagedFolderSaysItCannotBeReadAndMakesNothing)
{
    const auto output = dir_.path() / "out";
    const auto refused = ConvertOnly("Inbox", output);
    EXPECT_EQ(refused.exitStatus, 2);
    EXPECT_NE(refused.err.find("Folder Inbox cannot be read: cannot read folder \"Inbox\""),
              std::string::npos)
        << refused.err;
    EXPECT_FALSE(fs::exists(output)) << "no database was made";
}

// A folder's own node damaged two ways: the Inbox's entry gone from the node index, the block of
// the Calendar's properties failing its checksum. Their parent's hierarchy table still names them
// and gives their class, and their items and sub-folders are tables of their own, so nothing of
// them is lost.
TEST(DamagedFolderNode, TheFolderIsReadFromItsRowInItsParentsTable)
{
    TempDir dir;
    const auto pst = dir.path() / "damaged-folder-nodes.pst";
    pstgen::WritePst(FortyItemsInTheInbox(), pst);
    const auto inbox = NodeOfFirstLevelFolder(pst, "Inbox");
    BreakDataBlock(pst, NodeOfFirstLevelFolder(pst, "Calendar"));
    LoseIndexEntry(pst, inbox);

    {
        OpenedFile file(pst);
        FolderTree tree;
        BuildFolderTree(*file.store, tree, [] {});
        EXPECT_EQ(FolderTexts(tree), (std::vector<std::string>{"Deleted Items (0)", "Inbox (40)", "  Projects (2)",
                                                               "Sent Messages (4)", "Calendar (2)", "Contacts (3)"}));
    }
    const auto converted = ConvertWhole(pst, dir.path());
    EXPECT_EQ(converted.exitStatus, 0) << converted.err;
    EXPECT_NE(converted.out.find("51 items converted."), std::string::npos) << converted.out;
    const auto shown = RunCli({"show", MailDatabase(converted.out), "--json"});
    ASSERT_EQ(shown.exitStatus, 0) << shown.err;
    const auto documents = nlohmann::json::parse(shown.out)["documents"];
    EXPECT_EQ(documents.size(), 48u) << "all but the three contacts, which go to the address book";
    std::size_t appointments = 0;
    for (const auto& document : documents) {
        if (document["folders"] != nlohmann::json::array({"Outlook\\Calendar"}))
            continue;
        for (const auto& item : document["items"])
            appointments += item["name"] == "Form" && item.dump().find("Appointment") != std::string::npos;
    }
    EXPECT_EQ(appointments, 2u) << "the Calendar's class comes from its row";
}

// A bad sector in the index page that lists the Contacts folder's own node: in this file it lists
// the own nodes and tables of the Sent Messages and Calendar folders and the Inbox's contents table
// too. The folders are read from their rows in their parent's table and their items from the rest
// of the index, which lists each of them under its folder: nothing is lost.
TEST(DamagedFolderNode, FoldersWhoseTablesAreLostAreListedFromTheRestOfTheIndex)
{
    TempDir dir;
    const auto pst = dir.path() / "damaged-index-page.pst";
    pstgen::WritePst(FortyItemsInTheInbox(), pst);
    BreakIndexPageOf(pst, NodeOfFirstLevelFolder(pst, "Contacts"));

    OpenedFile file(pst);
    FolderTree tree;
    BuildFolderTree(*file.store, tree, [] {});
    EXPECT_EQ(FolderTexts(tree), (std::vector<std::string>{"Deleted Items (0)", "Inbox (40)", "  Projects (2)",
                                                           "Sent Messages (4)", "Calendar (2)", "Contacts (3)"}));
    const auto converted = ConvertWhole(pst, dir.path());
    EXPECT_EQ(converted.exitStatus, 0) << converted.err;
    EXPECT_NE(converted.out.find("51 items converted. 3 items not converted by design"), std::string::npos)
        << converted.out;
}

// The Inbox's contents table overwritten, and a bad sector in an index page that lists nothing but
// its messages, the other place they are listed: the items the rest of the index lists are
// converted, and the folder's own count tells how many are missing; each is reported with why.
TEST(DamagedFolderNode, ItemsListedOnlyWhereTheFileIsDamagedAreEachReportedNotConverted)
{
    TempDir dir;
    const auto pst = dir.path() / "damaged-inbox.pst";
    pstgen::WritePst(FortyItemsInTheInbox(), pst);
    const auto inbox = NodeOfFirstLevelFolder(pst, "Inbox");
    DamageNodeData(pst, ContentsTableNode(inbox), 0, 64);
    const auto lost = BreakIndexPageOfChildren(pst, inbox);
    ASSERT_GT(lost, 0u);
    ASSERT_LT(lost, 40u);

    {
        OpenedFile file(pst);
        FolderTree tree;
        BuildFolderTree(*file.store, tree, [] {});
        EXPECT_EQ(FolderTexts(tree), (std::vector<std::string>{"Deleted Items (0)", "Inbox (40)", "  Projects (2)",
                                                               "Sent Messages (4)", "Calendar (2)", "Contacts (3)"}));
    }
    const auto converted = ConvertWhole(pst, dir.path());
    EXPECT_EQ(converted.exitStatus, 1) << converted.out;
    EXPECT_NE(converted.out.find(fmt::format("{} items converted. {} items could not be converted.", 51 - lost, lost)),
              std::string::npos)
        << converted.out;
    const auto why = fmt::format("not converted: cannot read folder \"Inbox\" in {}: of its 40 items, {} are listed "
                                 "neither in its contents table nor in the node index ({} is damaged: the index "
                                 "page at offset",
                                 pst.string(), lost, pst.string());
    std::size_t reported = 0;
    for (auto at = converted.err.find(why); at != std::string::npos; at = converted.err.find(why, at + 1))
        ++reported;
    EXPECT_EQ(reported, lost) << converted.err;
}

// The Inbox's own entry and its table of sub-folders lost with the entry of its only sub-folder, as
// index pages written over with older copies of themselves leave them: the index walked in full
// lists no sub-folder, but the Inbox's row in its parent's table says it has some. Its items
// convert, and a sub-folder it cannot name is reported not read.
TEST(DamagedFolderNode, ASubFolderNoListNamesIsReportedNotRead)
{
    TempDir dir;
    const auto pst = dir.path() / "lost-sub-folder.pst";
    pstgen::WritePst(FortyItemsInTheInbox(), pst);
    const auto inbox = NodeOfFirstLevelFolder(pst, "Inbox");
    std::uint32_t projects = 0;
    {
        OpenedFile file(pst);
        projects = mapi::pff::ParseFolderEntryIdText(
                       SubFolder(*SubFolder(*file.store->TopFolder(), "Inbox"), "Projects")->EntryID())
                       .nodeId;
    }
    LoseIndexEntry(pst, inbox);
    LoseIndexEntry(pst, HierarchyTableNode(inbox));
    LoseIndexEntry(pst, projects);

    const auto converted = ConvertWhole(pst, dir.path());
    EXPECT_EQ(converted.exitStatus, 1) << converted.out;
    EXPECT_NE(converted.out.find("49 items converted. 1 folder could not be read."), std::string::npos)
        << converted.out;
    EXPECT_NE(converted.err.find("Inbox\\Unnamed folder 1 (whole folder): folder not read: cannot read folder "
                                 "\"Inbox\""),
              std::string::npos)
        << converted.err;
}

// The Inbox's contents table lost, and its count of items changed to one that no file of its size
// could hold: the count is damage too, and the index, walked in full, lists the folder's items.
TEST(DamagedFolderNode, ACountNoFileCouldHoldIsNotTakenForOne)
{
    TempDir dir;
    const auto pst = dir.path() / "damaged-count.pst";
    pstgen::WritePst(FortyItemsInTheInbox(), pst);
    const auto inbox = NodeOfFirstLevelFolder(pst, "Inbox");
    {
        std::string file = ReadFile(pst);
        const auto [offset, size] = damaged_node::NodeDataBlock(file, inbox);
        const std::string contentCountOf40("\x02\x36\x03\x00\x28\x00\x00\x00", 8);
        const auto at = file.find(contentCountOf40, offset);
        ASSERT_LT(at + contentCountOf40.size(), offset + size);
        DamageKeepingChecksum(file, at + 4, std::string("\xff\xff\xff\x7f", 4));
        WriteFile(pst, file);
    }
    LoseIndexEntry(pst, ContentsTableNode(inbox));

    OpenedFile file(pst);
    FolderTree tree;
    BuildFolderTree(*file.store, tree, [] {});
    EXPECT_EQ(FolderTexts(tree), (std::vector<std::string>{"Deleted Items (0)", "Inbox (40)", "  Projects (2)",
                                                           "Sent Messages (4)", "Calendar (2)", "Contacts (3)"}));
}

// A bad sector in the index page that lists the top folder's own node and tables (and the
// Inbox's): the direct reader cannot list the mailbox's folders, so the file goes to libpff, which
// reads index pages whatever their checksum and loses only the Inbox, whose entry changed.
TEST(DamagedFolderNode, APageThatListsTheTopFolderSendsTheFileToLibpff)
{
    TempDir dir;
    const auto pst = dir.path() / "damaged-top-page.pst";
    pstgen::WritePst(FortyItemsInTheInbox(), pst);
    BreakIndexPageOf(pst, NodeOfFirstLevelFolder(pst, "Inbox"));

    const auto listed = RunCli({"folders", pst.string()});
    ASSERT_EQ(listed.exitStatus, 0) << listed.err;
    EXPECT_NE(listed.err.find("read by the fallback reader (libpff), as the direct reader finds it damaged"),
              std::string::npos)
        << listed.err;
    for (const auto* folder : {"  Sent Messages (4)\t", "  Calendar (2)\t", "  Contacts (3)\t"})
        EXPECT_NE(listed.out.find(folder), std::string::npos) << listed.out;
    const auto converted = ConvertWhole(pst, dir.path());
    EXPECT_EQ(converted.exitStatus, 1) << converted.out;
    EXPECT_NE(converted.out.find("9 items converted. 1 folder could not be read."), std::string::npos)
        << converted.out;
}

}  // namespace
}  // namespace varnemo::testing
