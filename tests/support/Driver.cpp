#include "tests/support/Driver.h"

#include "platform/TrayIcon.h"
#include "ui/ControlIds.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

namespace {

constexpr DWORD AnswerMs = 2000; // how long a program may take to answer one message
constexpr DWORD MenuMs = 3000;
constexpr const char* MenuClass = "#32768";
constexpr const char* DialogClass = "#32770";

std::string Hex(UINT value)
{
    std::ostringstream s;
    s << "0x" << std::hex << value;
    return s.str();
}

// Sends a message and waits a bounded time for the answer, so that a program stuck in a
// handler fails the test instead of hanging it.
LRESULT Ask(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool wide = false)
{
    DWORD_PTR result = 0;
    const auto send = wide ? SendMessageTimeoutW : SendMessageTimeoutA;
    if (!send(hwnd, msg, wParam, lParam, SMTO_NORMAL, AnswerMs, &result))
        throw std::runtime_error("no answer to message " + Hex(msg) + " within " +
                                 std::to_string(AnswerMs) + " ms: the program is busy or gone");
    return static_cast<LRESULT>(result);
}

std::string ClassOf(HWND hwnd)
{
    char name[64]{};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND hwnd)
{
    char text[1024]{};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::vector<HWND> ChildrenOf(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND VisibleWindowOf(DWORD processId, const char* className)
{
    for (HWND hwnd : WindowsOf(processId, className))
        if (IsWindowVisible(hwnd))
            return hwnd;
    return nullptr;
}

int VisibleCount(DWORD processId, const char* className)
{
    int count = 0;
    for (HWND hwnd : WindowsOf(processId, className))
        count += IsWindowVisible(hwnd) ? 1 : 0;
    return count;
}

// Posts a key press and release; the program's own TranslateMessage makes the character.
void PostKey(HWND hwnd, WORD vk)
{
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(hwnd, WM_KEYDOWN, vk, scan | 1);
    PostMessageA(hwnd, WM_KEYUP, vk, scan | 1 | static_cast<LPARAM>(0xC0000000u));
    Sleep(30);
}

} // namespace

std::string BinFolder()
{
    char exe[MAX_PATH]{};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path(exe);
    return path.substr(0, path.find_last_of('\\') + 1);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
}

std::vector<HWND> WindowsOf(DWORD processId, const char* className)
{
    struct Search {
        DWORD pid;
        const char* cls;
        std::vector<HWND> found;
    } search{processId, className, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid != s->pid)
                return TRUE;
            if (!s->cls || lstrcmpiA(ClassOf(hwnd).c_str(), s->cls) == 0)
                s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

Screenshot::Screenshot(int width, int height, const std::function<bool(HDC)>& paint)
    : width_(width), height_(height)
{
    if (width_ <= 0 || height_ <= 0)
        throw std::invalid_argument("a picture needs a width and a height");
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC memory = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const bool painted = bitmap && [&] {
        HGDIOBJ old = SelectObject(memory, bitmap);
        const bool done = paint(memory);
        GdiFlush();
        SelectObject(memory, old);
        return done;
    }();
    if (painted) {
        const auto* first = static_cast<const std::uint32_t*>(bits);
        pixels_.assign(first, first + static_cast<size_t>(width_) * static_cast<size_t>(height_));
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
    if (!painted)
        throw std::runtime_error("cannot make a picture");
    for (auto& pixel : pixels_)
        pixel &= 0x00FFFFFFu;
}

Screenshot::Screenshot(const RECT& screenArea)
    : Screenshot(screenArea.right - screenArea.left, screenArea.bottom - screenArea.top,
                 [&](HDC memory) {
                     HDC screen = GetDC(nullptr);
                     const bool copied = BitBlt(memory, 0, 0, screenArea.right - screenArea.left,
                                                screenArea.bottom - screenArea.top, screen,
                                                screenArea.left, screenArea.top, SRCCOPY) != FALSE;
                     ReleaseDC(nullptr, screen);
                     return copied;
                 })
{
}

COLORREF Screenshot::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    const std::uint32_t p =
        pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool Screenshot::contains(COLORREF colour) const
{
    const std::uint32_t wanted = (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
                                 (static_cast<std::uint32_t>(GetGValue(colour)) << 8) |
                                 GetBValue(colour);
    for (std::uint32_t p : pixels_)
        if (p == wanted)
            return true;
    return false;
}

void Screenshot::saveBmp(const std::string& path) const
{
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width_;
    info.biHeight = height_; // bottom row first, as every viewer reads it
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    const auto rowBytes = static_cast<size_t>(width_) * 4;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + rowBytes * static_cast<size_t>(height_));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = height_ - 1; y >= 0; --y)
        out.write(reinterpret_cast<const char*>(&pixels_[static_cast<size_t>(y) * rowBytes / 4]),
                  static_cast<std::streamsize>(rowBytes));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string SaveScreen(const std::string& name)
{
    const std::string folder = BinFolder() + "screenshots\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + name + ".bmp";
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    Screenshot(screen).saveBmp(path);
    return path;
}

Portlark::Portlark(const std::map<std::string, std::string>& files, bool withGame,
                   const std::string& program)
{
    writeFile(dir_.file("portlark.exe"), readFile(BinFolder() + program));
    for (const auto& [name, bytes] : files)
        dir_.write(name, bytes);
    if (withGame) {
        CreateDirectoryA(dir_.file("game").c_str(), nullptr);
        writeFile(gamePath(), readFile(BinFolder() + "fakegame\\ET.exe"));
    }
}

Portlark::~Portlark()
{
    if (!process_.hProcess)
        return;
    if (running()) {
        if (::testing::Test::HasFailure()) {
            // What the screen showed when the test gave up, for a person to look at.
            const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
            try {
                const std::string path = SaveScreen(
                    std::string(test ? test->test_suite_name() : "test") + "." +
                    (test ? test->name() : "unknown") + "-" + std::to_string(processId()));
                std::fprintf(stderr, "The screen at the failure: %s\n", path.c_str());
            } catch (const std::exception&) {
            }
        }
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

std::vector<std::string> Portlark::gameLaunch() const
{
    std::vector<std::string> lines;
    if (!dir_.exists("game\\launched.txt"))
        return lines;
    std::istringstream in(dir_.read("game\\launched.txt"));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void Portlark::start(DWORD timeoutMs)
{
    if (process_.hProcess)
        throw std::logic_error("the program was started already");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string commandLine(1, '"');
    commandLine += dir_.file("portlark.exe");
    commandLine += '"';
    // Started from elsewhere, so that only the executable's own folder can hold its files.
    const std::string elsewhere = BinFolder();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        elsewhere.c_str(), &si, &process_))
        throw std::runtime_error("cannot start " + commandLine + ": error " +
                                 std::to_string(GetLastError()));
    if (!WaitUntil([&] { return window() != nullptr || !running(); }, timeoutMs))
        throw std::runtime_error("portlark.exe made no settings window within " +
                                 std::to_string(timeoutMs) + " ms");
    if (!window())
        throw std::runtime_error("portlark.exe ended with code " + std::to_string(waitExit(0)) +
                                 " before it made its settings window");
    WaitForInputIdle(process_.hProcess, 5000);
    settle();
}

bool Portlark::running() const
{
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Portlark::waitExit(DWORD timeoutMs) const
{
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

HWND Portlark::window() const
{
    const auto found = WindowsOf(process_.dwProcessId, SettingsWindowClass);
    return found.empty() ? nullptr : found.front();
}

HWND Portlark::appWindow() const
{
    const auto found = WindowsOf(process_.dwProcessId, ApplicationWindowClass);
    return found.empty() ? nullptr : found.front();
}

HWND Portlark::control(int id) const
{
    HWND form = window();
    return form ? GetDlgItem(form, id) : nullptr;
}

HWND Portlark::need(HWND hwnd, const std::string& what) const
{
    if (!hwnd)
        throw std::runtime_error("portlark.exe has no " + what +
                                 (running() ? "" : ": it is not running"));
    return hwnd;
}

HWND Portlark::needControl(int id) const
{
    return need(control(id), "control " + std::to_string(id) + " in a settings window");
}

HWND Portlark::focus() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(process_.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

RECT Portlark::windowRect() const
{
    RECT r{};
    GetWindowRect(need(window(), "settings window"), &r);
    return r;
}

RECT Portlark::clientRect() const
{
    RECT r{};
    GetClientRect(need(window(), "settings window"), &r);
    return r;
}

RECT Portlark::controlRect(int id) const
{
    RECT r{};
    GetWindowRect(needControl(id), &r);
    MapWindowPoints(HWND_DESKTOP, window(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string Portlark::text(int id) const
{
    char buffer[1024]{};
    Ask(needControl(id), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

void Portlark::setText(int id, const std::string& text) const
{
    Ask(needControl(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Portlark::click(int id) const { PostMessageA(needControl(id), BM_CLICK, 0, 0); }

bool Portlark::checked(int id) const
{
    return Ask(needControl(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Portlark::tick(int id, bool on) const
{
    if (checked(id) == on)
        return;
    click(id);
    if (!WaitUntil([&] { return checked(id) == on; }, AnswerMs))
        throw std::runtime_error("clicking control " + std::to_string(id) + " did not " +
                                 (on ? "tick" : "untick") + " it");
    settle();
}

std::vector<std::wstring> Portlark::comboItems() const
{
    HWND combo = needControl(idComboBox1);
    std::vector<std::wstring> items;
    const auto count = Ask(combo, CB_GETCOUNT, 0, 0, true);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = Ask(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0, true);
        std::wstring item(static_cast<size_t>(length < 0 ? 0 : length) + 1, L'\0');
        Ask(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()),
            true);
        item.resize(wcslen(item.c_str()));
        items.push_back(item);
    }
    return items;
}

int Portlark::comboSelection() const
{
    return static_cast<int>(Ask(needControl(idComboBox1), CB_GETCURSEL, 0, 0, true));
}

std::wstring Portlark::comboText() const
{
    const int index = comboSelection();
    const auto items = comboItems();
    return index >= 0 && index < static_cast<int>(items.size()) ? items[static_cast<size_t>(index)]
                                                                : std::wstring();
}

void Portlark::pickCombo(int index) const
{
    HWND combo = needControl(idComboBox1);
    const auto count = Ask(combo, CB_GETCOUNT, 0, 0, true);
    if (index < 0 || index >= count)
        throw std::out_of_range("the drop-down has no entry " + std::to_string(index) + " of " +
                                std::to_string(count));
    PostMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = nullptr;
    if (!WaitUntil([&] { return (list = VisibleWindowOf(processId(), "ComboLBox")) != nullptr; },
                   AnswerMs))
        throw std::runtime_error("the drop-down's list did not open");
    // A real click lands on a visible entry: scroll it into view first.
    const auto item = static_cast<WPARAM>(index);
    RECT at{}, inside{};
    GetClientRect(list, &inside);
    Ask(list, LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&at));
    if (at.top < inside.top || at.bottom > inside.bottom) {
        Ask(list, LB_SETTOPINDEX, item, 0);
        Ask(list, LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&at));
    }
    // Posted straight to the list: the pointer itself cannot be moved reliably while the
    // list holds the capture.
    const LPARAM point = MAKELPARAM((at.left + at.right) / 2, (at.top + at.bottom) / 2);
    PostMessageA(list, WM_MOUSEMOVE, 0, point);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    if (!WaitUntil([&] { return !IsWindowVisible(list); }, AnswerMs))
        throw std::runtime_error("the drop-down's list did not close after the click");
    settle();
}

void Portlark::typeInto(int id, const std::string& chars, DWORD pauseMs) const
{
    HWND target = needControl(id);
    for (char c : chars) {
        Ask(target, WM_CHAR, static_cast<unsigned char>(c), 1);
        if (pauseMs)
            Sleep(pauseMs);
    }
    settle();
}

void Portlark::clickInto(int id) const
{
    HWND target = needControl(id);
    RECT r{};
    GetClientRect(target, &r);
    const LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageA(target, WM_LBUTTONUP, 0, middle);
    settle();
}

void Portlark::pressKeys(const std::vector<WORD>& virtualKeys) const
{
    HWND target = need(focus(), "control with the keyboard focus");
    // Real key strokes go to the foreground window's thread, as the user's do.
    const auto foregroundIsOurs = [&] {
        DWORD pid = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &pid);
        return pid == processId();
    };
    if (!foregroundIsOurs()) {
        SetForegroundWindow(GetAncestor(target, GA_ROOT));
        if (!WaitUntil(foregroundIsOurs, AnswerMs))
            throw std::runtime_error("portlark.exe did not come to the foreground for the keys");
    }
    for (WORD vk : virtualKeys) {
        INPUT stroke[2]{};
        stroke[0].type = stroke[1].type = INPUT_KEYBOARD;
        stroke[0].ki.wVk = stroke[1].ki.wVk = vk;
        stroke[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, stroke, sizeof(INPUT));
        Sleep(20);
    }
    settle();
}

HWND Portlark::trayWindow() const
{
    const auto found = WindowsOf(process_.dwProcessId, TrayIconWindowClass);
    return found.empty() ? nullptr : found.front();
}

bool Portlark::iconShown() const
{
    HWND tray = trayWindow();
    if (!tray)
        return false;
    // Changing nothing about an icon succeeds exactly when the shell has it.
    NOTIFYICONDATAA nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = tray;
    nid.uID = TrayIconId;
    return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

void Portlark::postTray(UINT mouseMessage) const
{
    PostMessageA(need(trayWindow(), "tray icon window"), TrayIconCallbackMessage, TrayIconId,
                 mouseMessage);
}

void Portlark::leftClickIcon() const
{
    postTray(WM_LBUTTONDOWN);
    postTray(WM_LBUTTONUP);
    settle();
}

bool Portlark::trayMenuOpen() const { return VisibleCount(processId(), MenuClass) > 0; }

bool Portlark::openTrayMenu() const
{
    postTray(WM_RBUTTONDOWN);
    return WaitUntil([&] { return trayMenuOpen(); }, MenuMs);
}

void Portlark::closeTrayMenu() const
{
    HWND tray = trayWindow();
    for (int level = VisibleCount(processId(), MenuClass); tray && level > 0; --level)
        PostKey(tray, VK_ESCAPE);
    WaitUntil([&] { return !trayMenuOpen(); }, MenuMs);
    settle();
}

void Portlark::chooseTrayMenu(const std::vector<int>& path) const
{
    if (path.empty())
        throw std::invalid_argument("an empty path chooses no tray menu entry");
    if (!openTrayMenu())
        throw std::runtime_error("the tray menu did not open");
    // Keys reach the menu's own loop, which runs in the program's thread, through any window
    // of that thread.
    HWND tray = trayWindow();
    const auto levelsOpen = [&](int levels) {
        return WaitUntil([&] { return VisibleCount(processId(), MenuClass) == levels; }, MenuMs);
    };
    for (size_t level = 0; level < path.size(); ++level) {
        if (level == 0)
            PostKey(tray, VK_DOWN); // the first entry
        for (int i = 0; i < path[level]; ++i)
            PostKey(tray, VK_DOWN);
        if (level + 1 < path.size()) {
            PostKey(tray, VK_RIGHT); // opens the submenu on its first entry
            if (!levelsOpen(static_cast<int>(level) + 2)) {
                closeTrayMenu();
                throw std::runtime_error("entry " + std::to_string(path[level]) + " at level " +
                                         std::to_string(level) +
                                         " of the tray menu opened no "
                                         "submenu");
            }
        }
    }
    PostKey(tray, VK_RETURN);
    if (!levelsOpen(0)) {
        closeTrayMenu();
        throw std::runtime_error("the tray menu stayed open after choosing an entry");
    }
    settle();
}

HWND Portlark::waitMessageBox(const std::string& caption, DWORD timeoutMs) const
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND box : WindowsOf(process_.dwProcessId, DialogClass)) {
                if (IsWindowVisible(box) && (caption.empty() || caption == TextOf(box))) {
                    found = box;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

std::string Portlark::messageText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }

std::vector<std::string> Portlark::buttonsOf(HWND box)
{
    std::vector<std::string> buttons;
    for (HWND child : ChildrenOf(box))
        if (lstrcmpiA(ClassOf(child).c_str(), "Button") == 0 && IsWindowVisible(child))
            buttons.push_back(TextOf(child));
    return buttons;
}

bool Portlark::hasIcon(HWND box, LPCSTR systemIcon)
{
    for (HWND child : ChildrenOf(box)) {
        // Wine keeps the icon's place in a box without one, visible but empty.
        if (lstrcmpiA(ClassOf(child).c_str(), "Static") != 0 || !IsWindowVisible(child) ||
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON ||
            !Ask(child, STM_GETICON, 0, 0))
            continue;
        if (!systemIcon)
            return true;
        // Icon handles mean nothing in another process: compare what is on the screen with
        // the same icon drawn here on the box's background.
        RECT place{};
        GetWindowRect(child, &place);
        const Screenshot shown(place);
        const COLORREF background = shown.pixel(0, 0);
        const Screenshot expected(shown.width(), shown.height(), [&](HDC dc) {
            HBRUSH brush = CreateSolidBrush(background);
            const RECT all{0, 0, shown.width(), shown.height()};
            FillRect(dc, &all, brush);
            DeleteObject(brush);
            return DrawIconEx(dc, 0, 0, LoadIconA(nullptr, systemIcon), shown.width(),
                              shown.height(), 0, nullptr, DI_NORMAL) != FALSE;
        });
        return shown == expected;
    }
    return false;
}

void Portlark::pressOk(HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); }

void Portlark::close() const { PostMessageA(need(window(), "settings window"), WM_CLOSE, 0, 0); }

LRESULT Portlark::queryEndSession() const
{
    return Ask(need(window(), "settings window"), WM_QUERYENDSESSION, 0, 0);
}

void Portlark::endSession(bool ending) const
{
    // The program may end while it handles this; then there is no answer to wait for.
    SendMessageTimeoutA(need(window(), "settings window"), WM_ENDSESSION, ending ? TRUE : FALSE, 0,
                        SMTO_NORMAL, AnswerMs, nullptr);
}

void Portlark::settle() const
{
    // A sent message is answered whenever the program looks at its queue, even ahead of
    // what was posted before it. Each further answer means the program came back for more,
    // so after a few the messages one driver call posts have been handled (or a modal loop
    // of theirs runs). The pause covers the rest; tests still wait for the effect they want.
    HWND any = window() ? window() : trayWindow();
    for (int round = 0; any && round < 3; ++round)
        if (!SendMessageTimeoutA(any, WM_NULL, 0, 0, SMTO_NORMAL, AnswerMs, nullptr))
            break;
    Sleep(50);
}

COLORREF Portlark::pixel(int x, int y) const
{
    POINT at{x, y};
    ClientToScreen(need(window(), "settings window"), &at);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool Portlark::anyPixel(const RECT& area, COLORREF colour) const
{
    return screenshot(area).contains(colour);
}

Screenshot Portlark::screenshot() const { return screenshot(clientRect()); }

Screenshot Portlark::screenshot(const RECT& clientArea) const
{
    RECT area = clientArea;
    MapWindowPoints(need(window(), "settings window"), HWND_DESKTOP,
                    reinterpret_cast<POINT*>(&area), 2);
    return Screenshot(area);
}

} // namespace testing_support
