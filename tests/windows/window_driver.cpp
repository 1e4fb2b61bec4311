#include "window_driver.h"

#include "com/wide_text.h"
#include "process_windows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <commctrl.h>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace varnemo::testing {
namespace {

constexpr auto kPatience = std::chrono::seconds(20);
constexpr UINT kSettled = WM_APP + 77;

// A window of the windows' thread that counts the rounds through its message queue.
class QueueMark {
public:
    QueueMark()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.lpszClassName = L"VarnemoTestQueueMark";
        RegisterClassW(&windowClass);
        window_ = CreateWindowW(L"VarnemoTestQueueMark", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&rounds_));
    }
    ~QueueMark() { DestroyWindow(window_); }

    // Posts a mark behind everything posted so far and waits until it has come through.
    void RoundTrip()
    {
        const long before = rounds_;
        PostMessageW(window_, kSettled, 0, 0);
        WaitFor([&] { return rounds_ > before; }, "the windows' thread to handle its messages");
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == kSettled)
            ++*reinterpret_cast<std::atomic<long>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_;
    std::atomic<long> rounds_ = 0;
};

QueueMark* mark = nullptr;

std::string NodeText(HWND tree, HTREEITEM item)
{
    wchar_t buffer[512] = L"";
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = buffer;
    data.cchTextMax = 512;
    TreeView_GetItem(tree, &data);
    return com::Narrow(buffer);
}

HTREEITEM FindNode(HWND tree, const std::string& text)
{
    std::vector<HTREEITEM> pending{TreeView_GetRoot(tree)};
    while (!pending.empty()) {
        HTREEITEM item = pending.back();
        pending.pop_back();
        if (!item)
            continue;
        if (NodeText(tree, item) == text)
            return item;
        pending.push_back(TreeView_GetNextSibling(tree, item));
        pending.push_back(TreeView_GetChild(tree, item));
    }
    throw std::logic_error("the tree shows no node \"" + text + "\"");
}

}  // namespace

void DriveWindows(const std::function<void()>& script)
{
    QueueMark queueMark;
    mark = &queueMark;
    std::atomic<bool> done = false;
    std::thread driver([&] {
        try {
            script();
        } catch (const std::exception& error) {
            ADD_FAILURE() << error.what();
        }
        done = true;
    });
    while (!done) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;  // the main window has ended the program; the script goes on to check
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    driver.join();
    mark = nullptr;
}

void WaitFor(const std::function<bool()>& condition, const std::string& what)
{
    const auto end = std::chrono::steady_clock::now() + kPatience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            throw std::runtime_error("waited in vain for " + what);
        Sleep(20);
    }
}

void Settle()
{
    mark->RoundTrip();
    mark->RoundTrip();
}

HWND WaitForWindow(const wchar_t* className)
{
    HWND found = nullptr;
    WaitFor([&] { return (found = FindProcessWindow(className)) != nullptr; },
            "the window " + com::Narrow(className) + " to show");
    return found;
}

void Click(HWND window, int id)
{
    if (!Enabled(window, id))
        throw std::logic_error("control " + std::to_string(id) + " cannot be clicked: it is disabled");
    SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
}

void PostClick(HWND window, int id)
{
    if (!Enabled(window, id))
        throw std::logic_error("control " + std::to_string(id) + " cannot be clicked: it is disabled");
    PostMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
}

void ClickTab(HWND tabs, int index)
{
    RECT box{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&box));
    const LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(tabs, WM_LBUTTONUP, 0, at);
}

bool Enabled(HWND window, int id)
{
    return IsWindowEnabled(GetDlgItem(window, id)) != FALSE;
}

bool Visible(HWND window, int id)
{
    return IsWindowVisible(GetDlgItem(window, id)) != FALSE;
}

bool Checked(HWND window, int id)
{
    return SendMessageW(GetDlgItem(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string TextOf(HWND window, int id)
{
    wchar_t text[1024] = L"";
    GetWindowTextW(GetDlgItem(window, id), text, 1024);
    return com::Narrow(text);
}

std::vector<std::string> TreeTexts(HWND tree)
{
    std::vector<std::string> texts;
    for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextVisible(tree, item))
        texts.push_back(NodeText(tree, item));
    return texts;
}

bool Ticked(HWND tree, const std::string& text)
{
    return (TreeView_GetItemState(tree, FindNode(tree, text), TVIS_STATEIMAGEMASK) >> 12) == 2;
}

void ClickCheckBox(HWND tree, const std::string& text)
{
    HTREEITEM item = FindNode(tree, text);
    RECT box{};
    std::memcpy(&box, &item, sizeof(item));  // the item in, its rectangle out
    SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&box));
    // The check box lies left of the icon and the text: the first point there that hits it.
    const int y = (box.top + box.bottom) / 2;
    for (int x = box.left; x >= 0; --x) {
        TVHITTESTINFO hit{};
        hit.pt = {x, y};
        SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.hItem == item && (hit.flags & TVHT_ONITEMSTATEICON)) {
            PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
            PostMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
            Settle();
            return;
        }
    }
    throw std::logic_error("the node \"" + text + "\" shows no check box");
}

}  // namespace varnemo::testing
