#include "app_win32/frm_main.h"

#include "app_win32/control_ids.h"
#include "app_win32/frm_about.h"
#include "app_win32/frm_save.h"
#include "app_win32/message_pump.h"
#include "app_win32/pictures.h"
#include "app_win32/resources.h"
#include "com/wide_text.h"
#include "shell/help_contents.h"
#include "source/source_help.h"
#include "source/start_conversion.h"
#include "source/store_entry.h"

#include <fmt/format.h>

#include <algorithm>
#include <commctrl.h>

namespace varnemo::win32 {
namespace {

// The status bar's first panel, which also tells how far reading a data file has come.
constexpr const char* kMakerPanel = "Kestrova Software";
// The status bar's last panel: which backends serve the components.
constexpr WPARAM kBackendPanel = 3;

constexpr int kSelectFileTab = 0;
constexpr int kPreviewTab = 1;
constexpr SIZE kClient{760, 540};
constexpr int kHeaderHeight = 72;
// The page inside the tab strip, below its tabs.
constexpr int kPageLeft = 20;
constexpr int kPageTop = 114;

// The program's colours, as the pictures have them.
constexpr COLORREF kBlue = RGB(0x1f, 0x4e, 0x8c);
constexpr COLORREF kLightBlue = RGB(0xdc, 0xe8, 0xf7);
constexpr COLORREF kAmber = RGB(0xf2, 0xa9, 0x00);

Place OnPage(int x, int y, int width, int height)
{
    return {kPageLeft + x, kPageTop + y, width, height};
}

void AddMenuItem(HMENU menu, int id, const std::string& text, HBITMAP icon)
{
    const std::wstring caption = com::Widen(text);
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
    item.wID = static_cast<UINT>(id);
    item.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    item.hbmpItem = icon;
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
}

void DrawHeaderText(HDC target, const std::string& text, HFONT font, COLORREF colour, RECT box)
{
    SelectObject(target, font);
    SetTextColor(target, colour);
    const std::wstring wide = com::Widen(text);
    DrawTextW(target, wide.c_str(), static_cast<int>(wide.size()), &box, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

FrmMain::FrmMain(MainServices services)
    : services_(std::move(services)),
      discovery_(services_.mapi, services_.state, tree_, *this, services_.dialogs),
      logo_(LoadPicture(IDB_HEADER_LOGO)),
      emblem_(LoadPicture(IDB_HEADER_EMBLEM)),
      selectFile_(LoadPicture(IDB_SELECT_FILE)),
      makerFont_(DerivedFont(9, true)),
      productFont_(DerivedFont(18, true)),
      sloganFont_(DerivedFont(9, false))
{
    Create(kMainWindowClass, "Kestrova Varnemo v3.0", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
           kClient, nullptr, BuildMenus());
    BuildTabs();
    BuildSelectFileTab();
    BuildPreviewTab();
    BuildStatusBar();
    StackPages();
    Form_Load();
}

HMENU FrmMain::BuildMenus()
{
    for (const int picture : {IDB_MENU_EXIT, IDB_MENU_HELP, IDB_MENU_ABOUT})
        menuIcons_.push_back(LoadPicture(picture));
    HMENU file = CreatePopupMenu();
    AddMenuItem(file, mnuExit, "E&xit", menuIcons_[0].get());
    HMENU help = CreatePopupMenu();
    AddMenuItem(help, mnuHelp, "Contents", menuIcons_[1].get());
    AddMenuItem(help, mnuAbout, "&About...", menuIcons_[2].get());
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    return bar;
}

void FrmMain::BuildTabs()
{
    // The tabs are drawn here, so that the second one can look unusable while it is.
    HWND tabs = CreateControl(Handle(), NotesTab, WC_TABCONTROLW, "", WS_CLIPSIBLINGS | TCS_OWNERDRAWFIXED,
                              {8, kHeaderHeight + 8, kClient.cx - 16, 392});
    int index = 0;
    for (const char* caption : {" Select File", " Mailbox Preview"}) {
        const std::wstring text = com::Widen(caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(text.c_str());
        TabCtrl_InsertItem(tabs, index++, &item);
    }
}

// The pages' controls are siblings of the tab strip, and each frame is a sibling of what it
// holds; a window made later lies beneath those made before it, so the frames and then the tab
// strip go to the bottom, where they are painted first.
void FrmMain::StackPages()
{
    for (const int id : {OtherPSTFrame, SourceFrame, HelpFrame, NotesTab})
        SetWindowPos(Control(id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FrmMain::BuildSelectFileTab()
{
    HWND window = Handle();
    Label(window, LblSupports, "Supports Outlook 2000, 2002 (XP), 2003, 2007", OnPage(0, 0, 400, 18));
    Frame(window, SourceFrame, " Select Outlook  (.pst) file to convert", OnPage(0, 24, 570, 156));
    OptionButton(window, OptConfiguredPST, "  Convert configured Outlook Mailboxes", OnPage(14, 48, 330, 22), true);
    Button(window, CmdExportConfigured, "Export Mailbox", OnPage(440, 46, 116, 26));
    OptionButton(window, OptOtherPST, "  Convert Other PST file", OnPage(14, 78, 330, 22), false);
    Frame(window, OtherPSTFrame, " Select Outlook File (.pst) ", OnPage(14, 106, 542, 62));
    Button(window, CmdBrowse, "Browse...", OnPage(26, 128, 90, 26));
    PathBox(window, txtNotesDatabaseFile, OnPage(124, 130, 300, 22));
    Button(window, CmdExportOther, "Export Mailbox", OnPage(430, 128, 116, 26));
    Frame(window, HelpFrame, " Help", OnPage(0, 190, 570, 150));
    Label(window, LblHelp, kConfiguredMailboxesHelp, OnPage(14, 212, 542, 118));
    PictureBox(window, SelectFilePicture, OnPage(590, 24, 120, 150));
    SetChecked(Control(OptConfiguredPST), true);
    tabControls_.push_back({LblSupports, SourceFrame, OptConfiguredPST, CmdExportConfigured, OptOtherPST,
                            OtherPSTFrame, CmdBrowse, txtNotesDatabaseFile, CmdExportOther, HelpFrame, LblHelp,
                            SelectFilePicture});
}

void FrmMain::BuildPreviewTab()
{
    HWND window = Handle();
    Label(window, LblStores, "Please select a available configured Outlook mailbox", OnPage(0, 0, 400, 18));
    // Drawn here, so that it shows its design text while no store is chosen.
    CreateControl(window, CmbOutlookStores, WC_COMBOBOXW, "",
                  WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                  OnPage(0, 22, 720, 200));
    Label(window, LblFolders, "Select folders you need to convert to Lotus Notes mailbox", OnPage(0, 56, 400, 18));
    HWND header = CreateControl(window, TreeHeader, WC_HEADERW, "", HDS_HORZ, OnPage(0, 78, 720, 22));
    HDITEMW column{};
    column.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    column.pszText = const_cast<wchar_t*>(L"Mailbox Folders");
    column.cxy = 720;
    column.fmt = HDF_LEFT | HDF_STRING;
    Header_InsertItem(header, 0, &column);
    OutlookFoldersTree = std::make_unique<FolderTreeControl>(tree_, window, win32::OutlookFoldersTree);
    const Place tree = OnPage(0, 100, 720, 232);
    MoveWindow(OutlookFoldersTree->Handle(), tree.x, tree.y, tree.width, tree.height, FALSE);
    EnableWindow(Button(window, CmdStartConversion, "Start Conversion", OnPage(600, 340, 120, 28)), FALSE);
    tabControls_.push_back(
        {LblStores, CmbOutlookStores, LblFolders, TreeHeader, win32::OutlookFoldersTree, CmdStartConversion});
}

void FrmMain::BuildStatusBar()
{
    HWND bar = CreateControl(Handle(), StatusBar, STATUSCLASSNAMEW, "", SBARS_TOOLTIPS, {});
    int edges[] = {130, 310, 470, -1};
    SendMessageW(bar, SB_SETPARTS, std::size(edges), reinterpret_cast<LPARAM>(edges));
    const std::string panels[] = {kMakerPanel, "support@kestrova.example", "www.kestrova.example"};
    for (WPARAM part = 0; part < std::size(panels); ++part)
        SendMessageW(bar, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(com::Widen(panels[part]).c_str()));
    // The backends' description can be longer than its panel: the window draws it, ending in an
    // ellipsis where it does not fit, and the tool tip holds it whole.
    backendPanel_ = com::Widen(services_.backendDescription);
    SendMessageW(bar, SB_SETTEXTW, kBackendPanel | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(backendPanel_.c_str()));
    SendMessageW(bar, SB_SETTIPTEXTW, kBackendPanel, reinterpret_cast<LPARAM>(backendPanel_.c_str()));
}

void FrmMain::DrawBackendPanel(const DRAWITEMSTRUCT& item)
{
    RECT box = item.rcItem;
    box.left += GetSystemMetrics(SM_CXEDGE) * 2;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(item.hDC, backendPanel_.c_str(), -1, &box,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void FrmMain::Show()
{
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void FrmMain::Form_Load()
{
    ShowTab(kSelectFileTab);
    SetOtherPstFrameEnabled(false);
    SetPreviewTabEnabled(false);
}

LRESULT FrmMain::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ERASEBKGND:
        EraseBackground(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_MEASUREITEM:
        // The entries of CmbOutlookStores, a line of the message font each.
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 18;
        return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return IsOnPage(reinterpret_cast<HWND>(lParam)) ? PageBackground(reinterpret_cast<HDC>(wParam))
                                                         : Window::OnMessage(message, wParam, lParam);
    case FolderTreeControl::kTicksChanged:
        OutlookFoldersTree->TakeUserTicks();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC target = BeginPaint(Handle(), &paint);
        PaintHeader(target);
        EndPaint(Handle(), &paint);
        return 0;
    }
    case WM_CLOSE:
        EndProgram();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return Window::OnMessage(message, wParam, lParam);
    }
}

void FrmMain::OnCommand(int id, int notification)
{
    if (id == txtNotesDatabaseFile && notification == EN_CHANGE)
        txtNotesDatabaseFile_Change();
    else if (id == CmbOutlookStores && notification == CBN_SELCHANGE)
        CmbOutlookStores_Click();
    else if (notification == BN_CLICKED) {
        switch (id) {
        case mnuExit:
            mnuExit_Click();
            break;
        case mnuHelp:
            mnuHelp_Click();
            break;
        case mnuAbout:
            mnuAbout_Click();
            break;
        case OptConfiguredPST:
            OptConfiguredPST_Click();
            break;
        case OptOtherPST:
            OptOtherPST_Click();
            break;
        case CmdBrowse:
            CmdBrowse_Click();
            break;
        case CmdExportConfigured:
            CmdExportConfigured_Click();
            break;
        case CmdExportOther:
            CmdExportOther_Click();
            break;
        case CmdStartConversion:
            CmdStartConversion_Click();
            break;
        default:
            break;
        }
    }
}

LRESULT FrmMain::OnNotify(NMHDR& notification)
{
    if (notification.idFrom == win32::OutlookFoldersTree)
        return OutlookFoldersTree->OnNotify(notification);
    if (notification.idFrom != NotesTab)
        return 0;
    if (notification.code == TCN_SELCHANGING) {
        // Only the second tab is ever unusable; leaving the first for it is refused then.
        return previewTabEnabled_ ? FALSE : TRUE;
    }
    if (notification.code == TCN_SELCHANGE)
        ShowTab(TabCtrl_GetCurSel(notification.hwndFrom));
    return 0;
}

void FrmMain::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.CtlID == SelectFilePicture) {
        DrawPictureItem(item, selectFile_.get(), GetSysColorBrush(COLOR_WINDOW));
        return;
    }
    if (item.CtlID == CmbOutlookStores) {
        DrawStoreEntry(item);
        return;
    }
    if (item.CtlID == StatusBar) {
        DrawBackendPanel(item);
        return;
    }
    // A tab of NotesTab: its caption, greyed while the tab cannot be used.
    const bool usable = item.itemID != kPreviewTab || previewTabEnabled_;
    wchar_t caption[64] = L"";
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = caption;
    tab.cchTextMax = static_cast<int>(std::size(caption));
    TabCtrl_GetItem(item.hwndItem, item.itemID, &tab);
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, GetSysColorBrush((item.itemState & ODS_SELECTED) ? COLOR_WINDOW : COLOR_BTNFACE));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(usable ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(item.hDC, caption, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// An entry of CmbOutlookStores, or its design text where no entry is chosen.
void FrmMain::DrawStoreEntry(const DRAWITEMSTRUCT& item)
{
    const bool chosen = item.itemID != static_cast<UINT>(-1);
    std::wstring text = L"---- Select a Outlook Mailbox ----";
    if (chosen) {
        text.assign(static_cast<size_t>(SendMessageW(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0)) + 1, L'\0');
        SendMessageW(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
        text.resize(text.find(L'\0'));
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(item.hDC, TRANSPARENT);
    const bool usable = IsWindowEnabled(item.hwndItem) && (chosen || selected);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : usable ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    RECT box = item.rcItem;
    box.left += 4;
    DrawTextW(item.hDC, text.c_str(), -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void FrmMain::PaintHeader(HDC target)
{
    RECT header;
    GetClientRect(Handle(), &header);
    header.bottom = kHeaderHeight;
    HBRUSH blue = CreateSolidBrush(kBlue);
    FillRect(target, &header, blue);
    DeleteObject(blue);
    DrawPicture(target, logo_.get(), {12, 8});
    const SIZE emblem = PictureSize(emblem_.get());
    DrawPicture(target, emblem_.get(), {header.right - 12 - emblem.cx, (kHeaderHeight - emblem.cy) / 2});
    SetBkMode(target, TRANSPARENT);
    HGDIOBJ font = GetCurrentObject(target, OBJ_FONT);
    DrawHeaderText(target, "Kestrova", makerFont_.get(), kAmber, {84, 6, 600, 22});
    DrawHeaderText(target, "Varnemo", productFont_.get(), RGB(0xff, 0xff, 0xff), {84, 20, 600, 50});
    DrawHeaderText(target, "Migrate Outlook Emails, Contacts, Calendar, Tasks to Lotus Notes", sloganFont_.get(),
                   kLightBlue, {84, 50, 600, 68});
    SelectObject(target, font);
}

// The tab strip leaves out the places of its siblings, the pages' controls; where a frame lets
// the window show through, the page must be white already.
void FrmMain::EraseBackground(HDC target) const
{
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(target, &client, GetSysColorBrush(COLOR_BTNFACE));
    HWND tabs = Control(NotesTab);
    RECT page;
    GetWindowRect(tabs, &page);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&page), 2);
    TabCtrl_AdjustRect(tabs, FALSE, &page);
    FillRect(target, &page, GetSysColorBrush(COLOR_WINDOW));
}

bool FrmMain::IsOnPage(HWND control) const
{
    const int id = GetDlgCtrlID(control);
    for (const auto& tab : tabControls_)
        if (std::find(tab.begin(), tab.end(), id) != tab.end())
            return true;
    return false;
}

// The pages of the tab strip are white, as the themed tab strip draws them; the labels, option
// buttons and frames on them take that background.
LRESULT FrmMain::PageBackground(HDC target) const
{
    SetBkColor(target, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

void FrmMain::ShowTab(int index)
{
    TabCtrl_SetCurSel(Control(NotesTab), index);
    for (size_t tab = 0; tab < tabControls_.size(); ++tab)
        for (const int id : tabControls_[tab])
            ShowWindow(Control(id), static_cast<int>(tab) == index ? SW_SHOW : SW_HIDE);
}

void FrmMain::SetPreviewTabEnabled(bool enabled)
{
    previewTabEnabled_ = enabled;
    InvalidateRect(Control(NotesTab), nullptr, TRUE);
}

void FrmMain::SetFrameChildEnabled(int id, bool enabled)
{
    frameChildEnabled_[id] = enabled;
    EnableWindow(Control(id), otherPstFrameEnabled_ && enabled);
}

void FrmMain::SetOtherPstFrameEnabled(bool enabled)
{
    otherPstFrameEnabled_ = enabled;
    EnableWindow(Control(OtherPSTFrame), enabled);
    for (const int id : {CmdBrowse, txtNotesDatabaseFile, CmdExportOther}) {
        const auto own = frameChildEnabled_.find(id);
        EnableWindow(Control(id), enabled && (own == frameChildEnabled_.end() || own->second));
    }
}

void FrmMain::EndProgram()
{
    DestroyWindow(Handle());
}

void FrmMain::mnuExit_Click()
{
    if (services_.dialogs.Ask("Are you sure you want to close the software", kProgramTitle))
        EndProgram();
}

void FrmMain::mnuHelp_Click()
{
    const std::string helpFile = HelpFilePath();
    if (!ShowHelpContents(reinterpret_cast<WindowHandle>(Handle()), helpFile))
        services_.dialogs.Message(HelpNotShownMessage(helpFile), kProgramTitle);
}

void FrmMain::mnuAbout_Click()
{
    FrmAbout about(Handle());
    about.ShowModal();
}

void FrmMain::OptConfiguredPST_Click()
{
    SetOtherPstFrameEnabled(false);
    SetFrameChildEnabled(CmdExportOther, false);
    EnableWindow(Control(CmdExportConfigured), TRUE);
    SetFrameChildEnabled(CmdBrowse, false);
    SetText(Control(LblHelp), kConfiguredMailboxesHelp);
}

void FrmMain::OptOtherPST_Click()
{
    SetOtherPstFrameEnabled(true);
    EnableWindow(Control(CmdExportConfigured), FALSE);
    SetFrameChildEnabled(CmdExportOther, false);
    SetFrameChildEnabled(CmdBrowse, true);
    SetText(Control(LblHelp), kOtherPstFileHelp);
}

void FrmMain::CmdBrowse_Click()
{
    const std::string path = services_.dialogs.OpenFile({"Outlook Mailbox (*.pst)", "*.pst"});
    SetText(Control(txtNotesDatabaseFile), path);
    // A newly chosen file must be opened before its folders can be used.
    SetPreviewTabEnabled(false);
}

void FrmMain::txtNotesDatabaseFile_Change()
{
    SetFrameChildEnabled(CmdExportOther, !Text(Control(txtNotesDatabaseFile)).empty());
}

void FrmMain::CmdExportConfigured_Click()
{
    discovery_.CmdExportConfigured_Click();
}

void FrmMain::CmdExportOther_Click()
{
    discovery_.CmdExportOther_Click();
}

void FrmMain::CmbOutlookStores_Click()
{
    discovery_.CmbOutlookStores_Click();
}

void FrmMain::CmdStartConversion_Click()
{
    if (!CollectSelectedFolders(tree_, services_.state, services_.dialogs))
        return;
    FrmSave frmSave(services_.state, services_.mapi, services_.notes, services_.dialogs, Handle());
    frmSave.PrepareForNewDatabase();
    frmSave.ShowModal();
    if (frmSave.ProgramEnded())
        EndProgram();
}

void FrmMain::SetStartConversionEnabled(bool enabled)
{
    EnableWindow(Control(CmdStartConversion), enabled);
}

void FrmMain::SetStoreListEnabled(bool enabled)
{
    EnableWindow(Control(CmbOutlookStores), enabled);
}

void FrmMain::AddStoreEntry(const std::string& entryText)
{
    // The list shows the store's name; the whole entry, identifier included, is kept beside it.
    SendMessageW(Control(CmbOutlookStores), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(com::Widen(DisplayNameOfEntry(entryText)).c_str()));
    storeEntries_.push_back(entryText);
}

std::string FrmMain::StoreListText()
{
    const LRESULT chosen = SendMessageW(Control(CmbOutlookStores), CB_GETCURSEL, 0, 0);
    if (chosen < 0 || static_cast<size_t>(chosen) >= storeEntries_.size())
        return {};
    return storeEntries_[static_cast<size_t>(chosen)];
}

void FrmMain::ClearStoreChoice()
{
    SendMessageW(Control(CmbOutlookStores), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

// The first panel of the status bar tells how far reading a data file, or the list of configured
// mailboxes, has come.
void FrmMain::ShowOpening(long foldersSoFar)
{
    ShowInFirstPanel(fmt::format("Reading the data file: {} folders so far", foldersSoFar));
}

void FrmMain::ShowListing(long mailboxesSoFar)
{
    ShowInFirstPanel(fmt::format("Reading the configured mailboxes: {} so far", mailboxesSoFar));
}

void FrmMain::ShowInFirstPanel(const std::string& text)
{
    const auto wide = com::Widen(text);
    SendMessageW(Control(StatusBar), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    UpdateWindow(Control(StatusBar));
}

void FrmMain::OpeningEnded()
{
    SendMessageW(Control(StatusBar), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(com::Widen(kMakerPanel).c_str()));
}

std::string FrmMain::DataFilePath()
{
    return Text(Control(txtNotesDatabaseFile));
}

void FrmMain::ShowPreviewTab()
{
    SetPreviewTabEnabled(true);
    ShowTab(kPreviewTab);
}

void FrmMain::Yield()
{
    ProcessPendingMessages();
}

}  // namespace varnemo::win32
