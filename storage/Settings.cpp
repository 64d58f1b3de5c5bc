#include "storage/Settings.h"

#include <windows.h>

namespace {

constexpr const char* PathSection = "path";
constexpr const char* PathKey = "etexe";
constexpr const char* StartSection = "start";
constexpr const char* QuitKey = "exit";

} // namespace

std::string ReadGamePath(const TIniFile& settings, const std::string& def)
{
    return settings.ReadString(PathSection, PathKey, def);
}

bool ReadQuitOption(const TIniFile& settings, bool def)
{
    return settings.ReadBool(StartSection, QuitKey, def);
}

void ForgetGamePath(TIniFile& settings) { settings.EraseSection(PathSection); }

void SaveSettings(TIniFile& settings, const std::string& gamePath, bool quit)
{
    settings.WriteString(PathSection, PathKey, gamePath);
    settings.WriteBool(StartSection, QuitKey, quit);
}

bool IsValidGamePath(const std::string& path)
{
    if (path.empty())
        return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
