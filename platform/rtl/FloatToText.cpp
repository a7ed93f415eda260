#include "rtl/FloatToText.h"

#include "rtl/Exceptions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace rtl {
namespace {

constexpr int kSignificant = 15;  // what a double reliably carries

std::string GroupThousands(const std::string& intDigits, const std::string& separator) {
    if (separator.empty() || intDigits.size() <= 3) return intDigits;
    std::string out;
    const std::size_t lead = intDigits.size() % 3;
    for (std::size_t i = 0; i < intDigits.size(); ++i) {
        if (i != 0 && (i - lead) % 3 == 0 && i >= lead) out += separator;
        out += intDigits[i];
    }
    return out;
}

// Integer digits and fraction digits of a decimal record, the fraction padded to `frac`.
void SplitFixed(const TFloatRec& r, int frac, std::string& intPart, std::string& fracPart) {
    intPart.clear();
    fracPart.clear();
    const int n = static_cast<int>(r.Digits.size());
    for (int i = 0; i < r.Exponent; ++i) intPart += i < n ? r.Digits[i] : '0';
    if (intPart.empty()) intPart = "0";
    for (int i = 0; i < frac; ++i) {
        const int idx = r.Exponent + i;
        fracPart += (idx >= 0 && idx < n) ? r.Digits[idx] : '0';
    }
}

std::string ExponentText(int exp, int minDigits, bool alwaysSign) {
    std::string digits = std::to_string(std::abs(exp));
    if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    if (exp < 0) return "-" + digits;
    return (alwaysSign ? "+" : "") + digits;
}

std::string FormatCurrencyText(const std::string& number, bool negative, const TFormatSettings& fs) {
    const std::string& c = fs.CurrencyString;
    if (!negative) {
        switch (fs.CurrencyFormat) {
        case 0: return c + number;
        case 1: return number + c;
        case 2: return c + " " + number;
        default: return number + " " + c;
        }
    }
    switch (fs.NegCurrFormat) {
    case 0: return "(" + c + number + ")";
    case 1: return "-" + c + number;
    case 2: return c + "-" + number;
    case 3: return c + number + "-";
    case 4: return "(" + number + c + ")";
    case 5: return "-" + number + c;
    case 6: return number + "-" + c;
    case 7: return number + c + "-";
    case 8: return "-" + number + " " + c;
    case 9: return "-" + c + " " + number;
    case 10: return number + " " + c + "-";
    case 11: return c + " " + number + "-";
    case 12: return c + " -" + number;
    case 13: return number + "- " + c;
    case 14: return "(" + c + " " + number + ")";
    default: return "(" + number + " " + c + ")";
    }
}

// --- FormatFloat pattern engine ------------------------------------------------------

std::vector<std::string> SplitSections(std::string_view format) {
    std::vector<std::string> sections(1);
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '"' || c == '\'') {
            const auto close = format.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? format.size() : close + 1;
            sections.back() += format.substr(i, end - i);
            i = end - 1;
        } else if (c == ';') {
            if (sections.size() == 3) break;  // a fourth section is ignored
            sections.emplace_back();
        } else {
            sections.back() += c;
        }
    }
    return sections;
}

struct PatternInfo {
    int intPlaceholders = 0;   // '0' and '#' before the decimal point
    int minIntDigits = 0;      // placeholders from the first '0' on
    int fracPlaceholders = 0;  // '0' and '#' after the point
    int minFracDigits = 0;     // up to the last '0' after the point
    bool hasPoint = false;
    bool thousands = false;
    bool scientific = false;
    bool expSignAlways = false;
    int expDigits = 0;
    bool anyPlaceholder = false;
};

PatternInfo Analyze(std::string_view p) {
    PatternInfo info;
    int firstZero = -1;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const char c = p[i];
        if (c == '"' || c == '\'') {
            const auto close = p.find(c, i + 1);
            i = close == std::string_view::npos ? p.size() : close;
            continue;
        }
        if (info.scientific) continue;
        if (c == '0' || c == '#') {
            info.anyPlaceholder = true;
            if (!info.hasPoint) {
                if (c == '0' && firstZero < 0) firstZero = info.intPlaceholders;
                ++info.intPlaceholders;
            } else {
                ++info.fracPlaceholders;
                if (c == '0') info.minFracDigits = info.fracPlaceholders;
            }
        } else if (c == '.') {
            info.hasPoint = true;
        } else if (c == ',') {
            if (!info.hasPoint) info.thousands = true;
        } else if ((c == 'E' || c == 'e') && i + 1 < p.size() && (p[i + 1] == '+' || p[i + 1] == '-')) {
            info.scientific = true;
            info.expSignAlways = p[i + 1] == '+';
            std::size_t j = i + 2;
            while (j < p.size() && p[j] == '0') ++info.expDigits, ++j;
        }
    }
    if (firstZero >= 0) info.minIntDigits = info.intPlaceholders - firstZero;
    return info;
}

