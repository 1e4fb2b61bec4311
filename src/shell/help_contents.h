#pragma once

#include "shell/window_handle.h"

#include <string>

namespace varnemo {

// Windows only: the compiled HTML help that Help > Contents opens.

// "Help.chm" in the program's own folder.
std::string HelpFilePath();

// Opens the help file's contents in the HTML Help viewer, owned by owner (0 for none); false
// when the viewer did not open, because the file is missing, is no help file or the viewer
// cannot run.
bool ShowHelpContents(WindowHandle owner, const std::string& helpFile);

// What to tell the user when ShowHelpContents failed: the help file's path and, when it is
// missing, that it does not exist.
std::string HelpNotShownMessage(const std::string& helpFile);

}  // namespace varnemo
