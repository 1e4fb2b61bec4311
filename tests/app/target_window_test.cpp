// The target window: its option states, the Export button rule, Select starting the run at once,
// and the window during a run.
#include "fakes/fake_mailbox.h"
#include "local_notes_test_support.h"
#include "window_test_support.h"

#include <QProgressBar>
#include <QRadioButton>

namespace varnemo {
namespace {

using testing::Find;
using testing::Text;

const std::string kSaveHeader = " Choose the target with Select... to start the export";

class TargetWindowTest : public ::testing::Test {
protected:
    TargetWindowTest()
    {
        testing::FakeStore store{.name = "Mailbox", .entryId = "S1", .pstPath = "/mail/mailbox.pst"};
        auto& inbox = store.top.Add({.name = "Inbox", .entryId = "I"});
        inbox.items = {testing::FakeMail("Quarterly figures"), testing::FakeMail("Lunch")};
        mailbox.stores.push_back(store);
        state.OutlookStoreID = "S1";
        state.SelectedFolders = {"I#Inbox", ""};
        frmSave.PrepareForNewDatabase();
        frmSave.show();
    }

    QWidget& Widget(const char* name) { return Find<QWidget>(frmSave, name); }
    QAbstractButton& Button(const char* name) { return Find<QAbstractButton>(frmSave, name); }
    QLineEdit& Box(const char* name) { return Find<QLineEdit>(frmSave, name); }
    bool Enabled(const char* name) { return Widget(name).isEnabled(); }

    // A mail database of the local store to convert into.
    std::string ExistingDatabase()
    {
        const auto path = (dir.path() / "mail.nsf").string();
        notes.CreateSession()->GetDatabase("", "mail.ntf")->CreateCopy("", path);
        return path;
    }

    // Converts into an existing database and returns its path.
    std::string ConvertIntoDatabase()
    {
        Button("OptExistingNSF").click();
        const auto database = ExistingDatabase();
        dialogs.fileAnswers.push_back(database);
        Button("CmdExistingNSF").click();
        return database;
    }

