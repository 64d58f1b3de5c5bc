// The favorites and settings files: what each operation reads and writes, and in what order.
#include "storage/Favorites.h"
#include "storage/Settings.h"
#include "tests/support/HeldFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>

using testing_support::HeldFile;
using testing_support::TempDir;

namespace {

using Names = std::vector<std::string>;

// A field whose text may change as it is read, to show when it is fetched.
class ChangingField : public TTextSource {
public:
    explicit ChangingField(std::function<std::string()> next) : next_(std::move(next)) {}
    std::string GetText() const override { return next_(); }

private:
    std::function<std::string()> next_;
};

// Runs the change and expects it to be refused with the file's path.
void ExpectRefused(const std::string& file, const std::function<void()>& change)
{
    try {
        change();
        ADD_FAILURE() << "no failure";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + file);
    }
}

TEST(Favorites, SaveListLoadDelete)
{
    TempDir dir;
    TIniFile fav(dir.file("fav.ini"));
    TStringList list;
    list.Add("stale");
    ListFavorites(fav, list);
    EXPECT_EQ(list.Count(), 0);

    SaveFavorite(fav, TTextValue("Kyx-Clan"), TTextValue("192.0.2.1:27960"));
    EXPECT_EQ(dir.read("fav.ini"), "[Kyx-Clan]\r\nname=Kyx-Clan\r\nipport=192.0.2.1:27960\r\n");
    SaveFavorite(fav, TTextValue("Kyx-Clan"), TTextValue("192.0.2.2:27961"));
    SaveFavorite(fav, TTextValue("Alpha"), TTextValue(""));
    ListFavorites(fav, list);
    EXPECT_EQ(list.Items(), (Names{"Kyx-Clan", "Alpha"}));

    TTextValue name("old name"), address("old address");
    LoadFavorite(fav, TTextValue("Kyx-Clan"), name, address);
    EXPECT_EQ(name.GetText(), "Kyx-Clan");
    EXPECT_EQ(address.GetText(), "192.0.2.2:27961");
    EXPECT_EQ(ReadFavoriteAddress(fav, "Kyx-Clan", ""), "192.0.2.2:27961");
    // A stored empty address empties the field; it is no missing one.
    LoadFavorite(fav, TTextValue("Alpha"), name, address);
    EXPECT_EQ(address.GetText(), "");
    EXPECT_EQ(ReadFavoriteAddress(fav, "Alpha", "unused"), "");

    DeleteFavorite(fav, "Kyx-Clan");
    DeleteFavorite(fav, "Kyx-Clan"); // already gone: nothing happens
    ListFavorites(fav, list);
    EXPECT_EQ(list.Items(), (Names{"Alpha"}));
    EXPECT_EQ(dir.read("fav.ini"), "[Alpha]\r\nname=Alpha\r\nipport=\r\n");
}

TEST(Favorites, WhatTheFileLacksLeavesTheFieldsAndGivesTheDefault)
{
    TempDir dir;
    dir.write("fav.ini", "[bare]\r\nother=1\r\n[named]\r\nname=Named\r\n");
    TIniFile fav(dir.file("fav.ini"));
    TTextValue name("typed"), address("1.2.3.4:1");
    LoadFavorite(fav, TTextValue("bare"), name, address);
    EXPECT_EQ(name.GetText(), "typed");
    EXPECT_EQ(address.GetText(), "1.2.3.4:1");
    LoadFavorite(fav, TTextValue("not in the file"), name, address);
    EXPECT_EQ(name.GetText(), "typed");
    EXPECT_EQ(address.GetText(), "1.2.3.4:1");
    LoadFavorite(fav, TTextValue("named"), name, address);
    EXPECT_EQ(name.GetText(), "Named");
    EXPECT_EQ(address.GetText(), "1.2.3.4:1");

    EXPECT_EQ(ReadFavoriteAddress(fav, "bare", "given"), "given");
    EXPECT_EQ(ReadFavoriteAddress(fav, "not in the file", "given"), "given");
    EXPECT_EQ(ReadFavoriteAddress(TIniFile(dir.file("none.ini")), "bare", "given"), "given");
}

