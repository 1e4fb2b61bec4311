#pragma once

#include "app_win32/controls.h"
#include "app_win32/window.h"

#include <chrono>
#include <functional>

namespace varnemo::win32 {

// frmSplash, the start-up window. Its timer Timer1 ticks once after 10 ms and starts the hold:
// the splash stays on screen for a while (4 seconds by default) with the messages running, so it
// keeps painting and answering keys. When the hold ends, or at the first key press, the main
// window is shown and the splash closes.
class FrmSplash : public Window {
public:
    explicit FrmSplash(std::function<void()> showMain,
                       std::chrono::milliseconds hold = std::chrono::milliseconds(4000));

    bool Finished() const { return finished_; }

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Timer1_Timer();
    void ShowMainAndClose();

    std::function<void()> showMain_;
    std::chrono::milliseconds hold_;
    Bitmap picture_;
    bool finished_ = false;
};

}  // namespace varnemo::win32
