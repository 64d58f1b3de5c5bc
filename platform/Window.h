// One window handle owned by one C++ object, with its messages forwarded to a member.
// Exceptions that escape a message are caught here, at the dispatch, and reported.
#pragma once

#include <windows.h>

class TWindowHandle {
public:
    TWindowHandle() = default;
    virtual ~TWindowHandle();
    TWindowHandle(const TWindowHandle&) = delete;
    TWindowHandle& operator=(const TWindowHandle&) = delete;

    HWND Handle() const { return hwnd_; }

protected:
    struct CreateArgs {
        const char* className = nullptr; // registered on first use with WindowProcThunk
        const char* title = "";
        DWORD style = 0;
        DWORD exStyle = 0;
        int x = 0, y = 0, width = 0, height = 0;
        HWND parent = nullptr;
        UINT classStyle = 0;
        HICON icon = nullptr;
        HBRUSH background = nullptr;
    };
    void CreateHandle(const CreateArgs& args);
    void DestroyHandle();

    // Everything the window receives; the default passes it to DefWindowProc.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// Calls fn and reports any exception that escapes it through the failure report, so that
// no exception crosses a window procedure into Windows. Returns false when one escaped.
template <class Fn> bool ReportingExceptions(Fn&& fn);

// Shows the failure report for the exception currently being handled.
void ReportCurrentException();

template <class Fn> bool ReportingExceptions(Fn&& fn)
{
    try {
        fn();
        return true;
    } catch (...) {
        ReportCurrentException();
        return false;
    }
}
