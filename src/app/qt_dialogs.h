#pragma once

#include "shell/dialogs.h"

namespace varnemo::app {

// The dialogs as Qt shows them. File dialogs and messages belong to the window that is active
// when they open (the main window, or the target window over it); the folder picker belongs to
// no window.
class QtDialogs : public Dialogs {
public:
    std::string OpenFile(const FileFilter& filter) override;
    std::string SaveFile(const FileFilter& filter) override;
    std::string BrowseForFolder(const std::string& title) override;
    void Message(const std::string& text, const std::string& title) override;
    bool Ask(const std::string& text, const std::string& title) override;
};

}  // namespace varnemo::app
