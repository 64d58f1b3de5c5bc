// Profile files against the system's real private-profile functions.
#include "storage/IniFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using testing_support::TempDir;

namespace {

// A list that records what the listing did to it.
class RecordingList : public TStringList {
public:
    void BeginUpdate() override { ++begins; TStringList::BeginUpdate(); }
    void EndUpdate() override { ++ends; TStringList::EndUpdate(); }
    int begins = 0, ends = 0;
};

std::vector<std::string> Sections(const TIniFile& ini)
{
    TStringList list;
    ini.ReadSections(list);
    return list.Items();
}

// What the system itself reads for a key, for comparison.
std::string PlatformRead(const std::string& file, const char* section, const char* key)
{
    char buffer[2048];
    GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof buffer, file.c_str());
    return buffer;
}

TEST(ProfileLocation, BesideTheExecutable)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string expected(exe);
    expected.erase(expected.find_last_of('\\') + 1);
    EXPECT_EQ(ExecutableFolder(), expected);
    EXPECT_EQ(ProfilePath("fav.ini"), expected + "fav.ini");
}

TEST(IniFile, MissingFileGivesDefaultsAndCreatesNothing)
{
    TempDir dir;
    TIniFile ini(dir.file("none.ini"));
    RecordingList list;
    list.Add("stale");
    ini.ReadSections(list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.begins, 1);
    EXPECT_EQ(list.ends, 1);
    EXPECT_EQ(ini.ReadString("s", "k", "def"), "def");
    EXPECT_TRUE(ini.ReadBool("s", "k", true));
    EXPECT_NO_THROW(ini.EraseSection("s"));
    EXPECT_FALSE(dir.exists("none.ini"));
}

TEST(IniFile, WritesCreateAndReadsSeeThem)
{
    TempDir dir;
    {
        TIniFile ini(dir.file("a.ini"));
        ini.WriteString("Kyx-Clan", "name", "Kyx-Clan");
        ini.WriteString("Kyx-Clan", "ipport", "");
        ini.WriteBool("start", "on", true);
        ini.WriteBool("start", "off", false);
        // Another object sees what this one wrote at once.
        TIniFile other(dir.file("a.ini"));
        EXPECT_EQ(other.ReadString("Kyx-Clan", "name", "x"), "Kyx-Clan");
        EXPECT_EQ(other.ReadString("Kyx-Clan", "ipport", "default"), "");
        EXPECT_EQ(other.ReadString("Kyx-Clan", "absent", "default"), "default");
    }
    EXPECT_EQ(PlatformRead(dir.file("a.ini"), "start", "on"), "1");
    EXPECT_EQ(PlatformRead(dir.file("a.ini"), "start", "off"), "0");
    EXPECT_EQ(Sections(TIniFile(dir.file("a.ini"))),
              (std::vector<std::string>{"Kyx-Clan", "start"}));
}

TEST(IniFile, ValuesAndDefaultsAreCutTo2047Characters)
{
    TempDir dir;
    const std::string longValue(3000, 'v');
    dir.write("a.ini", "[s]\r\nk=" + longValue + "\r\n");
    TIniFile ini(dir.file("a.ini"));
    EXPECT_EQ(ini.ReadString("s", "k", ""), std::string(2047, 'v'));
    EXPECT_EQ(ini.ReadString("s", "none", std::string(3000, 'd')), std::string(2047, 'd'));
}

TEST(IniFile, FlagRules)
{
    const struct {
        const char* stored;
        int expected; // 1 true, 0 false, -1 the default
    } table[] = {
        {"1", 1},      {"2", 1},         {"-1", 1},       {"   1", 1},     {"0x1A", 1},
        {"$ff", 1},    {"x7", 1},        {"X7", 1},       {"0XfF", 1},     {"$FFFFFFFF", 1},
        {"$000000001", 1}, {"-2147483648", 1}, {"+5", 1}, {"0", 0},        {"00", 0},
        {"-0", 0},     {"$0", 0},        {"", -1},        {"true", -1},    {"yes", -1},
        {"1 ", -1},    {"1.0", -1},      {"0x", -1},      {"$", -1},       {"2147483648", -1},
        {"$100000000", -1}, {"--1", -1}, {"\t1", -1},     {"1x", -1},      {"0x-1", -1},
    };
    TempDir dir;
    std::string content = "[f]\r\n";
    auto keyOf = [](size_t i) {
        std::string key("k");
        key += std::to_string(i);
        return key;
    };
    for (size_t i = 0; i < std::size(table); ++i)
        content += keyOf(i) + "=" + table[i].stored + "\r\n";
    dir.write("f.ini", content);
    TIniFile ini(dir.file("f.ini"));
    for (size_t i = 0; i < std::size(table); ++i) {
        const std::string key = keyOf(i);
        // Wine trims blanks around stored values, so test the parser on the text itself too.
        std::int32_t n = 0;
        const bool number = TryParseProfileInteger(table[i].stored, n);
        EXPECT_EQ(number, table[i].expected >= 0) << table[i].stored;
        if (number) {
            EXPECT_EQ(n != 0, table[i].expected == 1) << table[i].stored;
        }
        const std::string read = PlatformRead(dir.file("f.ini"), "f", key.c_str());
        if (read == table[i].stored) {
            const bool expectTrue = table[i].expected == 1 || table[i].expected == -1;
            EXPECT_EQ(ini.ReadBool("f", key, true), expectTrue) << table[i].stored;
            EXPECT_EQ(ini.ReadBool("f", key, false), table[i].expected == 1) << table[i].stored;
        }
    }
    std::int32_t n = 0;
    ASSERT_TRUE(TryParseProfileInteger("$FFFFFFFF", n));
    EXPECT_EQ(n, -1);
    ASSERT_TRUE(TryParseProfileInteger("-$10", n));
    EXPECT_EQ(n, -16);
}

