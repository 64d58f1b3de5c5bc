// A temporary folder of a test's own, removed with everything in it when the test ends.
#pragma once
#include <string>

namespace testing_support {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Full Windows path, ending in a backslash.
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }

    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const; // empty when missing
    bool exists(const std::string& name) const;

private:
    std::string path_;
};

// Reads or writes a whole file in binary; read throws std::runtime_error when it cannot.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
// Removes a file or a folder tree; no error when it is not there.
void removeTree(const std::string& path);

} // namespace testing_support
