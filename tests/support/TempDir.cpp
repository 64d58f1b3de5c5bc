#include "tests/support/TempDir.h"

#include <windows.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{0};
    char tmp[MAX_PATH]{};
    GetTempPathA(MAX_PATH, tmp);
    for (;;) {
        std::ostringstream name;
        name << tmp << "portlark-test-" << GetCurrentProcessId() << "-" << counter++ << "\\";
        if (CreateDirectoryA(name.str().c_str(), nullptr)) {
            path_ = name.str();
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a temporary folder in " + std::string(tmp));
    }
}

TempDir::~TempDir() { removeTree(path_); }

void TempDir::write(const std::string& name, const std::string& bytes) const
{
    writeFile(file(name), bytes);
}

std::string TempDir::read(const std::string& name) const
{
    return exists(name) ? readFile(file(name)) : std::string();
}

bool TempDir::exists(const std::string& name) const
{
    return GetFileAttributesA(file(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

void removeTree(const std::string& path)
{
    std::string p = path;
    while (!p.empty() && (p.back() == '\\' || p.back() == '/'))
        p.pop_back();
    DWORD attrs = GetFileAttributesA(p.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES)
        return;
    if (!(attrs & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(p.c_str());
        return;
    }
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((p + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string n = fd.cFileName;
            if (n != "." && n != "..")
                removeTree(p + "\\" + n);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(p.c_str());
}

} // namespace testing_support