// Writes one section for the absolute value; returns the text and whether any non-zero
// digit appeared (so a minus sign is due).
std::string ApplySection(std::string_view p, double absValue, const TFormatSettings& fs, bool& nonZero) {
    const PatternInfo info = Analyze(p);
    std::string intDigits, fracDigits, expText;
    if (info.scientific) {
        const int mant = std::max(1, info.intPlaceholders);
        TFloatRec r = FloatToDecimal(absValue, std::min(kSignificant, mant + info.fracPlaceholders), 9999);
        int exp = r.Digits.empty() ? 0 : r.Exponent - mant;
        TFloatRec shifted = r;
        shifted.Exponent = r.Digits.empty() ? 0 : mant;
        SplitFixed(shifted, info.fracPlaceholders, intDigits, fracDigits);
        if (r.Digits.empty()) intDigits = "0";
        expText = ExponentText(exp, info.expDigits, info.expSignAlways);
        nonZero = !r.Digits.empty();
    } else {
        TFloatRec r = FloatToDecimal(absValue, kSignificant, info.fracPlaceholders);
        SplitFixed(r, info.fracPlaceholders, intDigits, fracDigits);
        nonZero = !r.Digits.empty();
        if (intDigits == "0") intDigits.clear();
    }
    while (static_cast<int>(intDigits.size()) < info.minIntDigits) intDigits.insert(0, "0");
    while (static_cast<int>(fracDigits.size()) > info.minFracDigits && !fracDigits.empty() && fracDigits.back() == '0')
        fracDigits.pop_back();

    // Integer digits fill the placeholders from the right; surplus digits go out at the
    // first placeholder. With grouping, a separator goes before every digit that starts a
    // group of three.
    std::string out;
    int intSeen = 0, fracSeen = 0;
    bool inFraction = false, expDone = false;
    const int intCount = static_cast<int>(intDigits.size());
    const int surplus = intCount - info.intPlaceholders;
    int digitIndex = 0;
    auto emitIntDigits = [&](int count) {
        for (int k = 0; k < count && digitIndex < intCount; ++k, ++digitIndex) {
            if (info.thousands && digitIndex > 0 && (intCount - digitIndex) % 3 == 0) out += fs.ThousandSeparator;
            out += intDigits[static_cast<std::size_t>(digitIndex)];
        }
    };
    for (std::size_t i = 0; i < p.size(); ++i) {
        const char c = p[i];
        if (c == '"' || c == '\'') {
            const auto close = p.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? p.size() : close;
            out += p.substr(i + 1, end - i - 1);
            i = end;
            continue;
        }
        if (expDone) { out += c; continue; }
        if (c == '0' || c == '#') {
            if (!inFraction) {
                const int placeholdersLeft = info.intPlaceholders - intSeen;  // including this one
                ++intSeen;
                if (intSeen == 1 && surplus > 0) emitIntDigits(surplus);
                const int digitsLeft = static_cast<int>(intDigits.size()) - digitIndex;
                if (digitsLeft >= placeholdersLeft) emitIntDigits(1);
            } else {
                if (fracSeen < static_cast<int>(fracDigits.size())) out += fracDigits[fracSeen];
                ++fracSeen;
            }
        } else if (c == '.') {
            if (!inFraction) {
                emitIntDigits(static_cast<int>(intDigits.size()));  // nothing may be lost
                inFraction = true;
                if (!fracDigits.empty()) out += fs.DecimalSeparator;
            }
        } else if (c == ',') {
            // grouping is handled with the digits
        } else if ((c == 'E' || c == 'e') && info.scientific && i + 1 < p.size() && (p[i + 1] == '+' || p[i + 1] == '-')) {
            emitIntDigits(static_cast<int>(intDigits.size()));
            out += c;
            out += expText;
            ++i;
            while (i + 1 < p.size() && p[i + 1] == '0') ++i;
            expDone = true;
        } else {
            out += c;
        }
    }
    if (!inFraction) emitIntDigits(static_cast<int>(intDigits.size()));
    return out;
}

}  // namespace

namespace {

// Rounds a digit string to n digits, half away from zero; a carry out of the first digit
// raises the exponent. n == 0 keeps only the rounding of the first digit.
void RoundDigits(std::string& d, int& e, int n) {
    if (n >= static_cast<int>(d.size())) return;
    if (n <= 0) {
        const bool up = n == 0 && !d.empty() && d[0] >= '5';
        d = up ? "1" : "";
        if (up) ++e;
        return;
    }
    const bool up = d[static_cast<std::size_t>(n)] >= '5';
    d.resize(static_cast<std::size_t>(n));
    if (!up) return;
    int i = n - 1;
    while (i >= 0 && d[static_cast<std::size_t>(i)] == '9') d[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) {
        d.insert(d.begin(), '1');
        d.pop_back();
        ++e;
    } else {
        ++d[static_cast<std::size_t>(i)];
    }
}

}  // namespace

