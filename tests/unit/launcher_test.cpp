// Launching through the real shell-link object and shell, and what cannot go wrong on
// demand there, through the creation seam.
#include "launch/Launcher.h"
#include "platform/Classes.h"
#include "tests/support/Driver.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

using testing_support::TempDir;

namespace {

TEST(WorkingFolder, UpToTheLastSeparator)
{
    const struct {
        const char* path;
        const char* folder;
    } table[] = {
        {"C:\\Games\\ET\\ET.exe", "C:\\Games\\ET\\"},
        {"ET.exe", ""},
        {"D:ET.exe", "D:"},
        {"", ""},
        {"C:\\Games\\", "C:\\Games\\"},
        {"\\\\server\\share\\et.exe", "\\\\server\\share\\"},
        {"C:\\Games\\ET:old\\ET.exe", "C:\\Games\\ET:old\\"},
    };
    for (const auto& row : table)
        EXPECT_EQ(WorkingFolderOf(row.path), row.folder) << row.path;
}

TEST(WorkingFolder, ASecondByteThatLooksLikeABackslashIsNoSeparator)
{
    // In code page 932, 0x95 0x5C is one character whose second byte is "\"; in 1252 the
    // same two bytes are two characters, the second of them a real backslash.
    const struct {
        const char* path;
        UINT codePage;
        const char* folder;
    } table[] = {
        {"C:\\Ga\\\x95\x5C.exe", 932, "C:\\Ga\\"},
        {"C:\\\x95\x5C\\ET.exe", 932, "C:\\\x95\x5C\\"},
        {"C:\\Ga\\\x95\x5C.exe", 1252, "C:\\Ga\\\x95\\"},
        {"C:\\Ga\\\x95", 932, "C:\\Ga\\"}, // a first byte cut off at the end
    };
    for (const auto& row : table)
        EXPECT_EQ(WorkingFolderOf(row.path, row.codePage), row.folder)
            << row.path << " in " << row.codePage;
}

TEST(FailureMessages, TheSystemsWordsOrTheCode)
{
    for (const long code : {static_cast<long>(E_OUTOFMEMORY), static_cast<long>(E_ACCESSDENIED),
                            static_cast<long>(ERROR_FILE_NOT_FOUND)}) {
        const std::string known = EOleSysError::Describe(code);
        ASSERT_FALSE(known.empty()) << code;
        EXPECT_EQ(known.find("OLE error"), std::string::npos) << known;
        const char last = known.back();
        EXPECT_TRUE(last != '.' && last != ' ' && last != '\n' && last != '\r') << known;
    }
    EXPECT_EQ(EOleSysError::Describe(static_cast<long>(0x8ABC0DEFu)), "OLE error 8ABC0DEF");
    EXPECT_EQ(EOleSysError::Describe(0x0000ABCD), "OLE error 0000ABCD");
    EXPECT_EQ(EIntfCastError().Message(), "Interface not supported");
    EXPECT_EQ(EInvalidCast().Message(), "Invalid class typecast");
}

// Closes and remembers every dialog box this process shows, such as an error box the shell
// puts up on its own; unwatched, such a box would block the launch for good.
class BoxWatch {
public:
    BoxWatch()
        : thread_([this] {
              while (!stop_) {
                  for (HWND box : testing_support::WindowsOf(GetCurrentProcessId(), "#32770")) {
                      if (!IsWindowVisible(box))
                          continue;
                      if (std::find(closed_.begin(), closed_.end(), box) == closed_.end()) {
                          char text[256]{};
                          GetWindowTextA(box, text, sizeof text);
                          seen_.push_back(text);
                          closed_.push_back(box);
                      }
                      PostMessageA(box, WM_CLOSE, 0, 0);
                  }
                  Sleep(20);
              }
          })
    {
    }
    ~BoxWatch() { Stop(); }
    BoxWatch(const BoxWatch&) = delete;
    BoxWatch& operator=(const BoxWatch&) = delete;

    // The captions of the boxes seen; the watch ends first.
    const std::vector<std::string>& Stop()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        return seen_;
    }

private:
    std::atomic<bool> stop_{false};
    std::vector<std::string> seen_;
    std::vector<HWND> closed_;
    std::thread thread_;
};

class Launcher : public ::testing::Test {
protected:
    void SetUp() override
    {
        const HRESULT initialised = CoInitialize(nullptr);
        comInitialised = SUCCEEDED(initialised);
        ASSERT_TRUE(comInitialised) << std::hex << initialised;
        CreateDirectoryA(dir.file("game").c_str(), nullptr);
        testing_support::writeFile(
            game, testing_support::readFile(testing_support::BinFolder() + "fakegame\\ET.exe"));
    }
    void TearDown() override
    {
        LauncherCreateInstance = CoCreateInstance;
        // A failure is reported once, by Portlark: never also by a box of the shell's.
        for (const std::string& caption : boxes.Stop())
            ADD_FAILURE() << "a box was shown: " << caption;
        if (comInitialised)
            CoUninitialize();
    }

