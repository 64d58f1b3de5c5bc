// Drives the real portlark.exe from outside, as the user and the shell do: it runs a copy in
// a folder of its own, finds its windows, clicks, types, posts the tray icon's callbacks,
// chooses menu entries with the keyboard, answers message boxes, looks at the screen, and
// reads exit codes and files. Every wait is bounded: a program that does not answer fails the
// test with a message instead of hanging it.
#pragma once

#include "tests/support/TempDir.h"

#include <windows.h>

#include <cstdint>
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

// A picture of part of the screen as it was when taken, for looking at colours and for
// people to look at when a test fails.
class Screenshot {
public:
    explicit Screenshot(const RECT& screenArea);
    // A picture painted off the screen, to compare with one taken from it.
    Screenshot(int width, int height, const std::function<bool(HDC)>& paint);
    bool operator==(const Screenshot&) const = default;
    int width() const { return width_; }
    int height() const { return height_; }
    // Relative to the area's top left corner; CLR_INVALID outside it.
    COLORREF pixel(int x, int y) const;
    bool contains(COLORREF colour) const;
    void saveBmp(const std::string& path) const; // throws std::runtime_error when it cannot

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_; // top row first, 0x00RRGGBB
};

// The whole screen, saved where a person will find it: the build's bin\screenshots folder.
// Returns the file's path.
std::string SaveScreen(const std::string& name);

class Portlark {
public:
    // Copies the program and the given files into a new folder; with a game, also the fake
    // game as game\ET.exe. The program is portlark.exe unless another executable of the
    // build's bin folder is named (a stand-in); it is copied as portlark.exe all the same.
    explicit Portlark(const std::map<std::string, std::string>& files = {}, bool withGame = false,
                      const std::string& program = "portlark.exe");
    // Ends the program if it still runs. When the test has failed, the screen is saved first.
    ~Portlark();
    Portlark(const Portlark&) = delete;
    Portlark& operator=(const Portlark&) = delete;

    const TempDir& dir() const { return dir_; }
    std::string gamePath() const { return dir_.file("game\\ET.exe"); }
    // What the fake game wrote about how it was started: command line, then working folder.
    std::vector<std::string> gameLaunch() const;

    // Starts the program from another working folder and waits until its settings window
    // exists (shown or not) and it is idle. Throws when the program ends first or the window
    // does not come in time.
    void start(DWORD timeoutMs = 10000);
    bool running() const;
    DWORD processId() const { return process_.dwProcessId; }
    // Waits for the end; returns the exit code, or STILL_ACTIVE when it did not end in time.
    DWORD waitExit(DWORD timeoutMs = 5000) const;

    // Windows of the program; null when there is none (yet, or any more).
    HWND window() const; // the settings window
    HWND appWindow() const;
    HWND control(int id) const;
    bool windowVisible() const { return IsWindowVisible(window()) != FALSE; }
    bool windowEnabled() const { return IsWindowEnabled(window()) != FALSE; }
    bool visible(int id) const { return IsWindowVisible(control(id)) != FALSE; }
    // The control that has the keyboard focus in the program, null when none.
    HWND focus() const;

    // Places: the settings window on the screen, its client area, and a control in the
    // settings window's client coordinates.
    RECT windowRect() const;
    RECT clientRect() const;
    RECT controlRect(int id) const;

    // Controls. Those that act throw when the control is not there.
    std::string text(int id) const;
    void setText(int id, const std::string& text) const;
    void click(int id) const; // posted, so a modal box it opens does not block the driver
    bool checked(int id) const;
    // Clicks a check box when it is not already in the wanted state, and waits for the state.
    void tick(int id, bool on = true) const;
    // The favorites drop-down. Across processes only the wide list queries return whole
    // texts under Wine.
    std::vector<std::wstring> comboItems() const;
    int comboSelection() const;
    std::wstring comboText() const;
    // Picks an entry as the user does: drops the list and clicks the entry in it, so the
    // program sees the same selection change a mouse produces.
    void pickCombo(int index) const;
    // Characters as typed on the keyboard into a control (WM_CHAR each), with an optional
    // pause after each.
    void typeInto(int id, const std::string& chars, DWORD pauseMs = 0) const;
    // A left click in the middle of a control: how a user puts the focus into a field.
    void clickInto(int id) const;
    // Keys pressed and released one after another on whatever has the focus in the program,
    // as real key strokes (the program is brought to the foreground first if need be): the
    // program sees the same messages and keyboard state as from a keyboard.
    void pressKeys(const std::vector<WORD>& virtualKeys) const;

    // The tray icon.
    HWND trayWindow() const;
    bool iconShown() const;
    void postTray(UINT mouseMessage) const;
    void leftClickIcon() const;
    // A right button press on the icon; true when the tray menu opened.
    bool openTrayMenu() const;
    bool trayMenuOpen() const;
    void closeTrayMenu() const; // escapes out of every open level
    // Opens the tray menu and chooses an entry by its position among the entries that can be
    // chosen (separators do not count): {1} is Settings, {2} Exit, {0, k} the k-th favorite.
    // Wine cannot tell another process what a menu holds, so the path is not checked against
    // the captions; a position past the end wraps around as the keyboard does. Throws when
    // the menu, or a submenu on the path, does not open, or the menu does not close.
    void chooseTrayMenu(const std::vector<int>& path) const;

    // Message boxes and dialogs owned by the program; empty caption means any. Null when none
    // showed in time.
    HWND waitMessageBox(const std::string& caption = {}, DWORD timeoutMs = 5000) const;
    static std::string messageText(HWND box);
    static std::vector<std::string> buttonsOf(HWND box); // captions, in window order
    // Whether the box shows an icon; with a system icon's id (IDI_HAND...), that icon.
    static bool hasIcon(HWND box, LPCSTR systemIcon = nullptr);
    static void pressOk(HWND box);

    // Ending: a close request as from the title bar; the session's end as the system asks it.
    void close() const;
    // The program's answer to the end-of-session query; throws when it does not answer.
    LRESULT queryEndSession() const;
    void endSession(bool ending = true) const;

    // Idles until the program has handled everything posted to it so far.
    void settle() const;

    // The colour of a pixel of the settings window's client area as it is on screen.
    COLORREF pixel(int x, int y) const;
    // Whether any pixel of a client rectangle of the settings window has the colour.
    bool anyPixel(const RECT& area, COLORREF colour) const;
    // The settings window's client area, or a part of it, as it is on screen. The picture's
    // pixel() counts from the part's top left corner.
    Screenshot screenshot() const;
    Screenshot screenshot(const RECT& clientArea) const;

private:
    HWND need(HWND hwnd, const std::string& what) const;
    HWND needControl(int id) const;

    TempDir dir_;
    PROCESS_INFORMATION process_{};
};

} // namespace testing_support
