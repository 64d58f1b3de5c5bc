// A small program that looks to the test driver like Portlark: a settings window of the same
// class and caption with controls of the same identifiers, a hidden application window that
// owns its message boxes, a tray icon with the same menu. It writes what reaches it to
// events.txt beside itself, so the driver's own tests can see what each driver call did.
//
// standin.ini beside it, section [start], shapes a run:
//   tray=1         start hidden with the tray icon shown, else with the window open
//   favorites=a,b  entries of the favorites list and of the Favorites submenu
//   box=text       report a failure with this text while starting, before the window shows
//   delay=ms       wait before making any window
//   early=code     end with this code before making any window
//   exitcode=n     the code of every other way out (0 when missing)
//   endsession=n   the answer to the end-of-session query (1 when missing)
#include "platform/TrayIcon.h"
#include "ui/ControlIds.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* Caption = "Portlark v0.2b";
constexpr COLORREF Background = RGB(172, 168, 164);
constexpr COLORREF Swatch = RGB(0, 128, 255);
constexpr RECT SwatchRect{20, 230, 40, 250}; // client coordinates
constexpr UINT FavoriteCommand = 100, SettingsCommand = 2, ExitCommand = 3;

std::string folder;
HWND app, form, tray;
HBRUSH background;
HMENU trayMenu;
std::vector<std::string> favorites;
int exitCode;

std::string Setting(const char* key, const char* fallback = "")
{
    char value[512]{};
    GetPrivateProfileStringA("start", key, fallback, value, sizeof value,
                             (folder + "standin.ini").c_str());
    return value;
}

