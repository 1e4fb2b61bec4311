// The desktop program's windows on Windows, driven through their messages from a thread of the
// test as a user drives them, over the COM backends that the fake server serves: the first tab's
// states, store discovery, the folder tree with its check boxes, the target window, a whole
// conversion with its progress and completion message, and the calls that reach Notes.
#include "app_win32/control_ids.h"
#include "app_win32/frm_about.h"
#include "app_win32/frm_main.h"
#include "app_win32/frm_splash.h"
#include "backends/backends.h"
#include "class_registration.h"
#include "com/apartment.h"
#include "fake_classes.h"
#include "fakes/scripted_dialogs.h"
#include "notes/target_view.h"
#include "process_windows.h"
#include "source/source_help.h"
#include "run_program.h"
#include "temp_dir.h"
#include "window_driver.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <commctrl.h>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace varnemo::testing {
namespace {

namespace ids = win32;
using nlohmann::json;


// The dialogs answered from the script; the completion message also notes what the target
// window's progress labels show at that moment.
class WatchingDialogs : public ScriptedDialogs {
public:
    std::map<int, std::string> labelsAtEnd;
    bool subjectShownAtEnd = false;

    void Message(const std::string& text, const std::string& title) override
    {
        if (HWND target = FindProcessWindow(ids::kSaveWindowClass)) {
            for (const int label : {ids::LblSaveHeader, ids::LblProcessing, ids::LblFound, ids::LblCurrent})
                labelsAtEnd[label] = TextOf(target, label);
            subjectShownAtEnd = Visible(target, ids::LblSubject);
        }
        ScriptedDialogs::Message(text, title);
    }
};

json Memo(const std::string& subject)
{
    return {{"class", "IPM.Note"},
            {"texts", {{"Subject", subject}, {"To", "Dana Holm"}, {"SenderName", "Eli Marsh"}, {"Body", "See you."}}},
            {"dates", {{"ReceivedTime", "2026-05-02T09:30:00"}}}};
}

json Person(const std::string& first, const std::string& last)
{
    return {{"class", "IPM.Contact"}, {"texts", {{"FirstName", first}, {"LastName", last}}}};
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CanShowWindows())
            GTEST_SKIP() << kNoWindowsReason;
        com::EnterApartment();
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        registration = std::make_unique<ClassRegistration>(ProgramFolder() / "fake_com_server.dll");
        pstPath = (dir.path() / "archive.pst").string();
        const json inbox = {{"name", "Inbox"}, {"entryId", "ID-INBOX"}, {"class", "IPM.Note"},
                            {"items", {Memo("Lunch on Friday"), Memo("Budget 2027")}}};
        const json contacts = {{"name", "Contacts"}, {"entryId", "ID-CONTACTS"}, {"class", "IPM.Contact"},
                               {"items", {Person("Ann", "Lee")}}};
        const json mailbox = {
            {"notes", {{"DefaultMailTemplate", "mail.ntf"}, {"NAMES", "names.nsf"}}},
            {"stores", {{{"name", "Personal Folders"}, {"entryId", "STORE-1"}, {"pstPath", pstPath},
                         {"top", {{"name", "Top of Personal Folders"}, {"entryId", "TOP"},
                                  {"folders", {inbox, contacts}}}}}}}};
        std::ofstream(dir.path() / "mailbox.json") << mailbox.dump();
        // The fake server reads them in this process, through the C runtime's copy of the environment.
        _putenv_s(kMailboxVariable, (dir.path() / "mailbox.json").string().c_str());
        _putenv_s(kCallLogVariable, (dir.path() / "calls.log").string().c_str());
        backends = CreateBackends(BackendOptions::Defaults());
        frmMain = std::make_unique<win32::FrmMain>(
            win32::MainServices{state, *backends.mapi, *backends.notes, dialogs, "test backends"});
        frmMain->Show();
        main = frmMain->Handle();
    }
    void TearDown() override
    {
        frmMain.reset();
        backends = {};
        _putenv_s(kMailboxVariable, "");
        _putenv_s(kCallLogVariable, "");
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    // The Notes calls of the log, with this test's folder named <test>.
    std::vector<std::string> NotesCalls() const
    {
        std::ifstream log(dir.path() / "calls.log");
        std::vector<std::string> calls;
        const std::string here = dir.path().string();
        for (std::string line; std::getline(log, line);) {
            for (auto at = line.find(here); at != std::string::npos; at = line.find(here))
                line.replace(at, here.size(), "<test>");
            if (line.rfind("Notes", 0) == 0)
                calls.push_back(line);
        }
        return calls;
    }

    static size_t Count(const std::vector<std::string>& calls, const std::string& call)
    {
        return static_cast<size_t>(std::count(calls.begin(), calls.end(), call));
    }

    TempDir dir;
    std::unique_ptr<ClassRegistration> registration;
    std::string pstPath;
    Backends backends;
    ProgramState state;
    WatchingDialogs dialogs;
    std::unique_ptr<win32::FrmMain> frmMain;
    HWND main = nullptr;
};