    // What the fake game wrote: its command line and working folder, a line each.
    std::string Launched() const
    {
        std::string text;
        testing_support::WaitUntil(
            [&] {
                try {
                    text = dir.read("game\\launched.txt");
                } catch (const std::exception&) {
                    text.clear(); // still being written
                }
                return std::count(text.begin(), text.end(), '\n') == 2;
            },
            10000);
        return text;
    }
    bool GameStarted() const
    {
        Sleep(300); // the shell starts the game without waiting for it
        return dir.exists("game\\launched.txt");
    }
    static bool ShortcutLeft()
    {
        return GetFileAttributesA(LaunchShortcutPath().c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    TempDir dir;
    const std::string game = dir.file("game\\ET.exe");
    bool comInitialised = false;
    BoxWatch boxes;
};

TEST_F(Launcher, StartsTheGameConnectedInItsFolderAndLeavesNoShortcut)
{
    // A file of that name from before is simply replaced and removed.
    testing_support::writeFile(LaunchShortcutPath(), "not a shortcut");
    // Twice in a row, the second time with an empty address: the blank after "connect"
    // still reaches the game.
    for (const std::string address : {"1.2.3.4:27960", ""}) {
        SCOPED_TRACE(address);
        DeleteFileA(dir.file("game\\launched.txt").c_str());
        LaunchGame(game, address, nullptr);
        EXPECT_EQ(Launched(),
                  '"' + game + "\"  connect " + address + "\n" + dir.file("game") + "\n");
        EXPECT_FALSE(ShortcutLeft());
    }
}

TEST_F(Launcher, AGameTheShellCannotStartIsReportedInTheSystemsWords)
{
    for (const std::string& missing : {dir.file("nowhere\\ET.exe"), std::string()}) {
        SCOPED_TRACE(missing);
        try {
            LaunchGame(missing, "1.2.3.4:27960", nullptr);
            ADD_FAILURE() << "no failure";
        } catch (const Exception& e) {
            const std::string message = e.Message();
            EXPECT_FALSE(message.empty());
            EXPECT_EQ(message.find("OLE error"), std::string::npos) << message;
            // A description that names the program has it filled in.
            EXPECT_EQ(message.find("%1"), std::string::npos) << message;
        }
        EXPECT_FALSE(ShortcutLeft());
    }
    EXPECT_FALSE(GameStarted());
}

TEST_F(Launcher, AShortcutThatCannotBeWrittenIsReportedAndNotOpened)
{
    // A folder in the shortcut's place: the save is refused, and the shell, were it asked,
    // would open the folder instead.
    const std::string blocker = LaunchShortcutPath();
    ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
    try {
        LaunchGame(game, "1.2.3.4:1", nullptr);
        ADD_FAILURE() << "no failure";
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.Message().find("OLE error"), std::string::npos) << e.Message();
    }
    EXPECT_TRUE(RemoveDirectoryA(blocker.c_str())) << "the folder is no file of ours";
    EXPECT_FALSE(GameStarted());
}

// What the launcher asked the creation for, and a stand-in object that counts its
// references and refuses what it is told to.
struct Creation {
    CLSID clsid{};
    LPUNKNOWN outer = reinterpret_cast<LPUNKNOWN>(1);
    DWORD context = 0;
    IID iid{};
} asked;

void Remember(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid)
{
    asked = {clsid, outer, context, iid};
}

void ExpectAShellLinkWasAskedFor()
{
    EXPECT_TRUE(IsEqualCLSID(asked.clsid, CLSID_ShellLink));
    EXPECT_EQ(asked.outer, nullptr);
    EXPECT_EQ(asked.context, 5u);
    EXPECT_TRUE(IsEqualIID(asked.iid, IID_IUnknown));
}

class FakeObject : public IUnknown {
public:
    explicit FakeObject(REFIID refused) : refused_(refused) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, refused_)) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        // What is granted is this same object, which the launcher must not get to use.
        *out = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }
    int references = 0;

private:
    IID refused_;
};

FakeObject* fake = nullptr;
HRESULT WINAPI HandOutFake(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* out)
{
    Remember(clsid, outer, context, iid);
    fake->AddRef();
    *out = fake;
    return S_OK;
}

TEST_F(Launcher, ARefusedInterfaceStopsEarlyAndReleasesEverything)
{
    for (const IID& refused : {IID_IShellLinkA, IID_IPersistFile}) {
        FakeObject object(refused);
        fake = &object;
        LauncherCreateInstance = HandOutFake;
        asked = {};
        try {
            LaunchGame(game, "1.2.3.4:1", nullptr);
            ADD_FAILURE() << "no failure";
        } catch (const EIntfCastError& e) {
            EXPECT_EQ(e.Message(), "Interface not supported");
        }
        ExpectAShellLinkWasAskedFor();
        EXPECT_EQ(object.references, 0);
        EXPECT_FALSE(ShortcutLeft());
    }
    fake = nullptr;
}

HRESULT WINAPI RefuseCreation(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                              LPVOID* out)
{
    Remember(clsid, outer, context, iid);
    *out = nullptr;
    return REGDB_E_CLASSNOTREG;
}

TEST_F(Launcher, AnObjectThatCannotBeMadeIsReportedBeforeAnythingIsWritten)
{
    LauncherCreateInstance = RefuseCreation;
    asked = {};
    try {
        LaunchGame(game, "1.2.3.4:1", nullptr);
        ADD_FAILURE() << "no failure";
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.ErrorCode(), static_cast<long>(REGDB_E_CLASSNOTREG));
        EXPECT_EQ(e.Message(), EOleSysError::Describe(REGDB_E_CLASSNOTREG));
    }
    ExpectAShellLinkWasAskedFor();
    EXPECT_FALSE(ShortcutLeft());
    EXPECT_FALSE(GameStarted());
}

} // namespace
