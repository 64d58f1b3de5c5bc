// Small rules of the platform layer that the end-to-end tests cannot see from outside.
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/TrayIcon.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

TEST(TrayTip, CutToWhatTheShellHoldsAndOnlyWhenShown)
{
    const std::string long200(200, 'h');
    EXPECT_EQ(TrayTipText("", true), "");
    EXPECT_EQ(TrayTipText("Portlark", true), "Portlark");
    EXPECT_EQ(TrayTipText("Portlark", false), "");
    EXPECT_EQ(TrayTipText(long200, true), std::string(127, 'h'));
}

TEST(Menus, ItemsLeaveTheirParentWhenDestroyedAndGoWithTheirOwner)
{
    int destroyed = 0;
    struct Counted : TMenuItem {
        Counted(TComponent* owner, int& count) : TMenuItem(owner), count_(count) {}
        ~Counted() override { ++count_; }
        int& count_;
    };
    auto* menu = new TPopupMenu(nullptr);
    auto* sub = new TMenuItem(menu);
    menu->Items()->Add(sub);
    for (int i = 0; i < 3; ++i)
        sub->Add(new Counted(menu, destroyed));
    delete sub->Items(2);
    EXPECT_EQ(sub->Count(), 2);
    EXPECT_EQ(destroyed, 1);
    delete menu; // owns the rest
    EXPECT_EQ(destroyed, 3);
}

TEST(Hints, AControlsHintCanChangeAndShowsAsItsOwnTooltip)
{
    if (!Application)
        Application = new TApplication;
    static const TFormDesc desc{"THintTest", "t", 100, 50, clWhite, TFont{}, false,
                                {{TControlKind::Edit, "E", 7, 0, 0, 100, 21, "", "first", 0}}};
    TForm form(Application, desc);
    auto* edit = form.Find<TEdit>("E");
    HWND tips = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM out) -> BOOL {
            char cls[32]{};
            GetClassNameA(hwnd, cls, sizeof cls);
            if (lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0)
                *reinterpret_cast<HWND*>(out) = hwnd;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tips));
    ASSERT_TRUE(tips);
    EXPECT_EQ(SendMessageA(tips, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    EXPECT_EQ(SendMessageA(tips, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2500);
    auto tipText = [&] {
        char text[256]{};
        TOOLINFOA ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = form.Handle();
        ti.uId = reinterpret_cast<UINT_PTR>(edit->Handle());
        ti.lpszText = text;
        SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
        return std::string(text);
    };
    EXPECT_EQ(tipText(), "first");
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText("C:\\Games\\ET\\ET.exe");
    edit->SetText("C:\\Games\\ET\\ET.exe"); // the same text again is no change
    EXPECT_EQ(changes, 1);
    edit->SetHint(edit->GetText());
    EXPECT_EQ(tipText(), "C:\\Games\\ET\\ET.exe");
}

} // namespace
