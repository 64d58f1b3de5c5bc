// Profile files against the system's real private-profile functions.
#include "storage/IniFiles.h"
#include "tests/support/HeldFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using testing_support::HeldFile;
using testing_support::TempDir;

namespace {

// A list that records what is done to it, in order.
class RecordingList : public TStringList {
public:
    void BeginUpdate() override
    {
        calls.push_back("begin");
        TStringList::BeginUpdate();
    }
    void EndUpdate() override
    {
        calls.push_back("end");
        TStringList::EndUpdate();
    }
    void Clear() override
    {
        calls.push_back("clear");
        TStringList::Clear();
    }
    void Add(const std::string& s) override
    {
        calls.push_back("add " + s);
        if (s == failOn)
            throw Exception("no room for " + s);
        TStringList::Add(s);
    }
    std::vector<std::string> calls;
    std::string failOn = "\n"; // no section name can be this
};

using Names = std::vector<std::string>;

Names Sections(const TIniFile& ini)
{
    TStringList list;
    ini.ReadSections(list);
    return list.Items();
}

// What the system itself reads, for comparison.
std::string PlatformRead(const std::string& file, const char* section, const char* key)
{
    char buffer[2048];
    GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof buffer, file.c_str());
    return buffer;
}

Names PlatformSections(const std::string& file)
{
    std::vector<char> area(16384);
    const DWORD n = GetPrivateProfileSectionNamesA(area.data(), 16384, file.c_str());
    Names names;
    for (const char* p = area.data(); p < area.data() + n && *p; p += strlen(p) + 1)
        names.push_back(p);
    return names;
}

std::string KeyOf(size_t i)
{
    std::string key = "k";
    key += std::to_string(i);
    return key;
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsEmptyFolder(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool empty = true;
    do {
        const std::string name = found.cFileName;
        empty = empty && (name == "." || name == "..");
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return empty;
}

// Every write and erase on the object must be refused with the file's own path.
void ExpectEveryChangeRefused(TIniFile& ini)
{
    const std::string message = "Unable to write to " + ini.FileName();
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"write a text", [&] { ini.WriteString("s", "k", "new"); }},
        {"write a flag", [&] { ini.WriteBool("s", "k", true); }},
        {"erase a section", [&] { ini.EraseSection("s"); }},
        {"erase a missing section", [&] { ini.EraseSection("never there"); }},
    };
    for (const auto& [what, change] : changes) {
        try {
            change();
            ADD_FAILURE() << what << ": no failure";
        } catch (const EIniFileException& e) {
            EXPECT_EQ(e.Message(), message) << what;
        }
    }
}

TEST(ProfileLocation, BesideTheExecutable)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string folder(exe);
    folder.erase(folder.find_last_of('\\') + 1);
    EXPECT_EQ(ExecutableFolder(), folder);
    EXPECT_EQ(ProfilePath("fav.ini"), folder + "fav.ini");
    EXPECT_EQ(TIniFile(ProfilePath("settings.ini")).FileName(), folder + "settings.ini");
}

TEST(IniFile, AMissingFileReadsAsDefaultsAndIsNeverCreated)
{
    TempDir dir;
    const std::string paths[] = {dir.file("none.ini"), dir.file("no folder\\none.ini")};
    for (const auto& path : paths) {
        {
            TIniFile ini(path);
            RecordingList list;
            list.Add("stale");
            list.calls.clear();
            ini.ReadSections(list);
            EXPECT_EQ(list.calls, (Names{"begin", "clear", "end"})) << path;
            EXPECT_EQ(list.Count(), 0) << path;
            EXPECT_EQ(ini.ReadString("s", "k", "def"), "def") << path;
            EXPECT_TRUE(ini.ReadBool("s", "k", true)) << path;
            EXPECT_FALSE(ini.ReadBool("s", "k", false)) << path;
            EXPECT_NO_THROW(ini.EraseSection("s")) << path;
        } // the release's flush must not create it either
        EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
    }
    EXPECT_FALSE(dir.exists("no folder"));
}

