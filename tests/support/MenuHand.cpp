#include "tests/support/MenuHand.h"

namespace testing_support {

std::string DescribeMenu(HMENU menu)
{
    std::string out;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256]{};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        if (!out.empty())
            out += ' ';
        if (info.fType & MFT_SEPARATOR) {
            out += '-';
            continue;
        }
        out += '"' + std::string(text) + '"';
        if (info.fState & MFS_DISABLED)
            out += '!';
        if (info.fState & MFS_DEFAULT)
            out += '*';
        if (info.hSubMenu)
            out += '{' + DescribeMenu(info.hSubMenu) + '}';
    }
    return out;
}

std::vector<HWND> OpenMenuWindows(DWORD threadId)
{
    std::vector<HWND> found;
    EnumThreadWindows(
        threadId,
        [](HWND hwnd, LPARAM out) -> BOOL {
            char cls[16]{};
            GetClassNameA(hwnd, cls, sizeof cls);
            if (lstrcmpA(cls, "#32768") == 0 && IsWindowVisible(hwnd))
                reinterpret_cast<std::vector<HWND>*>(out)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

MenuHand::MenuHand(HWND keysTo, std::vector<WPARAM> keys)
    : thread_(&MenuHand::watch, this, GetCurrentThreadId(), keysTo, std::move(keys))
{
}

MenuHand::~MenuHand() { finish(); }

SeenMenu MenuHand::finish()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    return seen_;
}

void MenuHand::watch(DWORD threadId, HWND keysTo, std::vector<WPARAM> keys)
{
    // The menu may never come; the test ends the watch once its call has returned.
    HWND window = nullptr;
    for (int waited = 0; !window && !stop_ && waited < 5000; waited += 10) {
        const auto open = OpenMenuWindows(threadId);
        if (open.empty())
            Sleep(10);
        else
            window = open.front();
    }
    if (!window)
        return;
    seen_.opened = true;
    seen_.menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    seen_.entries = DescribeMenu(seen_.menu);
    GetWindowRect(window, &seen_.rect);
    for (WPARAM vk : keys) {
        PostMessageA(keysTo, WM_KEYDOWN, vk, 1);
        PostMessageA(keysTo, WM_KEYUP, vk, 0xC0000001);
        Sleep(30); // a submenu takes a moment to open before the next key can reach it
    }
    // Keys that left the menu open would hang the test: close it after a while.
    for (int waited = 0; !stop_ && !OpenMenuWindows(threadId).empty(); waited += 10) {
        if (waited >= 3000 && waited % 500 == 0) {
            seen_.leftOpen = true;
            PostMessageA(keysTo, WM_KEYDOWN, VK_ESCAPE, 1);
        }
        Sleep(10);
    }
}

} // namespace testing_support