TEST(Favorites, TheSectionIsFetchedAnewForEachValue)
{
    TempDir dir;
    dir.write("fav.ini", "[first]\r\nname=First\r\nipport=1.1.1.1:1\r\n"
                         "[second]\r\nname=Second\r\nipport=2.2.2.2:2\r\n");
    TIniFile fav(dir.file("fav.ini"));

    // The drop-down's text changes after the name is read: the address comes from the new one.
    int fetched = 0;
    ChangingField combo([&] { return ++fetched == 1 ? std::string("first") : "second"; });
    TTextValue name, address;
    LoadFavorite(fav, combo, name, address);
    EXPECT_EQ(fetched, 2);
    EXPECT_EQ(name.GetText(), "First");
    EXPECT_EQ(address.GetText(), "2.2.2.2:2");

    // The Name field changes after the name is written: the address goes to the new section.
    fetched = 0;
    ChangingField typed([&] { return ++fetched <= 2 ? std::string("third") : "fourth"; });
    SaveFavorite(fav, typed, TTextValue("addr"));
    EXPECT_EQ(fav.ReadString("third", "name", "-"), "third");
    EXPECT_EQ(fav.ReadString("third", "ipport", "-"), "-");
    EXPECT_EQ(fav.ReadString("fourth", "ipport", "-"), "addr");
}

TEST(Favorites, AnEmptyNameIsSavedButNeverListed)
{
    TempDir dir;
    TIniFile fav(dir.file("fav.ini"));
    SaveFavorite(fav, TTextValue("B"), TTextValue("1"));
    ASSERT_NO_THROW(SaveFavorite(fav, TTextValue(""), TTextValue("2")));
    EXPECT_EQ(ReadFavoriteAddress(fav, "", "-"), "2");
    TStringList list;
    ListFavorites(fav, list);
    EXPECT_EQ(list.Items(), (Names{"B"}));
    DeleteFavorite(fav, "");
    EXPECT_EQ(ReadFavoriteAddress(fav, "", "-"), "-");
    EXPECT_EQ(ReadFavoriteAddress(fav, "B", "-"), "1");
}

TEST(Favorites, RefusedWritesStopAtTheirStep)
{
    TempDir dir;
    const std::string content = "[A]\r\nname=typo\r\nipport=old\r\n";
    dir.write("fav.ini", content);
    const std::string file = dir.file("fav.ini");
    TIniFile fav(file);

    // Held from the start: nothing is written, not even the name.
    {
        HeldFile held(file);
        ExpectRefused(file, [&] { SaveFavorite(fav, TTextValue("A"), TTextValue("new")); });
        ExpectRefused(file, [&] { DeleteFavorite(fav, "A"); });
    }
    EXPECT_EQ(dir.read("fav.ini"), content);

    // Held from the moment the address is fetched, after the name was written: the name is
    // stored and the address keeps its earlier value.
    std::unique_ptr<HeldFile> held;
    ChangingField address([&] {
        held = std::make_unique<HeldFile>(file);
        return std::string("new");
    });
    ExpectRefused(file, [&] { SaveFavorite(fav, TTextValue("A"), address); });
    ASSERT_TRUE(held);
    held.reset();
    EXPECT_EQ(fav.ReadString("A", "name", "-"), "A");
    EXPECT_EQ(fav.ReadString("A", "ipport", "-"), "old");
}

