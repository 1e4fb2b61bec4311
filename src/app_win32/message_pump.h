#pragma once

#include <functional>
#include "app_win32/windows_api.h"

namespace varnemo::win32 {

// Whether ProcessPendingMessages paints the windows that need it, or leaves them for later.
enum class Paints { Included, Deferred };

// Processes the messages waiting for this thread (repaints, clicks) and returns; a request to
// quit is kept for the loop that ends the program. With paints deferred, input, posted and sent
// messages are processed and the windows keep what they need repainted for a later call.
void ProcessPendingMessages(Paints paints = Paints::Included);

// Runs the messages of this thread until finished() says so, with owner taking no input
// meanwhile: a modal window over owner. A request to quit ends the loop and is passed on.
void RunModal(HWND window, HWND owner, const std::function<bool()>& finished);

// Runs the messages of this thread until the program is asked to quit; dialog keys (Tab, Enter)
// go to the window they are meant for.
int RunMessageLoop();

}  // namespace varnemo::win32
