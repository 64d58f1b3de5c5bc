// The settings window's description: its frame, colours, fonts and every control.
#pragma once

#include "platform/Forms.h"

const TFormDesc& SettingsWindowDesc();

// What the credits label shows and where its mail link goes.
constexpr const char* CreditLine = "(c) 2026 Portlark";
constexpr const char* ContactAddress = "portlark@example.org";
