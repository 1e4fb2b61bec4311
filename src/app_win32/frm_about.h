#pragma once

#include "app_win32/controls.h"
#include "app_win32/window.h"

namespace varnemo::win32 {

// frmAbout, the About window: a picture, no controls of its own; Escape or the close box closes it.
class FrmAbout : public Window {
public:
    explicit FrmAbout(HWND owner);

    // Shows the window and returns when it has been closed; the owner takes no input meanwhile.
    void ShowModal();

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND owner_;
    Bitmap picture_;
    bool closed_ = false;
};

}  // namespace varnemo::win32
