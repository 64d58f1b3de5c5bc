#include "platform/Dialogs.h"

#include "platform/Forms.h"

#include <commctrl.h>
#include <commdlg.h>

#include <string>

namespace {

// How long the chosen file's full path would be: the typed name alone when it is absolute,
// otherwise joined to the folder the dialog shows.
size_t FullLength(const std::string& folder, std::string name)
{
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = name.substr(1, name.size() - 2);
    const bool unc = name.rfind("\\\\", 0) == 0;
    const bool drive = name.size() >= 2 && name[1] == ':';
    if (unc || drive)
        return name.size();
    if (!name.empty() && name[0] == '\\')
        return 2 + name.size(); // the folder's drive, then the name
    const bool separated = !folder.empty() && folder.back() == '\\';
    return folder.size() + (separated ? 0 : 1) + name.size();
}

std::string DialogText(HWND dialog, UINT message)
{
    std::string text(32768, '\0');
    const LRESULT length = SendMessageA(dialog, message, static_cast<WPARAM>(text.size()),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(length > 0 ? std::char_traits<char>::length(text.c_str()) : 0);
    return text;
}

// A path that cannot fit the result area ends the dialog as if cancelled. Checked before the
// dialog itself sees OK, because some implementations copy the path into a fixed area of that
// size first and fail badly when it does not fit.
LRESULT CALLBACK RefuseLongPaths(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR)
{
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
        const std::string name = DialogText(dialog, CDM_GETSPEC);
        const std::string folder = DialogText(dialog, CDM_GETFOLDERPATH);
        if (FullLength(folder, name) > MAX_PATH - 1)
            return DefSubclassProc(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    if (msg == WM_NCDESTROY)
        RemoveWindowSubclass(dialog, RefuseLongPaths, id);
    return DefSubclassProc(dialog, msg, wParam, lParam);
}

// Placed on the monitor of the program's window, centred across and a third of the way down.
void Place(HWND dialog)
{
    HWND anchor =
        Application && Application->MainForm() ? Application->MainForm()->Handle() : nullptr;
    HMONITOR monitor = anchor ? MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST)
                              : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    RECT r;
    GetWindowRect(dialog, &r);
    const RECT& m = info.rcMonitor;
    const int left = m.left + ((m.right - m.left) - (r.right - r.left)) / 2;
    const int top = m.top + ((m.bottom - m.top) - (r.bottom - r.top)) / 3;
    SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The hook is a child of the explorer-style dialog; the dialog itself is its parent.
UINT_PTR CALLBACK Hook(HWND hook, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE) {
        HWND dialog = GetParent(hook);
        Place(dialog);
        SetWindowSubclass(dialog, RefuseLongPaths, 1, 0);
    }
    return 0;
}

} // namespace

bool TOpenDialog::Execute()
{
    // The system wants the pairs separated and ended by null characters.
    std::string filter = Filter;
    for (char& c : filter)
        if (c == '|')
            c = '\0';
    filter.append(2, '\0');

    char file[MAX_PATH]{};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Application ? Application->Handle() : nullptr;
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_ENABLEHOOK;
    ofn.lpfnHook = Hook;

    auto show = [&] { return GetOpenFileNameA(&ofn) != FALSE; };
    if (!(Application ? Application->Modal(show) : show()))
        return false; // cancelled, or a path too long for the area
    FileName = file;
    return true;
}