TEST_F(WindowTest, TheFirstTabFollowsTheOptionButtonsAndTheChosenFile)
{
    dialogs.fileAnswers = {pstPath, ""};
    DriveWindows([&] {
        // As the window opens: configured mailboxes, the file controls unusable.
        EXPECT_TRUE(Checked(main, ids::OptConfiguredPST));
        EXPECT_TRUE(Enabled(main, ids::CmdExportConfigured));
        for (const int id : {ids::OtherPSTFrame, ids::CmdBrowse, ids::txtNotesDatabaseFile, ids::CmdExportOther})
            EXPECT_FALSE(Enabled(main, id)) << id;
        EXPECT_EQ(TextOf(main, ids::LblHelp), kConfiguredMailboxesHelp);
        // The second tab cannot be chosen before a store is open.
        ClickTab(GetDlgItem(main, ids::NotesTab), 1);
        EXPECT_EQ(TabCtrl_GetCurSel(GetDlgItem(main, ids::NotesTab)), 0);
        EXPECT_TRUE(Visible(main, ids::CmdExportConfigured));
        EXPECT_FALSE(Visible(main, ids::CmdStartConversion));

        Click(main, ids::OptOtherPST);
        EXPECT_TRUE(Enabled(main, ids::OtherPSTFrame));
        EXPECT_TRUE(Enabled(main, ids::CmdBrowse));
        EXPECT_TRUE(Enabled(main, ids::txtNotesDatabaseFile));
        EXPECT_FALSE(Enabled(main, ids::CmdExportOther));
        EXPECT_FALSE(Enabled(main, ids::CmdExportConfigured));
        EXPECT_EQ(TextOf(main, ids::LblHelp), kOtherPstFileHelp);

        Click(main, ids::CmdBrowse);
        EXPECT_EQ(TextOf(main, ids::txtNotesDatabaseFile), pstPath);
        EXPECT_TRUE(Enabled(main, ids::CmdExportOther));

        // Back and forth: the Export button of the file waits for the next change of the path.
        Click(main, ids::OptConfiguredPST);
        EXPECT_FALSE(Enabled(main, ids::CmdBrowse));
        EXPECT_FALSE(Enabled(main, ids::CmdExportOther));
        EXPECT_TRUE(Enabled(main, ids::CmdExportConfigured));
        EXPECT_EQ(TextOf(main, ids::LblHelp), kConfiguredMailboxesHelp);
        Click(main, ids::OptOtherPST);
        EXPECT_EQ(TextOf(main, ids::txtNotesDatabaseFile), pstPath);
        EXPECT_FALSE(Enabled(main, ids::CmdExportOther));

        // Cancelling the file dialog empties the path.
        Click(main, ids::CmdBrowse);
        EXPECT_EQ(TextOf(main, ids::txtNotesDatabaseFile), "");
        EXPECT_FALSE(Enabled(main, ids::CmdExportOther));
    });
    ASSERT_EQ(dialogs.fileFilters.size(), 2u);
    EXPECT_EQ(dialogs.fileFilters[0].description, "Outlook Mailbox (*.pst)");
    EXPECT_EQ(dialogs.fileFilters[0].pattern, "*.pst");
}

