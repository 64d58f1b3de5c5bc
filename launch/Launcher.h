// Starting the game connected to a server, through a shortcut that lives only for the
// moment the shell needs to read it.
#pragma once

#include <windows.h>

#include <string>

// The game's folder: the path up to and including its last "\" or ":", where a byte that
// ends a double-byte character of the code page is no separator; empty without one.
std::string WorkingFolderOf(const std::string& gamePath, UINT codePage = CP_ACP);

// Where the shortcut is written: "ET_START.lnk" in the user's temporary folder.
std::string LaunchShortcutPath();

// Writes the shortcut (the game, " connect " and the address, the game's folder), asks the
// shell to open it, and deletes it. Throws when the shortcut cannot be made or the shell
// cannot open it; then nothing is left behind.
void LaunchGame(const std::string& gamePath, const std::string& address, HWND owner);

// Makes the shell-link object; replaceable, since no real system refuses it on demand.
using CreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
extern CreateInstanceFn LauncherCreateInstance;