TEST(IniFile, SectionsAreListedInFileOrderWithinOneUpdate)
{
    TempDir dir;
    dir.write("a.ini", "[b]\r\nk=1\r\n[A]\r\n[c]\r\nk=3\r\n");
    TIniFile ini(dir.file("a.ini"));
    RecordingList list;
    list.Add("stale");
    list.calls.clear();
    ini.ReadSections(list);
    EXPECT_EQ(list.calls, (Names{"begin", "clear", "add b", "add A", "add c", "end"}));
    EXPECT_EQ(list.Items(), (Names{"b", "A", "c"}));

    // A list that fails while being filled still has its update ended.
    list.failOn = "A";
    EXPECT_THROW(ini.ReadSections(list), Exception);
    EXPECT_EQ(list.UpdateDepth(), 0);
    EXPECT_EQ(list.calls.back(), "end");
}

TEST(IniFile, ASectionWithAnEmptyNameIsNeverListed)
{
    TempDir dir;
    dir.write("e.ini", "[first]\r\na=1\r\n[]\r\nb=2\r\n[after]\r\nc=3\r\n");
    const Names listed = Sections(TIniFile(dir.file("e.ini")));
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(listed.front(), "first");
    for (const auto& name : listed)
        EXPECT_FALSE(name.empty());
}

TEST(IniFile, SectionNamesBeyondTheListingAreaAreLeftOut)
{
    // Names of 15 characters take 16 bytes each: 1023 of them and the closing byte fill
    // 16369 of the 16384 bytes, and a 1024th no longer fits.
    auto nameOf = [](int i) {
        char name[16];
        std::snprintf(name, sizeof name, "section-%07d", i);
        return std::string(name);
    };
    std::string content;
    for (int i = 0; i < 1200; ++i) {
        content += '[';
        content += nameOf(i) + "]\r\nk=v\r\n";
    }
    TempDir dir;
    dir.write("big.ini", content);
    const Names listed = Sections(TIniFile(dir.file("big.ini")));
    ASSERT_GE(listed.size(), 1023u);
    for (int i = 0; i < 1023; ++i)
        ASSERT_EQ(listed[static_cast<size_t>(i)], nameOf(i));
    // At most the start of the name that straddles the end.
    ASSERT_LE(listed.size(), 1024u);
    if (listed.size() == 1024) {
        EXPECT_EQ(nameOf(1023).rfind(listed.back(), 0), 0u) << listed.back();
    }
}

TEST(IniFile, ReadTextTellsAnEmptyValueFromAMissingKey)
{
    TempDir dir;
    dir.write("a.ini", "[s]\r\nempty=\r\nblank=   \r\nk=v\r\nlong=" + std::string(3000, 'v') +
                           "\r\n");
    TIniFile ini(dir.file("a.ini"));
    const std::string oddDefault = "  \"quoted\" and blanks  ";
    const struct {
        const char* section;
        const char* key;
        std::string def;
        std::string expected;
    } table[] = {
        {"s", "k", "def", "v"},
        {"s", "empty", "def", ""},
        {"s", "blank", "def", ""},
        {"s", "none", "def", "def"},
        {"none", "k", "def", "def"},
        {"s", "long", "def", std::string(2047, 'v')},
        // A default comes back as it was given, only cut to the same 2047 characters.
        {"s", "none", oddDefault, oddDefault},
        {"s", "none", std::string(3000, 'd'), std::string(2047, 'd')},
        {"s", "none", "", ""},
    };
    for (const auto& row : table)
        EXPECT_EQ(ini.ReadString(row.section, row.key, row.def), row.expected)
            << row.section << "/" << row.key;
}

TEST(IniFile, WritesCreateTheFileAndEveryReaderSeesThem)
{
    TempDir dir;
    const std::string file = dir.file("a.ini");
    {
        TIniFile ini(file);
        ini.WriteString("Kyx-Clan", "name", "Kyx-Clan");
        ini.WriteString("Kyx-Clan", "ipport", "");
        ini.WriteBool("start", "on", true);
        ini.WriteBool("start", "off", false);
        TIniFile other(file);
        EXPECT_EQ(other.ReadString("Kyx-Clan", "name", "x"), "Kyx-Clan");
        EXPECT_EQ(other.ReadString("Kyx-Clan", "ipport", "default"), "");
    }
    EXPECT_EQ(dir.read("a.ini"), "[Kyx-Clan]\r\nname=Kyx-Clan\r\nipport=\r\n"
                                 "[start]\r\non=1\r\noff=0\r\n");
    TIniFile ini(file);
    ini.WriteString("Kyx-Clan", "ipport", "192.0.2.1:27960");
    EXPECT_EQ(PlatformRead(file, "Kyx-Clan", "ipport"), "192.0.2.1:27960");
    // Another program's change is seen at once, however quickly it follows.
    dir.write("a.ini", "[Kyx-Clan]\r\nipport=192.0.2.2:27960\r\n");
    EXPECT_EQ(ini.ReadString("Kyx-Clan", "ipport", ""), "192.0.2.2:27960");
    EXPECT_EQ(Sections(ini), (Names{"Kyx-Clan"}));
}

