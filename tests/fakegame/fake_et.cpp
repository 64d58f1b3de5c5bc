// A stand-in for ET.exe: writes its full command line and its working folder to
// launched.txt beside itself, one per line, so tests can see exactly how it was started.
#include <windows.h>
#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char exe[MAX_PATH]{};
    DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return 1;
    char* slash = std::strrchr(exe, '\\');
    if (!slash)
        return 1;
    std::strcpy(slash + 1, "launched.txt");

    char cwd[MAX_PATH]{};
    GetCurrentDirectoryA(MAX_PATH, cwd);

    FILE* f = std::fopen(exe, "wb");
    if (!f)
        return 1;
    std::fprintf(f, "%s\n%s\n", GetCommandLineA(), cwd);
    std::fclose(f);
    return 0;
}
