#include "rtl/Convert.h"

#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace rtl {
namespace {

std::string_view TrimView(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

bool ParseInt64(std::string_view s, std::int64_t& out) {
    s = TrimView(s);
    if (s.empty()) return false;
    bool negative = false;
    if (s.front() == '+' || s.front() == '-') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty()) return false;
    unsigned __int128 acc = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        acc = acc * base + static_cast<unsigned>(d);
        if (acc > (static_cast<unsigned __int128>(1) << 64)) return false;
    }
    if (base == 16 && !negative) {
        // Hexadecimal may spell a negative number by its bits.
        if (acc > UINT64_MAX) return false;
        out = static_cast<std::int64_t>(static_cast<std::uint64_t>(acc));
        return true;
    }
    if (negative) {
        if (acc > static_cast<unsigned __int128>(INT64_MAX) + 1) return false;
        out = static_cast<std::int64_t>(-static_cast<__int128>(acc));
    } else {
        if (acc > INT64_MAX) return false;
        out = static_cast<std::int64_t>(acc);
    }
    return true;
}

[[noreturn]] void BadInteger(std::string_view s) {
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
}

}  // namespace

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IntToHex(std::int64_t value, int digits) {
    static const char* kHex = "0123456789ABCDEF";
    std::uint64_t u = static_cast<std::uint64_t>(value);
    std::string out;
    do {
        out.insert(out.begin(), kHex[u & 15]);
        u >>= 4;
    } while (u != 0);
    if (static_cast<int>(out.size()) < digits) out.insert(0, static_cast<std::size_t>(digits) - out.size(), '0');
    return out;
}

bool TryStrToInt64(std::string_view s, std::int64_t& value) { return ParseInt64(s, value); }

bool TryStrToInt(std::string_view s, int& value) {
    std::int64_t v;
    if (!ParseInt64(s, v)) return false;
    // A hexadecimal text may spell a negative 32-bit number by its bits ($FFFFFFFF = -1).
    const std::string_view t = TrimView(s);
    const bool hex = !t.empty() && (t.find('$') != std::string_view::npos || t.find("0x") != std::string_view::npos ||
                                    t.find("0X") != std::string_view::npos);
    if (hex && v > INT_MAX && v <= static_cast<std::int64_t>(UINT_MAX)) v = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    if (v < INT_MIN || v > INT_MAX) return false;
    value = static_cast<int>(v);
    return true;
}

int StrToInt(std::string_view s) {
    int v;
    if (!TryStrToInt(s, v)) BadInteger(s);
    return v;
}

std::int64_t StrToInt64(std::string_view s) {
    std::int64_t v;
    if (!ParseInt64(s, v)) BadInteger(s);
    return v;
}

int StrToIntDef(std::string_view s, int def) {
    int v;
    return TryStrToInt(s, v) ? v : def;
}

std::int64_t StrToInt64Def(std::string_view s, std::int64_t def) {
    std::int64_t v;
    return ParseInt64(s, v) ? v : def;
}

bool TryStrToFloat(std::string_view s, double& value, const TFormatSettings& fs) {
    const std::string_view t = TrimView(s);
    if (t.empty()) return false;
    // Rewrite into the C locale's form, refusing anything strtod would take that the
    // platform does not (hex floats, "inf", "nan", thousands separators).
    std::string c;
    std::size_t i = 0;
    if (t[i] == '+' || t[i] == '-') c += t[i++];
    bool digits = false, point = false, exponent = false;
    while (i < t.size()) {
        const char ch = t[i];
        if (ch >= '0' && ch <= '9') {
            c += ch;
            digits = true;
            ++i;
        } else if (!point && !exponent && !fs.DecimalSeparator.empty() &&
                   t.compare(i, fs.DecimalSeparator.size(), fs.DecimalSeparator) == 0) {
            c += '.';
            point = true;
            i += fs.DecimalSeparator.size();
        } else if (!exponent && digits && (ch == 'e' || ch == 'E')) {
            c += 'e';
            exponent = true;
            ++i;
            if (i < t.size() && (t[i] == '+' || t[i] == '-')) c += t[i++];
            if (i >= t.size() || !(t[i] >= '0' && t[i] <= '9')) return false;
        } else {
            return false;
        }
    }
    if (!digits) return false;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(c.c_str(), &end);
    if (end != c.c_str() + c.size()) return false;
    if (errno == ERANGE && std::isinf(v)) return false;
    value = v;
    return true;
}

double StrToFloat(std::string_view s, const TFormatSettings& fs) {
    double v;
    if (!TryStrToFloat(s, v, fs)) throw EConvertError("'" + std::string(s) + "' is not a valid floating point value");
    return v;
}

double StrToFloat(std::string_view s) { return StrToFloat(s, FormatSettings()); }

double StrToFloatDef(std::string_view s, double def, const TFormatSettings& fs) {
    double v;
    return TryStrToFloat(s, v, fs) ? v : def;
}

std::string BoolToStr(bool value, bool useBoolStrs) {
    if (useBoolStrs) return value ? "True" : "False";
    return value ? "-1" : "0";
}

bool TryStrToBool(std::string_view s, bool& value) {
    const std::string t = Trim(s);
    if (SameText(t, "true")) { value = true; return true; }
    if (SameText(t, "false")) { value = false; return true; }
    double d;
    if (TryStrToFloat(t, d, InvariantFormatSettings()) || TryStrToFloat(t, d)) {
        value = d != 0.0;
        return true;
    }
    return false;
}

bool StrToBool(std::string_view s) {
    bool v;
    if (!TryStrToBool(s, v)) throw EConvertError("'" + std::string(s) + "' is not a valid boolean value");
    return v;
}

}  // namespace rtl
