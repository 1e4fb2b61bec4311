#include "picker_answer.h"

#include "process_windows.h"

#include <commctrl.h>
#include <shlobj.h>

#include <filesystem>

namespace varnemo::testing {
namespace {

// The picker is a dialog box of the standard dialog class.
const std::wstring kDialogClass = L"#32770";

// The text of the item selected in the picker's folder tree.
std::wstring SelectedFolderName(HWND picker)
{
    HWND tree = FindWindowExW(picker, nullptr, WC_TREEVIEWW, nullptr);
    if (!tree)
        return {};
    TVITEMW item{};
    wchar_t text[MAX_PATH] = L"";
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    if (!item.hItem || !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return {};
    return text;
}

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
    // The picker fills its tree and selects its root after it has become visible; a selection
    // made before that is lost, so it is made again until the tree shows it (for 10 s at most).
    const auto name = std::filesystem::path(std::u8string(folder_.begin(), folder_.end())).filename().wstring();
    constexpr int kAttempts = 200;
    for (int attempt = 0; attempt < kAttempts && SelectedFolderName(picker) != name; ++attempt) {
        // Sent, not posted: the text must stay alive until the picker has read it.
        SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder_.c_str()));
        Sleep(50);
    }
    PostMessageW(picker, WM_COMMAND, IDOK, 0);
}

}  // namespace varnemo::testing