TEST(Favorites, AFolderInTheFilesPlaceIsRefusedAndStays)
{
    TempDir dir;
    const std::string file = dir.file("fav.ini");
    ASSERT_TRUE(CreateDirectoryA(file.c_str(), nullptr));
    TIniFile fav(file);
    ExpectRefused(file, [&] { SaveFavorite(fav, TTextValue("A"), TTextValue("1")); });
    ExpectRefused(file, [&] { DeleteFavorite(fav, "A"); });
    TStringList list;
    ListFavorites(fav, list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Settings, ReadSaveForget)
{
    TempDir dir;
    TIniFile settings(dir.file("settings.ini"));
    EXPECT_EQ(ReadGamePath(settings, ""), "");
    EXPECT_EQ(ReadGamePath(settings, "earlier"), "earlier");
    EXPECT_FALSE(ReadQuitOption(settings, false));
    EXPECT_TRUE(ReadQuitOption(settings, true));
    ForgetGamePath(settings);
    EXPECT_FALSE(dir.exists("settings.ini"));

    SaveSettings(settings, "C:\\Games\\ET\\ET.exe", true);
    EXPECT_EQ(dir.read("settings.ini"),
              "[path]\r\netexe=C:\\Games\\ET\\ET.exe\r\n[start]\r\nexit=1\r\n");
    SaveSettings(settings, "D:\\missing.exe", false);
    EXPECT_EQ(ReadGamePath(settings, "x"), "D:\\missing.exe");
    EXPECT_FALSE(ReadQuitOption(settings, true));
    EXPECT_EQ(dir.read("settings.ini"), "[path]\r\netexe=D:\\missing.exe\r\n[start]\r\nexit=0\r\n");
}

TEST(Settings, ForgettingTakesTheWholePathSectionAndNothingElse)
{
    TempDir dir;
    dir.write("settings.ini", "[path]\r\netexe=C:\\ET.exe\r\nother=1\r\n[start]\r\nexit=1\r\n"
                              "[mine]\r\nk=v\r\n");
    TIniFile settings(dir.file("settings.ini"));
    ForgetGamePath(settings);
    EXPECT_EQ(ReadGamePath(settings, "default"), "default");
    EXPECT_EQ(settings.ReadString("path", "other", "-"), "-");
    EXPECT_TRUE(ReadQuitOption(settings, false));
    EXPECT_EQ(dir.read("settings.ini"), "[start]\r\nexit=1\r\n[mine]\r\nk=v\r\n");
}

TEST(Settings, QuitOption)
{
    const struct {
        const char* content;
        bool withFalseDefault;
        bool withTrueDefault;
    } table[] = {
        {"[start]\r\nexit=1\r\n", true, true},
        {"[start]\r\nexit=-1\r\n", true, true},
        {"[start]\r\nexit=0\r\n", false, false},
        {"[start]\r\nexit=true\r\n", false, true},
        {"[start]\r\nexit=\r\n", false, true},
        {"[start]\r\nother=1\r\n", false, true},
        {"[path]\r\nexit=1\r\n", false, true},
    };
    TempDir dir;
    for (const auto& row : table) {
        dir.write("settings.ini", row.content);
        TIniFile settings(dir.file("settings.ini"));
        EXPECT_EQ(ReadQuitOption(settings, false), row.withFalseDefault) << row.content;
        EXPECT_EQ(ReadQuitOption(settings, true), row.withTrueDefault) << row.content;
    }
}

TEST(Settings, ValidityRule)
{
    TempDir dir;
    dir.write("ET.exe", "");
    ASSERT_TRUE(CreateDirectoryA(dir.file("folder").c_str(), nullptr));
    const struct {
        std::string path;
        bool valid;
    } table[] = {
        {dir.file("ET.exe"), true},
        {dir.file("folder"), false},
        {dir.file("missing.exe"), false},
        {dir.file("missing\\ET.exe"), false},
        {"", false},
    };
    for (const auto& row : table)
        EXPECT_EQ(IsValidGamePath(row.path), row.valid) << '"' << row.path << '"';
}

TEST(Settings, RefusedChangesRaiseWithThePathAndChangeNothing)
{
    TempDir dir;
    const std::string file = dir.file("settings.ini");
    ASSERT_TRUE(CreateDirectoryA(file.c_str(), nullptr));
    {
        TIniFile settings(file);
        ExpectRefused(file, [&] { SaveSettings(settings, "C:\\ET.exe", true); });
        ExpectRefused(file, [&] { ForgetGamePath(settings); });
    }
    EXPECT_TRUE(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_TRUE(RemoveDirectoryA(file.c_str()));

    const std::string content = "[path]\r\netexe=C:\\old\\ET.exe\r\n[start]\r\nexit=0\r\n";
    dir.write("settings.ini", content);
    TIniFile settings(file);
    {
        HeldFile held(file);
        ExpectRefused(file, [&] { SaveSettings(settings, "C:\\ET.exe", true); });
        ExpectRefused(file, [&] { ForgetGamePath(settings); });
    }
    EXPECT_EQ(dir.read("settings.ini"), content);
}

} // namespace
