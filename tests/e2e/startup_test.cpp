// Start-up, the two visibility states and every way Portlark ends, on the real program.
#include "tests/support/Driver.h"
#include "ui/ControlIds.h"

#include <gtest/gtest.h>

using testing_support::Portlark;
using testing_support::WaitUntil;
using Files = std::map<std::string, std::string>;

namespace {

std::string Settings(const std::string& path, const char* exitValue = "0")
{
    return "[path]\r\netexe=" + path + "\r\n[start]\r\nexit=" + exitValue + "\r\n";
}

TEST(Startup, AValidGamePathStartsInTheTray)
{
    Portlark p({}, true);
    const std::string settings = Settings(p.gamePath(), "1");
    p.dir().write("settings.ini", settings);
    p.start();
    EXPECT_FALSE(p.windowVisible());
    EXPECT_TRUE(WaitUntil([&] { return p.iconShown(); }));
    EXPECT_EQ(p.text(idEdit3), p.gamePath());
    EXPECT_TRUE(p.checked(idCheckBox1));
    EXPECT_EQ(p.dir().read("settings.ini"), settings);
}

TEST(Startup, WithoutAUsableGamePathTheWindowOpensAndThePathIsForgotten)
{
    const struct {
        const char* what;
        const char* settings; // nullptr: no file
        bool quit;
    } table[] = {
        {"no settings.ini", nullptr, false},
        {"a missing game", "[path]\r\netexe=C:\\nowhere\\ET.exe\r\nother=x\r\n[start]\r\nexit=1\r\n", true},
        {"a folder", "[start]\r\nexit=1\r\n[path]\r\netexe=C:\\windows\r\n", true},
        {"an empty path", "[path]\r\netexe=\r\n[start]\r\nexit=true\r\n", false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        std::map<std::string, std::string> files;
        if (row.settings)
            files["settings.ini"] = row.settings;
        Portlark p(files);
        p.start();
        EXPECT_TRUE(WaitUntil([&] { return p.windowVisible(); }));
        EXPECT_FALSE(p.iconShown());
        EXPECT_EQ(p.text(idEdit3), "");
        EXPECT_EQ(p.checked(idCheckBox1), row.quit);
        const std::string after = p.dir().read("settings.ini");
        EXPECT_EQ(after.find("[path]"), std::string::npos);
        EXPECT_EQ(after.find("etexe"), std::string::npos);
        if (row.settings)
            EXPECT_NE(after.find("[start]"), std::string::npos);
        else
            EXPECT_FALSE(p.dir().exists("settings.ini"));
        // Without a game path, closing the window ends Portlark.
        PostMessageA(p.window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(p.waitExit(), 0u);
    }
}

TEST(Startup, FavoritesInFileOrderUntilTheListIsSorted)
{
    Portlark p(Files{{"fav.ini", "[B]\r\nipport=1\r\n[a]\r\nipport=2\r\n[C]\r\nipport=3\r\n"}});
    p.start();
    EXPECT_EQ(p.comboItems(), (std::vector<std::wstring>{L"a", L"B", L"C"}));
    EXPECT_EQ(p.comboText(), L"a");
    EXPECT_EQ(p.text(idEdit1), ""); // selected, not loaded
    EXPECT_EQ(p.text(idEdit2), "");
}

TEST(Startup, AFailureWhileCreatingIsReportedAndStartUpGoesOn)
{
    Portlark p(Files{{"fav.ini", "[B]\r\nipport=1\r\n[a]\r\nipport=2\r\n"}});
    // A folder in the file's place: the path reads as missing, and forgetting it is refused.
    CreateDirectoryA(p.dir().file("settings.ini").c_str(), nullptr);
    p.start();
    HWND box = p.waitMessageBox("Portlark v0.2b");
    ASSERT_TRUE(box);
    EXPECT_EQ(Portlark::messageText(box),
              "Unable to write to " + p.dir().file("settings.ini") + ".");
    Portlark::pressOk(box);
    EXPECT_TRUE(WaitUntil([&] { return p.windowVisible(); }));
    // The stages after the failure did not run: nothing selected, the file's order kept.
    EXPECT_EQ(p.comboSelection(), -1);
    EXPECT_EQ(p.comboItems(), (std::vector<std::wstring>{L"B", L"a"}));
    PostMessageA(p.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(p.waitExit(), 0u);
}

class InTheTray : public ::testing::Test {
protected:
    void SetUp() override
    {
        p.dir().write("settings.ini", Settings(p.gamePath()));
        p.start();
        ASSERT_TRUE(WaitUntil([&] { return p.iconShown(); }));
        settings = p.dir().read("settings.ini");
    }
    void ExpectOpen()
    {
        EXPECT_TRUE(WaitUntil([&] { return p.windowVisible(); }));
        EXPECT_TRUE(WaitUntil([&] { return !p.iconShown(); }));
    }
    void ExpectInTray()
    {
        EXPECT_TRUE(WaitUntil([&] { return !p.windowVisible(); }));
        EXPECT_TRUE(WaitUntil([&] { return p.iconShown(); }));
    }
    void ExpectEndedCleanly()
    {
        EXPECT_EQ(p.waitExit(), 0u);
        EXPECT_EQ(p.dir().read("settings.ini"), settings);
        EXPECT_FALSE(p.dir().exists("fav.ini"));
    }

    Portlark p{{}, true};
    std::string settings;
};

TEST_F(InTheTray, LeftClickOpensAndCloseHidesAgain)
{
    p.leftClickIcon();
    ExpectOpen();
    EXPECT_EQ(GetForegroundWindow(), p.window());
    PostMessageA(p.window(), WM_CLOSE, 0, 0);
    ExpectInTray();
    EXPECT_TRUE(p.running());
}

TEST_F(InTheTray, ShownAgainTheWindowStaysWhereTheUserLeftIt)
{
    p.leftClickIcon();
    ExpectOpen();
    SetWindowPos(p.window(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(p.window(), WM_CLOSE, 0, 0);
    ExpectInTray();
    p.leftClickIcon();
    ExpectOpen();
    RECT r;
    GetWindowRect(p.window(), &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
}

TEST_F(InTheTray, AReleaseWithoutAPressDoesNothing)
{
    p.postTray(WM_LBUTTONUP);
    p.postTray(WM_MOUSEMOVE);
    p.postTray(WM_RBUTTONUP);
    p.settle();
    EXPECT_FALSE(p.windowVisible());
    EXPECT_TRUE(p.iconShown());
}

TEST_F(InTheTray, ADoubleClickOpensOnce)
{
    p.postTray(WM_LBUTTONDOWN);
    p.postTray(WM_LBUTTONUP);
    p.postTray(WM_LBUTTONDBLCLK);
    p.postTray(WM_LBUTTONUP);
    ExpectOpen();
}

TEST_F(InTheTray, SettingsInTheMenuOpens)
{
    p.chooseTrayMenu({1});
    ExpectOpen();
}

TEST_F(InTheTray, ExitEndsAtOnce)
{
    p.chooseTrayMenu({2});
    ExpectEndedCleanly();
}

TEST_F(InTheTray, TheIconComesBackWithANewTaskbar)
{
    NOTIFYICONDATAA nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = p.trayWindow();
    nid.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &nid));
    ASSERT_FALSE(p.iconShown());
    PostMessageA(p.trayWindow(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return p.iconShown(); }));
}

TEST_F(InTheTray, TheSessionEndsWithoutHidingOrAsking)
{
    p.leftClickIcon();
    ExpectOpen();
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(p.window(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 2000,
                                    &answer));
    EXPECT_EQ(answer, 1u);
    EXPECT_TRUE(p.windowVisible()); // not hidden to the tray
    SendMessageTimeoutA(p.window(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 2000, nullptr);
    ExpectEndedCleanly();
}

TEST_F(InTheTray, ACancelledSessionEndChangesNothing)
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(p.window(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 2000, &answer);
    EXPECT_EQ(answer, 1u);
    SendMessageTimeoutA(p.window(), WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 2000, nullptr);
    p.settle();
    EXPECT_TRUE(p.running());
    EXPECT_TRUE(p.iconShown());
}

TEST(Window, LaidOutAsDesigned)
{
    Portlark p;
    p.start();
    ASSERT_TRUE(WaitUntil([&] { return p.windowVisible(); }));
    RECT client;
    GetClientRect(p.window(), &client);
    EXPECT_EQ(client.right, 256);
    EXPECT_EQ(client.bottom, 258);
    RECT outer;
    GetWindowRect(p.window(), &outer);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2);
    const struct {
        int id;
        RECT rect;
        const char* caption;
    } controls[] = {
        {idComboBox1, {80, 32, 249, 53}, ""},      {idEdit1, {80, 64, 249, 85}, ""},
        {idEdit2, {80, 88, 249, 109}, ""},         {idButton5, {80, 112, 113, 137}, "NEW"},
        {idButton2, {135, 112, 168, 137}, "DEL"},  {idButton1, {192, 112, 249, 137}, "ADD/MOD"},
        {idEdit3, {79, 152, 248, 173}, ""},        {idButton4, {216, 176, 249, 193}, "..."},
        {idCheckBox1, {6, 192, 92, 217}, "Quit to Run:"}, {idButton3, {120, 224, 249, 249}, "OK"},
        {idPanel1, {0, 0, 256, 25}, "SETTINGS"},
    };
    for (const auto& c : controls) {
        RECT r;
        GetWindowRect(p.control(c.id), &r);
        MapWindowPoints(HWND_DESKTOP, p.window(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(EqualRect(&r, &c.rect)) << c.id << ": " << r.left << "," << r.top << ","
                                            << r.right << "," << r.bottom;
        EXPECT_EQ(p.text(c.id), c.caption);
    }
    Sleep(200);
    EXPECT_EQ(p.pixel(4, 130), RGB(172, 168, 164));
    EXPECT_EQ(p.pixel(3, 3), RGB(149, 138, 121));
    EXPECT_EQ(p.pixel(150, 80), RGB(0, 0, 0));
    EXPECT_EQ(p.pixel(120, 47), RGB(0, 0, 0));
}

TEST(Window, TheDroppedListIsBlackToo)
{
    Portlark p(Files{{"fav.ini", "[a]\r\n[b]\r\n"}});
    p.start();
    ASSERT_TRUE(WaitUntil([&] { return p.windowVisible(); }));
    SendMessageA(p.control(idComboBox1), CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND w : testing_support::WindowsOf(p.processId(), "ComboLBox"))
            if (IsWindowVisible(w))
                list = w;
        return list != nullptr;
    }));
    Sleep(200);
    RECT r;
    GetClientRect(list, &r);
    POINT bottom{r.right - 4, r.bottom - 2}; // below the two entries
    ClientToScreen(list, &bottom);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, bottom.x, bottom.y), RGB(0, 0, 0));
    ReleaseDC(nullptr, screen);
    SendMessageA(p.control(idComboBox1), CB_SHOWDROPDOWN, FALSE, 0);
}

} // namespace