TEST(IniFile, StoredIntegerRules)
{
    const struct {
        const char* text;
        bool number;
        std::int32_t value;
    } table[] = {
        {"1", true, 1},
        {"2", true, 2},
        {"-1", true, -1},
        {"+5", true, 5},
        {"   1", true, 1},
        {"007", true, 7},
        {"2147483647", true, INT_MAX},
        {"-2147483648", true, INT_MIN},
        {"0x1A", true, 26},
        {"0X1a", true, 26},
        {"$ff", true, 255},
        {"x7", true, 7},
        {"X7", true, 7},
        {"-$10", true, -16},
        {"$7FFFFFFF", true, INT_MAX},
        {"$80000000", true, INT_MIN},
        {"$FFFFFFFF", true, -1},
        {"-$FFFFFFFF", true, 1},
        {"$000000001", true, 1}, // leading zeros are not significant
        {"0", true, 0},
        {"00", true, 0},
        {"-0", true, 0},
        {"$0", true, 0},
        {"", false, 0},
        {"   ", false, 0},
        {"true", false, 0},
        {"yes", false, 0},
        {"1 ", false, 0},
        {"\t1", false, 0},
        {"1.0", false, 0},
        {"1e3", false, 0},
        {"1x", false, 0},
        {"0x", false, 0},
        {"$", false, 0},
        {"-", false, 0},
        {"--1", false, 0},
        {"+-1", false, 0},
        {"- 1", false, 0},
        {"0x-1", false, 0},
        {"$$1", false, 0},
        {"$g", false, 0},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"$100000000", false, 0}, // nine significant digits
    };
    for (const auto& row : table) {
        std::int32_t value = 12345;
        EXPECT_EQ(TryParseProfileInteger(row.text, value), row.number) << '"' << row.text << '"';
        if (row.number) {
            EXPECT_EQ(value, row.value) << row.text;
        }
    }

    // The same rules through a file: a number is a flag, anything else gives the default.
    std::string content = "[f]\r\n";
    for (size_t i = 0; i < std::size(table); ++i)
        content += KeyOf(i) + "=" + table[i].text + "\r\n";
    TempDir dir;
    dir.write("f.ini", content);
    TIniFile ini(dir.file("f.ini"));
    size_t checked = 0;
    for (size_t i = 0; i < std::size(table); ++i) {
        const std::string key = KeyOf(i);
        // The system trims blanks around a stored value; those rows are for the parser only.
        if (PlatformRead(ini.FileName(), "f", key.c_str()) != table[i].text)
            continue;
        ++checked;
        const bool isTrue = table[i].number && table[i].value != 0;
        EXPECT_EQ(ini.ReadBool("f", key, false), isTrue) << table[i].text;
        EXPECT_EQ(ini.ReadBool("f", key, true), isTrue || !table[i].number) << table[i].text;
    }
    EXPECT_GE(checked, std::size(table) - 4);
    EXPECT_TRUE(ini.ReadBool("f", "missing", true));
    EXPECT_FALSE(ini.ReadBool("missing", "k0", false));
}

TEST(IniFile, EraseRemovesOnlyItsSection)
{
    TempDir dir;
    dir.write("e.ini", "[keep]\r\na=1\r\n[gone]\r\nc=3\r\nd=4\r\n[last]\r\ne=5\r\n");
    TIniFile ini(dir.file("e.ini"));
    ini.EraseSection("gone");
    EXPECT_EQ(ini.ReadString("gone", "c", "-"), "-");
    EXPECT_EQ(ini.ReadString("gone", "d", "-"), "-");
    EXPECT_EQ(Sections(ini), (Names{"keep", "last"}));

    // The section with the empty name is a section like any other.
    ini.WriteString("", "b", "2");
    ASSERT_EQ(ini.ReadString("", "b", "-"), "2");
    ini.EraseSection("");
    EXPECT_EQ(ini.ReadString("", "b", "-"), "-");
    EXPECT_EQ(ini.ReadString("keep", "a", "-"), "1");
    EXPECT_EQ(ini.ReadString("last", "e", "-"), "5");
    EXPECT_EQ(Sections(ini), (Names{"keep", "last"}));
}

