#include "picker_answer.h"

#include "process_windows.h"

#include <shlobj.h>

namespace varnemo::testing {
namespace {

// The picker is a dialog box of the standard dialog class.
const std::wstring kDialogClass = L"#32770";

}  // namespace

PickerAnswer::PickerAnswer(std::wstring expectedTitle) : PickerAnswer(std::move(expectedTitle), std::string()) {}

PickerAnswer::PickerAnswer(std::wstring expectedTitle, std::string folder)
    : expectedTitle_(std::move(expectedTitle)), folder_(std::move(folder)), thread_([this] { Answer(); })
{
}

PickerAnswer::~PickerAnswer()
{
    Finish();
}

PickerSeen PickerAnswer::Finish()
{
    finished_ = true;
    if (thread_.joinable())
        thread_.join();
    return seen_;
}

void PickerAnswer::Answer()
{
    constexpr DWORD kPollMilliseconds = 50;
    while (!finished_) {
        if (HWND picker = FindProcessWindow(kDialogClass)) {
            Respond(picker);
            return;
        }
        Sleep(kPollMilliseconds);
    }
}

void PickerAnswer::Respond(HWND picker)
{
    seen_.opened = true;
    seen_.showedTitle = ShowsText(picker, expectedTitle_);
    seen_.owner = GetWindow(picker, GW_OWNER);
    if (folder_.empty()) {
        PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    // Sent, not posted: the text must stay alive until the picker has read it.
    SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder_.c_str()));
    PostMessageW(picker, WM_COMMAND, IDOK, 0);
}

}  // namespace varnemo::testing