// Road A and B: the configured store, a folder unticked, a new database.
TEST_F(WindowTest, AConfiguredStoreConvertsIntoANewDatabaseWithoutTheUntickedFolder)
{
    const auto target = dir.path() / "target";
    std::filesystem::create_directories(target);
    dialogs.folderAnswers = {target.string()};
    dialogs.questionAnswers = {false};
    DriveWindows([&] {
        Click(main, ids::CmdExportConfigured);
        HWND stores = GetDlgItem(main, ids::CmbOutlookStores);
        EXPECT_EQ(TabCtrl_GetCurSel(GetDlgItem(main, ids::NotesTab)), 1);
        EXPECT_TRUE(Visible(main, ids::CmbOutlookStores));
        EXPECT_FALSE(Visible(main, ids::CmdExportConfigured));
        ASSERT_EQ(SendMessageW(stores, CB_GETCOUNT, 0, 0), 1);
        EXPECT_FALSE(Enabled(main, ids::CmdStartConversion));

        // The user picks the store from the list.
        SendMessageW(stores, CB_SETCURSEL, 0, 0);
        SendMessageW(main, WM_COMMAND, MAKEWPARAM(ids::CmbOutlookStores, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(stores));
        HWND tree = GetDlgItem(main, ids::OutlookFoldersTree);
        EXPECT_EQ(TreeTexts(tree), (std::vector<std::string>{"Personal Folders", "Inbox (2)", "Contacts (1)"}));
        EXPECT_TRUE(Ticked(tree, "Inbox (2)"));
        EXPECT_TRUE(Ticked(tree, "Contacts (1)"));
        EXPECT_TRUE(Enabled(main, ids::CmdStartConversion));

        ClickCheckBox(tree, "Contacts (1)");
        EXPECT_FALSE(Ticked(tree, "Contacts (1)"));

        PostClick(main, ids::CmdStartConversion);
        HWND save = WaitForWindow(ids::kSaveWindowClass);
        WaitFor([&] { return !IsWindowEnabled(main); }, "the main window to wait for the target window");
        EXPECT_TRUE(Checked(save, ids::OptNewNSF));
        EXPECT_FALSE(Checked(save, ids::OptExistingNSF));
        EXPECT_TRUE(Enabled(save, ids::txtNSFFileName));
        EXPECT_TRUE(Enabled(save, ids::CmdNewNSF));
        EXPECT_FALSE(Enabled(save, ids::txtExNSFFileName));
        EXPECT_FALSE(Enabled(save, ids::CmdExistingNSF));
        EXPECT_FALSE(Enabled(save, ids::CmdConversion));
        EXPECT_EQ(TextOf(save, ids::LblSaveHeader), kSaveHeader);
        EXPECT_TRUE(Enabled(save, ids::CmdCancel));
        EXPECT_FALSE(Visible(save, ids::LblSubject));

        Click(save, ids::OptExistingNSF);
        EXPECT_FALSE(Enabled(save, ids::CmdNewNSF));
        EXPECT_FALSE(Enabled(save, ids::txtNSFFileName));
        EXPECT_TRUE(Enabled(save, ids::CmdExistingNSF));
        EXPECT_TRUE(Enabled(save, ids::txtExNSFFileName));
        EXPECT_FALSE(Checked(save, ids::OptNewNSF));
        Click(save, ids::OptNewNSF);
        EXPECT_TRUE(Enabled(save, ids::CmdNewNSF));
        EXPECT_FALSE(Enabled(save, ids::CmdExistingNSF));
        EXPECT_FALSE(Checked(save, ids::OptExistingNSF));

        // Picking the folder starts the conversion; its end closes the target window.
        Click(save, ids::CmdNewNSF);
        WaitFor([&] { return IsWindowEnabled(main) && !FindProcessWindow(ids::kSaveWindowClass); },
                "the target window to close");
    });

    ASSERT_EQ(dialogs.folderTitles, std::vector<std::string>{"Select Folder to Save NSF File"});
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].second, "Export Complete");
    EXPECT_NE(dialogs.messages[0].first.find("Outlook Mailbox Exported Successfully to Lotus Notes Mailbox."),
              std::string::npos)
        << dialogs.messages[0].first;
    EXPECT_EQ(state.SelectedFolders, std::vector<std::string>{}) << "the run erases the selection";
    // The progress as the run ended: the last item of the Inbox.
    EXPECT_EQ(dialogs.labelsAtEnd[ids::LblSaveHeader], "Inbox");
    EXPECT_EQ(dialogs.labelsAtEnd[ids::LblProcessing], "Budget 2027");
    EXPECT_EQ(dialogs.labelsAtEnd[ids::LblFound], "2");
    EXPECT_EQ(dialogs.labelsAtEnd[ids::LblCurrent], "2/2");
    EXPECT_TRUE(dialogs.subjectShownAtEnd);

    const auto calls = NotesCalls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0], "NotesSession.GetEnvironmentString(VT_BSTR \"DefaultMailTemplate\", VT_BOOL True)");
    EXPECT_EQ(calls[2].rfind("NotesDatabase.CreateCopy(VT_BSTR \"\", VT_BSTR \"<test>\\target\\Converted Outlook PST\\archive", 0),
              0u)
        << calls[2];
    EXPECT_EQ(Count(calls, "NotesDocument.Form = VT_BSTR \"Memo\""), 2u);
    EXPECT_EQ(Count(calls, "NotesDocument.Subject = VT_BSTR \"Budget 2027\""), 1u);
    EXPECT_EQ(Count(calls, "NotesDocument.Form = VT_BSTR \"Person\""), 0u) << "the unticked folder stays out";
    EXPECT_EQ(Count(calls, "NotesDocument.excludeFromView = VT_ARRAY|VT_BSTR [\"D\", \"S\"]"), 2u);
}

