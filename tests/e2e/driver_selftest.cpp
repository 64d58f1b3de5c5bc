// The driver itself, tried on a stand-in that looks like Portlark from outside and writes down
// what reaches it (tests/support/standins/standin.cpp).
#include "tests/support/Driver.h"
#include "ui/ControlIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>

using testing_support::BinFolder;
using testing_support::Portlark;
using testing_support::Screenshot;
using testing_support::WaitUntil;

namespace {

constexpr COLORREF Background = RGB(172, 168, 164);
constexpr COLORREF Swatch = RGB(0, 128, 255); // painted at (20, 230)-(40, 250)

// A stand-in run shaped by the [start] settings given, one "key=value" a line.
class StandIn : public Portlark {
public:
    explicit StandIn(const std::string& settings, bool withGame = false)
        : Portlark({{"standin.ini", "[start]\r\n" + settings}}, withGame, "standins\\standin.exe")
    {
    }
    std::vector<std::string> events() const
    {
        std::vector<std::string> lines;
        std::istringstream in(dir().read("events.txt"));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    bool saw(const std::string& event) const
    {
        const auto all = events();
        return std::find(all.begin(), all.end(), event) != all.end();
    }
    bool waitFor(const std::string& event) const
    {
        return WaitUntil([&] { return saw(event); });
    }
};

// The message of what the call throws, empty when it throws nothing.
template <typename Call> std::string Failure(Call call)
{
    try {
        call();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

std::string Click(int id) { return "click " + std::to_string(id); }

TEST(DriverStart, RunsACopyFromAnotherFolderWithItsFiles)
{
    StandIn p("delay=700\r\n", true);
    p.dir().write("fav.ini", "[a]\r\n");
    p.start();
    ASSERT_TRUE(p.window());
    char caption[64]{};
    GetWindowTextA(p.window(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Portlark v0.2b");
    EXPECT_TRUE(p.appWindow());
    EXPECT_TRUE(WaitUntil([&] { return p.windowVisible(); }));
    std::string started = BinFolder();
    started.pop_back(); // the working folder: the test's, not the program's own
    EXPECT_EQ(p.events().at(0), "cwd " + started);
    EXPECT_TRUE(p.dir().exists("portlark.exe"));
    EXPECT_TRUE(p.dir().exists("game\\ET.exe"));
    EXPECT_EQ(p.dir().read("fav.ini"), "[a]\r\n");
}

TEST(DriverStart, FailsClearlyWhenTheWindowNeverComes)
{
    StandIn ended("early=3\r\n");
    EXPECT_EQ(Failure([&] { ended.start(); }),
              "portlark.exe ended with code 3 before it made its settings window");
    EXPECT_EQ(ended.waitExit(), 3u);

    StandIn slow("delay=3000\r\n");
    EXPECT_EQ(Failure([&] { slow.start(300); }),
              "portlark.exe made no settings window within 300 ms");
    EXPECT_TRUE(slow.running());
}

TEST(DriverEnd, ExitCodesAndWhatIsLeftRunning)
{
    DWORD leftRunning = 0;
    {
        StandIn p("exitcode=7\r\n");
        p.start();
        EXPECT_EQ(p.waitExit(100), static_cast<DWORD>(STILL_ACTIVE));
        leftRunning = p.processId();
    }
    // The driver ended the program it left running.
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, leftRunning);
    if (process) {
        EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0);
        CloseHandle(process);
    }

    StandIn p("exitcode=7\r\ntray=1\r\n");
    p.start();
    p.chooseTrayMenu({2}); // Exit
    EXPECT_EQ(p.waitExit(), 7u);
    EXPECT_TRUE(p.saw("menu Exit"));
    EXPECT_FALSE(p.iconShown());
}

TEST(DriverControls, TextsPlacesAndVisibility)
{
    StandIn p("");
    p.start();
    p.setText(idEdit1, "Kyx-Clan");
    EXPECT_EQ(p.text(idEdit1), "Kyx-Clan");
    EXPECT_EQ(p.text(idButton1), "ADD/MOD");
    const RECT client = p.clientRect();
    EXPECT_EQ(client.right, 256);
    EXPECT_EQ(client.bottom, 258);
    const RECT edit = p.controlRect(idEdit1);
    const RECT expected{80, 64, 249, 85};
    EXPECT_TRUE(EqualRect(&edit, &expected));
    const RECT outer = p.windowRect();
    EXPECT_GT(outer.right - outer.left, 256);
    EXPECT_TRUE(p.visible(idEdit1));
    EXPECT_FALSE(p.visible(idLabel6));
    EXPECT_FALSE(p.control(9999));
    EXPECT_EQ(Failure([&] { p.text(9999); }),
              "portlark.exe has no control 9999 in a settings window");
}

TEST(DriverControls, ClicksAndTicksReachTheHandlers)
{
    StandIn p("");
    p.start();
    p.click(idButton5);
    EXPECT_TRUE(p.waitFor(Click(idButton5)));
    p.tick(idCheckBox1);
    EXPECT_TRUE(p.checked(idCheckBox1));
    p.tick(idCheckBox1); // already ticked: no click
    p.tick(idCheckBox1, false);
    EXPECT_FALSE(p.checked(idCheckBox1));
    auto events = p.events();
    events.erase(events.begin()); // the working folder
    EXPECT_EQ(events, (std::vector<std::string>{Click(idButton5), "check 1", "check 0"}));
}

TEST(DriverControls, PickingAnEntryIsTheUsersSelectionChange)
{
    std::string many;
    for (int i = 100; i < 140; ++i)
        many += std::to_string(i) + ",";
    const struct {
        std::string favorites;
        int pick;
        std::wstring text;
    } table[] = {
        {"alpha,beta,gamma", 2, L"gamma"},
        {"alpha,beta,gamma", 0, L"alpha"},
        {many, 37, L"137"}, // below the list's end: scrolled into view first
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.pick);
        StandIn p("favorites=" + row.favorites + "\r\n");
        p.start();
        if (row.pick == 0)
            p.pickCombo(1); // so that picking the first is a change
        p.pickCombo(row.pick);
        EXPECT_EQ(p.comboSelection(), row.pick);
        EXPECT_EQ(p.comboText(), row.text);
        EXPECT_TRUE(p.saw("selchange " + std::to_string(row.pick)));
        EXPECT_EQ(p.text(idEdit1), std::string(row.text.begin(), row.text.end()));
    }
    StandIn p("favorites=alpha,beta,gamma\r\n");
    p.start();
    EXPECT_EQ(p.comboItems(), (std::vector<std::wstring>{L"alpha", L"beta", L"gamma"}));
    EXPECT_EQ(Failure([&] { p.pickCombo(3); }), "the drop-down has no entry 3 of 3");
}

TEST(DriverControls, TypingAndKeys)
{
    StandIn p("");
    p.start();
    p.typeInto(idEdit2, "192.0.2.1:27960");
    EXPECT_EQ(p.text(idEdit2), "192.0.2.1:27960");
    p.clickInto(idEdit1);
    EXPECT_EQ(p.focus(), p.control(idEdit1));
    p.pressKeys({'E', 'T', 'X', VK_BACK, '2', VK_LEFT, VK_LEFT, VK_DELETE});
    EXPECT_TRUE(WaitUntil([&] { return p.text(idEdit1) == "e2"; })) << p.text(idEdit1);
}

TEST(DriverControls, ABusyProgramFailsTheCallInsteadOfHangingIt)
{
    StandIn p("");
    p.start();
    p.click(idButton2); // its handler takes four seconds
    ASSERT_TRUE(p.waitFor(Click(idButton2)));
    EXPECT_EQ(Failure([&] { p.text(idEdit1); }),
              "no answer to message 0xd within 2000 ms: the program is busy or gone");
}

TEST(DriverTray, TheIconAndItsMenu)
{
    StandIn p("tray=1\r\nfavorites=a,b,c\r\n");
    p.start();
    EXPECT_FALSE(p.windowVisible());
    ASSERT_TRUE(WaitUntil([&] { return p.iconShown(); }));
    for (const auto& [path, event] : {std::pair{std::vector<int>{0, 2}, "menu c"},
                                      std::pair{std::vector<int>{0, 0}, "menu a"}}) {
        p.chooseTrayMenu(path);
        EXPECT_TRUE(p.waitFor(event));
    }
    ASSERT_TRUE(p.openTrayMenu());
    p.closeTrayMenu();
    EXPECT_FALSE(p.trayMenuOpen());
    EXPECT_EQ(Failure([&] {
                  p.chooseTrayMenu({1, 0});
              }),
              "entry 1 at level 0 of the tray menu opened no submenu");
    EXPECT_FALSE(p.trayMenuOpen());
    EXPECT_EQ(p.events().size(), 3u); // nothing chosen by the last two

    p.chooseTrayMenu({1}); // Settings
    EXPECT_TRUE(p.waitFor("menu Settings"));
    EXPECT_TRUE(WaitUntil([&] { return p.windowVisible() && !p.iconShown(); }));
    p.close();
    EXPECT_TRUE(WaitUntil([&] { return !p.windowVisible() && p.iconShown(); }));
    p.leftClickIcon();
    EXPECT_TRUE(WaitUntil([&] { return p.windowVisible() && !p.iconShown(); }));
}

TEST(DriverMessageBoxes, ReadAndAnswered)
{
    StandIn p("box=Unable to write to x.\r\n");
    p.start(); // returns while the box shows
    HWND box = p.waitMessageBox("Portlark v0.2b");
    ASSERT_TRUE(box);
    EXPECT_EQ(Portlark::messageText(box), "Unable to write to x.");
    EXPECT_EQ(Portlark::buttonsOf(box), std::vector<std::string>{"OK"});
    EXPECT_TRUE(Portlark::hasIcon(box));
    EXPECT_TRUE(Portlark::hasIcon(box, IDI_HAND));
    EXPECT_FALSE(Portlark::hasIcon(box, IDI_EXCLAMATION));
    EXPECT_FALSE(p.windowEnabled());
    Portlark::pressOk(box);
    EXPECT_TRUE(p.waitFor("box 1"));
    EXPECT_TRUE(WaitUntil([&] { return p.windowEnabled(); }));

    p.click(idButton1);
    HWND warning = p.waitMessageBox("Warning!");
    ASSERT_TRUE(warning);
    EXPECT_FALSE(Portlark::hasIcon(warning));
    EXPECT_FALSE(p.waitMessageBox("Portlark v0.2b", 200));
    Portlark::pressOk(warning);
    EXPECT_TRUE(WaitUntil([&] { return !p.waitMessageBox({}, 0); }));
}

TEST(DriverSession, TheEndOfTheSession)
{
    StandIn refusing("endsession=0\r\n");
    refusing.start();
    EXPECT_EQ(refusing.queryEndSession(), 0);
    refusing.endSession(false);
    EXPECT_TRUE(refusing.waitFor("endsession 0"));
    EXPECT_TRUE(refusing.running());

    StandIn p("exitcode=5\r\n");
    p.start();
    EXPECT_EQ(p.queryEndSession(), 1);
    p.endSession();
    EXPECT_EQ(p.waitExit(), 5u);
    EXPECT_TRUE(p.saw("endsession 1"));
}

TEST(DriverScreen, PixelsInClientCoordinates)
{
    StandIn p("");
    p.start();
    ASSERT_TRUE(WaitUntil([&] { return p.pixel(30, 240) == Swatch; }));
    EXPECT_EQ(p.pixel(19, 240), Background);
    const Screenshot shot = p.screenshot();
    EXPECT_EQ(shot.width(), 256);
    EXPECT_EQ(shot.height(), 258);
    EXPECT_EQ(shot.pixel(20, 230), Swatch);
    EXPECT_EQ(shot.pixel(39, 249), Swatch);
    EXPECT_EQ(shot.pixel(40, 249), Background);
    EXPECT_EQ(shot.pixel(256, 0), CLR_INVALID);
    EXPECT_TRUE(shot.contains(Swatch));
    EXPECT_FALSE(shot.contains(RGB(1, 2, 3)));
    const Screenshot swatch = p.screenshot({20, 230, 40, 250});
    EXPECT_EQ(swatch.width(), 20);
    EXPECT_EQ(swatch.pixel(0, 0), Swatch);
    EXPECT_FALSE(swatch.contains(Background));

    shot.saveBmp(p.dir().file("shot.bmp"));
    const std::string bmp = p.dir().read("shot.bmp");
    ASSERT_EQ(bmp.size(), 54u + 256u * 258u * 4u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    // Bottom row first: row 258 - 1 - 230 holds the swatch from x = 20.
    const size_t at = 54 + (257 - 230) * 256 * 4 + 20 * 4;
    EXPECT_EQ(bmp.substr(at, 3), std::string("\xFF\x80\x00", 3)); // blue, green, red
    EXPECT_EQ(Failure([&] { shot.saveBmp(p.dir().file("no\\such\\folder.bmp")); }),
              "cannot write " + p.dir().file("no\\such\\folder.bmp"));
}

} // namespace
