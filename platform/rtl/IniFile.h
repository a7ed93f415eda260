// INI files with private-profile semantics: sections and keys compare case-insensitively,
// nothing is cached (every read opens the file, every write rewrites it at once), values
// are trimmed and lose one pair of enclosing quotes, lines that are not "key=value" are
// skipped. A missing file, section or key gives the default. Writes replace the file
// atomically (a temporary file renamed over it), so a failed write leaves the old file
// whole; they raise EIniFileException naming the file.
#pragma once

#include "rtl/StringList.h"

#include <string>
#include <string_view>

namespace rtl {

class TIniFile {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    const std::string& FileName() const noexcept { return fileName_; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // A value with a line break would split into two lines of the file: refused.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Decimal, or hexadecimal after "$" or "0x"; anything else gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    void WriteInteger(std::string_view section, std::string_view key, int value);
    // A number, 0 meaning false; written as 1 or 0.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    void WriteBool(std::string_view section, std::string_view key, bool value);
    // Written with "." whatever the locale; read with "." or the locale's separator.
    double ReadFloat(std::string_view section, std::string_view key, double def) const;
    void WriteFloat(std::string_view section, std::string_view key, double value);

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    void ReadSection(std::string_view section, TStringList& keys) const;
    void ReadSections(TStringList& sections) const;
    void ReadSectionValues(std::string_view section, TStringList& values) const;
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);

private:
    std::string fileName_;
};

}  // namespace rtl
