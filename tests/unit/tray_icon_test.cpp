// The tray icon component against Wine's real notification area: the icon's presence, the
// mouse on it, its menu and the start-up answer.
#include "platform/Forms.h"
#include "platform/TrayIcon.h"
#include "tests/support/MenuHand.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <memory>

using testing_support::MenuHand;
using testing_support::OpenMenuWindows;
using testing_support::SeenMenu;

namespace {

NOTIFYICONDATAA IconData(HWND window)
{
    NOTIFYICONDATAA nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = window;
    nid.uID = TrayIconId;
    return nid;
}

// Changing nothing about an icon succeeds exactly when the shell has it.
bool IconShown(HWND window)
{
    NOTIFYICONDATAA nid = IconData(window);
    return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

class TrayIcon : public testing::Test {
protected:
    TrayIcon() { tray->SetIcon(LoadIconA(nullptr, IDI_APPLICATION)); }

    HWND window() const { return tray->Handle(); }
    bool shown() const { return IconShown(window()); }
    void Mouse(UINT message)
    {
        SendMessageA(window(), TrayIconCallbackMessage, TrayIconId, message);
    }
    // The shell's announcement of a new taskbar, as the icon's window receives it; sent to
    // that window alone, so that nothing else on the desktop takes it for real.
    void TaskbarCreated()
    {
        SendMessageA(window(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    }

    std::unique_ptr<TCoolTrayIcon> tray = std::make_unique<TCoolTrayIcon>(nullptr);
};

TEST_F(TrayIcon, VisibleAddsTheIconOnceAndRemovesIt)
{
    EXPECT_FALSE(tray->IconVisible());
    EXPECT_FALSE(shown());
    tray->SetIconVisible(true);
    tray->SetIconVisible(true);
    EXPECT_TRUE(tray->IconVisible());
    EXPECT_TRUE(shown());
    tray->SetIconVisible(false);
    EXPECT_FALSE(tray->IconVisible());
    EXPECT_FALSE(shown());
    tray->SetIconVisible(false);
    EXPECT_FALSE(shown());
    tray->SetIconVisible(true);
    EXPECT_TRUE(shown());
}

TEST_F(TrayIcon, GoesWithTheComponent)
{
    tray->SetIconVisible(true);
    const HWND gone = window();
    tray.reset();
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_FALSE(IconShown(gone));
}

TEST_F(TrayIcon, AnIconTheShellRefusedIsAddedWhenAskedAgain)
{
    // The shell refuses a second icon of the same window and id.
    NOTIFYICONDATAA blocker = IconData(window());
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &blocker));
    tray->SetIconVisible(true);
    EXPECT_TRUE(tray->IconVisible()); // still wanted
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &blocker));

    tray->SetIconVisible(true);
    EXPECT_TRUE(shown());
}

TEST_F(TrayIcon, ANewTaskbarGetsTheIconBackOnlyWhenItIsWanted)
{
    TaskbarCreated();
    EXPECT_FALSE(shown());

    tray->SetIconVisible(true);
    NOTIFYICONDATAA nid = IconData(window()); // the old taskbar's icons are lost with it
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &nid));
    TaskbarCreated();
    EXPECT_TRUE(shown());
    TaskbarCreated(); // a taskbar that still has it
    EXPECT_TRUE(shown());

    tray->SetIconVisible(false);
    EXPECT_FALSE(shown());
    TaskbarCreated();
    EXPECT_FALSE(shown());
}

