#include "tests/support/Driver.h"

#include "platform/TrayIcon.h"
#include "ui/ControlIds.h"

#include <shellapi.h>

#include <sstream>
#include <stdexcept>

namespace testing_support {

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
            char cls[64]{};
            GetClassNameA(hwnd, cls, sizeof cls);
            if (!s->cls || lstrcmpiA(cls, s->cls) == 0)
                s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

Portlark::Portlark(const std::map<std::string, std::string>& files, bool withGame)
{
    writeFile(dir_.file("portlark.exe"), readFile(BinFolder() + "portlark.exe"));
    for (const auto& [name, bytes] : files)
        dir_.write(name, bytes);
    if (withGame) {
        CreateDirectoryA(dir_.file("game").c_str(), nullptr);
        writeFile(gamePath(), readFile(BinFolder() + "fakegame\\ET.exe"));
    }
}

Portlark::~Portlark()
{
    if (process_.hProcess) {
        if (running()) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
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

void Portlark::start()
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string commandLine(1, '"');
    commandLine += dir_.file("portlark.exe");
    commandLine += '"';
    // Started from elsewhere, so that only the executable's own folder can hold its files.
    const std::string elsewhere = BinFolder();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        elsewhere.c_str(), &si, &process_))
        throw std::runtime_error("cannot start " + commandLine);
    if (!WaitUntil([&] { return window() != nullptr || !running(); }, 10000))
        throw std::runtime_error("the settings window did not appear");
    WaitForInputIdle(process_.hProcess, 5000);
    settle();
}

bool Portlark::running() const
{
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Portlark::waitExit(DWORD timeoutMs) const
{
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
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

std::string Portlark::text(int id) const
{
    char buffer[1024]{};
    SendMessageTimeoutA(control(id), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return buffer;
}

void Portlark::setText(int id, const std::string& text) const
{
    SendMessageTimeoutA(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
}

void Portlark::click(int id) const { PostMessageA(control(id), BM_CLICK, 0, 0); }

bool Portlark::checked(int id) const
{
    return SendMessageA(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::wstring> Portlark::comboItems() const
{
    // Across processes only the wide list queries return whole texts under Wine.
    HWND combo = control(idComboBox1);
    std::vector<std::wstring> items;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t buffer[512]{};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
        items.push_back(buffer);
    }
    return items;
}

int Portlark::comboSelection() const
{
    return static_cast<int>(SendMessageW(control(idComboBox1), CB_GETCURSEL, 0, 0));
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
    HWND combo = control(idComboBox1);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(window(), WM_COMMAND, MAKEWPARAM(idComboBox1, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    settle();
}

void Portlark::typeInto(int id, const std::string& chars, DWORD pauseMs) const
{
    for (char c : chars) {
        SendMessageA(control(id), WM_CHAR, static_cast<unsigned char>(c), 1);
        if (pauseMs)
            Sleep(pauseMs);
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
    PostMessageA(trayWindow(), TrayIconCallbackMessage, TrayIconId, mouseMessage);
}

void Portlark::leftClickIcon() const
{
    postTray(WM_LBUTTONDOWN);
    postTray(WM_LBUTTONUP);
    settle();
}

void Portlark::chooseTrayMenu(const std::vector<int>& path) const
{
    postTray(WM_RBUTTONDOWN);
    auto menuOpen = [&] {
        for (HWND menu : WindowsOf(process_.dwProcessId, "#32768"))
            if (IsWindowVisible(menu))
                return true;
        return false;
    };
    if (!WaitUntil(menuOpen))
        throw std::runtime_error("the tray menu did not open");
    HWND tray = trayWindow();
    auto key = [&](WPARAM vk) {
        PostMessageA(tray, WM_KEYDOWN, vk, 1);
        PostMessageA(tray, WM_KEYUP, vk, 0xC0000001);
        Sleep(30);
    };
    for (size_t level = 0; level < path.size(); ++level) {
        if (level == 0)
            key(VK_DOWN); // the first entry
        for (int i = 0; i < path[level]; ++i)
            key(VK_DOWN);
        if (level + 1 < path.size())
            key(VK_RIGHT); // opens the submenu on its first entry
    }
    key(VK_RETURN);
}

HWND Portlark::waitMessageBox(const std::string& caption, DWORD timeoutMs) const
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND box : WindowsOf(process_.dwProcessId, "#32770")) {
                char text[256]{};
                GetWindowTextA(box, text, sizeof text);
                if (IsWindowVisible(box) && (caption.empty() || caption == text)) {
                    found = box;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

std::string Portlark::messageText(HWND box)
{
    char text[1024]{};
    GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
    return text;
}

void Portlark::pressOk(HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); }

void Portlark::settle() const
{
    // A sent message is answered once the program is back in its message loop; the pause
    // covers what was posted. Tests still wait for the effect they look for.
    for (HWND hwnd : {window(), trayWindow()})
        if (hwnd)
            SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr);
    Sleep(50);
}

COLORREF Portlark::pixel(int x, int y) const
{
    POINT at{x, y};
    ClientToScreen(window(), &at);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool Portlark::anyPixel(const RECT& area, COLORREF colour) const
{
    POINT origin{area.left, area.top};
    ClientToScreen(window(), &origin);
    const int width = area.right - area.left, height = area.bottom - area.top;
    // One copy of the area, then a look at each pixel: far quicker than asking the screen
    // pixel by pixel.
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    bool found = false;
    for (int y = 0; y < height && !found; ++y)
        for (int x = 0; x < width && !found; ++x)
            found = GetPixel(copy, x, y) == colour;
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    return found;
}

} // namespace testing_support
