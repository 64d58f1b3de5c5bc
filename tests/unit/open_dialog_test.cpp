// The file-open dialog against the system's real one: a helper thread finds it while Execute
// waits, looks at it, types a name into it and closes it the way the user would.
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "tests/support/Driver.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <commdlg.h>
#include <dlgs.h>

#include <functional>
#include <string>
#include <thread>

using testing_support::TempDir;
using testing_support::WaitUntil;

namespace {

// What the helper saw while the dialog was open.
struct Seen {
    bool found = false;
    bool closed = false; // by the button the helper pressed
    HWND owner = nullptr;
    RECT rect{};
    std::string fileType; // the selected entry of the file-type box
    std::string folder;   // the folder the dialog showed
    bool otherEnabled = true;
};

// The visible top-level dialog of a thread.
HWND FindDialog(DWORD thread)
{
    HWND found = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND hwnd, LPARAM out) -> BOOL {
            char cls[16]{};
            GetClassNameA(hwnd, cls, sizeof cls);
            if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(hwnd))
                return TRUE;
            *reinterpret_cast<HWND*>(out) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Makes a text from the folder the dialog shows.
using FromFolder = std::function<std::string(const std::string&)>;

std::string WithoutSlash(std::string folder)
{
    if (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

class OpenDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!Application)
            Application = new TApplication;
        // A window of the program, which must be disabled while the dialog is open.
        other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                                100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(other);
        SetActiveWindow(other);
        dialog.Filter = "Enemy Territory executable (ET.exe)|ET.exe|Everything|*.*";
        dialog.FileName = "before";
        dir.write("ET.exe", "game");
    }
    void TearDown() override { DestroyWindow(other); }

    // Runs Execute while the helper types the text made from the dialog's folder into the
    // name box and presses the button.
    bool Run(const FromFolder& typed, int button)
    {
        const DWORD thread = GetCurrentThreadId();
        std::thread helper([&] {
            HWND box = nullptr;
            if (!WaitUntil([&] { return (box = FindDialog(thread)) != nullptr; }, 10000))
                return;
            seen.found = true;
            seen.owner = GetWindow(box, GW_OWNER);
            GetWindowRect(box, &seen.rect);
            seen.otherEnabled = IsWindowEnabled(other) != FALSE;
            HWND types = GetDlgItem(box, cmb1);
            char type[256]{};
            const LRESULT index = SendMessageA(types, CB_GETCURSEL, 0, 0);
            if (index >= 0)
                SendMessageA(types, CB_GETLBTEXT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(type));
            seen.fileType = type;
            char folder[MAX_PATH]{};
            SendMessageA(box, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
            seen.folder = WithoutSlash(folder);

            HWND name = GetDlgItem(box, cmb13) ? GetDlgItem(box, cmb13) : GetDlgItem(box, edt1);
            const std::string text = typed(seen.folder);
            SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            seen.closed = WaitUntil([&] { return !IsWindow(box); }, 3000);
            if (!seen.closed) // so that a dialog that stays open fails the test, not hangs it
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
        const bool accepted = dialog.Execute();
        helper.join();
        return accepted;
    }

    TOpenDialog dialog{nullptr};
    HWND other = nullptr;
    Seen seen;
    TempDir dir;
};

TEST_F(OpenDialog, BelongsToTheApplicationAndHoldsTheWholeProgramUntilClosed)
{
    const std::string game = dir.file("ET.exe");
    EXPECT_TRUE(Run([&](const std::string&) { return game; }, IDOK));
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.closed);
    EXPECT_EQ(dialog.FileName, game);

    EXPECT_EQ(seen.owner, Application->Handle());
    EXPECT_EQ(seen.fileType, "Enemy Territory executable (ET.exe)");
    EXPECT_FALSE(seen.otherEnabled);
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_EQ(GetActiveWindow(), other);

    // With no main form, on the primary monitor: centred across, a third of the room above.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& m = monitor.rcMonitor;
    const RECT& r = seen.rect;
    EXPECT_EQ(r.left, m.left + ((m.right - m.left) - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, m.top + ((m.bottom - m.top) - (r.bottom - r.top)) / 3);
}

TEST_F(OpenDialog, AnyAcceptedNameComesBackAsAFullPath)
{
    // Names relative to the folder the dialog shows, and what they must come back as.
    const struct {
        const char* what;
        FromFolder typed, expected;
    } cases[] = {
        {"an existing file", [&](auto&) { return dir.file("ET.exe"); },
         [&](auto&) { return dir.file("ET.exe"); }},
        {"a file that does not exist", [&](auto&) { return dir.file("missing.exe"); },
         [&](auto&) { return dir.file("missing.exe"); }},
        {"a bare name", [](auto&) { return std::string("ET.exe"); },
         [](auto& folder) { return folder + "\\ET.exe"; }},
        {"in a folder that does not exist", [](auto&) { return std::string("nosuch\\ET.exe"); },
         [](auto& folder) { return folder + "\\nosuch\\ET.exe"; }},
        {"a detour", [](auto&) { return std::string("nosuch\\..\\ET.exe"); },
         [](auto& folder) { return folder + "\\ET.exe"; }},
        {"a full path of 259 characters",
         [&](auto&) { return dir.path() + std::string(259 - dir.path().size(), 'y'); },
         [&](auto&) { return dir.path() + std::string(259 - dir.path().size(), 'y'); }},
        {"a name that makes 259 characters in its folder",
         [](auto& folder) { return std::string(259 - folder.size() - 1, 'y'); },
         [](auto& folder) { return folder + "\\" + std::string(259 - folder.size() - 1, 'y'); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        seen = {};
        dialog.FileName = "before";
        EXPECT_TRUE(Run(c.typed, IDOK));
        ASSERT_TRUE(seen.found);
        EXPECT_TRUE(seen.closed);
        EXPECT_EQ(dialog.FileName, c.expected(seen.folder));
    }
}

TEST_F(OpenDialog, CancelAndPathsTooLongLeaveTheNameAsItWas)
{
    const struct {
        const char* what;
        FromFolder typed;
        int button;
    } cases[] = {
        {"cancel", [&](auto&) { return dir.file("ET.exe"); }, IDCANCEL},
        {"a full path of 260 characters",
         [&](auto&) { return dir.path() + std::string(260 - dir.path().size(), 'x'); }, IDOK},
        {"a full path of 300 characters",
         [&](auto&) { return dir.path() + std::string(300 - dir.path().size(), 'x'); }, IDOK},
        {"a name that makes 260 characters in its folder",
         [](auto& folder) { return std::string(260 - folder.size() - 1, 'x'); }, IDOK},
        {"a path from the drive's root of 260 characters",
         [](auto&) { return "\\" + std::string(257, 'x'); }, IDOK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        seen = {};
        EXPECT_FALSE(Run(c.typed, c.button));
        ASSERT_TRUE(seen.found);
        EXPECT_TRUE(seen.closed);
        EXPECT_EQ(dialog.FileName, "before");
        EXPECT_TRUE(IsWindowEnabled(other));
    }
}

} // namespace
