// The main window: its layout and first state, the first tab's two states, Browse, the start of
// a conversion, and the menus.
#include "app/frm_about.h"
#include "app/help_window.h"
#include "fakes/fake_mailbox.h"
#include "window_test_support.h"

#include <QGroupBox>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBrowser>

namespace varnemo {
namespace {

using testing::Find;
using testing::Text;

const std::string kConfiguredHelp =
    "This Option allows you to convert deafult Outlook mailbox or other configured Outlook PST files. Software will "
    "list all configured Outlook mailboxes and you can choose which mailbox you need to convert to Lotus Notes "
    "mailbox.";
const std::string kOtherPstHelp = "This Option allows you to select a Outlook PST file to be converted to Lotus Notes "
                                  "mailbox.";

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
    {
        testing::FakeStore store{.name = "Mailbox", .entryId = "S1", .pstPath = "/mail/mailbox.pst"};
        store.top.Add({.name = "Inbox", .entryId = "I"});
        store.top.Add({.name = "Sent Items", .entryId = "S"});
        mailbox.stores.push_back(store);
        mailbox.dataFiles["/mail/archive.pst"] = store;
    }

    bool Enabled(const char* name) { return Find<QWidget>(ui.window, name).isEnabled(); }
    std::string HelpText() { return Text(Find<QLabel>(ui.window, "LblHelp")); }
    std::string PathText() { return Text(Find<QLineEdit>(ui.window, "txtNotesDatabaseFile")); }

