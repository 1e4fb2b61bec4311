#include "app_win32/frm_splash.h"

#include "app_win32/control_ids.h"
#include "app_win32/pictures.h"
#include "app_win32/resources.h"

namespace varnemo::win32 {
namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT_PTR kHold = 2;

}  // namespace

FrmSplash::FrmSplash(std::function<void()> showMain, std::chrono::milliseconds hold)
    : showMain_(std::move(showMain)), hold_(hold), picture_(LoadPicture(IDB_SPLASH))
{
    Create(kSplashWindowClass, "Kestrova Varnemo", WS_POPUP | WS_BORDER, WS_EX_TOPMOST, PictureSize(picture_.get()),
           nullptr);
    ShowWindow(Handle(), SW_SHOW);
    SetFocus(Handle());
    SetTimer(Handle(), kTimer1, 10, nullptr);
}

LRESULT FrmSplash::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintPicture(Handle(), picture_.get());
        return 0;
    case WM_TIMER:
        if (wParam == kTimer1)
            Timer1_Timer();
        else
            ShowMainAndClose();
        return 0;
    case WM_KEYDOWN:
        ShowMainAndClose();
        return 0;
    default:
        return Window::OnMessage(message, wParam, lParam);
    }
}

void FrmSplash::Timer1_Timer()
{
    KillTimer(Handle(), kTimer1);
    SetTimer(Handle(), kHold, static_cast<UINT>(hold_.count()), nullptr);
}

void FrmSplash::ShowMainAndClose()
{
    if (finished_)
        return;
    finished_ = true;
    KillTimer(Handle(), kTimer1);
    KillTimer(Handle(), kHold);
    showMain_();
    ShowWindow(Handle(), SW_HIDE);
}

}  // namespace varnemo::win32
