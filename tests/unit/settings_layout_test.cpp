// The settings window as its description lays it out, built by the real form code.
#include "platform/Forms.h"
#include "ui/ControlIds.h"
#include "ui/SettingsLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool IsLabel(HWND control)
{
    const int id = GetDlgCtrlID(control);
    return id == idLabel1 || id == idLabel2 || id == idLabel3 || id == idLabel4 || id == idLabel6;
}

class SettingsLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!Application)
            Application = new TApplication;
        form = new TForm(Application, SettingsWindowDesc());
    }
    void TearDown() override { delete form; }

    void ShowAndPaint()
    {
        form->Show();
        UpdateWindow(form->Handle());
        MSG msg;
        for (int i = 0; i < 50; ++i) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            Sleep(10);
        }
    }

    COLORREF Pixel(int x, int y)
    {
        HDC dc = GetDC(form->Handle());
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(form->Handle(), dc);
        return c;
    }

    TForm* form = nullptr;
};

TEST_F(SettingsLayout, ClientAreaAndFrame)
{
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 256);
    EXPECT_EQ(client.bottom, 258);
    const LONG style = GetWindowLongA(form->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    char caption[64]{};
    GetWindowTextA(form->Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Portlark v0.2b");
}

TEST_F(SettingsLayout, EveryControlWhereTheDescriptionPutsIt)
{
    struct Expected {
        int id;
        RECT rect;
        const char* caption;
    };
    const Expected table[] = {
        {idPanel1, {0, 0, 256, 25}, "SETTINGS"},
        {idLabel1, {8, 34, 64, 47}, "Favorites:"},
        {idComboBox1, {80, 32, 249, 53}, ""},
        {idLabel2, {8, 66, 43, 79}, "Name:"},
        {idEdit1, {80, 64, 249, 85}, ""},
        {idLabel3, {8, 90, 62, 103}, "IP && Port:"},
        {idEdit2, {80, 88, 249, 109}, ""},
        {idButton5, {80, 112, 113, 137}, "NEW"},
        {idButton2, {135, 112, 168, 137}, "DEL"},
        {idButton1, {192, 112, 249, 137}, "ADD/MOD"},
        {idBevel1, {0, 144, 249, 145}, ""},
        {idLabel4, {8, 155, 48, 168}, "ET exe:"},
        {idEdit3, {79, 152, 248, 173}, ""},
        {idButton4, {216, 176, 249, 193}, "..."},
        {idCheckBox1, {6, 192, 92, 217}, "Quit to Run:"},
        {idButton3, {120, 224, 249, 249}, "OK"},
        {idLabel6, {8, 232, 102, 245}, CreditLine},
    };
    for (const auto& e : table) {
        HWND control = GetDlgItem(form->Handle(), e.id);
        ASSERT_TRUE(control) << e.id;
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(HWND_DESKTOP, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, e.rect.left) << e.id;
        EXPECT_EQ(r.top, e.rect.top) << e.id;
        if (IsLabel(control)) {
            // Labels grow where the font runs wider than the layout's, never shrink.
            EXPECT_GE(r.right, e.rect.right) << e.id;
            EXPECT_GE(r.bottom, e.rect.bottom) << e.id;
        } else {
            EXPECT_EQ(r.right, e.rect.right) << e.id;
            EXPECT_EQ(r.bottom, e.rect.bottom) << e.id;
        }
        char text[128]{};
        GetWindowTextA(control, text, sizeof text);
        EXPECT_STREQ(text, e.caption) << e.id;
    }
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(form->Handle(), idEdit3), GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(form->Handle(), idCheckBox1), GWL_STYLE) & BS_LEFTTEXT);
}

