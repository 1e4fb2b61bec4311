#pragma once

#include "app_win32/controls.h"

#include "app_win32/windows_api.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace varnemo::win32 {

// The program's pictures from its resources (resources.h): 32-bit bitmaps with premultiplied
// alpha, rendered from the desktop program's drawing.
Bitmap LoadPicture(int resource);
SIZE PictureSize(HBITMAP picture);
// Draws the picture with its transparency at the point.
void DrawPicture(HDC target, HBITMAP picture, POINT at);
// Paints the window's client area with the picture, as its WM_PAINT.
void PaintPicture(HWND window, HBITMAP picture);
// Fills the item's area with the brush, then draws the picture into its top left corner: the
// WM_DRAWITEM of a picture box.
void DrawPictureItem(const DRAWITEMSTRUCT& item, HBITMAP picture, HBRUSH background);

// The image list SmallIcons of the folder tree: 76 icons of 16 pixels, addressed by position.
HIMAGELIST CreateSmallIcons();
inline constexpr int kSmallIconCount = 76;

}  // namespace varnemo::win32
