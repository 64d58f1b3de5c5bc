// Profile files through the system's private-profile functions.
#include "storage/IniFiles.h"

#include <windows.h>

#include <vector>

namespace {

constexpr DWORD SectionListSize = 16384;
constexpr DWORD ValueSize = 2048;

// A missing key reads as the default, and so would a stored value equal to it. A line ends
// at CR or LF, so no stored value holds a line feed: this default comes back only for a
// missing key. It neither starts nor ends with a blank or a quote, which the system strips
// from a default.
constexpr char MissingMarker[] = "<\n>";

} // namespace

std::string ExecutableFolder()
{
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            std::string full(path.data(), n);
            const size_t cut = full.find_last_of("\\:");
            return cut == std::string::npos ? std::string() : full.substr(0, cut + 1);
        }
        path.resize(path.size() * 2);
    }
}

std::string ProfilePath(const std::string& bareName) { return ExecutableFolder() + bareName; }

TIniFile::~TIniFile()
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName_.c_str());
}

void TIniFile::ReadSections(TStrings& target) const
{
    target.BeginUpdate();
    try {
        target.Clear();
        std::vector<char> area(SectionListSize);
        const DWORD length = GetPrivateProfileSectionNamesA(area.data(), SectionListSize,
                                                            fileName_.c_str());
        if (length > 0) {
            for (const char* name = area.data(); *name && name < area.data() + length;
                 name += std::char_traits<char>::length(name) + 1)
                target.Add(name);
        }
    } catch (...) {
        target.EndUpdate();
        throw;
    }
    target.EndUpdate();
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const
{
    char area[ValueSize]{};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), MissingMarker, area, ValueSize,
                             fileName_.c_str());
    const std::string value(area);
    if (value == MissingMarker)
        return def.substr(0, ValueSize - 1);
    return value;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const
{
    std::int32_t number = 0;
    if (!TryParseProfileInteger(ReadString(section, key, ""), number))
        return def;
    return number != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value)
{
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                    fileName_.c_str()))
        RaiseWriteError();
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::EraseSection(const std::string& section)
{
    if (WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, fileName_.c_str()))
        return;
    // A file that is not there has no section to remove, yet the system refuses when even
    // the file's folder is missing. Anything that does exist and was refused is a failure.
    if (GetFileAttributesA(fileName_.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return;
    }
    RaiseWriteError();
}

void TIniFile::RaiseWriteError() const
{
    throw EIniFileException("Unable to write to " + fileName_);
}

bool TryParseProfileInteger(const std::string& text, std::int32_t& value)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    auto hexDigit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };

    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size())
        return false;

    std::uint64_t magnitude = 0;
    int significant = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        const int digit = hex ? hexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0)
            return false;
        if (hex) {
            if (significant > 0 || digit != 0)
                ++significant;
            if (significant > 8)
                return false;
            magnitude = magnitude * 16 + static_cast<unsigned>(digit);
        } else {
            magnitude = magnitude * 10 + static_cast<unsigned>(digit);
            if (magnitude > 2147483648ull)
                return false;
        }
    }
    if (hex) {
        // Eight hex digits are a 32-bit pattern: $FFFFFFFF is -1.
        const auto pattern = static_cast<std::uint32_t>(magnitude);
        std::int32_t v = static_cast<std::int32_t>(pattern);
        value = negative ? static_cast<std::int32_t>(0u - pattern) : v;
        return true;
    }
    if (!negative && magnitude > 2147483647ull)
        return false;
    value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                     : static_cast<std::int32_t>(magnitude);
    return true;
}
