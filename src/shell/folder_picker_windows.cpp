#include "shell/folder_picker.h"

#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shlobj.h>

namespace varnemo {
namespace {

// Frees the item list the picker returns when it goes out of scope.
class ItemList {
public:
    explicit ItemList(PIDLIST_ABSOLUTE items) : items_(items) {}
    ~ItemList() { CoTaskMemFree(items_); }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;

    PIDLIST_ABSOLUTE get() const { return items_; }

private:
    PIDLIST_ABSOLUTE items_;
};

// The file-system path of the item list; the empty text for an item that has none.
std::string FileSystemPath(const ItemList& items)
{
    std::string path(MAX_PATH, '\0');
    if (!SHGetPathFromIDListA(items.get(), path.data()))
        return {};
    path.resize(path.find('\0'));
    return path;
}

}  // namespace

std::string BrowseForFolder(WindowHandle owner, const std::string& title)
{
    // The rest stays empty: the picker starts at the desktop, with no display-name buffer and no
    // callback. The title's text lives until the picker has closed, as it must.
    BROWSEINFOA browse{};
    browse.hwndOwner = reinterpret_cast<HWND>(owner);
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse);
    if (!chosen)
        return {};
    return FileSystemPath(ItemList(chosen));
}

}  // namespace varnemo
