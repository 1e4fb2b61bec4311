#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <windows.h>

namespace varnemo::testing {

// What the answering thread saw of the picker.
struct PickerSeen {
    bool opened = false;      // a picker opened and was answered
    bool showedTitle = false; // it showed the title it was given
    HWND owner = nullptr;     // its owner window
};

// Answers the folder picker of this process from another thread, as a user would: waits until
// a picker opens, then either cancels it or selects a folder and presses OK. A picker is always
// answered, whatever it shows, so that the test goes on to report what was wrong.
class PickerAnswer {
public:
    // Cancels the picker.
    explicit PickerAnswer(std::wstring expectedTitle);
    // Selects folder (UTF-8 text, as the program's own texts) and presses OK.
    PickerAnswer(std::wstring expectedTitle, std::string folder);
    ~PickerAnswer();
    PickerAnswer(const PickerAnswer&) = delete;
    PickerAnswer& operator=(const PickerAnswer&) = delete;

    // Stops waiting (the picker has returned) and tells what was seen.
    PickerSeen Finish();

private:
    void Answer();
    void Respond(HWND picker);

    std::wstring expectedTitle_;
    std::string folder_;
    PickerSeen seen_;
    std::atomic<bool> finished_ = false;
    std::thread thread_;
};

}  // namespace varnemo::testing