    testing::TempDir dir;
    testing::FakeMailbox mailbox;
    notes::local::LocalNotes notes{dir.path() / "notes-data"};
    ProgramState state;
    testing::ScriptedDialogs dialogs;
    app::FrmSave frmSave{state, mailbox, notes, dialogs};
};

TEST_F(TargetWindowTest, OpensPreparedForANewDatabase)
{
    EXPECT_EQ(frmSave.windowTitle(), "Export Outlook Mailbox to Lotus Notes");
    EXPECT_TRUE(Button("OptNewNSF").isChecked());
    EXPECT_EQ(Button("OptNewNSF").text(), "Save in New NSF file");
    EXPECT_FALSE(Button("OptExistingNSF").isChecked());
    EXPECT_EQ(Button("OptExistingNSF").text(), "Save in Existing NSF file");
    EXPECT_TRUE(Enabled("txtNSFFileName"));
    EXPECT_TRUE(Enabled("CmdNewNSF"));
    EXPECT_FALSE(Enabled("txtExNSFFileName"));
    EXPECT_FALSE(Enabled("CmdExistingNSF"));
    EXPECT_FALSE(Enabled("CmdConversion"));
    EXPECT_TRUE(Box("txtNSFFileName").isReadOnly());
    EXPECT_TRUE(Box("txtExNSFFileName").isReadOnly());
    EXPECT_EQ(Text(Find<QLabel>(frmSave, "LblSaveHeader")), kSaveHeader);
    EXPECT_TRUE(Widget("LblSubject").isHidden());
    EXPECT_TRUE(Enabled("CmdCancel"));
    EXPECT_EQ(Find<QProgressBar>(frmSave, "PrgOverall").value(), 0);
    EXPECT_EQ(state.ExcludeFromViewValues, (std::array<std::string, 2>{"D", "S"}));
}

TEST_F(TargetWindowTest, ShrunkToTheSmallestItAllowsEveryFrameStaysWhole)
{
    for (const QSize size : {QSize(1, 1), QSize(1200, 1), QSize(1, 900)}) {
        frmSave.resize(size);
        QApplication::processEvents();
        EXPECT_EQ(testing::CutWidgets(frmSave), std::vector<std::string>{}) << "at " << frmSave.width() << "x"
                                                                            << frmSave.height();
    }
}

TEST_F(TargetWindowTest, TheOptionsSwitchWhichTargetCanBeChosen)
{
    Box("txtNSFFileName").setText("/data");
    Button("OptExistingNSF").click();
    EXPECT_FALSE(Button("OptNewNSF").isChecked());
    EXPECT_TRUE(Enabled("txtExNSFFileName"));
    EXPECT_TRUE(Enabled("CmdExistingNSF"));
    EXPECT_FALSE(Enabled("txtNSFFileName"));
    EXPECT_FALSE(Enabled("CmdNewNSF"));
    EXPECT_TRUE(Enabled("CmdConversion")) << "the Export button is left as it was";

    Button("OptNewNSF").click();
    EXPECT_FALSE(Button("OptExistingNSF").isChecked());
    EXPECT_FALSE(Enabled("txtExNSFFileName"));
    EXPECT_FALSE(Enabled("CmdExistingNSF"));
    EXPECT_TRUE(Enabled("txtNSFFileName"));
    EXPECT_TRUE(Enabled("CmdNewNSF"));
    EXPECT_TRUE(Enabled("CmdConversion"));
}

TEST_F(TargetWindowTest, TheExportButtonFollowsThePathBoxThatChangedLast)
{
    Box("txtNSFFileName").setText("   ");
    EXPECT_FALSE(Enabled("CmdConversion")) << "blanks are no path";
    Box("txtNSFFileName").setText(" /data ");
    EXPECT_TRUE(Enabled("CmdConversion"));
    Box("txtExNSFFileName").setText("x");
    Box("txtExNSFFileName").setText("");
    EXPECT_FALSE(Enabled("CmdConversion")) << "although the other box still holds a path";
    Box("txtNSFFileName").setText("/data2");
    EXPECT_TRUE(Enabled("CmdConversion"));
}

TEST_F(TargetWindowTest, CancellingEitherPickerStartsNothing)
{
    dialogs.folderAnswers.push_back("");
    Button("CmdNewNSF").click();
    EXPECT_EQ(dialogs.folderTitles, (std::vector<std::string>{"Select Folder to Save NSF File"}));
    EXPECT_EQ(state.TargetDatabasePath, "");
    EXPECT_EQ(Text(Box("txtNSFFileName")), "");

    Button("OptExistingNSF").click();
    Box("txtExNSFFileName").setText("/old.nsf");
    dialogs.fileAnswers.push_back("");
    Button("CmdExistingNSF").click();
    EXPECT_EQ(dialogs.fileFilters.at(0).description, "Lotus Notes Mailbox (*.nsf)");
    EXPECT_EQ(dialogs.fileFilters.at(0).pattern, "*.nsf");
    EXPECT_EQ(Text(Box("txtExNSFFileName")), "");
    EXPECT_FALSE(Enabled("CmdConversion"));

    EXPECT_TRUE(dialogs.messages.empty()) << "no run, so no completion message";
    EXPECT_TRUE(frmSave.isVisible());
    EXPECT_EQ(state.SelectedFolders.size(), 2u) << "the hand-over is untouched";
}

TEST_F(TargetWindowTest, PickingAFolderStartsTheConversionAndTheWindowClosesAtItsEnd)
{
    dialogs.folderAnswers.push_back(dir.path().string());
    Button("CmdNewNSF").click();
    EXPECT_EQ(Text(Box("txtNSFFileName")), dir.path().string());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].second, "Export Complete");
    EXPECT_EQ(frmSave.Run().Summary().converted(), 2);
    EXPECT_FALSE(frmSave.isVisible());
    EXPECT_EQ(frmSave.result(), QDialog::Accepted);
    EXPECT_TRUE(std::filesystem::exists(state.TargetDatabasePath)) << state.TargetDatabasePath;
}

TEST_F(TargetWindowTest, PickingADatabaseFileStartsTheConversionIntoIt)
{
    Button("OptExistingNSF").click();
    const auto database = ExistingDatabase();
    dialogs.fileAnswers.push_back(database);
    Button("CmdExistingNSF").click();
    EXPECT_EQ(state.TargetDatabasePath, database);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].second, "Export Complete");
    EXPECT_EQ(frmSave.Run().Summary().converted(), 2);
    EXPECT_TRUE(dialogs.questions.empty()) << "nothing failed, so no report is offered";
}

