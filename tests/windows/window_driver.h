#pragma once

#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace varnemo::testing {

// Drives the windows of this thread from a thread of its own, as a user would: it runs the
// script there while this thread runs the windows' messages, and returns when the script has
// ended. A failure of the script (an exception) fails the test.
void DriveWindows(const std::function<void()>& script);

// For the script: waits until condition holds, for 20 s at most; throws naming what it waited
// for when it does not.
void WaitFor(const std::function<bool()>& condition, const std::string& what);

// For the script: returns once the windows' thread has handled every message posted to it so
// far, and the messages those posted in turn.
void Settle();

// A visible top-level window of this process with the class name; throws when none shows within
// the wait of WaitFor.
HWND WaitForWindow(const wchar_t* className);

// What the script does to and reads from the windows' controls, through their messages.
void Click(HWND window, int id);       // a click that returns when its handler has
void PostClick(HWND window, int id);   // a click whose handler opens a modal window
void ClickTab(HWND tabs, int index);   // the mouse on a tab of a tab strip
bool Enabled(HWND window, int id);
bool Visible(HWND window, int id);
bool Checked(HWND window, int id);
std::string TextOf(HWND window, int id);

// The folder tree: its nodes' texts in order, whether a node is ticked, and the mouse on a
// node's check box.
std::vector<std::string> TreeTexts(HWND tree);
bool Ticked(HWND tree, const std::string& text);
void ClickCheckBox(HWND tree, const std::string& text);

}  // namespace varnemo::testing
