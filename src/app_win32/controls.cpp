#include "app_win32/controls.h"

#include "com/wide_text.h"

namespace varnemo::win32 {

HWND CreateControl(HWND parent, int id, const wchar_t* className, const std::string& text, DWORD style, Place place)
{
    HWND control = CreateWindowExW(0, className, com::Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, place.x,
                                   place.y, place.width, place.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
    return control;
}

HWND Button(HWND parent, int id, const std::string& text, Place place)
{
    return CreateControl(parent, id, L"BUTTON", text, WS_TABSTOP | BS_PUSHBUTTON, place);
}

HWND OptionButton(HWND parent, int id, const std::string& text, Place place, bool firstOfGroup)
{
    return CreateControl(parent, id, L"BUTTON", text, WS_TABSTOP | BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP : 0),
                         place);
}

HWND Label(HWND parent, int id, const std::string& text, Place place)
{
    return CreateControl(parent, id, L"STATIC", text, SS_LEFT | SS_NOPREFIX, place);
}

HWND Frame(HWND parent, int id, const std::string& text, Place place)
{
    return CreateControl(parent, id, L"BUTTON", text, BS_GROUPBOX, place);
}

HWND PathBox(HWND parent, int id, Place place)
{
    HWND box = CreateControl(parent, id, L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, place);
    SetWindowLongPtrW(box, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    SetWindowPos(box, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    return box;
}

HWND PictureBox(HWND parent, int id, Place place)
{
    return CreateControl(parent, id, L"STATIC", "", SS_OWNERDRAW, place);
}

std::string Text(HWND control)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return com::Narrow(text);
}

void SetText(HWND control, const std::string& text)
{
    SetWindowTextW(control, com::Widen(text).c_str());
}

bool IsChecked(HWND optionButton)
{
    return SendMessageW(optionButton, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND optionButton, bool checked)
{
    SendMessageW(optionButton, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

namespace {

LOGFONTW MessageLogFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics.lfMessageFont;
}

}  // namespace

HFONT MessageFont()
{
    // One font for the program's life, as the system keeps its stock fonts.
    static const HFONT font = [] {
        const LOGFONTW face = MessageLogFont();
        return CreateFontIndirectW(&face);
    }();
    return font;
}

Font DerivedFont(int pointSize, bool bold)
{
    LOGFONTW face = MessageLogFont();
    HDC screen = GetDC(nullptr);
    face.lfHeight = -MulDiv(pointSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    face.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return Font(CreateFontIndirectW(&face));
}

ControlsDisabled::ControlsDisabled(std::initializer_list<HWND> controls)
{
    for (HWND control : controls) {
        saved_.emplace_back(control, IsWindowEnabled(control) != FALSE);
        EnableWindow(control, FALSE);
    }
}

ControlsDisabled::~ControlsDisabled()
{
    for (const auto& [control, enabled] : saved_)
        if (IsWindow(control))
            EnableWindow(control, enabled);
}

}  // namespace varnemo::win32