TEST_F(SettingsLayout, TabOrderAndFirstFocus)
{
    const int order[] = {idEdit1,  idEdit2,   idButton1, idComboBox1, idButton2, idButton3,
                         idEdit3,  idButton4, idButton5, idCheckBox1, idEdit1};
    HWND hwnd = form->Handle();
    HWND current = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    for (int id : order) {
        ASSERT_TRUE(current);
        EXPECT_EQ(GetDlgCtrlID(current), id);
        current = GetNextDlgTabItem(hwnd, current, FALSE);
    }
    ShowAndPaint();
    SetForegroundWindow(hwnd);
    SendMessageA(hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), idEdit1);
}

TEST_F(SettingsLayout, Colours)
{
    ShowAndPaint();
    EXPECT_EQ(Pixel(4, 130), RGB(172, 168, 164)); // window
    EXPECT_EQ(Pixel(3, 3), RGB(149, 138, 121));   // heading band
    EXPECT_EQ(Pixel(150, 75), RGB(0, 0, 0));      // an empty edit field
    EXPECT_EQ(Pixel(150, 162), RGB(0, 0, 0));     // the read-only path field
    EXPECT_EQ(Pixel(120, 42), RGB(0, 0, 0));      // the closed drop-down
}

TEST_F(SettingsLayout, DropDownSortsLaterAndSelectsQuietly)
{
    auto* combo = form->Find<TComboBox>("ComboBox1");
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    for (const char* name : {"B", "a", "C"})
        combo->Items().Add(name);
    EXPECT_EQ(combo->Items().Get(0), "B");
    combo->SetItemIndex(0);
    combo->SetSorted(true);
    std::vector<std::string> items;
    for (int i = 0; i < combo->Items().Count(); ++i)
        items.push_back(combo->Items().Get(i));
    EXPECT_EQ(items, (std::vector<std::string>{"a", "B", "C"}));
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->GetText(), "a");
    combo->Items().Add("0 first");
    EXPECT_EQ(combo->Items().Get(0), "0 first");
    EXPECT_EQ(changes, 0);
    // The new window keeps the drop-down's place in the tab order.
    EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(form->Handle(), GetDlgItem(form->Handle(), idButton1),
                                             FALSE)),
              idComboBox1);
}

TEST_F(SettingsLayout, TypingInTheDropDownSelectsByPrefix)
{
    auto* combo = form->Find<TComboBox>("ComboBox1");
    combo->SetSorted(true);
    for (const char* name : {"alpha", "Beta", "bravo", "charlie"})
        combo->Items().Add(name);
    combo->SetItemIndex(0);
    std::vector<std::string> loaded;
    combo->OnChange = [&](TObject*) { loaded.push_back(combo->GetText()); };
    HWND hwnd = combo->Handle();
    SendMessageA(hwnd, WM_CHAR, 'b', 0);
    SendMessageA(hwnd, WM_CHAR, 'R', 0);
    EXPECT_EQ(combo->GetText(), "bravo");
    SendMessageA(hwnd, WM_CHAR, '\b', 0); // back to "b": Beta, loaded again
    EXPECT_EQ(combo->GetText(), "Beta");
    Sleep(600); // a pause starts a new search
    SendMessageA(hwnd, WM_CHAR, 'c', 0);
    EXPECT_EQ(combo->GetText(), "charlie");
    EXPECT_EQ(loaded, (std::vector<std::string>{"Beta", "bravo", "Beta", "charlie"}));
}

TEST(FailureReport, FullStopRule)
{
    const struct {
        const char* message;
        const char* shown;
    } table[] = {
        {"Unable to write to C:\\x\\fav.ini", "Unable to write to C:\\x\\fav.ini."},
        {"", ""},
        {"Done.", "Done."},
        {"Stop!", "Stop!"},
        {"a,", "a,"},
        {"trailing ", "trailing "},
        {"dash-", "dash-"},
        {"slash/", "slash/."},
        {"Out of memory", "Out of memory."},
    };
    for (const auto& row : table)
        EXPECT_EQ(FailureReportText(row.message), row.shown) << row.message;
}

} // namespace
