// The main road: right-click the tray icon, Favorites, a server, and the game starts.
#include "launch/Launcher.h"
#include "tests/support/Driver.h"
#include "ui/ControlIds.h"

#include <gtest/gtest.h>

using testing_support::Portlark;
using testing_support::WaitUntil;

namespace {

class Launching : public ::testing::Test {
protected:
    void Start(const std::string& favorites, bool quit, const std::string& gamePath = {})
    {
        p.dir().write("fav.ini", favorites);
        const std::string path = gamePath.empty() ? p.gamePath() : gamePath;
        // A start in the tray needs a game that exists; another path is put in by hand.
        p.dir().write("settings.ini", "[path]\r\netexe=" + p.gamePath() + "\r\n[start]\r\nexit=" +
                                          (quit ? "1" : "0") + "\r\n");
        p.start();
        ASSERT_TRUE(WaitUntil([&] { return p.iconShown(); }));
        if (path != p.gamePath())
            p.setText(idEdit3, path);
    }
    std::vector<std::string> WaitForGame()
    {
        WaitUntil([&] { return p.gameLaunch().size() == 2; });
        return p.gameLaunch();
    }
    // The command line the game sees: its quoted path, the shell's separating blank, and
    // the arguments exactly as the shortcut holds them.
    std::string CommandLine(const std::string& arguments) const
    {
        std::string line(1, '"');
        line += p.gamePath();
        line += "\" ";
        line += arguments;
        return line;
    }

    Portlark p{{}, true};
};

TEST_F(Launching, AFavoriteStartsTheGameConnectedInItsFolderAndQuits)
{
    Start("[Kyx-Clan]\r\nname=Kyx-Clan\r\nipport=1.2.3.4:27960\r\n", true);
    p.chooseTrayMenu({0, 0});
    const auto launch = WaitForGame();
    ASSERT_EQ(launch.size(), 2u);
    EXPECT_EQ(launch[0], CommandLine(" connect 1.2.3.4:27960"));
    EXPECT_EQ(launch[1] + "\\", p.dir().file("game\\"));
    EXPECT_EQ(p.waitExit(), 0u);
    EXPECT_FALSE(p.iconShown());
    EXPECT_EQ(GetFileAttributesA(LaunchShortcutPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Launching, UntickedPortlarkStaysInTheTray)
{
    Start("[B]\r\nipport=192.0.2.2:1\r\n[a]\r\nipport=192.0.2.1:1\r\n[C]\r\nipport=192.0.2.3:1\r\n",
          false);
    // The submenu follows the file's order until the list is rebuilt: the third is C.
    p.chooseTrayMenu({0, 2});
    auto launch = WaitForGame();
    ASSERT_EQ(launch.size(), 2u);
    EXPECT_EQ(launch[0], CommandLine(" connect 192.0.2.3:1"));
    p.settle();
    EXPECT_TRUE(p.running());
    EXPECT_TRUE(p.iconShown());
    EXPECT_EQ(GetFileAttributesA(LaunchShortcutPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Launching, AnEntryWithoutAnAddressConnectsToNothing)
{
    Start("[bare]\r\nname=bare\r\n", false);
    p.chooseTrayMenu({0, 0});
    const auto launch = WaitForGame();
    ASSERT_EQ(launch.size(), 2u);
    EXPECT_EQ(launch[0], CommandLine(" connect "));
}

TEST_F(Launching, AMissingGameIsReportedAndPortlarkStays)
{
    Start("[Kyx-Clan]\r\nipport=1.2.3.4:27960\r\n", true, "C:\\nowhere\\ET.exe");
    p.chooseTrayMenu({0, 0});
    HWND box = p.waitMessageBox("Portlark v0.2b");
    ASSERT_TRUE(box);
    EXPECT_FALSE(Portlark::messageText(box).empty());
    Portlark::pressOk(box);
    p.settle();
    EXPECT_TRUE(p.running());
    EXPECT_TRUE(p.iconShown());
    EXPECT_TRUE(p.gameLaunch().empty());
    EXPECT_EQ(GetFileAttributesA(LaunchShortcutPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
