// Choosing the game with the system's real file-open dialog.
#include "tests/support/Driver.h"
#include "ui/ControlIds.h"

#include <gtest/gtest.h>

#include <dlgs.h>

using testing_support::Portlark;
using testing_support::WaitUntil;

namespace {

class Browsing : public ::testing::Test {
protected:
    void SetUp() override
    {
        p.start();
        ASSERT_TRUE(WaitUntil([&] { return p.windowVisible(); }));
        p.click(idButton4);
        dialog = p.waitMessageBox();
        ASSERT_TRUE(dialog);
    }
    // The file name box of an explorer-style dialog.
    HWND NameBox() const
    {
        HWND box = GetDlgItem(dialog, cmb13);
        return box ? box : GetDlgItem(dialog, edt1);
    }

    Portlark p{{}, true};
    HWND dialog = nullptr;
};

TEST_F(Browsing, AnAcceptedFileGoesIntoThePathField)
{
    EXPECT_FALSE(p.windowEnabled());
    RECT r;
    GetWindowRect(dialog, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 3);

    SendMessageA(NameBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(p.gamePath().c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return p.text(idEdit3) == p.gamePath(); }));
    EXPECT_TRUE(WaitUntil([&] { return p.windowEnabled(); }));
    EXPECT_FALSE(p.dir().exists("settings.ini")); // chosen, not saved
}

TEST_F(Browsing, ANameThatDoesNotExistIsTakenToo)
{
    const std::string typed = p.dir().file("not-there.exe");
    SendMessageA(NameBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return p.text(idEdit3) == typed; }));
}

TEST_F(Browsing, CancelChangesNothing)
{
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return p.windowEnabled(); }));
    EXPECT_EQ(p.text(idEdit3), "");
}

} // namespace
