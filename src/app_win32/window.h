#pragma once

#include <string>
#include "app_win32/windows_api.h"

namespace varnemo::win32 {

// A top-level window of a class of its own whose messages go to OnMessage. The window is
// destroyed with the object at the latest.
class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return handle_; }
    // The child control with this number.
    HWND Control(int id) const { return GetDlgItem(handle_, id); }

protected:
    // Registers the class on first use and creates the window with a client area of the size
    // given, centred on the screen.
    void Create(const wchar_t* className, const std::string& caption, DWORD style, DWORD extendedStyle,
                SIZE client, HWND owner, HMENU menu = nullptr);
    // Everything not handled goes to the default window procedure.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
};

}  // namespace varnemo::win32