void Log(const std::string& line)
{
    if (FILE* f = std::fopen((folder + "events.txt").c_str(), "ab")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

std::string TextOf(HWND hwnd)
{
    char text[512]{};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

bool SetIcon(DWORD message)
{
    NOTIFYICONDATAA nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = tray;
    nid.uID = TrayIconId;
    nid.uFlags = NIF_MESSAGE | NIF_ICON;
    nid.uCallbackMessage = TrayIconCallbackMessage;
    nid.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION
    return Shell_NotifyIconA(message, &nid) != FALSE;
}

void Restore()
{
    ShowWindow(form, SW_SHOW);
    SetForegroundWindow(form);
    SetIcon(NIM_DELETE);
}

void HideToTray()
{
    ShowWindow(form, SW_HIDE);
    SetIcon(NIM_ADD);
}

// As Portlark does: the box belongs to the hidden application window, and the settings
// window is disabled while it shows.
int Box(const std::string& text, const char* caption, UINT flags)
{
    EnableWindow(form, FALSE);
    const int answer = MessageBoxA(app, text.c_str(), caption, flags);
    EnableWindow(form, TRUE);
    Log("box " + std::to_string(answer));
    return answer;
}

void Quit()
{
    SetIcon(NIM_DELETE);
    DestroyWindow(form);
}

void OnCommand(int id, int code, HWND control)
{
    if (code == CBN_SELCHANGE) {
        const auto index = SendMessageA(control, CB_GETCURSEL, 0, 0);
        char item[256]{};
        SendMessageA(control, CB_GETLBTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(item));
        Log("selchange " + std::to_string(index));
        SetWindowTextA(GetDlgItem(form, idEdit1), item); // the favorite is loaded
        return;
    }
    if (code != BN_CLICKED)
        return;
    if (id == idCheckBox1) {
        Log("check " + std::to_string(SendMessageA(control, BM_GETCHECK, 0, 0)));
        return;
    }
    Log("click " + std::to_string(id));
    if (id == idButton3)
        Box(TextOf(GetDlgItem(form, idEdit1)), Caption, MB_OK | MB_ICONSTOP);
    else if (id == idButton1)
        Box("Careful!", "Warning!", MB_OK);
    else if (id == idButton2)
        Sleep(4000); // busy: answers nothing for a while
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH swatch = CreateSolidBrush(Swatch);
        FillRect(dc, &SwatchRect, swatch);
        DeleteObject(swatch);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_CLOSE:
        Log("close");
        HideToTray();
        return 0;
    case WM_QUERYENDSESSION: {
        Log("queryendsession");
        return std::stoi(Setting("endsession", "1"));
    }
    case WM_ENDSESSION:
        Log("endsession " + std::to_string(wParam));
        if (wParam)
            Quit();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(exitCode);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK TrayProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == TrayIconCallbackMessage) {
        if (lParam == WM_LBUTTONUP)
            Restore();
        else if (lParam == WM_RBUTTONDOWN) {
            POINT at;
            GetCursorPos(&at);
            SetForegroundWindow(hwnd);
            TrackPopupMenu(trayMenu, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr);
            PostMessageA(hwnd, WM_NULL, 0, 0);
        }
        return 0;
    }
    if (msg == WM_COMMAND) {
        const UINT id = LOWORD(wParam);
        if (id >= FavoriteCommand && id < FavoriteCommand + favorites.size())
            Log("menu " + favorites[id - FavoriteCommand]);
        else if (id == SettingsCommand) {
            Log("menu Settings");
            Restore();
        } else if (id == ExitCommand) {
            Log("menu Exit");
            Quit();
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND Control(const char* cls, const char* text, DWORD style, int id, int x, int y, int w, int h)
{
    HWND hwnd =
        CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, form,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return hwnd;
}

void MakeWindows()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = ApplicationWindowClass;
    RegisterClassA(&wc);
    app = CreateWindowExA(0, ApplicationWindowClass, Caption, WS_POPUP, 0, 0, 0, 0, nullptr,
                          nullptr, nullptr, nullptr);

    wc.lpfnWndProc = TrayProc;
    wc.lpszClassName = TrayIconWindowClass;
    RegisterClassA(&wc);
    tray = CreateWindowExA(0, TrayIconWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           nullptr, nullptr);

    background = CreateSolidBrush(Background);
    wc.lpfnWndProc = FormProc;
    wc.lpszClassName = SettingsWindowClass;
    wc.hbrBackground = background;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    RegisterClassA(&wc);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT frame{0, 0, 256, 258};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    form = CreateWindowExA(WS_EX_DLGMODALFRAME, SettingsWindowClass, Caption, style, 100, 100,
                           frame.right - frame.left, frame.bottom - frame.top, app, nullptr,
                           nullptr, nullptr);

    HWND combo = Control("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, idComboBox1,
                         80, 32, 169, 200);
    for (const auto& name : favorites)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    Control("EDIT", "", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, idEdit1, 80, 64, 169, 21);
    Control("EDIT", "", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, idEdit2, 80, 88, 169, 21);
    Control("BUTTON", "NEW", BS_PUSHBUTTON | WS_TABSTOP, idButton5, 80, 112, 33, 25);
    Control("BUTTON", "DEL", BS_PUSHBUTTON | WS_TABSTOP, idButton2, 135, 112, 33, 25);
    Control("BUTTON", "ADD/MOD", BS_PUSHBUTTON | WS_TABSTOP, idButton1, 192, 112, 57, 25);
    Control("BUTTON", "Quit to Run:", BS_AUTOCHECKBOX | BS_LEFTTEXT | WS_TABSTOP, idCheckBox1, 6,
            192, 86, 25);
    Control("BUTTON", "OK", BS_PUSHBUTTON | WS_TABSTOP, idButton3, 120, 224, 129, 25);
    Control("STATIC", "hidden", 0, idLabel6, 8, 160, 40, 13);
    ShowWindow(GetDlgItem(form, idLabel6), SW_HIDE);

    trayMenu = CreatePopupMenu();
    HMENU submenu = CreatePopupMenu();
    for (UINT i = 0; i < favorites.size(); ++i)
        AppendMenuA(submenu, MF_STRING, FavoriteCommand + i, favorites[i].c_str());
    if (favorites.empty())
        AppendMenuA(submenu, MF_STRING, 0, "");
    AppendMenuA(trayMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), "Favorites");
    AppendMenuA(trayMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(trayMenu, MF_STRING, SettingsCommand, "Settings");
    AppendMenuA(trayMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(trayMenu, MF_STRING, ExitCommand, "Exit");
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char exe[MAX_PATH]{};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    folder = exe;
    folder.erase(folder.find_last_of('\\') + 1);
    char cwd[MAX_PATH]{};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    Log(std::string("cwd ") + cwd);

    if (const std::string early = Setting("early"); !early.empty())
        return std::stoi(early);
    Sleep(static_cast<DWORD>(std::stoi(Setting("delay", "0"))));
    exitCode = std::stoi(Setting("exitcode", "0"));
    std::istringstream names(Setting("favorites"));
    for (std::string name; std::getline(names, name, ',');)
        favorites.push_back(name);

    MakeWindows();
    if (const std::string failure = Setting("box"); !failure.empty())
        Box(failure, Caption, MB_OK | MB_ICONSTOP);
    if (Setting("tray") == "1")
        HideToTray();
    else
        Restore();

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