TFloatRec FloatToDecimal(double value, int precision, int decimals) {
    TFloatRec r;
    if (std::isnan(value)) { r.Special = "NAN"; return r; }
    if (std::isinf(value)) { r.Special = value < 0 ? "-INF" : "INF"; return r; }
    if (value == 0.0) return r;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.16e", std::fabs(value));  // d.dddddddddddddddde±XX
    std::string digits(1, buf[0]);
    digits.append(buf + 2, 16);
    int e = std::atoi(std::strchr(buf, 'e') + 1) + 1;
    // First the significant digits a double carries, then the digits asked for: the first
    // step recovers the decimal value the binary double only approximates.
    RoundDigits(digits, e, kSignificant);
    precision = std::max(0, std::min(precision, kSignificant));
    RoundDigits(digits, e, std::min(precision, e + decimals));
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (digits.empty()) return r;
    r.Negative = std::signbit(value);
    r.Digits = std::move(digits);
    r.Exponent = e;
    return r;
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs) {
    precision = std::max(1, std::min(precision, kSignificant));
    if (format == TFloatFormat::ffGeneral || format == TFloatFormat::ffExponent) {
        TFloatRec r = FloatToDecimal(value, precision, 9999);
        if (!r.Special.empty()) return r.Special;
        const std::string sign = r.Negative ? "-" : "";
        if (format == TFloatFormat::ffGeneral) {
            if (r.Digits.empty()) return "0";
            if (r.Exponent > precision || r.Exponent < -3) {
                std::string m = r.Digits.substr(0, 1);
                if (r.Digits.size() > 1) m += fs.DecimalSeparator + r.Digits.substr(1);
                return sign + m + "E" + ExponentText(r.Exponent - 1, std::min(digits, 4), false);
            }
            std::string intPart, fracPart;
            SplitFixed(r, std::max(0, static_cast<int>(r.Digits.size()) - r.Exponent), intPart, fracPart);
            return sign + intPart + (fracPart.empty() ? "" : fs.DecimalSeparator + fracPart);
        }
        std::string d = r.Digits;
        d.resize(static_cast<std::size_t>(precision), '0');
        const int exp = r.Digits.empty() ? 0 : r.Exponent - 1;
        return sign + d.substr(0, 1) + (precision > 1 ? fs.DecimalSeparator + d.substr(1) : "") + "E" +
               ExponentText(exp, std::min(digits, 4), true);
    }
    digits = std::max(0, std::min(digits, 18));
    // The value keeps `precision` significant digits here too; one with more integer
    // digits than that is written in scientific form.
    TFloatRec r = FloatToDecimal(value, precision, digits);
    if (!r.Special.empty()) return r.Special;
    if (r.Exponent > precision) return FloatToStrF(value, TFloatFormat::ffGeneral, precision, 0, fs);
    std::string intPart, fracPart;
    SplitFixed(r, digits, intPart, fracPart);
    if (format != TFloatFormat::ffFixed) intPart = GroupThousands(intPart, fs.ThousandSeparator);
    std::string number = intPart + (digits > 0 ? fs.DecimalSeparator + fracPart : "");
    if (format == TFloatFormat::ffCurrency) return FormatCurrencyText(number, r.Negative, fs);
    return (r.Negative ? "-" : "") + number;
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
    return FloatToStrF(value, format, precision, digits, FormatSettings());
}

std::string FloatToStr(double value, const TFormatSettings& fs) {
    return FloatToStrF(value, TFloatFormat::ffGeneral, kSignificant, 0, fs);
}

std::string FloatToStr(double value) { return FloatToStr(value, FormatSettings()); }

std::string FormatFloat(std::string_view format, double value, const TFormatSettings& fs) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (format.empty()) return FloatToStr(value, fs);
    const auto sections = SplitSections(format);
    std::size_t pick = 0;
    if (value < 0 && sections.size() >= 2 && !sections[1].empty()) pick = 1;
    bool nonZero = false;
    std::string text = ApplySection(sections[pick], std::fabs(value), fs, nonZero);
    if (!nonZero && sections.size() >= 3 && !sections[2].empty()) {
        bool dummy;
        return ApplySection(sections[2], 0.0, fs, dummy);
    }
    if (value < 0 && pick == 0 && nonZero) text.insert(0, "-");
    return text;
}

std::string FormatFloat(std::string_view format, double value) { return FormatFloat(format, value, FormatSettings()); }

Currency Currency::FromDouble(double v) {
    if (!(std::fabs(v) < 922337203685477.5807)) throw EConvertError(FloatToStr(v) + " is not a valid currency value");
    return Currency{std::llround(v * 10000.0)};
}

std::string CurrToStr(Currency value, const TFormatSettings& fs) {
    const bool negative = value.Scaled < 0;
    const std::uint64_t mag = negative ? static_cast<std::uint64_t>(-(value.Scaled + 1)) + 1 : static_cast<std::uint64_t>(value.Scaled);
    std::string intPart = std::to_string(mag / 10000);
    std::string frac = std::to_string(mag % 10000);
    frac.insert(0, 4 - frac.size(), '0');
    while (!frac.empty() && frac.back() == '0') frac.pop_back();
    return (negative ? "-" : "") + intPart + (frac.empty() ? "" : fs.DecimalSeparator + frac);
}

std::string CurrToStr(Currency value) { return CurrToStr(value, FormatSettings()); }

}  // namespace rtl
