#include "app_win32/pictures.h"

#include "app_win32/resources.h"

namespace varnemo::win32 {

Bitmap LoadPicture(int resource)
{
    // A section keeps the 32 bits and the alpha; a device bitmap would not.
    return Bitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

SIZE PictureSize(HBITMAP picture)
{
    BITMAP info{};
    GetObjectW(picture, sizeof(info), &info);
    return {info.bmWidth, info.bmHeight};
}

void DrawPicture(HDC target, HBITMAP picture, POINT at)
{
    const SIZE size = PictureSize(picture);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, picture);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(target, at.x, at.y, size.cx, size.cy, source, 0, 0, size.cx, size.cy, blend);
    SelectObject(source, previous);
    DeleteDC(source);
}

void PaintPicture(HWND window, HBITMAP picture)
{
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    DrawPicture(target, picture, {0, 0});
    EndPaint(window, &paint);
}

void DrawPictureItem(const DRAWITEMSTRUCT& item, HBITMAP picture, HBRUSH background)
{
    FillRect(item.hDC, &item.rcItem, background);
    DrawPicture(item.hDC, picture, {item.rcItem.left, item.rcItem.top});
}

HIMAGELIST CreateSmallIcons()
{
    HIMAGELIST icons = ImageList_Create(16, 16, ILC_COLOR32, kSmallIconCount, 0);
    const Bitmap strip = LoadPicture(IDB_SMALL_ICONS);
    ImageList_Add(icons, strip.get(), nullptr);
    return icons;
}

}  // namespace varnemo::win32
