// The settings file: where the game is, and whether Portlark quits once it has started it.
#pragma once

#include "storage/IniFiles.h"

#include <string>

std::string ReadGamePath(const TIniFile& settings, const std::string& def);
bool ReadQuitOption(const TIniFile& settings, bool def);
void ForgetGamePath(TIniFile& settings);
void SaveSettings(TIniFile& settings, const std::string& gamePath, bool quit);

// A usable game path names an existing file-system entry that is not a folder.
bool IsValidGamePath(const std::string& path);
