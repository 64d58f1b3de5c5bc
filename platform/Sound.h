// Short sounds from the program's own resources, played without waiting.
#pragma once

#include <windows.h>

// Starts the WAVE resource of the running module and returns at once; a sound still playing
// stops. A sound that cannot be played is skipped: it is never worth a message.
void PlayResourceSound(const char* name);

// The system call behind it, replaceable so that tests can see what would be played where
// no sound device exists.
using PlaySoundFn = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
extern PlaySoundFn SoundPlayer;
