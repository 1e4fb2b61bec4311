#pragma once

#include <initializer_list>
#include <memory>
#include <type_traits>
#include <string>
#include <utility>
#include <vector>
#include "app_win32/windows_api.h"

namespace varnemo::win32 {

// Where a control sits in its window's client area.
struct Place {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The controls the windows are made of, in the window's message font, numbered so that the
// window's handlers and the tests find them. Texts are UTF-8, as everywhere in the program.
HWND CreateControl(HWND parent, int id, const wchar_t* className, const std::string& text, DWORD style, Place place);
HWND Button(HWND parent, int id, const std::string& text, Place place);
// The first option button of a group starts it; the others follow it.
HWND OptionButton(HWND parent, int id, const std::string& text, Place place, bool firstOfGroup);
HWND Label(HWND parent, int id, const std::string& text, Place place);
HWND Frame(HWND parent, int id, const std::string& text, Place place);
// A text box locked against typing: paths come from dialogs only.
HWND PathBox(HWND parent, int id, Place place);
// A picture drawn by its window on WM_DRAWITEM.
HWND PictureBox(HWND parent, int id, Place place);

std::string Text(HWND control);
void SetText(HWND control, const std::string& text);
bool IsChecked(HWND optionButton);
void SetChecked(HWND optionButton, bool checked);

// Deletes a font, bitmap or brush when its owner goes.
struct GdiObjectDeleter {
    void operator()(void* object) const { DeleteObject(object); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

// The window's message font, and a bold or larger face of it.
HFONT MessageFont();
Font DerivedFont(int pointSize, bool bold);

// Disables controls for as long as a piece of work runs (the window's messages are processed
// during it) and gives each its own enabled state back afterwards.
class ControlsDisabled {
public:
    explicit ControlsDisabled(std::initializer_list<HWND> controls);
    ~ControlsDisabled();
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    std::vector<std::pair<HWND, bool>> saved_;
};

}  // namespace varnemo::win32
