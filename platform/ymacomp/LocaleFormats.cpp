#include "ymacomp/LocaleFormats.h"

#include "rtl/FormatSettings.h"
#include "rtl/Strings.h"

#include <algorithm>
#include <cstdio>

namespace yma {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool StartsNoCase(std::string_view s, std::size_t at, std::string_view what) {
    if (s.size() - at < what.size()) return false;
    for (std::size_t k = 0; k < what.size(); ++k)
        if (Lower(s[at + k]) != Lower(what[k])) return false;
    return true;
}

// The number of times the letter at `at` repeats (case ignored).
std::size_t RunOf(std::string_view s, std::size_t at) {
    std::size_t n = 1;
    while (at + n < s.size() && Lower(s[at + n]) == Lower(s[at])) ++n;
    return n;
}

// Literal text for a picker format, quoted, quotes doubled.
std::string QuotedLiteral(std::string_view text) {
    if (text.empty()) return {};
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

// Literal text that needs quotes only when it holds a letter or a quote.
std::string PickerLiteral(std::string_view text) {
    if (std::none_of(text.begin(), text.end(), [](char c) { return IsAsciiLetter(c) || c == '\''; }))
        return std::string(text);
    return QuotedLiteral(text);
}

std::string ConvertFormat(std::string_view f, int depth) {
    if (depth > 3) return {};  // a locale whose formats refer to each other in a circle
    const rtl::TFormatSettings& fs = rtl::FormatSettings();
    const bool twelveHour = rtl::AnsiPosText("am/pm", f) > 0 || rtl::AnsiPosText("a/p", f) > 0 ||
                            rtl::AnsiPosText("ampm", f) > 0;
    std::string out;
    bool afterHour = false;  // "m" right after an hour letter means minutes
    std::size_t i = 0;
    while (i < f.size()) {
        const char c = f[i];
        if (c == '\'' || c == '"') {
            const std::size_t end = f.find(c, i + 1);
            const std::size_t stop = end == std::string_view::npos ? f.size() : end;
            out += QuotedLiteral(f.substr(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        if (StartsNoCase(f, i, "am/pm")) { out += "tt"; i += 5; continue; }
        if (StartsNoCase(f, i, "ampm")) { out += "tt"; i += 4; continue; }
        if (StartsNoCase(f, i, "a/p")) { out += "t"; i += 3; continue; }
        if (c == '/') { out += PickerLiteral(fs.DateSeparator); ++i; continue; }
        if (c == ':') { out += PickerLiteral(fs.TimeSeparator); ++i; continue; }
        if (!IsAsciiLetter(c)) { out += c; ++i; continue; }
        const std::size_t run = RunOf(f, i);
        bool hour = false;
        switch (Lower(c)) {
        case 'd':
            if (run <= 4) out.append(run, 'd');
            else out += ConvertFormat(run == 5 ? fs.ShortDateFormat : fs.LongDateFormat, depth + 1);
            break;
        case 'm':
            if (afterHour) out.append(std::min<std::size_t>(run, 2), 'm');
            else out.append(std::min<std::size_t>(run, 4), 'M');
            break;
        case 'n': out.append(std::min<std::size_t>(run, 2), 'm'); break;
        case 'y': out += run <= 2 ? "yy" : "yyyy"; break;
        case 'h':
            out.append(std::min<std::size_t>(run, 2), twelveHour ? 'h' : 'H');
            hour = true;
            break;
        case 's': out.append(std::min<std::size_t>(run, 2), 's'); break;
        case 'z': break;  // pickers show no milliseconds
        case 't': out += ConvertFormat(run == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, depth + 1); break;
        case 'c':
            out += ConvertFormat(fs.ShortDateFormat, depth + 1) + " " + ConvertFormat(fs.LongTimeFormat, depth + 1);
            break;
        default: out += PickerLiteral(f.substr(i, run)); break;
        }
        afterHour = hour;
        i += run;
    }
    return out;
}

std::string Padded(int value, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

}  // namespace

std::string PickerFormatOf(std::string_view platformFormat) { return ConvertFormat(platformFormat, 0); }

std::string GetLocaleDateFormat() { return PickerFormatOf(rtl::FormatSettings().ShortDateFormat); }

std::string GetLocaleTimeFormat() { return PickerFormatOf(rtl::FormatSettings().LongTimeFormat); }

std::string GetLocaleDateTimeFormat() { return GetLocaleDateFormat() + " " + GetLocaleTimeFormat(); }

std::string FormatPickerDateTime(std::string_view format, rtl::TDateTime value) {
    const rtl::TFormatSettings& fs = rtl::FormatSettings();
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    rtl::DecodeDate(value, year, month, day);
    rtl::DecodeTime(value, hour, minute, second, msec);
    const std::string am = fs.TimeAMString.empty() ? "AM" : fs.TimeAMString;
    const std::string pm = fs.TimePMString.empty() ? "PM" : fs.TimePMString;
    std::string out;
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c == '\'') {
            // Quoted text; a doubled quote inside (or on its own) is one quote.
            ++i;
            while (i < format.size()) {
                if (format[i] == '\'') {
                    if (i + 1 < format.size() && format[i + 1] == '\'') {
                        out += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += format[i++];
            }
            continue;
        }
        std::size_t run = 1;
        while (i + run < format.size() && format[i + run] == c) ++run;
        const int n = static_cast<int>(run);
        switch (c) {
        case 'd':
        case 'D':
            if (n == 1) out += std::to_string(day);
            else if (n == 2) out += Padded(day, 2);
            else if (n == 3) out += fs.ShortDayNames[static_cast<std::size_t>(rtl::DayOfWeek(value) - 1)];
            else out += fs.LongDayNames[static_cast<std::size_t>(rtl::DayOfWeek(value) - 1)];
            break;
        case 'M':
            if (n == 1) out += std::to_string(month);
            else if (n == 2) out += Padded(month, 2);
            else if (n == 3) out += fs.ShortMonthNames[static_cast<std::size_t>(month - 1)];
            else out += fs.LongMonthNames[static_cast<std::size_t>(month - 1)];
            break;
        case 'y':
        case 'Y':
            if (n == 1) out += std::to_string(year % 10);
            else if (n == 2) out += Padded(year % 100, 2);
            else out += std::to_string(year);
            break;
        case 'h': {
            const int h12 = hour % 12 == 0 ? 12 : hour % 12;
            out += n == 1 ? std::to_string(h12) : Padded(h12, 2);
            break;
        }
        case 'H': out += n == 1 ? std::to_string(hour) : Padded(hour, 2); break;
        case 'm': out += n == 1 ? std::to_string(minute) : Padded(minute, 2); break;
        case 's':
        case 'S': out += n == 1 ? std::to_string(second) : Padded(second, 2); break;
        case 't':
        case 'T': {
            const std::string& marker = hour < 12 ? am : pm;
            out += n == 1 ? marker.substr(0, 1) : marker;
            break;
        }
        case 'g': break;  // the era: none in this calendar
        default: out.append(run, c); break;
        }
        i += run;
    }
    return out;
}

bool PickerFormatShowsTime(std::string_view format) {
    bool quoted = false;
    for (char c : format) {
        if (c == '\'') quoted = !quoted;
        else if (!quoted && (c == 'h' || c == 'H' || c == 'm' || c == 's' || c == 'S' || c == 't' || c == 'T'))
            return true;
    }
    return false;
}

}  // namespace yma