TEST_F(TrayIcon, TheLeftButtonClicksOnReleaseAfterAPressItSaw)
{
    const struct {
        const char* what;
        std::vector<UINT> messages;
        int clicks;
        bool enabled = true;
    } table[] = {
        {"press and release", {WM_LBUTTONDOWN, WM_LBUTTONUP}, 1},
        {"release alone", {WM_LBUTTONUP}, 0},
        {"double click", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, 1},
        {"two clicks", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}, 2},
        {"press held", {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_RBUTTONUP, WM_LBUTTONDOWN}, 0},
        {"other buttons", {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_RBUTTONUP, WM_MOUSEMOVE}, 0},
        {"disabled", {WM_LBUTTONDOWN, WM_LBUTTONUP}, 0, false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        TCoolTrayIcon icon(nullptr);
        icon.Enabled = row.enabled;
        int clicks = 0;
        icon.OnClick = [&](TObject* sender) {
            EXPECT_EQ(sender, &icon);
            ++clicks;
        };
        for (UINT message : row.messages)
            SendMessageA(icon.Handle(), TrayIconCallbackMessage, TrayIconId, message);
        EXPECT_EQ(clicks, row.clicks);
    }
}

TEST_F(TrayIcon, TheRightButtonOpensTheMenuAtThePointer)
{
    TPopupMenu menu(nullptr);
    std::string clicked;
    bool menuOpenAtClick = true;
    for (const char* caption : {"First", "Second"}) {
        auto* item = new TMenuItem(&menu);
        item->Caption = caption;
        item->OnClick = [&, caption](TObject*) {
            clicked += caption;
            menuOpenAtClick = !OpenMenuWindows(GetCurrentThreadId()).empty();
        };
        menu.Items()->Add(item);
    }
    tray->PopupMenu = &menu;
    SetCursorPos(300, 200);
    POINT pointer;
    GetCursorPos(&pointer);

    MenuHand hand(window(), {VK_DOWN, VK_DOWN, VK_RETURN});
    Mouse(WM_RBUTTONDOWN);
    const SeenMenu seen = hand.finish();
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.entries, R"("First" "Second")");
    EXPECT_EQ(seen.rect.left, pointer.x);
    EXPECT_EQ(seen.rect.top, pointer.y);
    EXPECT_EQ(clicked, "Second");
    EXPECT_FALSE(menuOpenAtClick);

    clicked.clear();
    MenuHand cancel(window(), {VK_ESCAPE});
    Mouse(WM_RBUTTONDOWN);
    EXPECT_TRUE(cancel.finish().opened);
    EXPECT_EQ(clicked, "");
}

TEST_F(TrayIcon, NoMenuWithoutOneToOpenOrWhileDisabled)
{
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem(&menu);
    item->Caption = "Entry";
    menu.Items()->Add(item);
    const struct {
        const char* what;
        TPopupMenu* menu;
        bool autoPopup, enabled;
    } table[] = {
        {"no menu", nullptr, true, true},
        {"no automatic popup", &menu, false, true},
        {"disabled", &menu, true, false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        tray->PopupMenu = row.menu;
        menu.AutoPopup = row.autoPopup;
        tray->Enabled = row.enabled;
        MenuHand hand(window(), {VK_ESCAPE});
        Mouse(WM_RBUTTONDOWN); // returns at once when no menu opens
        EXPECT_FALSE(hand.finish().opened);
    }
}

TEST_F(TrayIcon, AFalseStartupAnswerKeepsTheMainFormFromShowing)
{
    if (!Application)
        Application = new TApplication;
    const struct {
        const char* what;
        TStartupEvent handler;
        bool showMainForm;
    } table[] = {
        {"no handler", nullptr, true},
        {"left as it came", [](TObject*, bool&) {}, true},
        {"false", [](TObject*, bool& show) { show = false; }, false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        Application->ShowMainForm = true;
        bool cameAs = false;
        TObject* sender = nullptr;
        tray->OnStartup = [&](TObject* s, bool& show) {
            sender = s;
            cameAs = show;
            if (row.handler)
                row.handler(s, show);
        };
        if (!row.handler)
            tray->OnStartup = nullptr;
        tray->Loaded();
        EXPECT_EQ(Application->ShowMainForm, row.showMainForm);
        if (row.handler) {
            EXPECT_EQ(sender, tray.get());
            EXPECT_TRUE(cameAs);
        }
    }
    Application->ShowMainForm = true;
}

} // namespace
