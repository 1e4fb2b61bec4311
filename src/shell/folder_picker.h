#pragma once

#include "shell/window_handle.h"

#include <string>

namespace varnemo {

// Windows only. Shows the shell's modal folder picker, owned by owner (0 for none), starting at
// the desktop, with title above the folder tree; only file-system folders can be chosen. Returns
// the chosen folder's path, or the empty text when the user cancels, the item has no file-system
// path or anything else fails. The calling thread must be in a COM apartment, as a Qt
// user-interface thread is.
std::string BrowseForFolder(WindowHandle owner, const std::string& title);

}  // namespace varnemo
