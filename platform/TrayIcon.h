// An icon in the notification area with a popup menu, click and start-up events, and the
// operations that show and hide the application's main form.
#pragma once

#include "platform/Classes.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/Window.h"

#include <windows.h>

#include <string>

using TStartupEvent = std::function<void(TObject* Sender, bool& ShowMainForm)>;

// The icon's identity as the shell knows it: window class of its hidden window, icon id and
// callback message. Fixed, so that tests can find the icon as the shell does.
constexpr const char* TrayIconWindowClass = "PlatformTrayIconWindow";
constexpr UINT TrayIconId = 1;
constexpr UINT TrayIconCallbackMessage = WM_APP + 1;

// The icon's tooltip: the hint cut to what the shell holds, and nothing while the hint is
// empty or not to be shown.
std::string TrayTipText(const std::string& hint, bool showHint);

class TCoolTrayIcon : public TComponent, public TLoadable, public TWindowHandle {
public:
    explicit TCoolTrayIcon(TComponent* AOwner);
    ~TCoolTrayIcon() override; // removes the icon from the notification area

    bool IconVisible() const { return iconVisible_; }
    void SetIconVisible(bool visible);
    HICON Icon() const { return icon_; }
    void SetIcon(HICON icon);
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint = true;
    bool Enabled = true;

    TPopupMenu* PopupMenu = nullptr;
    TNotifyEvent OnClick;
    TStartupEvent OnStartup;

    void ShowMainForm(); // restores and shows the main form and brings it to the front
    void HideMainForm(); // hides the main form

    // Raises OnStartup; a false answer stops the application from showing its main form.
    void Loaded() override;

private:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool Notify(DWORD message);

    HICON icon_ = nullptr;
    std::string hint_;
    bool iconVisible_ = false; // wanted
    bool shown_ = false;       // what the shell accepted
    bool leftPressed_ = false;
    UINT taskbarCreated_ = 0;
};
