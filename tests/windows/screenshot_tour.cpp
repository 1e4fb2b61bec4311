// Takes the pictures of the Windows program's windows shown in the README, under wine on a
// (virtual) display, over the fake COM servers: the splash, both tabs of the main window, the
// About window and the target window as a conversion ends. Saves them as bitmaps; the script
// tools/windows-screenshots turns them into the PNG files of docs/.
//
//   varnemo-windows-screenshots OUTPUT-FOLDER
#include "app_win32/control_ids.h"
#include "app_win32/frm_main.h"
#include "app_win32/frm_splash.h"
#include "backends/backends.h"
#include "class_registration.h"
#include "com/apartment.h"
#include "fake_classes.h"
#include "fakes/scripted_dialogs.h"
#include "process_windows.h"
#include "run_program.h"
#include "temp_dir.h"
#include "window_driver.h"

#include <nlohmann/json.hpp>

#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>

using namespace varnemo;
using namespace varnemo::testing;
using nlohmann::json;

namespace {

// The window as the screen shows it, as a 24-bit bitmap file.
void Capture(HWND window, const std::filesystem::path& file)
{
    Sleep(300);  // for the X server to show what wine drew
    RECT box;
    GetWindowRect(window, &box);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture =
        CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, box.left, box.top, SRCCOPY);
    GdiFlush();
    const DWORD size = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
    const BITMAPFILEHEADER fileHeader{0x4d42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(header) + size), 0, 0,
                                      sizeof(BITMAPFILEHEADER) + sizeof(header)};
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fileHeader), sizeof(fileHeader));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(static_cast<const char*>(bits), size);
    SelectObject(memory, previous);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::printf("%s\n", file.string().c_str());
}

json Items(const std::string& messageClass, std::initializer_list<const char*> subjects)
{
    json items = json::array();
    for (const char* subject : subjects)
        items.push_back({{"class", messageClass}, {"texts", {{"Subject", subject}, {"SenderName", "Eli Marsh"}}}});
    return items;
}

json Folder(const std::string& name, const std::string& messageClass, json items, json folders = json::array())
{
    return {{"name", name}, {"entryId", "ID-" + name}, {"class", messageClass}, {"items", std::move(items)},
            {"folders", std::move(folders)}};
}

json Mailbox(const std::string& pstPath)
{
    const json projects = Folder("Projects", "IPM.Note", Items("IPM.Note", {"Kick-off", "Milestones"}));
    const json folders = {
        Folder("Inbox", "IPM.Note", Items("IPM.Note", {"Lunch on Friday", "Budget 2027", "Quarterly figures"}),
               {projects}),
        Folder("Sent Items", "IPM.Note", Items("IPM.Note", {"Re: Budget 2027"})),
        Folder("Calendar", "IPM.Appointment", Items("IPM.Appointment", {"Design review", "Team day"})),
        Folder("Contacts", "IPM.Contact", json::array()),
        Folder("Tasks", "IPM.Task", Items("IPM.Task", {"File taxes"})),
        Folder("Journal", "IPM.Activity", json::array()),
        Folder("Notes", "IPM.StickyNote", json::array())};
    return {{"notes", {{"DefaultMailTemplate", "mail.ntf"}, {"NAMES", "names.nsf"}}},
            {"stores", {{{"name", "Personal Folders"}, {"entryId", "STORE-1"}, {"pstPath", pstPath},
                         {"top", {{"name", "Top of Personal Folders"}, {"entryId", "TOP"}, {"folders", folders}}}}}}};
}

// Answers as a user converting the sample would, and photographs the target window when the
// run is about to report its end, while its progress labels still show the last item.
class TourDialogs : public ScriptedDialogs {
public:
    explicit TourDialogs(std::filesystem::path folder) : folder_(std::move(folder)) {}
    void Message(const std::string& text, const std::string& title) override
    {
        if (HWND target = FindProcessWindow(win32::kSaveWindowClass))
            Capture(target, folder_ / "windows-target-window.bmp");
        ScriptedDialogs::Message(text, title);
    }

private:
    std::filesystem::path folder_;
};

void Tour(const std::filesystem::path& output)
{
    com::EnterApartment();
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    TempDir work;
    ClassRegistration registration(ProgramFolder() / "fake_com_server.dll");
    const std::string pstPath = (work.path() / "archive.pst").string();
    std::ofstream(work.path() / "mailbox.json") << Mailbox(pstPath).dump();
    _putenv_s(kMailboxVariable, (work.path() / "mailbox.json").string().c_str());
    std::filesystem::create_directories(work.path() / "target");

    TourDialogs dialogs(output);
    dialogs.fileAnswers = {pstPath};
    dialogs.folderAnswers = {(work.path() / "target").string()};
    dialogs.questionAnswers = {false};
    Backends backends = CreateBackends(BackendOptions::Defaults());
    ProgramState state;
    win32::FrmMain frmMain({state, *backends.mapi, *backends.notes, dialogs, backends.description});
    HWND main = frmMain.Handle();
    win32::FrmSplash splash([&frmMain] { frmMain.Show(); }, std::chrono::minutes(10));
    DriveWindows([&] {
        Capture(WaitForWindow(win32::kSplashWindowClass), output / "windows-splash.bmp");
        PostMessageW(splash.Handle(), WM_KEYDOWN, VK_SPACE, 0);
        WaitForWindow(win32::kMainWindowClass);
        Click(main, win32::OptOtherPST);
        Click(main, win32::CmdBrowse);
        Capture(main, output / "windows-main-select-file.bmp");
        Click(main, win32::CmdExportOther);
        Capture(main, output / "windows-main-mailbox-preview.bmp");

        PostMessageW(main, WM_COMMAND, MAKEWPARAM(win32::mnuAbout, 0), 0);
        HWND about = WaitForWindow(win32::kAboutWindowClass);
        Capture(about, output / "windows-about.bmp");
        PostMessageW(about, WM_CLOSE, 0, 0);
        WaitFor([&] { return IsWindowEnabled(main) != FALSE; }, "the About window to close");

        PostClick(main, win32::CmdStartConversion);
        HWND save = WaitForWindow(win32::kSaveWindowClass);
        Click(save, win32::CmdNewNSF);
    });
    _putenv_s(kMailboxVariable, "");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: varnemo-windows-screenshots OUTPUT-FOLDER\n");
        return 2;
    }
    try {
        Tour(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "varnemo-windows-screenshots: %s\n", error.what());
        return 1;
    }
    return 0;
}
