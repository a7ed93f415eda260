#include "rtl/IniFile.h"

#include "rtl/Convert.h"
#include "rtl/Exceptions.h"
#include "rtl/FloatToText.h"
#include "rtl/Strings.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace rtl {
namespace {

struct Lines {
    std::vector<std::string> lines;
    std::string eol = "\n";
};

// Reads the file as lines; a missing or unreadable file is an empty one.
Lines ReadLines(const std::string& fileName) {
    Lines result;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return result;
    std::ostringstream buf;
    buf << in.rdbuf();
    std::string text = buf.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    if (text.find("\r\n") != std::string::npos) result.eol = "\r\n";
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
        result.lines.emplace_back(text.substr(start, i - start));
        if (i < text.size() && text[i] == '\r') ++i;
        if (i < text.size() && text[i] == '\n') ++i;
    }
    return result;
}

std::optional<std::string> SectionName(const std::string& line) {
    const std::string t = Trim(line);
    if (t.size() >= 2 && t.front() == '[') {
        const auto close = t.find(']');
        if (close != std::string::npos) return Trim(std::string_view(t).substr(1, close - 1));
    }
    return std::nullopt;
}

bool IsComment(const std::string& line) {
    const std::string t = TrimLeft(line);
    return !t.empty() && (t[0] == ';' || t[0] == '#');
}

// Splits "key=value"; false for a line that is not one.
bool KeyValue(const std::string& line, std::string& key, std::string& value) {
    if (IsComment(line)) return false;
    const auto eq = line.find('=');
    if (eq == std::string::npos) return false;
    key = Trim(std::string_view(line).substr(0, eq));
    if (key.empty()) return false;
    value = Trim(std::string_view(line).substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return true;
}

// [begin, end) of the first section with the name: begin is the header line.
bool FindSection(const Lines& f, std::string_view section, std::size_t& begin, std::size_t& end) {
    for (std::size_t i = 0; i < f.lines.size(); ++i) {
        const auto name = SectionName(f.lines[i]);
        if (name && AnsiSameText(*name, section)) {
            begin = i;
            end = i + 1;
            while (end < f.lines.size() && !SectionName(f.lines[end])) ++end;
            return true;
        }
    }
    return false;
}

void WriteLines(const std::string& fileName, const Lines& f) {
    std::string text;
    for (const auto& line : f.lines) {
        text += line;
        text += f.eol;
    }
    const std::string temp = fileName + ".tmp" + std::to_string(::getpid());
    auto fail = [&](const char* what) {
        std::remove(temp.c_str());
        throw EIniFileException(std::string("Unable to write to ") + fileName + " (" + what + ")");
    };
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(fileName.c_str(), &st) == 0) mode = st.st_mode & 07777;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) fail("cannot create the temporary file");
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) {
            ::close(fd);
            fail("write failed");
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) fail("cannot flush the file");
    if (std::rename(temp.c_str(), fileName.c_str()) != 0) fail("cannot replace the file");
}

}  // namespace

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    const Lines f = ReadLines(fileName_);
    std::size_t begin, end;
    if (!FindSection(f, section, begin, end)) return std::string(def);
    std::string k, v;
    for (std::size_t i = begin + 1; i < end; ++i)
        if (KeyValue(f.lines[i], k, v) && AnsiSameText(k, key)) return v;
    return std::string(def);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos)
        throw EIniFileException("Unable to write to " + fileName_ + ": the value of [" + std::string(section) + "] " +
                                std::string(key) + " holds a line break");
    Lines f = ReadLines(fileName_);
    const std::string line = std::string(key) + "=" + std::string(value);
    std::size_t begin, end;
    if (!FindSection(f, section, begin, end)) {
        f.lines.push_back("[" + std::string(section) + "]");
        f.lines.push_back(line);
    } else {
        std::string k, v;
        std::size_t insertAt = begin + 1;
        bool replaced = false;
        for (std::size_t i = begin + 1; i < end; ++i) {
            if (KeyValue(f.lines[i], k, v)) {
                if (AnsiSameText(k, key)) {
                    f.lines[i] = line;
                    replaced = true;
                    break;
                }
                insertAt = i + 1;
            } else if (!Trim(f.lines[i]).empty()) {
                insertAt = i + 1;
            }
        }
        if (!replaced) f.lines.insert(f.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), line);
    }
    WriteLines(fileName_, f);
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    return StrToIntDef(ReadString(section, key, ""), def);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

double TIniFile::ReadFloat(std::string_view section, std::string_view key, double def) const {
    const std::string s = ReadString(section, key, "");
    double v;
    if (TryStrToFloat(s, v, InvariantFormatSettings()) || TryStrToFloat(s, v)) return v;
    return def;
}

void TIniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
    WriteString(section, key, FloatToStr(value, InvariantFormatSettings()));
}

bool TIniFile::SectionExists(std::string_view section) const {
    const Lines f = ReadLines(fileName_);
    std::size_t begin, end;
    return FindSection(f, section, begin, end);
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    TStringList keys;
    ReadSection(section, keys);
    return keys.IndexOf(key) >= 0;
}

void TIniFile::ReadSection(std::string_view section, TStringList& keys) const {
    keys.BeginUpdate();
    keys.Clear();
    const Lines f = ReadLines(fileName_);
    std::size_t begin, end;
    if (FindSection(f, section, begin, end)) {
        std::string k, v;
        for (std::size_t i = begin + 1; i < end; ++i)
            if (KeyValue(f.lines[i], k, v)) keys.Add(k);
    }
    keys.EndUpdate();
}

void TIniFile::ReadSections(TStringList& sections) const {
    sections.BeginUpdate();
    sections.Clear();
    for (const auto& line : ReadLines(fileName_).lines)
        if (auto name = SectionName(line)) sections.Add(*name);
    sections.EndUpdate();
}

void TIniFile::ReadSectionValues(std::string_view section, TStringList& values) const {
    values.BeginUpdate();
    values.Clear();
    const Lines f = ReadLines(fileName_);
    std::size_t begin, end;
    if (FindSection(f, section, begin, end)) {
        std::string k, v;
        for (std::size_t i = begin + 1; i < end; ++i)
            if (KeyValue(f.lines[i], k, v)) values.Add(k + "=" + v);
    }
    values.EndUpdate();
}

void TIniFile::EraseSection(std::string_view section) {
    Lines f = ReadLines(fileName_);
    std::size_t begin, end;
    if (!FindSection(f, section, begin, end)) return;
    f.lines.erase(f.lines.begin() + static_cast<std::ptrdiff_t>(begin), f.lines.begin() + static_cast<std::ptrdiff_t>(end));
    WriteLines(fileName_, f);
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key) {
    Lines f = ReadLines(fileName_);
    std::size_t begin, end;
    if (!FindSection(f, section, begin, end)) return;
    std::string k, v;
    for (std::size_t i = begin + 1; i < end; ++i) {
        if (KeyValue(f.lines[i], k, v) && AnsiSameText(k, key)) {
            f.lines.erase(f.lines.begin() + static_cast<std::ptrdiff_t>(i));
            WriteLines(fileName_, f);
            return;
        }
    }
}

}  // namespace rtl
