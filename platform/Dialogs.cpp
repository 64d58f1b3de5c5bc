#include "platform/Dialogs.h"

#include "platform/Forms.h"

#include <commdlg.h>

namespace {

// Placed on the monitor of the program's window, centred across and a third of the way down.
UINT_PTR CALLBACK PlaceDialog(HWND hook, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE) {
        HWND dialog = GetParent(hook);
        HWND anchor = Application && Application->MainForm() ? Application->MainForm()->Handle()
                                                               : nullptr;
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
    ofn.lpfnHook = PlaceDialog;

    auto show = [&] { return GetOpenFileNameA(&ofn) != FALSE; };
    // A path too long for the area ends the dialog as if cancelled.
    const bool accepted = Application ? Application->Modal(show) : show();
    if (!accepted)
        return false;
    FileName = file;
    return true;
}