    testing::FakeMailbox mailbox;
    testing::MainWindowHarness ui{mailbox};
};

TEST_F(MainWindowTest, OpensOnTheFirstTabWithThePreviewLocked)
{
    EXPECT_EQ(ui.window.windowTitle(), "Kestrova Varnemo v3.0");
    EXPECT_EQ(ui.Tabs().currentIndex(), 0);
    EXPECT_EQ(ui.Tabs().tabText(0), " Select File");
    EXPECT_EQ(ui.Tabs().tabText(1), " Mailbox Preview");
    EXPECT_FALSE(ui.Tabs().isTabEnabled(1));
    EXPECT_TRUE(ui.Button("OptConfiguredPST").isChecked());
    EXPECT_FALSE(Enabled("OtherPSTFrame"));
    EXPECT_FALSE(Enabled("CmdBrowse"));
    EXPECT_FALSE(Enabled("txtNotesDatabaseFile"));
    EXPECT_FALSE(Enabled("CmdExportOther"));
    EXPECT_TRUE(Enabled("CmdExportConfigured"));
    EXPECT_EQ(HelpText(), kConfiguredHelp);
    EXPECT_EQ(ui.StoreList().count(), 0);
    EXPECT_EQ(ui.StoreList().placeholderText(), "---- Select a Outlook Mailbox ----");
    EXPECT_EQ(ui.TreeWidget().topLevelItemCount(), 0);
    EXPECT_EQ(ui.TreeWidget().headerItem()->text(0), "Mailbox Folders");
    EXPECT_FALSE(Enabled("CmdStartConversion"));
    EXPECT_TRUE(Find<QLineEdit>(ui.window, "txtNotesDatabaseFile").isReadOnly());
}

TEST_F(MainWindowTest, MenusAndStatusBarCarryTheirCaptions)
{
    QStringList menus;
    for (QAction* menu : ui.window.menuBar()->actions()) {
        menus << menu->text();
        for (QAction* entry : menu->menu()->actions()) {
            menus << entry->text();
            EXPECT_FALSE(entry->icon().isNull()) << entry->text().toStdString();
        }
    }
    EXPECT_EQ(menus, (QStringList{"&File", "E&xit", "&Help", "Contents", "&About..."}));
    QStringList panels;
    for (auto* panel : ui.window.statusBar()->findChildren<QLabel*>())
        panels << panel->text();
    EXPECT_EQ(panels, (QStringList{"Kestrova Software", "support@kestrova.example", "www.kestrova.example",
                                   "test backends"}));
}

TEST_F(MainWindowTest, TheLastStatusPanelEndsShortOfTheWindowsEdge)
{
    QApplication::processEvents();
    const QStatusBar& bar = *ui.window.statusBar();
    const auto& last = Find<QLabel>(bar, "BackendPanel");
    EXPECT_LT(last.geometry().right(), bar.width() - 3) << "its right border shows";
}

TEST_F(MainWindowTest, ShrunkToTheSmallestItAllowsEveryFrameStaysWhole)
{
    ui.Button("OptOtherPST").click();
    for (const QSize size : {QSize(760, 580), QSize(1, 1), QSize(1200, 1), QSize(1, 900)}) {
        ui.window.resize(size);
        QApplication::processEvents();
        EXPECT_EQ(testing::CutWidgets(ui.window), std::vector<std::string>{}) << "at " << ui.window.width() << "x"
                                                                              << ui.window.height();
        const auto& frame = Find<QGroupBox>(ui.window, "OtherPSTFrame");
        EXPECT_TRUE(frame.rect().contains(Find<QWidget>(frame, "CmdBrowse").geometry()));
        EXPECT_TRUE(frame.rect().contains(Find<QWidget>(frame, "CmdExportOther").geometry()));
    }
}

TEST_F(MainWindowTest, TheOptionButtonsSwitchTheFirstTabBetweenItsTwoStates)
{
    ui.Button("OptOtherPST").click();
    EXPECT_TRUE(Enabled("OtherPSTFrame"));
    EXPECT_TRUE(Enabled("CmdBrowse"));
    EXPECT_FALSE(Enabled("CmdExportOther")) << "no path yet";
    EXPECT_FALSE(Enabled("CmdExportConfigured"));
    EXPECT_EQ(HelpText(), kOtherPstHelp);

    ui.dialogs.fileAnswers.push_back("/mail/archive.pst");
    ui.Button("CmdBrowse").click();
    EXPECT_TRUE(Enabled("CmdExportOther"));

    ui.Button("OptConfiguredPST").click();
    EXPECT_FALSE(Enabled("OtherPSTFrame"));
    EXPECT_FALSE(Enabled("CmdBrowse"));
    EXPECT_FALSE(Enabled("CmdExportOther"));
    EXPECT_TRUE(Enabled("CmdExportConfigured"));
    EXPECT_EQ(HelpText(), kConfiguredHelp);

    ui.Button("OptOtherPST").click();
    EXPECT_EQ(PathText(), "/mail/archive.pst");
    EXPECT_FALSE(Enabled("CmdExportOther")) << "only a change of the path enables it again";
}

TEST_F(MainWindowTest, BrowseFillsThePathAndLocksThePreviewUntilTheFileIsOpened)
{
    ui.OpenDataFile("/mail/archive.pst");
    EXPECT_EQ(ui.dialogs.fileFilters.at(0).description, "Outlook Mailbox (*.pst)");
    EXPECT_EQ(ui.dialogs.fileFilters.at(0).pattern, "*.pst");
    EXPECT_TRUE(ui.Tabs().isTabEnabled(1));
    EXPECT_EQ(ui.Tabs().currentIndex(), 1);

    ui.dialogs.fileAnswers.push_back("/mail/other.pst");
    ui.Button("CmdBrowse").click();
    EXPECT_EQ(PathText(), "/mail/other.pst");
    EXPECT_FALSE(ui.Tabs().isTabEnabled(1));

    ui.dialogs.fileAnswers.push_back("");  // cancelled
    ui.Button("CmdBrowse").click();
    EXPECT_EQ(PathText(), "");
    EXPECT_FALSE(Enabled("CmdExportOther"));
    EXPECT_FALSE(ui.Tabs().isTabEnabled(1));
}

TEST_F(MainWindowTest, ConfiguredStoresAreListedByNameAndFileAndPickingOneShowsItsTree)
{
    ui.Button("CmdExportConfigured").click();
    ASSERT_EQ(ui.StoreList().count(), 1);
    EXPECT_EQ(ui.StoreList().itemText(0), "Mailbox (mailbox.pst)");
    EXPECT_EQ(ui.Tabs().currentIndex(), 1);
    EXPECT_FALSE(Enabled("CmdStartConversion"));

    ui.ChooseStore(0);
    EXPECT_EQ(ui.state.OutlookStoreID, "S1");
    ASSERT_EQ(ui.TreeWidget().topLevelItemCount(), 1);
    EXPECT_EQ(ui.TreeWidget().topLevelItem(0)->childCount(), 2);
    EXPECT_TRUE(Enabled("CmdStartConversion"));
    EXPECT_TRUE(Enabled("CmbOutlookStores"));
}

TEST_F(MainWindowTest, OutlookMissingIsReportedByBothExportButtons)
{
    mailbox.failsToLogOn = true;
    ui.Button("CmdExportConfigured").click();
    ui.OpenDataFile("/mail/archive.pst");
    const std::pair<std::string, std::string> message{"Outlook NOT installed or configured properly.\nno profile",
                                                      "Kestrova Varnemo"};
    EXPECT_EQ(ui.dialogs.messages, (std::vector{message, message}));
    EXPECT_FALSE(ui.Tabs().isTabEnabled(1));
    EXPECT_EQ(ui.Tabs().currentIndex(), 0);
}

TEST_F(MainWindowTest, StartingWithOnlyTheStoreTickedAsksForFolders)
{
    ui.OpenDataFile("/mail/archive.pst");
    auto* root = ui.TreeWidget().topLevelItem(0);
    for (int child = 0; child < root->childCount(); ++child)
        root->child(child)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(root->checkState(0), Qt::Checked);
    ui.Button("CmdStartConversion").click();
    ASSERT_EQ(ui.dialogs.messages.size(), 1u);
    EXPECT_EQ(ui.dialogs.messages[0].first, "Please Select Folders to Export");
    EXPECT_EQ(ui.dialogs.messages[0].second, "Export Outlook Folders to Lotus Notes");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the target window did not open";
}

TEST_F(MainWindowTest, StartingHandsTheTickedFoldersOverAndOpensTheTargetWindowPrepared)
{
    ui.OpenDataFile("/mail/archive.pst");
    ui.TreeWidget().topLevelItem(0)->child(0)->setCheckState(0, Qt::Unchecked);
    bool opened = false;
    testing::WhenModalOpens<app::FrmSave>([&](app::FrmSave& frmSave) {
        opened = true;
        EXPECT_TRUE(Find<QAbstractButton>(frmSave, "OptNewNSF").isChecked());
        EXPECT_FALSE(Find<QAbstractButton>(frmSave, "OptExistingNSF").isChecked());
        EXPECT_TRUE(Find<QWidget>(frmSave, "CmdNewNSF").isEnabled());
        EXPECT_FALSE(Find<QWidget>(frmSave, "CmdExistingNSF").isEnabled());
        frmSave.reject();
    });
    ui.Button("CmdStartConversion").click();
    EXPECT_TRUE(opened);
    EXPECT_EQ(ui.state.SelectedFolders, (std::vector<std::string>{"S#Sent Items", "", "", ""}))
        << "three nodes give four entries: the one ticked folder, then blanks";
}

// A damaged folder shows with its error, has no check box, and goes to the conversion only
// among the folders it cannot take, however a tick reaches its node.
TEST_F(MainWindowTest, AFolderThatCannotBeReadIsShownUntickableAndHandedOverAsLeftOut)
{
    mailbox.dataFiles["/mail/archive.pst"].top.folders[0].faults = {testing::FolderFault::Items};
    ui.OpenDataFile("/mail/archive.pst");
    auto* root = ui.TreeWidget().topLevelItem(0);
    ASSERT_EQ(root->childCount(), 2);
    auto* inbox = root->child(0);
    EXPECT_EQ(inbox->text(0), "Inbox (cannot be read)");
    EXPECT_EQ(inbox->toolTip(0), "cannot read the contents table of folder I (damaged)");
    EXPECT_FALSE(inbox->data(0, Qt::CheckStateRole).isValid()) << "no check box";
    EXPECT_FALSE(inbox->flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(root->child(1)->checkState(0), Qt::Checked);
    EXPECT_TRUE(Enabled("CmdStartConversion"));

    inbox->setCheckState(0, Qt::Checked);
    testing::WhenModalOpens<app::FrmSave>([](app::FrmSave& frmSave) { frmSave.reject(); });
    ui.Button("CmdStartConversion").click();
    EXPECT_EQ(ui.state.SelectedFolders, (std::vector<std::string>{"S#Sent Items", "", "", ""}));
    ASSERT_EQ(ui.state.LeftOutFolders.size(), 1u);
    EXPECT_EQ(ui.state.LeftOutFolders[0].path, "Inbox");
    EXPECT_EQ(ui.state.LeftOutFolders[0].why, LeftOutFolder::Why::Unreadable);
    EXPECT_EQ(ui.state.LeftOutFolders[0].reason, "cannot read the contents table of folder I (damaged)");
}

TEST_F(MainWindowTest, ExitAsksAndOnlyYesEndsTheProgram)
{
    ui.OpenDataFile("/mail/archive.pst");
    QSignalSpy ending(&ui.window, &app::FrmMain::endProgramRequested);
    ui.dialogs.questionAnswers = {false, true};
    QAction* exit = ui.window.findChild<QAction*>("mnuExit");
    ASSERT_NE(exit, nullptr);
    exit->trigger();
    EXPECT_EQ(ending.count(), 0);
    EXPECT_EQ(ui.TreeWidget().topLevelItem(0)->childCount(), 2) << "No leaves the tree as it was";
    exit->trigger();
    EXPECT_EQ(ending.count(), 1);
    EXPECT_EQ(ui.dialogs.questions.at(0),
              (std::pair<std::string, std::string>{"Are you sure you want to close the software", "Kestrova Varnemo"}));
}

TEST_F(MainWindowTest, AboutBlocksTheMainWindowUntilClosed)
{
    bool modal = false;
    testing::WhenModalOpens<app::FrmAbout>([&](app::FrmAbout& about) {
        modal = about.isModal() && about.windowTitle() == "About" && about.parentWidget() == &ui.window;
        about.accept();
    });
    ui.window.findChild<QAction*>("mnuAbout")->trigger();
    EXPECT_TRUE(modal);
}

TEST_F(MainWindowTest, ContentsShowsTheGuideOrSaysItIsMissing)
{
    testing::WriteFile(ui.dir.path() / "help.html", "<html><head><title>Guide</title></head><body>"
                                                    "<h1>Converting a mailbox</h1></body></html>");
    testing::MainWindowHarness withGuide(mailbox, QString::fromStdString((ui.dir.path() / "help.html").string()));
    withGuide.window.findChild<QAction*>("mnuHelp")->trigger();
    auto& help = Find<app::HelpWindow>(withGuide.window, "HelpWindow");
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(help.Browser()->toPlainText().contains("Converting a mailbox"));

    ui.window.findChild<QAction*>("mnuHelp")->trigger();
    EXPECT_TRUE(Find<app::HelpWindow>(ui.window, "HelpWindow").Browser()->toPlainText().contains("cannot be found"));
}

TEST(HelpFilePathTest, PrefersTheGuideBesideTheProgramThenTheInstalledOne)
{
    testing::TempDir dir;
    std::filesystem::create_directories(dir.path() / "bin");
    std::filesystem::create_directories(dir.path() / "share/varnemo/help");
    testing::WriteFile(dir.path() / "share/varnemo/help/index.html", "installed");
    const QString bin = QString::fromStdString((dir.path() / "bin").string());
    EXPECT_EQ(app::HelpFilePath(bin).toStdString(), (dir.path() / "share/varnemo/help/index.html").string());
    std::filesystem::create_directories(dir.path() / "bin/help");
    testing::WriteFile(dir.path() / "bin/help/index.html", "beside");
    EXPECT_EQ(app::HelpFilePath(bin).toStdString(), (dir.path() / "bin/help/index.html").string());
}

// A data file that takes long to read, on a thread of its own: the window keeps turning, shows the
// folders read so far, and Cancel leaves it as it was before the open.
TEST(OpeningInTheBackgroundTest, TheWindowStaysAliveShowsTheFoldersSoFarAndCancelDropsTheOpen)
{
    testing::FakeMailbox mailbox;
    mailbox.usableFromAnyThread = true;
    testing::FakeStore store{.name = "Big", .entryId = "B1", .pstPath = "/mail/big.pst"};
    auto& inbox = store.top.Add({.name = "Inbox", .entryId = "I"});
    for (int number = 1; number <= 40; ++number)
        inbox.Add({.name = "Project " + std::to_string(number), .entryId = "P" + std::to_string(number),
                   .listingTakes = std::chrono::milliseconds(25)});
    mailbox.dataFiles["/mail/big.pst"] = store;
    testing::MainWindowHarness ui{mailbox};

    int turns = 0;
    std::string shown;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        ++turns;
        const auto& label = Find<QLabel>(ui.window, "LblOpening");
        if (turns < 5 || !label.isVisible() || Text(label).find("Reading the data file: 0 ") == 0)
            return;
        shown = Text(label);
        user.stop();
        ui.Button("CmdCancelOpen").click();
    });
    user.start(5);
    ui.OpenDataFile("/mail/big.pst");

