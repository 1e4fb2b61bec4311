// varnemo.exe: the desktop program on Windows. Shows the splash, then the main window.
#include "app_win32/frm_main.h"
#include "app_win32/frm_splash.h"
#include "app_win32/message_pump.h"
#include "app_win32/win_dialogs.h"
#include "backends/backends.h"
#include "com/apartment.h"
#include "com/wide_text.h"
#include "common/errors.h"

#include "app_win32/windows_api.h"
// After windows.h, which it needs.
#include <commctrl.h>

using namespace varnemo;

namespace {

void TellCannotStart(const std::string& reason)
{
    MessageBoxW(nullptr, com::Widen("Varnemo cannot start.\n" + reason).c_str(), L"Kestrova Varnemo",
                MB_OK | MB_ICONERROR);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    Backends backends;
    try {
        // The components and the folder picker expect a single-threaded apartment.
        com::EnterApartment();
        backends = CreateBackends(BackendOptions::Defaults());
    } catch (const ComponentError& error) {
        TellCannotStart(error.what());
        return 1;
    }
    ProgramState state;
    win32::WinDialogs dialogs;
    win32::FrmMain frmMain({state, *backends.mapi, *backends.notes, dialogs, backends.description});
    win32::FrmSplash frmSplash([&frmMain] { frmMain.Show(); });
    return win32::RunMessageLoop();
}
