#pragma once

#include <string>

namespace varnemo {

// One entry of an open-file dialog's filter: "Outlook Mailbox (*.pst)" and "*.pst".
struct FileFilter {
    std::string description;
    std::string pattern;
};

// The dialogs the windows ask the user through. The desktop program shows Qt's; tests answer
// them from a script.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Lets the user pick one existing file; the empty text when the user cancels.
    virtual std::string OpenFile(const FileFilter& filter) = 0;
    // Lets the user name a file to write; the empty text when the user cancels.
    virtual std::string SaveFile(const FileFilter& filter) = 0;
    // Lets the user pick a folder, tied to no window; the empty text on cancel or failure.
    virtual std::string BrowseForFolder(const std::string& title) = 0;
    // A modal message with the information icon and an OK button.
    virtual void Message(const std::string& text, const std::string& title) = 0;
    // A modal Yes/No question with the information icon; true for Yes.
    virtual bool Ask(const std::string& text, const std::string& title) = 0;
};

}  // namespace varnemo