// Road C: another data file into an existing database, chosen in the target window.
TEST_F(WindowTest, AnotherDataFileConvertsIntoAnExistingDatabase)
{
    const auto database = dir.path() / "mail.nsf";
    std::ofstream(database) << "existing";
    dialogs.fileAnswers = {pstPath, pstPath, "", database.string()};
    dialogs.questionAnswers = {false};
    DriveWindows([&] {
        HWND tabs = GetDlgItem(main, ids::NotesTab);
        Click(main, ids::OptOtherPST);
        Click(main, ids::CmdBrowse);
        Click(main, ids::CmdExportOther);
        EXPECT_EQ(TabCtrl_GetCurSel(tabs), 1);
        EXPECT_EQ(TreeTexts(GetDlgItem(main, ids::OutlookFoldersTree)),
                  (std::vector<std::string>{"Personal Folders", "Inbox (2)", "Contacts (1)"}));
        // The first tab again, and back: the second tab stays usable until another file is chosen.
        ClickTab(tabs, 0);
        EXPECT_TRUE(Visible(main, ids::CmdBrowse));
        ClickTab(tabs, 1);
        EXPECT_EQ(TabCtrl_GetCurSel(tabs), 1);
        ClickTab(tabs, 0);
        Click(main, ids::CmdBrowse);
        ClickTab(tabs, 1);
        EXPECT_EQ(TabCtrl_GetCurSel(tabs), 0) << "a newly chosen file must be opened first";
        Click(main, ids::CmdExportOther);
        EXPECT_EQ(TabCtrl_GetCurSel(tabs), 1);

        PostClick(main, ids::CmdStartConversion);
        HWND save = WaitForWindow(ids::kSaveWindowClass);
        Click(save, ids::OptExistingNSF);
        // Cancelled: nothing starts, and the Export button follows the emptied box.
        Click(save, ids::CmdExistingNSF);
        EXPECT_EQ(TextOf(save, ids::txtExNSFFileName), "");
        EXPECT_FALSE(Enabled(save, ids::CmdConversion));
        EXPECT_TRUE(dialogs.messages.empty());
        Click(save, ids::CmdExistingNSF);
        WaitFor([&] { return IsWindowEnabled(main) && !FindProcessWindow(ids::kSaveWindowClass); },
                "the target window to close");
    });

    ASSERT_EQ(dialogs.fileFilters.size(), 4u);
    EXPECT_EQ(dialogs.fileFilters[3].description, "Lotus Notes Mailbox (*.nsf)");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].second, "Export Complete");
    const auto calls = NotesCalls();
    EXPECT_EQ(Count(calls, "NotesDatabase.CreateCopy(VT_BSTR \"\", VT_BSTR \"<test>\\mail.nsf\")"), 0u);
    EXPECT_GE(Count(calls, "NotesSession.GetDatabase(VT_BSTR \"\", VT_BSTR \"<test>\\mail.nsf\")"), 3u);
    EXPECT_EQ(Count(calls, "NotesDocument.Form = VT_BSTR \"Person\""), 1u);
    EXPECT_EQ(Count(calls, "NotesDocument.PutInFolder(VT_BSTR \"Outlook\\Inbox\")"), 2u);
}

