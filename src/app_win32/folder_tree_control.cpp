#include "app_win32/folder_tree_control.h"

#include "app_win32/controls.h"
#include "app_win32/pictures.h"
#include "com/wide_text.h"

namespace varnemo::win32 {
namespace {

// The state images of a tree view with check boxes: none, unticked, ticked.
constexpr UINT kNoCheckBox = 0;
constexpr UINT kUnticked = 1;
constexpr UINT kTicked = 2;
// The store's node stands out in the program's blue.
constexpr COLORREF kBlue = RGB(0x1f, 0x4e, 0x8c);

size_t NodeNumber(HWND control, HTREEITEM item)
{
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    TreeView_GetItem(control, &data);
    return static_cast<size_t>(data.lParam);
}

}  // namespace

FolderTreeControl::FolderTreeControl(FolderTree& tree, HWND parent, int id)
    : tree_(tree),
      control_(CreateControl(parent, id, WC_TREEVIEWW, "",
                             WS_TABSTOP | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                 TVS_SHOWSELALWAYS | TVS_INFOTIP,
                             {})),
      icons_(CreateSmallIcons())
{
    // Set after creation, as the tree view then makes its own list of check-box images.
    SetWindowLongPtrW(control_, GWL_STYLE, GetWindowLongPtrW(control_, GWL_STYLE) | TVS_CHECKBOXES);
    TreeView_SetImageList(control_, icons_, TVSIL_NORMAL);
    tree_.SetObserver(this);
}

FolderTreeControl::~FolderTreeControl()
{
    tree_.SetObserver(nullptr);
    ImageList_Destroy(icons_);
}

void FolderTreeControl::NodesCleared()
{
    TreeView_DeleteAllItems(control_);
    items_.clear();
}

void FolderTreeControl::NodeAdded(size_t number)
{
    const FolderNode& node = tree_.Node(number);
    const std::wstring text = com::Widen(node.text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = node.parent == 0 ? TVI_ROOT : items_.at(node.parent - 1);
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.iImage = node.image;
    insert.item.iSelectedImage = node.image;
    insert.item.lParam = static_cast<LPARAM>(number);
    insert.item.stateMask = TVIS_BOLD;
    insert.item.state = node.hasItems ? TVIS_BOLD : 0;
    items_.push_back(TreeView_InsertItem(control_, &insert));
    ShowCheck(number);
    if (node.parent != 0)
        TreeView_Expand(control_, items_.at(node.parent - 1), TVE_EXPAND);
}

void FolderTreeControl::AllTicked()
{
    for (size_t number = 1; number <= items_.size(); ++number)
        ShowCheck(number);
}

// A folder that cannot be read has no check box, so that it cannot be ticked.
void FolderTreeControl::ShowCheck(size_t number)
{
    const FolderNode& node = tree_.Node(number);
    const UINT image = !node.Readable() ? kNoCheckBox : node.checked ? kTicked : kUnticked;
    TreeView_SetItemState(control_, items_.at(number - 1), INDEXTOSTATEIMAGEMASK(image), TVIS_STATEIMAGEMASK);
}

void FolderTreeControl::TakeUserTicks()
{
    for (size_t number = 1; number <= items_.size(); ++number) {
        const UINT state = TreeView_GetItemState(control_, items_[number - 1], TVIS_STATEIMAGEMASK);
        tree_.SetChecked(number, (state >> 12) == kTicked);
        // A node the model refuses (a folder that cannot be read) loses the tick again.
        ShowCheck(number);
    }
}

LRESULT FolderTreeControl::OnNotify(NMHDR& notification)
{
    switch (notification.code) {
    case NM_CLICK:
    case TVN_KEYDOWN:
        // The tree view changes the check box after telling of the click or key.
        PostMessageW(GetParent(control_), kTicksChanged, 0, 0);
        return 0;
    case NM_CUSTOMDRAW:
        return CustomDraw(reinterpret_cast<NMTVCUSTOMDRAW&>(notification));
    case TVN_GETINFOTIPW: {
        auto& tip = reinterpret_cast<NMTVGETINFOTIPW&>(notification);
        tipText_ = com::Widen(tree_.Node(static_cast<size_t>(tip.lParam)).error);
        lstrcpynW(tip.pszText, tipText_.c_str(), tip.cchTextMax);
        return 0;
    }
    default:
        return 0;
    }
}

// The store's node in blue; a folder that cannot be read greyed.
LRESULT FolderTreeControl::CustomDraw(NMTVCUSTOMDRAW& draw)
{
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT || (draw.nmcd.uItemState & CDIS_SELECTED))
        return CDRF_DODEFAULT;
    const size_t number = NodeNumber(control_, reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec));
    if (number == 0 || number > tree_.Count())
        return CDRF_DODEFAULT;
    const FolderNode& node = tree_.Node(number);
    if (!node.Readable())
        draw.clrText = GetSysColor(COLOR_GRAYTEXT);
    else if (node.parent == 0)
        draw.clrText = kBlue;
    return CDRF_DODEFAULT;
}

}  // namespace varnemo::win32
