#include "app_win32/frm_about.h"

#include "app_win32/control_ids.h"
#include "app_win32/message_pump.h"
#include "app_win32/pictures.h"
#include "app_win32/resources.h"

namespace varnemo::win32 {

FrmAbout::FrmAbout(HWND owner) : owner_(owner), picture_(LoadPicture(IDB_ABOUT))
{
    Create(kAboutWindowClass, "About", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
           PictureSize(picture_.get()), owner);
}

void FrmAbout::ShowModal()
{
    RunModal(Handle(), owner_, [this] { return closed_; });
}

LRESULT FrmAbout::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintPicture(Handle(), picture_.get());
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            closed_ = true;
        return 0;
    case WM_CLOSE:
        closed_ = true;
        return 0;
    default:
        return Window::OnMessage(message, wParam, lParam);
    }
}

}  // namespace varnemo::win32
