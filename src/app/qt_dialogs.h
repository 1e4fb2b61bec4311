#pragma once

#include "shell/dialogs.h"

#include <QMessageBox>

namespace varnemo::app {

// The dialogs as Qt shows them. File dialogs and messages belong to the window that is active
// when they open (the main window, or the target window over it); the folder picker belongs to
// no window.
// Makes the box one of the program's messages: the information icon, the buttons given, and
// text that breaks only between its lines, so that a path never wraps inside a folder's name.
void PrepareMessageBox(QMessageBox& box, const std::string& text, const std::string& title,
                       QMessageBox::StandardButtons buttons);

class QtDialogs : public Dialogs {
public:
    std::string OpenFile(const FileFilter& filter) override;
    std::string SaveFile(const FileFilter& filter) override;
    std::string BrowseForFolder(const std::string& title) override;
    void Message(const std::string& text, const std::string& title) override;
    bool Ask(const std::string& text, const std::string& title) override;
};

}  // namespace varnemo::app