TEST_F(TargetWindowTest, AMissingDatabaseFileStopsTheRunBeforeItsFirstItem)
{
    Button("OptExistingNSF").click();
    dialogs.fileAnswers.push_back((dir.path() / "missing.nsf").string());
    Button("CmdExistingNSF").click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].first.find("missing.nsf"), std::string::npos) << dialogs.messages[0].first;
    EXPECT_TRUE(frmSave.isVisible());
}

TEST_F(TargetWindowTest, TheReportOfItemsThatFailedIsSavedWhereTheUserSays)
{
    mailbox.stores[0].top.folders[0].items[0].unreadableTexts.insert(mapi::TextField::Body);
    mailbox.stores[0].top.folders[0].items[1].unreadableTexts.insert(mapi::TextField::Body);
    Button("OptExistingNSF").click();
    dialogs.fileAnswers.push_back(ExistingDatabase());
    dialogs.questionAnswers.push_back(true);
    const auto report = dir.path() / "report.txt";
    dialogs.saveAnswers.push_back(report.string());
    Button("CmdExistingNSF").click();
    const auto text = testing::ReadFile(report);
    EXPECT_NE(text.find("Items not converted: 2"), std::string::npos) << text;
    EXPECT_NE(text.find("Inbox\t1\tQuarterly figures\t\tnot converted\t"), std::string::npos) << text;
}

TEST_F(TargetWindowTest, DuringTheRunTheButtonsAreOffTheLabelsShowProgressAndTheWindowStaysOpen)
{
    bool looked = false;
    QTimer::singleShot(0, [&] {
        looked = true;
        EXPECT_TRUE(frmSave.Run().Running());
        for (const char* name : {"OptNewNSF", "OptExistingNSF", "CmdNewNSF", "CmdExistingNSF", "CmdConversion"})
            EXPECT_FALSE(Enabled(name)) << name;
        EXPECT_NE(Text(Find<QLabel>(frmSave, "LblSaveHeader")), kSaveHeader);
        EXPECT_FALSE(Widget("LblSubject").isHidden());
        EXPECT_TRUE(Enabled("CmdCancel"));
        frmSave.reject();
        EXPECT_TRUE(frmSave.isVisible()) << "the user said No: the run goes on";
    });
    dialogs.folderAnswers.push_back(dir.path().string());
    dialogs.questionAnswers.push_back(false);
    Button("CmdNewNSF").click();
    EXPECT_TRUE(looked);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].first.rfind("Stop the conversion?", 0), 0u);
    EXPECT_EQ(frmSave.Run().Summary().converted(), 2);
    EXPECT_EQ(frmSave.result(), QDialog::Accepted);
    EXPECT_TRUE(Enabled("CmdNewNSF")) << "enabled again after the run";
    const auto& overall = Find<QProgressBar>(frmSave, "PrgOverall");
    EXPECT_EQ(overall.maximum(), 2) << "both items of the inbox";
    EXPECT_EQ(overall.value(), 2);
    EXPECT_EQ(Text(Find<QLabel>(frmSave, "LblOverall")).rfind("2 of 2 items", 0), 0u);
}

TEST_F(TargetWindowTest, ARunThatCannotStartIsReportedAndTheWindowStaysUsable)
{
    state.OutlookStoreID = "GONE";
    dialogs.folderAnswers.push_back(dir.path().string());
    Button("CmdNewNSF").click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].first.find("no store GONE"), std::string::npos) << dialogs.messages[0].first;
    EXPECT_TRUE(frmSave.isVisible());
    EXPECT_TRUE(Enabled("CmdNewNSF"));
    EXPECT_TRUE(Enabled("CmdConversion"));
    EXPECT_EQ(Text(Find<QLabel>(frmSave, "LblSaveHeader")), kSaveHeader) << "no stale \"Checking Configuration...\"";
    EXPECT_EQ(Text(Find<QLabel>(frmSave, "LblProcessing")), "");
    EXPECT_TRUE(Widget("LblSubject").isHidden());
}