TEST(IniFile, ErasingASectionThatIsNotThereChangesNoByte)
{
    // Comments, blanks and mixed line ends that a rewrite would not keep.
    const std::string content = "; note\n[s]\n  k = v  \n\n[t]\r\nx=1";
    TempDir dir;
    dir.write("odd.ini", content);
    TIniFile ini(dir.file("odd.ini"));
    EXPECT_NO_THROW(ini.EraseSection("u"));
    EXPECT_NO_THROW(ini.EraseSection("S ")); // near to an existing name is not it
    EXPECT_EQ(dir.read("odd.ini"), content);
}

TEST(IniFile, AFolderInTheFilesPlaceRefusesEveryChange)
{
    TempDir dir;
    const std::string file = dir.file("fav.ini");
    ASSERT_TRUE(CreateDirectoryA(file.c_str(), nullptr));
    {
        TIniFile ini(file);
        ExpectEveryChangeRefused(ini);
        EXPECT_EQ(ini.ReadString("s", "k", "def"), "def");
        EXPECT_EQ(Sections(ini), Names{});
    }
    EXPECT_TRUE(IsFolder(file));
    EXPECT_TRUE(IsEmptyFolder(file));
}

TEST(IniFile, AFileHeldByAnotherProgramKeepsWhatItHad)
{
    const std::string content = "[s]\r\nk=old\r\n";
    TempDir dir;
    dir.write("held.ini", content);
    TIniFile ini(dir.file("held.ini"));
    EXPECT_EQ(ini.ReadString("s", "k", "def"), "old");
    {
        HeldFile held(ini.FileName());
        ExpectEveryChangeRefused(ini);
        // What cannot be read reads as the defaults.
        EXPECT_EQ(ini.ReadString("s", "k", "def"), "def");
        EXPECT_EQ(Sections(ini), Names{});
    }
    EXPECT_EQ(dir.read("held.ini"), content);
}

TEST(IniFile, WritingIntoAMissingFolderIsRefused)
{
    TempDir dir;
    TIniFile ini(dir.file("no folder\\a.ini"));
    try {
        ini.WriteString("s", "k", "v");
        ADD_FAILURE() << "no failure";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + ini.FileName());
    }
    EXPECT_FALSE(dir.exists("no folder"));
}

TEST(IniFile, OddFilesReadAsThePlatformReadsThem)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    std::string large;
    while (large.size() < 4 * 1024 * 1024)
        large += "[s" + std::to_string(large.size() % 997) + "]\r\nkey=" +
                 std::to_string(large.size()) + "\r\nk=value\r\n";
    const struct {
        const char* what;
        std::string content;
    } files[] = {
        {"empty", ""},
        {"garbage", garbage},
        {"garbage after a section", "[s]\r\nk=v\r\n" + garbage},
        {"megabytes", large},
        {"no final line end", "[s]\r\nk=v"},
        {"LF only", "[s]\nk=v\n[t]\nk=w\n"},
        {"CR only", "[s]\rk=v\r[t]\rk=w\r"},
        {"UTF-8 BOM", "\xEF\xBB\xBF[s]\r\nk=v\r\n"},
        {"duplicates", "[s]\r\nk=first\r\nk=second\r\n[s]\r\nk=third\r\n"},
        {"long value", "[s]\r\nk=" + std::string(3000, 'x') + "\r\n"},
        {"control characters", "[s]\r\nk=" + std::string(3000, '\x01') + "\r\n"},
        {"no section", "k=v\r\n"},
        {"unclosed section", "[s\r\nk=v\r\n"},
    };
    TempDir dir;
    const std::string file = dir.file("odd.ini");
    for (const auto& f : files) {
        dir.write("odd.ini", f.content);
        TIniFile ini(file);
        Names listed;
        ASSERT_NO_THROW(listed = Sections(ini)) << f.what;
        EXPECT_EQ(listed, PlatformSections(file)) << f.what;
        EXPECT_EQ(ini.ReadString("s", "k", "<missing>"), PlatformRead(file, "s", "k")) << f.what;
        EXPECT_EQ(ini.ReadString("s", "none", "def"), "def") << f.what;
        EXPECT_NO_THROW(ini.ReadBool("s", "k", false)) << f.what;
        EXPECT_EQ(dir.read("odd.ini"), f.content) << f.what;
    }
}

} // namespace
