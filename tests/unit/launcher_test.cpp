// Launching through the real shell-link object and shell, and what cannot go wrong on
// demand there, through the creation seam.
#include "launch/Launcher.h"
#include "platform/Classes.h"
#include "tests/support/Driver.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>

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
    };
    for (const auto& row : table)
        EXPECT_EQ(WorkingFolderOf(row.path), row.folder) << row.path;
}

TEST(WorkingFolder, ASecondByteThatLooksLikeABackslashIsNoSeparator)
{
    // In code page 932, 0x95 0x5C is one character whose second byte is "\".
    const std::string path = "C:\\Ga\\\x95\x5C.exe";
    EXPECT_EQ(WorkingFolderOf(path, 932), "C:\\Ga\\");
    EXPECT_EQ(WorkingFolderOf("C:\\\x95\x5C\\ET.exe", 932), "C:\\\x95\x5C\\");
}

TEST(FailureMessages, TheSystemsWordsOrTheCode)
{
    const std::string known = EOleSysError::Describe(E_OUTOFMEMORY);
    EXPECT_FALSE(known.empty());
    EXPECT_EQ(known.find("OLE error"), std::string::npos);
    const char last = known.back();
    EXPECT_TRUE(last != '.' && last != ' ' && last != '\n' && last != '\r') << known;
    EXPECT_EQ(EOleSysError::Describe(static_cast<long>(0x8ABC0DEFu)), "OLE error 8ABC0DEF");
    EXPECT_EQ(EIntfCastError().Message(), "Interface not supported");
    EXPECT_EQ(EInvalidCast().Message(), "Invalid class typecast");
}

class Launcher : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        CreateDirectoryA(dir.file("game").c_str(), nullptr);
        testing_support::writeFile(dir.file("game\\ET.exe"),
                                   testing_support::readFile(testing_support::BinFolder() +
                                                             "fakegame\\ET.exe"));
    }
    void TearDown() override
    {
        LauncherCreateInstance = CoCreateInstance;
        CoUninitialize();
    }
    std::string Launched()
    {
        testing_support::WaitUntil([&] { return dir.exists("game\\launched.txt"); });
        Sleep(100);
        return dir.read("game\\launched.txt");
    }
    static bool ShortcutLeft()
    {
        return GetFileAttributesA(LaunchShortcutPath().c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    TempDir dir;
};

TEST_F(Launcher, StartsTheGameAndLeavesNoShortcut)
{
    // A file of that name from before is simply replaced and removed.
    testing_support::writeFile(LaunchShortcutPath(), "not a shortcut");
    const std::string game = dir.file("game\\ET.exe");
    LaunchGame(game, "192.0.2.7:27960", nullptr);
    std::string expected(1, '"');
    expected += game;
    expected += "\"  connect 192.0.2.7:27960\n";
    expected += dir.file("game");
    expected += "\n";
    EXPECT_EQ(Launched(), expected);
    EXPECT_FALSE(ShortcutLeft());

    // Twice in a row: each launch makes and removes its own shortcut.
    DeleteFileA(dir.file("game\\launched.txt").c_str());
    LaunchGame(game, "192.0.2.8:1", nullptr);
    EXPECT_NE(Launched().find(" connect 192.0.2.8:1\n"), std::string::npos);
    EXPECT_FALSE(ShortcutLeft());
}

TEST_F(Launcher, AGameThatIsNotThereIsReportedWithTheSystemsWords)
{
    try {
        LaunchGame(dir.file("nowhere\\ET.exe"), "1.2.3.4:27960", nullptr);
        ADD_FAILURE() << "no failure";
    } catch (const Exception& e) {
        EXPECT_FALSE(e.Message().empty());
        EXPECT_EQ(e.Message().find("OLE error"), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(ShortcutLeft());
}

TEST_F(Launcher, AShortcutThatCannotBeWrittenIsReported)
{
    const std::string blocker = LaunchShortcutPath();
    ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
    EXPECT_THROW(LaunchGame(dir.file("game\\ET.exe"), "1.2.3.4:1", nullptr), EOleSysError);
    RemoveDirectoryA(blocker.c_str());
    EXPECT_FALSE(dir.exists("game\\launched.txt"));
}

// A stand-in object that counts its references and refuses what it is told to.
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
HRESULT WINAPI HandOutFake(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID* out)
{
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
        try {
            LaunchGame(dir.file("game\\ET.exe"), "1.2.3.4:1", nullptr);
            ADD_FAILURE() << "no failure";
        } catch (const EIntfCastError& e) {
            EXPECT_EQ(e.Message(), "Interface not supported");
        }
        EXPECT_EQ(object.references, 0);
        EXPECT_FALSE(ShortcutLeft());
    }
}

HRESULT WINAPI RefuseCreation(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID* out)
{
    *out = nullptr;
    return REGDB_E_CLASSNOTREG;
}

TEST_F(Launcher, AnObjectThatCannotBeMadeIsReportedBeforeAnythingIsWritten)
{
    LauncherCreateInstance = RefuseCreation;
    try {
        LaunchGame(dir.file("game\\ET.exe"), "1.2.3.4:1", nullptr);
        ADD_FAILURE() << "no failure";
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.Message(), EOleSysError::Describe(REGDB_E_CLASSNOTREG));
    }
    EXPECT_FALSE(ShortcutLeft());
    Sleep(200);
    EXPECT_FALSE(dir.exists("game\\launched.txt"));
}

} // namespace