// Stops the run, the way stop does it, the first time the window lets events through once it
// shows an item: the window keeps to a pace, so which item that is depends on the machine's
// speed. The item shown then is the item at hand, the last one the run converts.
class StopOnceAnItemIsShown {
public:
    StopOnceAnItemIsShown(app::FrmSave& window, std::function<void()> stop)
    {
        QObject::connect(&timer_, &QTimer::timeout, [&window, stop = std::move(stop), this] {
            const auto current = Text(Find<QLabel>(window, "LblCurrent"));
            if (current.empty())
                return;
            timer_.stop();
            shownWhenStopped_ = std::stol(current.substr(0, current.find('/')));
            stop();
        });
        timer_.start(0);
    }

    long ShownWhenStopped() const { return shownWhenStopped_; }

private:
    QTimer timer_;
    long shownWhenStopped_ = 0;
};

class TargetWindowStopTest : public TargetWindowTest {
protected:
    // Far more items than the run converts before the window first lets events through.
    static constexpr long kItems = 20000;
    TargetWindowStopTest() { mailbox.stores[0].top.folders[0].items.assign(kItems, testing::FakeMail("bulk")); }
};

TEST_F(TargetWindowStopTest, CancelStopsAfterTheItemAtHandAndTheDatabaseHoldsExactlyWhatWasReported)
{
    StopOnceAnItemIsShown stop(frmSave, [&] { Button("CmdCancel").click(); });
    const auto database = ConvertIntoDatabase();

    const auto atHand = stop.ShownWhenStopped();
    ASSERT_GT(atHand, 0) << "the run ended before the window showed an item";
    ASSERT_LT(atHand, kItems);
    const auto& summary = frmSave.Run().Summary();
    EXPECT_TRUE(summary.stoppedByUser());
    EXPECT_EQ(summary.converted(), atHand);
    EXPECT_EQ(static_cast<long>(notes::local::testing::ReadDocuments(database).size()), atHand)
        << "the database opens whole";
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0],
              (std::pair<std::string, std::string>{"The conversion was stopped by the user.\r\n" + database + "\r\n" +
                                                       std::to_string(atHand) + (atHand == 1 ? " item" : " items") +
                                                       " converted before it stopped.",
                                                   "Export Complete"}));
    EXPECT_TRUE(dialogs.questions.empty()) << "Cancel stops without asking";
    EXPECT_FALSE(frmSave.isVisible());
}

TEST_F(TargetWindowStopTest, TheCloseButtonAsksAndYesStopsTheRun)
{
    dialogs.questionAnswers.push_back(true);
    StopOnceAnItemIsShown stop(frmSave, [&] { frmSave.reject(); });
    const auto database = ConvertIntoDatabase();

    ASSERT_EQ(dialogs.questions.size(), 1u);
    const auto atHand = stop.ShownWhenStopped();
    ASSERT_GT(atHand, 0) << "the run ended before the window showed an item";
    EXPECT_EQ(frmSave.Run().Summary().converted(), atHand);
    EXPECT_EQ(static_cast<long>(notes::local::testing::ReadDocuments(database).size()), atHand);
    EXPECT_FALSE(frmSave.isVisible()) << "the stopped run closed the window";
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

TEST_F(TargetWindowTest, TheItemAndTheBarArePaintedAFewTimesASecondNotForEveryItem)
{
    // Painted for every item, they took fifteen times as long as converting the items.
    constexpr long kItems = 2000;
    mailbox.stores[0].top.folders[0].items.assign(kItems, testing::FakeMail("bulk"));
    PaintCounter item(Find<QLabel>(frmSave, "LblCurrent")), bar(Find<QProgressBar>(frmSave, "PrgOverall"));
    ConvertIntoDatabase();

    EXPECT_EQ(frmSave.Run().Summary().converted(), kItems);
    EXPECT_GE(item.paints, 1);
    EXPECT_GE(bar.paints, 1);
    // At ten paints a second, 200 would take the run 20 s, ten times what it takes with sanitizers.
    EXPECT_LT(item.paints, kItems / 10);
    EXPECT_LT(bar.paints, kItems / 10);
}

TEST_F(TargetWindowStopTest, CancelBeforeARunClosesTheWindow)
{
    Button("CmdCancel").click();
    EXPECT_FALSE(frmSave.isVisible());
    EXPECT_EQ(frmSave.result(), QDialog::Rejected);
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace varnemo
