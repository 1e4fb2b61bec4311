#include "app_win32/message_pump.h"

namespace varnemo::win32 {
namespace {

// Tab and the arrow keys move between the controls of the window the message is for.
void Dispatch(MSG& message)
{
    HWND window = GetAncestor(message.hwnd, GA_ROOT);
    if (window && IsDialogMessageW(window, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

void ProcessPendingMessages(Paints paints)
{
    const UINT kinds = paints == Paints::Included ? 0 : PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | kinds)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

void RunModal(HWND window, HWND owner, const std::function<bool()>& finished)
{
    EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (!finished()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(got == 0 ? static_cast<int>(message.wParam) : 1);
            break;
        }
        Dispatch(message);
    }
    // The owner takes input again before the modal window goes, so that it becomes active.
    EnableWindow(owner, TRUE);
    ShowWindow(window, SW_HIDE);
    SetActiveWindow(owner);
}

int RunMessageLoop()
{
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0)
        Dispatch(message);
    return got == 0 ? static_cast<int>(message.wParam) : 1;
}

}  // namespace varnemo::win32