// Acts on the target window as LblCurrent shows an item's position ("1/2"): the run is between
// its items then, and handles what was posted at its next yield.
class ActOnPosition {
public:
    ActOnPosition(HWND save, std::map<std::string, std::function<void(HWND)>> actions)
        : label_(GetDlgItem(save, ids::LblCurrent))
    {
        actions_ = std::move(actions);
        original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(label_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ActOnPosition::Proc)));
    }
    ~ActOnPosition()
    {
        if (IsWindow(label_))
            SetWindowLongPtrW(label_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    }

private:
    static LRESULT CALLBACK Proc(HWND label, UINT message, WPARAM wParam, LPARAM lParam)
    {
        const LRESULT result = CallWindowProcW(original_, label, message, wParam, lParam);
        if (message == WM_SETTEXT)
            if (const auto action = actions_.find(TextOf(GetParent(label), ids::LblCurrent)); action != actions_.end())
                action->second(GetParent(label));
        return result;
    }

    // The label's window procedure runs on the windows' thread, with no room for an object.
    static inline WNDPROC original_ = nullptr;
    static inline std::map<std::string, std::function<void(HWND)>> actions_;
    HWND label_;
};

// The close button during a run asks; No carries on, and Cancel stops after the item at hand.
TEST_F(WindowTest, ARunCarriesOnPastNoAndCancelStopsItAfterTheItemAtHand)
{
    const auto target = dir.path() / "target";
    std::filesystem::create_directories(target);
    dialogs.folderAnswers = {target.string()};
    dialogs.questionAnswers = {false, false};
    std::unique_ptr<ActOnPosition> acting;
    DriveWindows([&] {
        Click(main, ids::OptOtherPST);
        dialogs.fileAnswers = {pstPath};
        Click(main, ids::CmdBrowse);
        Click(main, ids::CmdExportOther);
        PostClick(main, ids::CmdStartConversion);
        HWND save = WaitForWindow(ids::kSaveWindowClass);
        acting = std::make_unique<ActOnPosition>(
            save, std::map<std::string, std::function<void(HWND)>>{
                      {"1/2", [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }},
                      {"2/2", [](HWND window) { PostMessageW(GetDlgItem(window, ids::CmdCancel), BM_CLICK, 0, 0); }}});
        Click(save, ids::CmdNewNSF);
        WaitFor([&] { return IsWindowEnabled(main) && !FindProcessWindow(ids::kSaveWindowClass); },
                "the stopped run to close the target window");
    });
    acting.reset();

    ASSERT_GE(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0], (std::pair<std::string, std::string>{kStopQuestion, "Kestrova Varnemo"}));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].second, "Export Complete");
    EXPECT_EQ(dialogs.messages[0].first.rfind("The conversion was stopped by the user.\r\n", 0), 0u)
        << dialogs.messages[0].first;
    EXPECT_NE(dialogs.messages[0].first.find("2 items converted before it stopped."), std::string::npos)
        << dialogs.messages[0].first;
    const auto calls = NotesCalls();
    EXPECT_EQ(Count(calls, "NotesDocument.Form = VT_BSTR \"Memo\""), 2u) << "No carried the run on";
    EXPECT_EQ(Count(calls, "NotesDocument.Form = VT_BSTR \"Person\""), 0u) << "the run stopped before the contacts";
}

