#pragma once

#include <string>
#include <windows.h>

namespace varnemo::testing {

// Whether this session can show windows at all: wine without an X display creates none.
bool CanShowWindows();

// The reason given when a test skips because no window can be shown.
inline constexpr const char* kNoWindowsReason =
    "no window can be created in this session (wine without an X display), so nothing can be shown";

// The first visible top-level window of this process with the class name; nullptr when there
// is none.
HWND FindProcessWindow(const std::wstring& className);

// Whether window or one of its descendants shows exactly text.
bool ShowsText(HWND window, const std::wstring& text);

// A plain top-level window of this thread to own dialogs; destroyed with the object.
class OwnerWindow {
public:
    OwnerWindow();
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    HWND handle() const { return window_; }

private:
    HWND window_;
};

}  // namespace varnemo::testing
