#include "shell/help_contents.h"

#include "shell/program_folder.h"
#include "shell/shell.h"

#include <windows.h>
// After windows.h, which it needs.
#include <htmlhelp.h>

namespace varnemo {

std::string HelpFilePath()
{
    return ProgramFolder() + kPathSeparator + "Help.chm";
}

bool ShowHelpContents(WindowHandle owner, const std::string& helpFile)
{
    // The data word is the address of a 32-bit 1 rather than a topic name; the viewer then
    // opens the file on its default topic.
    DWORD topic = 1;
    return HtmlHelpA(reinterpret_cast<HWND>(owner), helpFile.c_str(), HH_DISPLAY_TOPIC,
                     reinterpret_cast<DWORD_PTR>(&topic)) != nullptr;
}

std::string HelpNotShownMessage(const std::string& helpFile)
{
    // The same 8-bit path that HtmlHelpA was given.
    if (GetFileAttributesA(helpFile.c_str()) == INVALID_FILE_ATTRIBUTES)
        return "The help cannot be shown: the help file " + helpFile + " does not exist.";
    return "The help cannot be shown: the help file " + helpFile + " cannot be opened.";
}

}  // namespace varnemo
