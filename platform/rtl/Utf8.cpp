#include "rtl/Utf8.h"

namespace rtl {

char32_t Utf8Next(std::string_view s, std::size_t& pos) noexcept {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) { ++pos; return b0; }
    int extra = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) { extra = 1; cp = b0 & 0x1F; }
    else if ((b0 & 0xF0) == 0xE0) { extra = 2; cp = b0 & 0x0F; }
    else if ((b0 & 0xF8) == 0xF0) { extra = 3; cp = b0 & 0x07; }
    else { ++pos; return 0xFFFD; }
    if (pos + extra >= s.size()) { ++pos; return 0xFFFD; }
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) { ++pos; return 0xFFFD; }
        cp = (cp << 6) | (b & 0x3F);
    }
    // Overlong forms and surrogates are malformed.
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) { ++pos; return 0xFFFD; }
    pos += extra + 1;
    return cp;
}

void Utf8Append(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Utf8Encode(char32_t cp) {
    std::string s;
    Utf8Append(s, cp);
    return s;
}

std::size_t Utf8Length(std::string_view s) noexcept {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < s.size(); ++n) Utf8Next(s, pos);
    return n;
}

std::size_t Utf8Offset(std::string_view s, std::size_t charIndex) noexcept {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < charIndex && pos < s.size(); ++i) Utf8Next(s, pos);
    return pos;
}

std::string Utf8Left(std::string_view s, std::size_t count) {
    return std::string(s.substr(0, Utf8Offset(s, count)));
}

bool Utf8Valid(std::string_view s) noexcept {
    for (std::size_t pos = 0; pos < s.size();) {
        const std::size_t before = pos;
        const char32_t cp = Utf8Next(s, pos);
        if (cp == 0xFFFD && !(pos - before == 3 && s.substr(before, 3) == "\xEF\xBF\xBD")) return false;
    }
    return true;
}

}  // namespace rtl
