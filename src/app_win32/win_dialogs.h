#pragma once

#include "shell/dialogs.h"

namespace varnemo::win32 {

// The dialogs of Windows itself: the common file dialogs, the shell's folder picker and message
// boxes, each owned by the window that is active on this thread.
class WinDialogs : public Dialogs {
public:
    std::string OpenFile(const FileFilter& filter) override;
    std::string SaveFile(const FileFilter& filter) override;
    std::string BrowseForFolder(const std::string& title) override;
    void Message(const std::string& text, const std::string& title) override;
    bool Ask(const std::string& text, const std::string& title) override;
};

}  // namespace varnemo::win32