TEST_F(WindowTest, NothingTickedIsRefusedWithAMessage)
{
    dialogs.fileAnswers = {pstPath};
    DriveWindows([&] {
        Click(main, ids::OptOtherPST);
        Click(main, ids::CmdBrowse);
        Click(main, ids::CmdExportOther);
        HWND tree = GetDlgItem(main, ids::OutlookFoldersTree);
        ClickCheckBox(tree, "Inbox (2)");
        ClickCheckBox(tree, "Contacts (1)");
        Click(main, ids::CmdStartConversion);
        EXPECT_EQ(FindProcessWindow(ids::kSaveWindowClass), nullptr);
    });
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::pair<std::string, std::string>>{
                  {"Please Select Folders to Export", "Export Outlook Folders to Lotus Notes"}}));
}

TEST_F(WindowTest, AboutHoldsTheMainWindowAndExitAsksFirst)
{
    dialogs.questionAnswers = {false, true};
    DriveWindows([&] {
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(ids::mnuAbout, 0), 0);
        HWND about = WaitForWindow(ids::kAboutWindowClass);
        EXPECT_FALSE(IsWindowEnabled(main));
        PostMessageW(about, WM_CLOSE, 0, 0);
        WaitFor([&] { return IsWindowEnabled(main) != FALSE; }, "the About window to let go of the main window");

        SendMessageW(main, WM_COMMAND, MAKEWPARAM(ids::mnuExit, 0), 0);
        EXPECT_TRUE(IsWindow(main)) << "No keeps the program running";
        SendMessageW(main, WM_COMMAND, MAKEWPARAM(ids::mnuExit, 0), 0);
        EXPECT_FALSE(IsWindow(main)) << "Yes ends it";
    });
    EXPECT_EQ(dialogs.questions,
              (std::vector<std::pair<std::string, std::string>>(
                  2, {"Are you sure you want to close the software", "Kestrova Varnemo"})));
}

TEST_F(WindowTest, TheSplashGivesWayToTheMainWindowAfterItsHoldOrAtAKey)
{
    int shown = 0;
    win32::FrmSplash held([&] { ++shown; }, std::chrono::milliseconds(100));
    DriveWindows([&] { WaitFor([&] { return held.Finished(); }, "the splash's hold to end"); });
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(IsWindowVisible(held.Handle()));

    win32::FrmSplash pressed([&] { ++shown; }, std::chrono::minutes(10));
    DriveWindows([&] {
        PostMessageW(pressed.Handle(), WM_KEYDOWN, VK_SPACE, 0);
        WaitFor([&] { return pressed.Finished(); }, "the key to end the splash");
    });
    EXPECT_EQ(shown, 2);
}

}  // namespace
}  // namespace varnemo::testing
