// Works a popup menu that the test's own thread tracks: from a second thread it waits for the
// menu to appear, notes what it shows and where, and presses keys on it as the user would.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

// What a menu shows, entry after entry: "text" for a command, - for a separator and
// "text"{...} for a submenu; a disabled or greyed entry is marked !, the default entry *.
std::string DescribeMenu(HMENU menu);

// The popup menu windows of a thread that are on screen.
std::vector<HWND> OpenMenuWindows(DWORD threadId);

struct SeenMenu {
    bool opened = false;
    std::string entries; // DescribeMenu of the menu as it was open
    HMENU menu = nullptr;
    RECT rect{};           // its window on the screen
    bool leftOpen = false; // the keys did not close it
};

class MenuHand {
public:
    // Watches for a menu of the calling thread; once one is open, posts each key as a press
    // and a release to `keysTo`, the window that owns the menu.
    MenuHand(HWND keysTo, std::vector<WPARAM> keys);
    ~MenuHand();
    MenuHand(const MenuHand&) = delete;
    MenuHand& operator=(const MenuHand&) = delete;

    // Stops watching and tells what was seen; call it once the menu has closed.
    SeenMenu finish();

private:
    void watch(DWORD threadId, HWND keysTo, std::vector<WPARAM> keys);

    std::atomic<bool> stop_{false};
    SeenMenu seen_;
    std::thread thread_;
};

} // namespace testing_support
