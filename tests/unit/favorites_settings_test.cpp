// The favorites and settings files: what each operation reads and writes, and in what order.
#include "storage/Favorites.h"
#include "storage/Settings.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

using testing_support::TempDir;

namespace {

// A field whose text may change as it is read, to show when it is fetched.
class ChangingField : public TTextSource {
public:
    explicit ChangingField(std::function<std::string()> next) : next_(std::move(next)) {}
    std::string GetText() const override { return next_(); }

private:
    std::function<std::string()> next_;
};

TEST(Favorites, SaveListLoadDelete)
{
    TempDir dir;
    TIniFile fav(dir.file("fav.ini"));
    SaveFavorite(fav, TTextValue("Kyx-Clan"), TTextValue("192.0.2.1:27960"));
    EXPECT_EQ(dir.read("fav.ini"), "[Kyx-Clan]\r\nname=Kyx-Clan\r\nipport=192.0.2.1:27960\r\n");
    SaveFavorite(fav, TTextValue("Kyx-Clan"), TTextValue("192.0.2.2:27961"));
    SaveFavorite(fav, TTextValue("Alpha"), TTextValue(""));

    TStringList list;
    ListFavorites(fav, list);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"Kyx-Clan", "Alpha"}));

    TTextValue name("old name"), address("old address");
    LoadFavorite(fav, TTextValue("Kyx-Clan"), name, address);
    EXPECT_EQ(name.GetText(), "Kyx-Clan");
    EXPECT_EQ(address.GetText(), "192.0.2.2:27961");
    LoadFavorite(fav, TTextValue("Alpha"), name, address);
    EXPECT_EQ(address.GetText(), ""); // a stored empty address empties the field
    EXPECT_EQ(ReadFavoriteAddress(fav, "Alpha", "unused"), "");

    DeleteFavorite(fav, "Kyx-Clan");
    DeleteFavorite(fav, "Kyx-Clan"); // already gone: nothing happens
    ListFavorites(fav, list);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"Alpha"}));
}

TEST(Favorites, MissingValuesKeepTheFields)
{
    TempDir dir;
    dir.write("fav.ini", "[bare]\r\nother=1\r\n");
    TIniFile fav(dir.file("fav.ini"));
    TTextValue name("typed"), address("1.2.3.4:1");
    LoadFavorite(fav, TTextValue("bare"), name, address);
    EXPECT_EQ(name.GetText(), "typed");
    EXPECT_EQ(address.GetText(), "1.2.3.4:1");
    EXPECT_EQ(ReadFavoriteAddress(fav, "bare", ""), "");
    LoadFavorite(fav, TTextValue("not in the file"), name, address);
    EXPECT_EQ(name.GetText(), "typed");
}

TEST(Favorites, TheSectionIsFetchedAnewForEachValue)
{
    TempDir dir;
    TIniFile fav(dir.file("fav.ini"));
    int reads = 0;
    ChangingField name([&] { return ++reads <= 2 ? std::string("first") : std::string("second"); });
    SaveFavorite(fav, name, TTextValue("addr"));
    EXPECT_EQ(fav.ReadString("first", "name", "-"), "first");
    EXPECT_EQ(fav.ReadString("second", "ipport", "-"), "addr");
    EXPECT_EQ(fav.ReadString("first", "ipport", "-"), "-");
}

TEST(Favorites, AnEmptyNameIsSavedButNeverListed)
{
    TempDir dir;
    TIniFile fav(dir.file("fav.ini"));
    SaveFavorite(fav, TTextValue("B"), TTextValue("1"));
    ASSERT_NO_THROW(SaveFavorite(fav, TTextValue(""), TTextValue("2")));
    TStringList list;
    ListFavorites(fav, list);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"B"}));
}

TEST(Favorites, RefusedWritesStopAtTheirStep)
{
    TempDir dir;
    const std::string file = dir.file("fav.ini");
    dir.write("fav.ini", "[A]\r\nname=typo\r\nipport=old\r\n");
    TIniFile fav(file);
    // The address read happens between the two writes: make the file unwritable then.
    ChangingField address([&] {
        testing_support::writeFile(dir.file("saved.ini"), testing_support::readFile(file));
        DeleteFileA(file.c_str());
        CreateDirectoryA(file.c_str(), nullptr);
        return std::string("new");
    });
    try {
        SaveFavorite(fav, TTextValue("A"), address);
        ADD_FAILURE() << "no failure";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + file);
    }
    // The name was written before the refusal, and the old address stayed.
    TIniFile before(dir.file("saved.ini"));
    EXPECT_EQ(before.ReadString("A", "name", "-"), "A");
    EXPECT_EQ(before.ReadString("A", "ipport", "-"), "old");
    EXPECT_THROW(DeleteFavorite(fav, "A"), EIniFileException);
}

TEST(Settings, ReadSaveForget)
{
    TempDir dir;
    TIniFile settings(dir.file("settings.ini"));
    EXPECT_EQ(ReadGamePath(settings, ""), "");
    EXPECT_FALSE(ReadQuitOption(settings, false));
    ForgetGamePath(settings);
    EXPECT_FALSE(dir.exists("settings.ini"));

    SaveSettings(settings, "C:\\Games\\ET\\ET.exe", true);
    EXPECT_EQ(dir.read("settings.ini"), "[path]\r\netexe=C:\\Games\\ET\\ET.exe\r\n[start]\r\nexit=1\r\n");
    SaveSettings(settings, "D:\\missing.exe", false);
    EXPECT_EQ(ReadGamePath(settings, "x"), "D:\\missing.exe");
    EXPECT_FALSE(ReadQuitOption(settings, true));

    ForgetGamePath(settings);
    EXPECT_EQ(ReadGamePath(settings, "default"), "default");
    EXPECT_EQ(dir.read("settings.ini"), "[start]\r\nexit=0\r\n");
}

TEST(Settings, QuitOptionValues)
{
    const struct {
        const char* stored;
        bool expected;
    } table[] = {{"exit=1", true}, {"exit=0", false}, {"exit=true", false}, {"other=1", false}};
    TempDir dir;
    for (const auto& row : table) {
        dir.write("settings.ini", std::string("[start]\r\n") + row.stored + "\r\n");
        EXPECT_EQ(ReadQuitOption(TIniFile(dir.file("settings.ini")), false), row.expected)
            << row.stored;
    }
}

TEST(Settings, ValidityRule)
{
    TempDir dir;
    dir.write("ET.exe", "");
    CreateDirectoryA(dir.file("folder").c_str(), nullptr);
    EXPECT_TRUE(IsValidGamePath(dir.file("ET.exe")));
    EXPECT_FALSE(IsValidGamePath(dir.file("folder")));
    EXPECT_FALSE(IsValidGamePath(dir.file("missing.exe")));
    EXPECT_FALSE(IsValidGamePath(""));
}

TEST(Settings, RefusedSaveRaisesWithThePath)
{
    TempDir dir;
    CreateDirectoryA(dir.file("settings.ini").c_str(), nullptr);
    TIniFile settings(dir.file("settings.ini"));
    try {
        SaveSettings(settings, "C:\\ET.exe", true);
        ADD_FAILURE() << "no failure";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + dir.file("settings.ini"));
    }
    EXPECT_THROW(ForgetGamePath(settings), EIniFileException);
}

} // namespace
