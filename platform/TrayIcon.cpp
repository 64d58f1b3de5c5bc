// The notification-area icon: its hidden window receives the shell's callbacks and the
// broadcast that the taskbar was made anew.
#include "platform/TrayIcon.h"

#include <shellapi.h>

#include <cstring>

TCoolTrayIcon::TCoolTrayIcon(TComponent* AOwner) : TComponent(AOwner)
{
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    CreateArgs args;
    args.className = TrayIconWindowClass;
    args.style = WS_POPUP;
    CreateHandle(args);
}

TCoolTrayIcon::~TCoolTrayIcon()
{
    if (shown_)
        Notify(NIM_DELETE);
}

std::string TrayTipText(const std::string& hint, bool showHint)
{
    return showHint ? hint.substr(0, 127) : std::string();
}

bool TCoolTrayIcon::Notify(DWORD message)
{
    NOTIFYICONDATAA nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = Handle();
    nid.uID = TrayIconId;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = TrayIconCallbackMessage;
    nid.hIcon = icon_;
    const std::string tip = TrayTipText(hint_, ShowHint);
    std::memcpy(nid.szTip, tip.c_str(), tip.size() + 1);
    return Shell_NotifyIconA(message, &nid) != FALSE;
}

void TCoolTrayIcon::SetIconVisible(bool visible)
{
    iconVisible_ = visible;
    if (visible && !shown_)
        shown_ = Notify(NIM_ADD);
    else if (!visible && shown_)
        shown_ = !Notify(NIM_DELETE);
}

void TCoolTrayIcon::SetIcon(HICON icon)
{
    icon_ = icon;
    if (shown_)
        Notify(NIM_MODIFY);
}

void TCoolTrayIcon::SetHint(const std::string& hint)
{
    hint_ = hint;
    if (shown_)
        Notify(NIM_MODIFY);
}

void TCoolTrayIcon::ShowMainForm()
{
    TForm* form = Application ? Application->MainForm() : nullptr;
    if (!form)
        return;
    if (Application->Minimized())
        Application->Restore();
    if (form->Minimized())
        form->Restore();
    form->Show();
    Application->BringToFront();
}

void TCoolTrayIcon::HideMainForm()
{
    TForm* form = Application ? Application->MainForm() : nullptr;
    if (!form)
        return;
    // The form is its own taskbar entry (the application window is never shown), so hiding
    // the form takes the entry away too.
    form->Hide();
}

void TCoolTrayIcon::Loaded()
{
    bool show = true;
    if (OnStartup)
        OnStartup(this, show);
    if (!show) {
        if (Application)
            Application->ShowMainForm = false;
        HideMainForm();
    }
}

LRESULT TCoolTrayIcon::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == taskbarCreated_) {
        // A new taskbar knows no icons: put ours back if it is meant to be there.
        if (iconVisible_) {
            Notify(NIM_DELETE);
            shown_ = Notify(NIM_ADD);
        }
        return 0;
    }
    if (msg == TrayIconCallbackMessage && wParam == TrayIconId) {
        if (!Enabled)
            return 0;
        switch (static_cast<UINT>(lParam)) {
        case WM_LBUTTONDOWN:
            leftPressed_ = true;
            break;
        case WM_LBUTTONUP:
            if (leftPressed_) {
                leftPressed_ = false;
                if (OnClick)
                    OnClick(this);
            }
            break;
        case WM_RBUTTONDOWN:
            if (PopupMenu && PopupMenu->AutoPopup) {
                POINT at;
                GetCursorPos(&at);
                PopupMenu->Popup(at.x, at.y, Handle());
            }
            break;
        }
        return 0;
    }
    return TWindowHandle::WndProc(msg, wParam, lParam);
}
