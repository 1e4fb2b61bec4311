#pragma once

#include "source/folder_tree.h"

#include <string>
#include <vector>
#include "app_win32/windows_api.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace varnemo::win32 {

// OutlookFoldersTree: a tree view that shows the folder tree model with a check box on every
// node but those of folders that cannot be read, and follows it node by node while it is built.
// The model stays the truth: the user's ticks are written back to it.
class FolderTreeControl : private FolderTreeObserver {
public:
    // The tree view is made a child of parent, with the image list SmallIcons.
    FolderTreeControl(FolderTree& tree, HWND parent, int id);
    ~FolderTreeControl() override;
    FolderTreeControl(const FolderTreeControl&) = delete;
    FolderTreeControl& operator=(const FolderTreeControl&) = delete;

    HWND Handle() const { return control_; }
    // The parent's WM_NOTIFY from the tree view.
    LRESULT OnNotify(NMHDR& notification);
    // Reads the user's ticks back into the model; the parent calls it once the tree view has
    // changed a check box (it does so after telling of the click or key).
    void TakeUserTicks();

    // The message the tree posts to its parent when a check box may have changed.
    static constexpr UINT kTicksChanged = WM_APP + 1;

private:
    void NodesCleared() override;
    void NodeAdded(size_t number) override;
    void AllTicked() override;
    void ShowCheck(size_t number);
    LRESULT CustomDraw(NMTVCUSTOMDRAW& draw);

    FolderTree& tree_;
    HWND control_;
    HIMAGELIST icons_;
    std::vector<HTREEITEM> items_;
    std::wstring tipText_;
};

}  // namespace varnemo::win32