TEST(IniFile, SectionListingStopsAtAnEmptyNameAndAtCapacity)
{
    TempDir dir;
    dir.write("e.ini", "[first]\r\na=1\r\n[]\r\nb=2\r\n[after]\r\nc=3\r\n");
    const auto listed = Sections(TIniFile(dir.file("e.ini")));
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(listed.front(), "first");
    for (const auto& name : listed)
        EXPECT_FALSE(name.empty());

    // 1000 names of 20 characters need 21000 bytes; those that fit are listed in order.
    std::string big;
    for (int i = 0; i < 1000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "section-%011d", i);
        big += std::string("[") + name + "]\r\nk=v\r\n";
    }
    dir.write("big.ini", big);
    const auto many = Sections(TIniFile(dir.file("big.ini")));
    EXPECT_GT(many.size(), 700u);
    EXPECT_LT(many.size(), 1000u);
    for (size_t i = 0; i + 1 < many.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "section-%011d", static_cast<int>(i));
        EXPECT_EQ(many[i], name);
    }
}

TEST(IniFile, EraseTakesOnlyItsSection)
{
    TempDir dir;
    dir.write("e.ini", "[keep]\r\na=1\r\n[]\r\nb=2\r\n[gone]\r\nc=3\r\nd=4\r\n");
    TIniFile ini(dir.file("e.ini"));
    ini.EraseSection("gone");
    ini.EraseSection("never there");
    EXPECT_EQ(ini.ReadString("gone", "c", "-"), "-");
    EXPECT_EQ(ini.ReadString("keep", "a", "-"), "1");
    ini.EraseSection("");
    EXPECT_EQ(ini.ReadString("", "b", "-"), "-");
    EXPECT_EQ(ini.ReadString("keep", "a", "-"), "1");
}

TEST(IniFile, UnwritableFileRaisesAndKeepsEverything)
{
    TempDir dir;
    CreateDirectoryA(dir.file("fav.ini").c_str(), nullptr); // a folder where the file should be
    TIniFile ini(dir.file("fav.ini"));
    const std::string message = "Unable to write to " + dir.file("fav.ini");
    auto expectRefused = [&](auto&& write) {
        try {
            write();
            ADD_FAILURE() << "no failure";
        } catch (const EIniFileException& e) {
            EXPECT_EQ(e.Message(), message);
        }
    };
    expectRefused([&] { ini.WriteString("s", "k", "v"); });
    expectRefused([&] { ini.WriteBool("s", "k", true); });
    expectRefused([&] { ini.EraseSection("s"); });
    EXPECT_TRUE(GetFileAttributesA(dir.file("fav.ini").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(ini.ReadString("s", "k", "def"), "def");
}

TEST(IniFile, OddFilesReadAsThePlatformReadsThem)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    std::string large;
    for (int i = 0; i < 60000; ++i)
        large += "[s" + std::to_string(i % 500) + "]\r\nkey" + std::to_string(i) + "=value\r\n";
    const struct {
        const char* what;
        std::string content;
    } files[] = {
        {"empty", ""},
        {"garbage", garbage},
        {"megabytes", large},
        {"no final line end", "[s]\r\nk=v"},
        {"LF only", "[s]\nk=v\n[t]\nk=w\n"},
        {"CR only", "[s]\rk=v\r[t]\rk=w\r"},
        {"UTF-8 BOM", "\xEF\xBB\xBF[s]\r\nk=v\r\n"},
        {"duplicates", "[s]\r\nk=first\r\nk=second\r\n[s]\r\nk=third\r\n"},
        {"long value", "[s]\r\nk=" + std::string(3000, 'x') + "\r\n"},
    };
    TempDir dir;
    for (const auto& f : files) {
        dir.write("odd.ini", f.content);
        TIniFile ini(dir.file("odd.ini"));
        std::vector<std::string> listed;
        ASSERT_NO_THROW(listed = Sections(ini)) << f.what;
        char names[16384];
        const DWORD n = GetPrivateProfileSectionNamesA(names, sizeof names, dir.file("odd.ini").c_str());
        std::vector<std::string> platform;
        for (const char* p = names; p < names + n && *p; p += strlen(p) + 1)
            platform.push_back(p);
        EXPECT_EQ(listed, platform) << f.what;
        const std::string platformValue = PlatformRead(dir.file("odd.ini"), "s", "k");
        const std::string value = ini.ReadString("s", "k", "<missing>");
        EXPECT_EQ(value, platformValue) << f.what;
        EXPECT_NO_THROW(ini.ReadBool("s", "k", false)) << f.what;
    }
}

} // namespace
