// An action that hands a URL to the shell, which opens it with the program registered for it.
#pragma once

#include "platform/Classes.h"

#include <windows.h>

#include <string>

class TBrowseURL : public TComponent {
public:
    using TComponent::TComponent;

    std::string URL;
    bool Enabled() const { return !URL.empty(); }
    // Asks the shell once to open the URL; what the shell does then is its own affair.
    void Execute();
};

// The shell call behind Execute, replaceable so that tests can see the request.
using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
extern ShellExecuteFn UrlOpener;
