#include "app_win32/win_dialogs.h"

#include "com/wide_text.h"
#include "shell/folder_picker.h"

#include "app_win32/windows_api.h"
// After windows.h, which it needs.
#include <commdlg.h>

namespace varnemo::win32 {
namespace {

// The filter as the file dialogs take it: description, pattern, each ended by NUL, and a NUL.
std::wstring FilterText(const FileFilter& filter)
{
    std::wstring text = com::Widen(filter.description);
    text.push_back(L'\0');
    text += com::Widen(filter.pattern);
    text.push_back(L'\0');
    return text;
}

std::string FileDialog(const FileFilter& filter, bool forOpening)
{
    const std::wstring filterText = FilterText(filter);
    std::wstring path(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = filterText.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY |
                   (forOpening ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : OFN_OVERWRITEPROMPT);
    const BOOL chosen = forOpening ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    if (!chosen)
        return {};
    path.resize(path.find(L'\0'));
    return com::Narrow(path);
}

}  // namespace

std::string WinDialogs::OpenFile(const FileFilter& filter)
{
    return FileDialog(filter, true);
}

std::string WinDialogs::SaveFile(const FileFilter& filter)
{
    return FileDialog(filter, false);
}

std::string WinDialogs::BrowseForFolder(const std::string& title)
{
    return varnemo::BrowseForFolder(0, title);
}

void WinDialogs::Message(const std::string& text, const std::string& title)
{
    MessageBoxW(GetActiveWindow(), com::Widen(text).c_str(), com::Widen(title).c_str(), MB_OK | MB_ICONINFORMATION);
}

bool WinDialogs::Ask(const std::string& text, const std::string& title)
{
    return MessageBoxW(GetActiveWindow(), com::Widen(text).c_str(), com::Widen(title).c_str(),
                       MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

}  // namespace varnemo::win32
