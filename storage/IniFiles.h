// Profile (INI) files: one object names one file and holds nothing else; every operation
// goes to the file as it is at that moment.
#pragma once

#include "platform/Classes.h"
#include "platform/Strings.h"

#include <cstdint>
#include <string>

class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// The folder of the running executable, up to and including its last "\" or ":".
std::string ExecutableFolder();
// The full path of a bare profile file name beside the executable.
std::string ProfilePath(const std::string& bareName);

class TIniFile {
public:
    explicit TIniFile(std::string fullPath) : fileName_(std::move(fullPath)) {}
    ~TIniFile(); // asks the system to write out what it may still hold; the outcome is ignored
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const std::string& FileName() const { return fileName_; }

    // Clears the target, then appends the file's section names in file order.
    void ReadSections(TStrings& target) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    // Removing a section or file that is not there is no error.
    void EraseSection(const std::string& section);

private:
    [[noreturn]] void RaiseWriteError() const;
    std::string fileName_;
};

// A stored number as the flag reader takes it; false when the text is not a number.
bool TryParseProfileInteger(const std::string& text, std::int32_t& value);
