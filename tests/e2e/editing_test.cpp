// Editing favorites and saving the settings in the settings window, as a user does.
#include "tests/support/Driver.h"
#include "ui/ControlIds.h"

#include <gtest/gtest.h>

using testing_support::Portlark;
using testing_support::WaitUntil;
using Files = std::map<std::string, std::string>;

namespace {

class Editing : public ::testing::Test {
protected:
    void Start(const std::string& favorites)
    {
        if (!favorites.empty())
            p.dir().write("fav.ini", favorites);
        p.start();
        ASSERT_TRUE(WaitUntil([&] { return p.windowVisible(); }));
    }
    void Type(const std::string& name, const std::string& address)
    {
        p.setText(idEdit1, name);
        p.setText(idEdit2, address);
    }
    void Click(int id)
    {
        p.click(id);
        p.settle();
    }
    bool FieldsEmpty() { return p.text(idEdit1).empty() && p.text(idEdit2).empty(); }

    Portlark p{{}, true};
};

TEST_F(Editing, AddShowsTheFirstFavoriteAndEmptyFields)
{
    Start("[Bravo]\r\nname=Bravo\r\nipport=192.0.2.2:27960\r\n");
    Type("Zulu", "192.0.2.26:27960");
    Click(idButton1);
    EXPECT_TRUE(WaitUntil([&] { return p.comboItems().size() == 2; }));
    EXPECT_EQ(p.comboItems(), (std::vector<std::wstring>{L"Bravo", L"Zulu"}));
    EXPECT_EQ(p.comboText(), L"Bravo");
    EXPECT_TRUE(FieldsEmpty());
    EXPECT_EQ(p.dir().read("fav.ini"), "[Bravo]\r\nname=Bravo\r\nipport=192.0.2.2:27960\r\n"
                                       "[Zulu]\r\nname=Zulu\r\nipport=192.0.2.26:27960\r\n");
}

TEST_F(Editing, SavingAnExistingNameReplacesItsAddress)
{
    Start("[Kyx-Clan]\r\nname=Kyx-Clan\r\nipport=192.0.2.1:27960\r\n");
    p.pickCombo(0);
    EXPECT_EQ(p.text(idEdit1), "Kyx-Clan");
    EXPECT_EQ(p.text(idEdit2), "192.0.2.1:27960");
    p.setText(idEdit2, "192.0.2.9:27961");
    Click(idButton1);
    EXPECT_TRUE(WaitUntil([&] { return FieldsEmpty(); }));
    EXPECT_EQ(p.comboItems(), (std::vector<std::wstring>{L"Kyx-Clan"}));
    EXPECT_EQ(p.dir().read("fav.ini"), "[Kyx-Clan]\r\nname=Kyx-Clan\r\nipport=192.0.2.9:27961\r\n");
}

TEST_F(Editing, DeleteRemovesTheShownFavoriteWithoutAsking)
{
    Start("[b]\r\nname=b\r\nipport=2\r\n[a]\r\nname=a\r\nipport=1\r\n");
    Type("typed", "kept until delete");
    Click(idButton2); // the drop-down shows "a", the first in sorted order
    EXPECT_TRUE(WaitUntil([&] { return p.comboItems().size() == 1; }));
    EXPECT_EQ(p.comboText(), L"b");
    EXPECT_TRUE(FieldsEmpty());
    Click(idButton2);
    EXPECT_TRUE(WaitUntil([&] { return p.comboItems().empty(); }));
    EXPECT_EQ(p.comboSelection(), -1);
    // With nothing left, DEL asks to delete the favorite with the empty name: harmless.
    Click(idButton2);
    EXPECT_TRUE(p.running());
    EXPECT_TRUE(p.comboItems().empty());
    EXPECT_EQ(p.dir().read("fav.ini").find("name="), std::string::npos);
}

TEST_F(Editing, NewClearsTheFieldsOnly)
{
    Start("[a]\r\nname=a\r\nipport=1\r\n[b]\r\nname=b\r\nipport=2\r\n");
    p.pickCombo(1);
    EXPECT_EQ(p.text(idEdit1), "b");
    Click(idButton5);
    EXPECT_TRUE(FieldsEmpty());
    EXPECT_EQ(p.comboText(), L"b");
}

TEST_F(Editing, TypingInTheDropDownPicksAndLoads)
{
    Start("[alpha]\r\nname=alpha\r\nipport=1\r\n[Beta]\r\nname=Beta\r\nipport=2\r\n"
          "[bravo]\r\nname=bravo\r\nipport=3\r\n");
    p.typeInto(idComboBox1, "br");
    EXPECT_EQ(p.comboText(), L"bravo");
    EXPECT_EQ(p.text(idEdit2), "3");
    p.setText(idEdit2, "edited");
    p.typeInto(idComboBox1, "\b");
    EXPECT_EQ(p.comboText(), L"Beta");
    EXPECT_EQ(p.text(idEdit2), "2");
}

TEST_F(Editing, PickingAFavoriteGoneFromTheFileKeepsTheFields)
{
    Start("[a]\r\nname=a\r\nipport=1\r\n");
    p.dir().write("fav.ini", "");
    Type("mine", "also mine");
    p.pickCombo(0);
    EXPECT_EQ(p.text(idEdit1), "mine");
    EXPECT_EQ(p.text(idEdit2), "also mine");
}

TEST_F(Editing, RefusedWritesLeaveEverythingAsItWas)
{
    Start("[a]\r\nname=a\r\nipport=1\r\n");
    DeleteFileA(p.dir().file("fav.ini").c_str());
    CreateDirectoryA(p.dir().file("fav.ini").c_str(), nullptr);
    Type("new", "192.0.2.3:27960");
    for (int button : {idButton1, idButton2}) {
        p.click(button);
        HWND box = p.waitMessageBox("Portlark v0.2b");
        ASSERT_TRUE(box);
        EXPECT_EQ(Portlark::messageText(box), "Unable to write to " + p.dir().file("fav.ini") + ".");
        EXPECT_FALSE(p.windowEnabled());
        Portlark::pressOk(box);
        EXPECT_TRUE(WaitUntil([&] { return p.windowEnabled(); }));
        EXPECT_EQ(p.text(idEdit1), "new");
        EXPECT_EQ(p.text(idEdit2), "192.0.2.3:27960");
        EXPECT_EQ(p.comboItems(), (std::vector<std::wstring>{L"a"}));
    }
}

TEST_F(Editing, OkWithoutAPathWarnsAndSavesNothing)
{
    Start("");
    SendMessageA(p.control(idCheckBox1), BM_SETCHECK, BST_CHECKED, 0);
    p.click(idButton3);
    HWND box = p.waitMessageBox("Warning!");
    ASSERT_TRUE(box);
    EXPECT_EQ(Portlark::messageText(box), "Enemy Territory executable path empty!");
    EXPECT_FALSE(p.windowEnabled());
    Portlark::pressOk(box);
    EXPECT_TRUE(WaitUntil([&] { return p.windowEnabled(); }));
    EXPECT_TRUE(p.windowVisible());
    EXPECT_FALSE(p.dir().exists("settings.ini"));
    PostMessageA(p.window(), WM_CLOSE, 0, 0); // still ends: no path was saved
    EXPECT_EQ(p.waitExit(), 0u);
}

TEST_F(Editing, OkWithAPathSavesAndGoesToTheTray)
{
    Start("");
    p.setText(idEdit3, p.gamePath());
    SendMessageA(p.control(idCheckBox1), BM_SETCHECK, BST_CHECKED, 0);
    Type("unsaved", "text");
    Click(idButton3);
    EXPECT_TRUE(WaitUntil([&] { return !p.windowVisible() && p.iconShown(); }));
    EXPECT_EQ(p.dir().read("settings.ini"),
              "[path]\r\netexe=" + p.gamePath() + "\r\n[start]\r\nexit=1\r\n");
    p.leftClickIcon();
    EXPECT_TRUE(WaitUntil([&] { return p.windowVisible(); }));
    EXPECT_EQ(p.text(idEdit1), "unsaved");
    // From now on closing only hides the window.
    PostMessageA(p.window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !p.windowVisible() && p.iconShown(); }));
    EXPECT_TRUE(p.running());
}

