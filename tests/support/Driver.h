// Drives the real portlark.exe from outside, as the user and the shell do: it runs a copy in
// a folder of its own, finds its windows, clicks, posts the tray icon's callbacks, chooses
// menu entries with the keyboard, and reads exit codes and files.
#pragma once

#include "tests/support/TempDir.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

// The folder the test executable runs from, with its final backslash.
std::string BinFolder();

// Polls until the condition holds; false when it did not within the time.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Top-level windows of a process, optionally of one class.
std::vector<HWND> WindowsOf(DWORD processId, const char* className = nullptr);

class Portlark {
public:
    // Copies portlark.exe and the given files into a new folder; with a game, also the fake
    // game as game\ET.exe.
    explicit Portlark(const std::map<std::string, std::string>& files = {}, bool withGame = false);
    ~Portlark();
    Portlark(const Portlark&) = delete;
    Portlark& operator=(const Portlark&) = delete;

    const TempDir& dir() const { return dir_; }
    std::string gamePath() const { return dir_.file("game\\ET.exe"); }
    // What the fake game wrote about how it was started: command line, then working folder.
    std::vector<std::string> gameLaunch() const;

    // Starts the program from another working folder and waits until it is idle.
    void start();
    bool running() const;
    DWORD processId() const { return process_.dwProcessId; }
    // Waits for the end; returns the exit code, or STILL_ACTIVE when it did not end in time.
    DWORD waitExit(DWORD timeoutMs = 5000) const;

    HWND window() const; // the settings window
    HWND appWindow() const;
    HWND control(int id) const { return GetDlgItem(window(), id); }
    bool windowVisible() const { return IsWindowVisible(window()) != FALSE; }
    bool windowEnabled() const { return IsWindowEnabled(window()) != FALSE; }

    // Controls.
    std::string text(int id) const;
    void setText(int id, const std::string& text) const;
    void click(int id) const; // posted, so a modal box it opens does not block the driver
    bool checked(int id) const;
    std::vector<std::wstring> comboItems() const;
    int comboSelection() const;
    std::wstring comboText() const;
    // Picks an entry as the user does in the dropped list: selection and change notice.
    void pickCombo(int index) const;
    void typeInto(int id, const std::string& chars, DWORD pauseMs = 0) const;

    // The tray icon.
    HWND trayWindow() const;
    bool iconShown() const;
    void postTray(UINT mouseMessage) const;
    void leftClickIcon() const;
    // Opens the tray menu and chooses an entry by its position among the entries that can be
    // chosen (separators do not count): {1} is Settings, {2} Exit, {0, k} the k-th favorite.
    void chooseTrayMenu(const std::vector<int>& path) const;

    // Message boxes owned by the program; empty caption means any.
    HWND waitMessageBox(const std::string& caption = {}, DWORD timeoutMs = 5000) const;
    static std::string messageText(HWND box);
    static void pressOk(HWND box);

    // Idles until the program has handled everything posted to it so far.
    void settle() const;

    // The colour of a pixel of the settings window's client area as it is on screen.
    COLORREF pixel(int x, int y) const;
    // Whether any pixel of a client rectangle of the settings window has the colour.
    bool anyPixel(const RECT& area, COLORREF colour) const;

private:
    TempDir dir_;
    PROCESS_INFORMATION process_{};
};

} // namespace testing_support
