// A whole conversion of a sample data file driven through the windows, as a user does it:
// Browse, Export Mailbox, untick a folder, Start Conversion, Select a folder.
#include "local_notes_test_support.h"
#include "source/pff/pff_mapi.h"
#include "window_test_support.h"

namespace varnemo {
namespace {

using notes::local::StoredDocument;
using notes::local::testing::ReadDocuments;

std::string Item(const StoredDocument& document, const std::string& name)
{
    for (const auto& item : document.items)
        if (item.name == name)
            return std::get<std::string>(item.value);
    return "<missing " + name + ">";
}

class WholeConversionTest : public ::testing::Test {
protected:
    WholeConversionTest()
    {
        std::filesystem::create_directories(ui.dir.path() / "tmp");
        setenv("TMPDIR", (ui.dir.path() / "tmp").c_str(), 1);
    }
    ~WholeConversionTest() override { unsetenv("TMPDIR"); }

    QTreeWidgetItem& FolderItem(const QString& text)
    {
        const auto found = ui.TreeWidget().findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        if (found.size() != 1)
            throw std::logic_error("no single folder " + text.toStdString());
        return *found.front();
    }

    testing::TempDir profile;  // an empty default profile
    mapi::pff::PffMapi mapi{profile.path()};
    testing::MainWindowHarness ui{mapi};
};

TEST_F(WholeConversionTest, DistListIntoANewDatabaseWithoutTheContacts)
{
    const auto pst = testing::CopyFixture("dist-list.pst", ui.dir.path());
    const auto target = ui.dir.path() / "target";
    std::filesystem::create_directories(target);

    ui.OpenDataFile(pst);
    FolderItem("Contacts (2)").setCheckState(0, Qt::Unchecked);
    ui.dialogs.folderAnswers.push_back(target.string());
    ui.dialogs.questionAnswers.push_back(false);  // no report of the series laid out in part
    testing::WhenModalOpens<app::FrmSave>(
        [](app::FrmSave& frmSave) { testing::Find<QAbstractButton>(frmSave, "CmdNewNSF").click(); });
    ui.Button("CmdStartConversion").click();

    const std::filesystem::path mailDb = ui.state.TargetDatabasePath;
    ASSERT_EQ(ui.dialogs.messages.size(), 1u);
    EXPECT_EQ(ui.dialogs.messages[0],
              (std::pair<std::string, std::string>{
                  "Outlook Mailbox Exported to Lotus Notes Mailbox, but not everything arrived whole.\r\n" +
                      mailDb.string() + "\r\n" + ui.state.NamesDbPath +
                      "\r\n0 items converted. 1 item converted in part.",
                  "Export Complete"}));
    // The weekly series has no end: it is laid out ten years ahead, and that is said.
    ASSERT_EQ(ui.dialogs.questions.size(), 1u);
    EXPECT_EQ(ui.dialogs.questions[0].first, "Not everything arrived whole. Save a report of what did not, with the reasons?");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the target window has closed";
    EXPECT_TRUE(ui.state.SelectedFolders.empty());
    EXPECT_TRUE(ui.window.isEnabled());

    EXPECT_EQ(mailDb.parent_path(), target / "Converted Outlook PST");
    EXPECT_EQ(mailDb.filename().string().rfind("dist-list", 0), 0u) << mailDb;
    const auto mail = ReadDocuments(mailDb);
    ASSERT_EQ(mail.size(), 1u);
    EXPECT_EQ(Item(mail[0], "Form"), "Appointment");
    EXPECT_EQ(Item(mail[0], "Subject"), "Test appointment");
    EXPECT_EQ(notes::local::DatabaseReader(mailDb).FolderMembers("Outlook\\Calendar"),
              std::vector<std::string>{mail[0].unid});
    EXPECT_TRUE(ReadDocuments(ui.state.NamesDbPath).empty()) << "the contacts were unticked";
    EXPECT_TRUE(std::filesystem::is_empty(ui.dir.path() / "tmp")) << "temporary files were left behind";
}

// The profile folder replaced by a plain file: the configured road names the cause, and a data
// file opened by its path needs no profile.
TEST(BrokenProfileTest, OnlyTheConfiguredRoadFailsAndItsMessageNamesTheCause)
{
    testing::TempDir home;
    const auto profile = home.path() / "Outlook Files";
    testing::WriteFile(profile, "not a folder");
    mapi::pff::PffMapi mapi{profile};
    testing::MainWindowHarness ui{mapi};

    ui.Button("CmdExportConfigured").click();
    ASSERT_EQ(ui.dialogs.messages.size(), 1u);
    EXPECT_EQ(ui.dialogs.messages[0].first.rfind("Outlook NOT installed or configured properly.\n", 0), 0u);
    EXPECT_NE(ui.dialogs.messages[0].first.find("Not a directory"), std::string::npos) << ui.dialogs.messages[0].first;
    EXPECT_FALSE(ui.Tabs().isTabEnabled(1));

    ui.OpenDataFile(testing::CopyFixture("sample1.pst", ui.dir.path()));
    EXPECT_EQ(ui.dialogs.messages.size(), 1u) << ui.dialogs.messages.back().first;
    EXPECT_TRUE(ui.Tabs().isTabEnabled(1));
    EXPECT_EQ(ui.window.Tree().Node(1).text, "sample1");
    EXPECT_TRUE(ui.Button("CmdStartConversion").isEnabled());
}

// Three data files in the profile: two whose stores are both "Personal Folders", one that is no
// data file at all.
TEST(ConfiguredListTest, EntriesNameTheirFileAndAFileThatCannotBeOpenedIsListedWithTheReason)
{
    testing::TempDir profile;
    testing::CopyFixture("dist-list.pst", profile.path());
    testing::CopyFixture("test_ansi.pst", profile.path());
    testing::WriteFile(profile.path() / "letters.pst", "not a data file");
    mapi::pff::PffMapi mapi{profile.path()};
    testing::MainWindowHarness ui{mapi};

    ui.Button("CmdExportConfigured").click();
    EXPECT_TRUE(ui.dialogs.messages.empty());
    QStringList shown;
    for (int index = 0; index < ui.StoreList().count(); ++index)
        shown << ui.StoreList().itemText(index);
    ASSERT_EQ(shown.size(), 3) << shown.join(" | ").toStdString();
    EXPECT_EQ(shown[0], "Personal Folders (dist-list.pst)");
    EXPECT_TRUE(shown[1].startsWith("(cannot be opened) ")) << shown[1].toStdString();
    EXPECT_TRUE(shown[1].contains("letters.pst")) << shown[1].toStdString();
    EXPECT_EQ(shown[2], "Personal Folders (test_ansi.pst)");

    ui.ChooseStore(1);
    ASSERT_EQ(ui.dialogs.messages.size(), 1u) << "picking it says why again";
    EXPECT_NE(ui.dialogs.messages[0].first.find("letters.pst"), std::string::npos);
    EXPECT_EQ(ui.window.Tree().Count(), 0u);
    ui.ChooseStore(2);
    EXPECT_EQ(ui.window.Tree().Node(1).text, "Personal Folders");
    EXPECT_TRUE(ui.Button("CmdStartConversion").isEnabled());
}

}  // namespace
}  // namespace varnemo