TEST_F(Editing, TheCreditsLabelLightsUpUnderThePointer)
{
    Start("");
    HWND label = p.control(idLabel6);
    RECT r;
    GetWindowRect(label, &r);
    MapWindowPoints(HWND_DESKTOP, p.window(), reinterpret_cast<POINT*>(&r), 2);
    auto textIsWhite = [&] { return p.anyPixel(r, RGB(255, 255, 255)); };
    EXPECT_FALSE(textIsWhite());
    PostMessageA(label, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(WaitUntil(textIsWhite));
    PostMessageA(label, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !textIsWhite(); }));
}

} // namespace

namespace {

TEST(Session, FromNothingToAGameInOneSitting)
{
    Portlark p({}, true);
    p.start();
    ASSERT_TRUE(WaitUntil([&] { return p.windowVisible(); }));

    // Browse to the game.
    p.click(idButton4);
    HWND dialog = p.waitMessageBox();
    ASSERT_TRUE(dialog);
    HWND name = GetDlgItem(dialog, 0x47C);
    if (!name)
        name = GetDlgItem(dialog, 0x480);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(p.gamePath().c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return p.text(idEdit3) == p.gamePath(); }));

    // Tick "Quit to Run:" as a user does, then OK.
    PostMessageA(p.control(idCheckBox1), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return p.checked(idCheckBox1); }));
    p.click(idButton3);
    ASSERT_TRUE(WaitUntil([&] { return p.iconShown() && !p.windowVisible(); }));
    EXPECT_EQ(p.dir().read("settings.ini"),
              "[path]\r\netexe=" + p.gamePath() + "\r\n[start]\r\nexit=1\r\n");

    // Back in the window: two favorites.
    p.leftClickIcon();
    ASSERT_TRUE(WaitUntil([&] { return p.windowVisible(); }));
    for (auto [server, address] : {std::pair{"Zeta", "192.0.2.26:27960"},
                                   std::pair{"Alpha", "192.0.2.1:27960"}}) {
        p.setText(idEdit1, server);
        p.setText(idEdit2, address);
        const size_t before = p.comboItems().size();
        p.click(idButton1);
        ASSERT_TRUE(WaitUntil([&] { return p.comboItems().size() == before + 1; }));
    }
    PostMessageA(p.window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return p.iconShown(); }));

    // Launch the second: Zeta.
    p.chooseTrayMenu({0, 1});
    ASSERT_TRUE(WaitUntil([&] { return p.gameLaunch().size() == 2; }));
    const std::string line = p.gameLaunch()[0];
    const std::string expected = " connect 192.0.2.26:27960";
    ASSERT_GE(line.size(), expected.size());
    EXPECT_EQ(line.substr(line.size() - expected.size()), expected);
    EXPECT_EQ(p.waitExit(), 0u);
    EXPECT_FALSE(p.iconShown());
}

TEST(Session, ARefusedSaveOnOkKeepsTheWindowAndTheFlag)
{
    Portlark p({}, true);
    CreateDirectoryA(p.dir().file("settings.ini").c_str(), nullptr);
    p.start();
    // Forgetting the path at start-up is refused too; that report comes first.
    if (HWND first = p.waitMessageBox("Portlark v0.2b"))
        Portlark::pressOk(first);
    ASSERT_TRUE(WaitUntil([&] { return p.windowVisible(); }));
    p.setText(idEdit3, p.gamePath());
    p.click(idButton3);
    HWND box = p.waitMessageBox("Portlark v0.2b");
    ASSERT_TRUE(box);
    EXPECT_EQ(Portlark::messageText(box), "Unable to write to " + p.dir().file("settings.ini") + ".");
    Portlark::pressOk(box);
    EXPECT_TRUE(WaitUntil([&] { return p.windowEnabled(); }));
    EXPECT_TRUE(p.windowVisible());
    EXPECT_FALSE(p.iconShown());
    // The close-exits flag is still set: closing ends Portlark.
    PostMessageA(p.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(p.waitExit(), 0u);
}

} // namespace