    EXPECT_GE(turns, 5) << "the event loop turned while the file was read";
    EXPECT_EQ(shown.rfind("Reading the data file: ", 0), 0u) << shown;
    EXPECT_NE(shown.find(" folders so far"), std::string::npos) << shown;
    EXPECT_TRUE(ui.dialogs.messages.empty());
    EXPECT_EQ(ui.window.Tree().Count(), 0u);
    EXPECT_EQ(ui.state.OutlookStoreID, "");
    EXPECT_FALSE(ui.Tabs().isTabEnabled(1)) << "as Browse left it";
    EXPECT_FALSE(Find<QWidget>(ui.window, "LblOpening").isVisible());
    EXPECT_FALSE(Find<QWidget>(ui.window, "CmdCancelOpen").isVisible());

    // Without a cancel the same file opens, read on its own thread all the same.
    ui.Button("CmdExportOther").click();
    EXPECT_EQ(ui.window.Tree().Count(), 42u);
    EXPECT_EQ(ui.state.OutlookStoreID, "B1");
    EXPECT_TRUE(ui.Tabs().isTabEnabled(1));
    EXPECT_TRUE(ui.Button("CmdStartConversion").isEnabled());
}

// Listing the configured mailboxes reads each one's name, which for a damaged file is a whole
// open: the same line shows how far the listing has come, and its Cancel leaves the list empty.
TEST(OpeningInTheBackgroundTest, CancelEndsAListingHeldUpByOneMailbox)
{
    testing::FakeMailbox mailbox;
    mailbox.usableFromAnyThread = true;
    mailbox.stores = {{.name = "Mailbox", .entryId = "S1", .pstPath = "/mail/mailbox.pst"},
                      {.name = "Damaged", .entryId = "S2", .pstPath = "/mail/damaged.pst"}};
    mailbox.stores[1].listingTakes = std::chrono::seconds(20);
    testing::MainWindowHarness ui{mailbox};

    std::string shown;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        const auto& label = Find<QLabel>(ui.window, "LblOpening");
        if (!label.isVisible() || Text(label).find(" 0 so far") != std::string::npos)
            return;
        shown = Text(label);
        user.stop();
        ui.Button("CmdCancelOpen").click();
    });
    user.start(5);
    ui.Button("CmdExportConfigured").click();

    EXPECT_EQ(shown, "Reading the configured mailboxes: 1 so far");
    EXPECT_EQ(Find<QComboBox>(ui.window, "CmbOutlookStores").count(), 0);
    EXPECT_TRUE(ui.dialogs.messages.empty());
    EXPECT_FALSE(Find<QWidget>(ui.window, "LblOpening").isVisible());
    EXPECT_FALSE(Find<QWidget>(ui.window, "CmdCancelOpen").isVisible());
}

}  // namespace
}  // namespace varnemo
