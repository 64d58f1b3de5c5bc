// Keeps Wine's virtual desktop up for a whole test run. Wine ends the desktop's process as soon
// as the last program on the desktop ends, and the next program starts a new one: that costs
// every test a second or more, and the new desktop inherits the output of the test that
// started it, so ctest waits for the desktop to end too. scripts/test.sh starts this once,
// detached; it lives until the wineserver is stopped.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // A window, never shown, makes this process one of the desktop's users.
    CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
