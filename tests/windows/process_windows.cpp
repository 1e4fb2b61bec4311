#include "process_windows.h"

#include <stdexcept>

namespace varnemo::testing {
namespace {

std::wstring ClassName(HWND window)
{
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct Search {
    std::wstring className;
    HWND found = nullptr;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM searchAddress)
{
    auto& search = *reinterpret_cast<Search*>(searchAddress);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || ClassName(window) != search.className)
        return TRUE;
    search.found = window;
    return FALSE;
}

struct TextSearch {
    std::wstring text;
    bool found = false;
};

BOOL CALLBACK MatchText(HWND window, LPARAM searchAddress)
{
    auto& search = *reinterpret_cast<TextSearch*>(searchAddress);
    search.found = WindowText(window) == search.text;
    return !search.found;
}

HWND CreatePlainWindow()
{
    return CreateWindowExW(0, L"STATIC", L"Varnemo test owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                           nullptr, nullptr, nullptr);
}

}  // namespace

bool CanShowWindows()
{
    HWND window = CreatePlainWindow();
    if (!window)
        return false;
    DestroyWindow(window);
    return true;
}

HWND FindProcessWindow(const std::wstring& className)
{
    Search search{className};
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ShowsText(HWND window, const std::wstring& text)
{
    if (WindowText(window) == text)
        return true;
    TextSearch search{text};
    EnumChildWindows(window, MatchText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

OwnerWindow::OwnerWindow() : window_(CreatePlainWindow())
{
    if (!window_)
        throw std::runtime_error("cannot create a window: error " + std::to_string(GetLastError()));
}

OwnerWindow::~OwnerWindow()
{
    DestroyWindow(window_);
}

}  // namespace varnemo::testing
