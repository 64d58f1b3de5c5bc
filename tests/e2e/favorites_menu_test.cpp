// The tray's Favorites submenu: which entries it holds, in which order, and when it changes.
#include "tests/support/Driver.h"
#include "ui/ControlIds.h"

#include <gtest/gtest.h>

using testing_support::Portlark;
using testing_support::WaitUntil;

namespace {

// Each favorite's address names it, so the launched game tells which entry was chosen.
const char* const BaC = "[B]\r\nname=B\r\nipport=b:1\r\n[a]\r\nname=a\r\nipport=a:1\r\n"
                        "[C]\r\nname=C\r\nipport=c:1\r\n";

class FavoritesMenu : public ::testing::Test {
protected:
    void Start(const std::string& favorites)
    {
        p.dir().write("fav.ini", favorites);
        p.dir().write("settings.ini", "[path]\r\netexe=" + p.gamePath() + "\r\n");
        p.start();
        ASSERT_TRUE(WaitUntil([&] { return p.iconShown(); }));
    }
    // Chooses the k-th favorite and returns the address the game was started with, or ""
    // when nothing started.
    std::string Launch(int k)
    {
        DeleteFileA(p.dir().file("game\\launched.txt").c_str());
        p.chooseTrayMenu({0, k});
        if (!WaitUntil([&] { return p.gameLaunch().size() == 2; }, 3000))
            return {};
        const std::string line = p.gameLaunch()[0];
        return line.substr(line.rfind(" connect ") + 9);
    }
    void OpenAndOk()
    {
        p.leftClickIcon();
        ASSERT_TRUE(WaitUntil([&] { return p.windowVisible(); }));
        p.click(idButton3);
        ASSERT_TRUE(WaitUntil([&] { return p.iconShown() && !p.windowVisible(); }));
    }

    Portlark p{{}, true};
};

TEST_F(FavoritesMenu, FileOrderAtStartSortedAfterARebuild)
{
    Start(BaC);
    EXPECT_EQ(Launch(0), "b:1");
    EXPECT_EQ(Launch(1), "a:1");
    EXPECT_EQ(Launch(2), "c:1");
    OpenAndOk(); // OK rebuilds the submenu from the list, which is sorted by now
    EXPECT_EQ(Launch(0), "a:1");
    EXPECT_EQ(Launch(1), "b:1");
    EXPECT_EQ(Launch(2), "c:1");
}

TEST_F(FavoritesMenu, TheFileIsReadAgainOnlyAtARebuild)
{
    Start("[a]\r\nname=a\r\nipport=old:1\r\n");
    p.dir().write("fav.ini", "[a]\r\nname=a\r\nipport=new:2\r\n");
    EXPECT_EQ(Launch(0), "old:1");
    OpenAndOk();
    EXPECT_EQ(Launch(0), "new:2");
}

TEST_F(FavoritesMenu, AfterTheLastFavoriteIsDeletedNothingCanBeLaunched)
{
    Start("[a]\r\nname=a\r\nipport=a:1\r\n");
    p.leftClickIcon();
    ASSERT_TRUE(WaitUntil([&] { return p.windowVisible(); }));
    p.click(idButton2);
    ASSERT_TRUE(WaitUntil([&] { return p.comboItems().empty(); }));
    PostMessageA(p.window(), WM_CLOSE, 0, 0); // a game path is known: back to the tray
    ASSERT_TRUE(WaitUntil([&] { return p.iconShown(); }));
    EXPECT_EQ(Launch(0), "");
    EXPECT_TRUE(p.running());
}

TEST_F(FavoritesMenu, WithoutFavoritesTheSubmenuHoldsOneInertEntry)
{
    Start("");
    EXPECT_EQ(Launch(0), "");
    EXPECT_TRUE(p.running());
    EXPECT_TRUE(p.iconShown());
}

TEST_F(FavoritesMenu, AddingPutsTheNewFavoriteInItsPlace)
{
    Start(BaC);
    p.leftClickIcon();
    ASSERT_TRUE(WaitUntil([&] { return p.windowVisible(); }));
    p.setText(idEdit1, "b2");
    p.setText(idEdit2, "b2:1");
    p.click(idButton1);
    ASSERT_TRUE(WaitUntil([&] { return p.comboItems().size() == 4; }));
    PostMessageA(p.window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return p.iconShown(); }));
    EXPECT_EQ(Launch(2), "b2:1"); // a, B, b2, C
}

} // namespace
