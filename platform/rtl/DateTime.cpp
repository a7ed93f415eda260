#include "rtl/DateTime.h"

#include "rtl/Exceptions.h"
#include "rtl/Strings.h"
#include "rtl/Utf8.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace rtl {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) noexcept {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

constexpr void CivilFromDays(std::int64_t z, int& y, int& m, int& d) noexcept {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t yy = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

constexpr std::int64_t kEpochShift = DaysFromCivil(1899, 12, 30);  // TDateTime 0 in Unix days

// Whole day and milliseconds of the time of day; negative dates keep their time positive.
void Split(TDateTime dt, std::int64_t& day, std::int64_t& msec) noexcept {
    const double v = dt.Value();
    day = static_cast<std::int64_t>(std::trunc(v));
    msec = std::llround(std::fabs(v - std::trunc(v)) * MSecsPerDay);
    if (msec >= static_cast<std::int64_t>(MSecsPerDay)) {
        msec -= static_cast<std::int64_t>(MSecsPerDay);
        day += v < 0 ? -1 : 1;
    }
}

std::string Pad(int value, int digits) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < digits) s.insert(0, static_cast<std::size_t>(digits) - s.size(), '0');
    return s;
}

bool StartsWithText(std::string_view s, std::size_t pos, std::string_view what) {
    return s.size() - pos >= what.size() && SameText(s.substr(pos, what.size()), what);
}

bool FormatUses12Hour(std::string_view f) {
    for (std::size_t i = 0; i < f.size(); ++i) {
        const char c = f[i];
        if (c == '\'' || c == '"') {
            const auto close = f.find(c, i + 1);
            if (close == std::string_view::npos) return false;
            i = close;
        } else if (StartsWithText(f, i, "am/pm") || StartsWithText(f, i, "a/p") || StartsWithText(f, i, "ampm")) {
            return true;
        }
    }
    return false;
}

void Append(std::string& out, std::string_view format, TDateTime dt, const TFormatSettings& fs, int level) {
    if (level > 2) return;  // the platform stops nested formats at this depth
    const TDateParts date = DecodeDate(dt);
    const TTimeParts time = DecodeTime(dt);
    const bool twelve = FormatUses12Hour(format);
    char lastToken = ' ';
    std::size_t i = 0;
    auto count = [&](char upper) {
        std::size_t n = 0;
        while (i < format.size() && (format[i] == upper || format[i] == upper + 32)) ++n, ++i;
        return static_cast<int>(n);
    };
    while (i < format.size()) {
        char token = format[i];
        if (token >= 'a' && token <= 'z') token = static_cast<char>(token - 32);
        if (token >= 'A' && token <= 'Z') {
            if (token == 'M' && lastToken == 'H') token = 'N';
            lastToken = token;
        }
        switch (token) {
        case 'Y': {
            const int n = count('Y');
            out += n <= 2 ? Pad(date.Year % 100, 2) : Pad(date.Year, 4);
            break;
        }
        case 'M':
        case 'N': {
            if (token == 'N' && (format[i] == 'n' || format[i] == 'N')) {
                const int n = count('N');
                out += Pad(time.Min, n >= 2 ? 2 : 1);
                break;
            }
            const int n = count('M');
            if (token == 'N') {
                out += Pad(time.Min, n >= 2 ? 2 : 1);
            } else if (n <= 2) {
                out += Pad(date.Month, n);
            } else if (date.Month >= 1) {
                out += n == 3 ? fs.ShortMonthNames[date.Month - 1] : fs.LongMonthNames[date.Month - 1];
            }
            break;
        }
        case 'D': {
            const int n = count('D');
            const int dow = DayOfWeek(dt) - 1;
            switch (n) {
            case 1:
            case 2: out += Pad(date.Day, n); break;
            case 3: out += fs.ShortDayNames[dow]; break;
            case 4: out += fs.LongDayNames[dow]; break;
            case 5: Append(out, fs.ShortDateFormat, dt, fs, level + 1); break;
            default: Append(out, fs.LongDateFormat, dt, fs, level + 1); break;
            }
            break;
        }
        case 'H': {
            const int n = count('H');
            int hour = time.Hour;
            if (twelve) {
                hour %= 12;
                if (hour == 0) hour = 12;
            }
            out += Pad(hour, n >= 2 ? 2 : 1);
            break;
        }
        case 'S': {
            const int n = count('S');
            out += Pad(time.Sec, n >= 2 ? 2 : 1);
            break;
        }
        case 'Z': {
            const int n = count('Z');
            out += Pad(time.MSec, n >= 3 ? 3 : 1);
            break;
        }
        case 'T': {
            const int n = count('T');
            Append(out, n == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, dt, fs, level + 1);
            break;
        }
        case 'C': {
            count('C');
            Append(out, fs.ShortDateFormat, dt, fs, level + 1);
            if (time.Hour || time.Min || time.Sec || time.MSec) {
                out += ' ';
                Append(out, fs.LongTimeFormat, dt, fs, level + 1);
            }
            break;
        }
        case 'A': {
            const bool pm = time.Hour >= 12;
            if (StartsWithText(format, i, "am/pm")) {
                const std::string_view src = pm ? format.substr(i + 3, 2) : format.substr(i, 2);
                out += src;
                i += 5;
            } else if (StartsWithText(format, i, "a/p")) {
                out += pm ? format[i + 2] : format[i];
                i += 3;
            } else if (StartsWithText(format, i, "ampm")) {
                out += pm ? fs.TimePMString : fs.TimeAMString;
                i += 4;
            } else {
                out += format[i++];
            }
            break;
        }
        case '/':
            out += fs.DateSeparator;
            ++i;
            break;
        case ':':
            out += fs.TimeSeparator;
            ++i;
            break;
        case '\'':
        case '"': {
            const auto close = format.find(format[i], i + 1);
            if (close == std::string_view::npos) {
                out += format.substr(i + 1);
                i = format.size();
            } else {
                out += format.substr(i + 1, close - i - 1);
                i = close + 1;
            }
            break;
        }
        default:
            out += format[i++];
            break;
        }
    }
}

int CenturyYear(int year, const TFormatSettings& fs) {
    if (year >= 100) return year;
    const int current = YearOf(Now());
    int century = current - current % 100;
    if (fs.TwoDigitYearCenturyWindow > 0) {
        const int threshold = current - fs.TwoDigitYearCenturyWindow;
        century = threshold - threshold % 100;
        if (century + year < threshold) century += 100;
        // Years before the window's start belong to the next century.
    }
    return century + year;
}

// Reads an unsigned number of up to `maxDigits` digits after optional blanks.
bool ScanNumber(std::string_view s, std::size_t& pos, int& value, int& digits) {
    while (pos < s.size() && s[pos] == ' ') ++pos;
    std::size_t start = pos;
    value = 0;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && pos - start < 9) value = value * 10 + (s[pos++] - '0');
    digits = static_cast<int>(pos - start);
    return digits > 0;
}

bool ScanText(std::string_view s, std::size_t& pos, std::string_view what) {
    while (pos < s.size() && s[pos] == ' ' && what != " ") ++pos;
    if (what.empty() || s.substr(pos, what.size()) != what) return false;
    pos += what.size();
    return true;
}

enum class DateOrder { DMY, MDY, YMD };
DateOrder OrderOf(std::string_view format) {
    for (char c : format) {
        switch (c) {
        case 'd': case 'D': return DateOrder::DMY;
        case 'm': case 'M': return DateOrder::MDY;
        case 'y': case 'Y': return DateOrder::YMD;
        case '\'': case '"': break;
        default: break;
        }
    }
    return DateOrder::MDY;
}

bool ScanDate(std::string_view s, std::size_t& pos, TDateTime& result, const TFormatSettings& fs) {
    int n1, n2, n3 = 0, d1, d2, d3 = 0;
    if (!ScanNumber(s, pos, n1, d1) || !ScanText(s, pos, fs.DateSeparator) || !ScanNumber(s, pos, n2, d2))
        return false;
    const DateOrder order = OrderOf(fs.ShortDateFormat);
    bool haveThird = false;
    {
        std::size_t save = pos;
        if (ScanText(s, pos, fs.DateSeparator)) {
            if (!ScanNumber(s, pos, n3, d3)) return false;
            haveThird = true;
        } else {
            pos = save;
        }
    }
    int y, m, d;
    if (haveThird) {
        switch (order) {
        case DateOrder::DMY: d = n1; m = n2; y = n3; break;
        case DateOrder::MDY: m = n1; d = n2; y = n3; break;
        default: y = n1; m = n2; d = n3; break;
        }
        const int yearDigits = order == DateOrder::YMD ? d1 : d3;
        if (yearDigits <= 2) y = CenturyYear(y, fs);
    } else {
        // Without a year, year-first orders read month then day.
        y = YearOf(Now());
        if (order == DateOrder::DMY) { d = n1; m = n2; }
        else { m = n1; d = n2; }
    }
    return TryEncodeDate(y, m, d, result);
}

bool ScanTime(std::string_view s, std::size_t& pos, TDateTime& result, const TFormatSettings& fs) {
    int h, m = 0, sec = 0, ms = 0, digits;
    if (!ScanNumber(s, pos, h, digits)) return false;
    if (ScanText(s, pos, fs.TimeSeparator)) {
        if (!ScanNumber(s, pos, m, digits)) return false;
        if (ScanText(s, pos, fs.TimeSeparator)) {
            if (!ScanNumber(s, pos, sec, digits)) return false;
            if (ScanText(s, pos, fs.DecimalSeparator) || ScanText(s, pos, ".")) {
                if (!ScanNumber(s, pos, ms, digits)) return false;
                while (digits > 3) ms /= 10, --digits;
                while (digits < 3) ms *= 10, ++digits;
            }
        }
    } else {
        return false;  // a bare number is not a time
    }
    while (pos < s.size() && s[pos] == ' ') ++pos;
    auto tryMarker = [&](std::string_view am, std::string_view pm) {
        if (!am.empty() && StartsWithText(s, pos, am)) { pos += am.size(); if (h == 12) h = 0; return true; }
        if (!pm.empty() && StartsWithText(s, pos, pm)) { pos += pm.size(); if (h < 12) h += 12; return true; }
        return false;
    };
    if (!tryMarker(fs.TimeAMString, fs.TimePMString)) tryMarker("AM", "PM");
    return TryEncodeTime(h, m, sec, ms, result);
}

bool AtEnd(std::string_view s, std::size_t pos) {
    while (pos < s.size() && static_cast<unsigned char>(s[pos]) <= ' ') ++pos;
    return pos == s.size();
}

}  // namespace

bool IsLeapYear(int y) noexcept { return (y % 4 == 0) && (y % 100 != 0 || y % 400 == 0); }

int DaysInAMonth(int y, int m) noexcept {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12) return 0;
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

bool TryEncodeDate(int y, int m, int d, TDateTime& result) noexcept {
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > DaysInAMonth(y, m)) return false;
    result = static_cast<double>(DaysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)) - kEpochShift);
    return true;
}

bool TryEncodeTime(int h, int mi, int s, int ms, TDateTime& result) noexcept {
    if (h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59 || ms < 0 || ms > 999) return false;
    result = ((h * 3600000.0) + mi * 60000.0 + s * 1000.0 + ms) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int y, int m, int d) {
    TDateTime r;
    if (!TryEncodeDate(y, m, d, r)) throw EConvertError("Invalid argument to date encode");
    return r;
}

TDateTime EncodeTime(int h, int m, int s, int ms) {
    TDateTime r;
    if (!TryEncodeTime(h, m, s, ms, r)) throw EConvertError("Invalid argument to time encode");
    return r;
}

TDateTime EncodeDateTime(int y, int mo, int d, int h, int mi, int s, int ms) {
    const double date = EncodeDate(y, mo, d);
    const double time = EncodeTime(h, mi, s, ms);
    return date >= 0 ? date + time : date - time;
}

TDateParts DecodeDate(TDateTime dt) noexcept {
    std::int64_t day, msec;
    Split(dt, day, msec);
    TDateParts p;
    CivilFromDays(day + kEpochShift, p.Year, p.Month, p.Day);
    return p;
}

TTimeParts DecodeTime(TDateTime dt) noexcept {
    std::int64_t day, msec;
    Split(dt, day, msec);
    TTimeParts t;
    t.Hour = static_cast<int>(msec / 3600000);
    t.Min = static_cast<int>(msec / 60000 % 60);
    t.Sec = static_cast<int>(msec / 1000 % 60);
    t.MSec = static_cast<int>(msec % 1000);
    return t;
}

void DecodeDate(TDateTime dt, int& y, int& m, int& d) noexcept {
    const auto p = DecodeDate(dt);
    y = p.Year, m = p.Month, d = p.Day;
}

void DecodeTime(TDateTime dt, int& h, int& m, int& s, int& ms) noexcept {
    const auto t = DecodeTime(dt);
    h = t.Hour, m = t.Min, s = t.Sec, ms = t.MSec;
}

TDateTime UnixToLocalDateTime(std::int64_t unixSeconds) {
    const std::time_t t = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
    localtime_r(&t, &local);
    const std::int64_t days = DaysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                                            static_cast<unsigned>(local.tm_mday)) - kEpochShift;
    return static_cast<double>(days) + (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec) / 86400.0;
}

TDateTime Now() {
    const auto now = std::chrono::system_clock::now();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    const TDateTime base = UnixToLocalDateTime(ms / 1000);
    return base.Value() + static_cast<double>(ms % 1000) / MSecsPerDay;
}

TDateTime Date() { return DateOf(Now()); }
TDateTime Time() { return TimeOf(Now()); }
TDateTime DateOf(TDateTime dt) noexcept { return std::trunc(dt.Value()); }
TDateTime TimeOf(TDateTime dt) noexcept { return std::fabs(dt.Value() - std::trunc(dt.Value())); }
int YearOf(TDateTime dt) noexcept { return DecodeDate(dt).Year; }
int MonthOf(TDateTime dt) noexcept { return DecodeDate(dt).Month; }
int DayOf(TDateTime dt) noexcept { return DecodeDate(dt).Day; }

int DayOfWeek(TDateTime dt) noexcept {
    std::int64_t day, msec;
    Split(dt, day, msec);
    // 1899-12-30 was a Saturday (7).
    std::int64_t w = (day + 6) % 7;
    if (w < 0) w += 7;
    return static_cast<int>(w) + 1;
}

TDateTime IncMonth(TDateTime dt, int months) {
    auto p = DecodeDate(dt);
    int total = p.Year * 12 + (p.Month - 1) + months;
    int y = total / 12, m = total % 12 + 1;
    const int d = std::min(p.Day, DaysInAMonth(y, m));
    const double date = EncodeDate(y, m, d);
    const double time = TimeOf(dt);
    return date >= 0 ? date + time : date - time;
}

TDateTime IncDay(TDateTime dt, int days) noexcept { return dt.Value() + days; }

TDateTime StartOfTheMonth(TDateTime dt) {
    const auto p = DecodeDate(dt);
    return EncodeDate(p.Year, p.Month, 1);
}

TDateTime EndOfTheMonth(TDateTime dt) {
    const auto p = DecodeDate(dt);
    return EncodeDate(p.Year, p.Month, DaysInAMonth(p.Year, p.Month)).Value() + EncodeTime(23, 59, 59, 999).Value();
}

TDateTime StartOfTheDay(TDateTime dt) noexcept { return DateOf(dt); }
TDateTime EndOfTheDay(TDateTime dt) noexcept { return DateOf(dt).Value() + (MSecsPerDay - 1) / MSecsPerDay; }
bool SameDate(TDateTime a, TDateTime b) noexcept { return std::trunc(a.Value()) == std::trunc(b.Value()); }

int CompareDateTime(TDateTime a, TDateTime b) noexcept {
    const auto ma = std::llround(a.Value() * MSecsPerDay), mb = std::llround(b.Value() * MSecsPerDay);
    return ma < mb ? -1 : (ma > mb ? 1 : 0);
}

std::string FormatDateTime(std::string_view format, TDateTime dt, const TFormatSettings& fs) {
    std::string out;
    if (format.empty()) format = "C";
    Append(out, format, dt, fs, 0);
    return out;
}

std::string FormatDateTime(std::string_view format, TDateTime dt) { return FormatDateTime(format, dt, FormatSettings()); }
std::string DateToStr(TDateTime dt) { return DateToStr(dt, FormatSettings()); }
std::string DateToStr(TDateTime dt, const TFormatSettings& fs) { return FormatDateTime("ddddd", dt, fs); }
std::string TimeToStr(TDateTime dt) { return FormatDateTime("tt", dt); }
std::string DateTimeToStr(TDateTime dt) { return DateTimeToStr(dt, FormatSettings()); }
std::string DateTimeToStr(TDateTime dt, const TFormatSettings& fs) { return FormatDateTime("c", dt, fs); }

bool TryStrToDate(std::string_view s, TDateTime& result, const TFormatSettings& fs) {
    std::size_t pos = 0;
    return ScanDate(s, pos, result, fs) && AtEnd(s, pos);
}

bool TryStrToTime(std::string_view s, TDateTime& result, const TFormatSettings& fs) {
    std::size_t pos = 0;
    return ScanTime(s, pos, result, fs) && AtEnd(s, pos);
}

bool TryStrToDateTime(std::string_view s, TDateTime& result, const TFormatSettings& fs) {
    std::size_t pos = 0;
    TDateTime date, time;
    if (!ScanDate(s, pos, date, fs)) {
        pos = 0;
        if (!ScanTime(s, pos, time, fs) || !AtEnd(s, pos)) return false;
        result = time;
        return true;
    }
    if (AtEnd(s, pos)) {
        result = date;
        return true;
    }
    if (!ScanTime(s, pos, time, fs) || !AtEnd(s, pos)) return false;
    result = date.Value() >= 0 ? date.Value() + time.Value() : date.Value() - time.Value();
    return true;
}

TDateTime StrToDate(std::string_view s, const TFormatSettings& fs) {
    TDateTime r;
    if (!TryStrToDate(s, r, fs)) throw EConvertError("'" + std::string(s) + "' is not a valid date");
    return r;
}

TDateTime StrToDateTime(std::string_view s, const TFormatSettings& fs) {
    TDateTime r;
    if (!TryStrToDateTime(s, r, fs)) throw EConvertError("'" + std::string(s) + "' is not a valid date and time");
    return r;
}

TDateTime StrToDate(std::string_view s) { return StrToDate(s, FormatSettings()); }
TDateTime StrToDateTime(std::string_view s) { return StrToDateTime(s, FormatSettings()); }

TDateTime StrToTime(std::string_view s) {
    TDateTime r;
    if (!TryStrToTime(s, r)) throw EConvertError("'" + std::string(s) + "' is not a valid time");
    return r;
}

TDateTime StrToDateDef(std::string_view s, TDateTime def) {
    TDateTime r;
    return TryStrToDate(s, r) ? r : def;
}

std::int32_t DateTimeToFileDate(TDateTime dt) noexcept {
    const auto d = DecodeDate(dt);
    const auto t = DecodeTime(dt);
    if (d.Year < 1980 || d.Year > 2107) return -1;
    const std::uint32_t date = static_cast<std::uint32_t>(((d.Year - 1980) << 9) | (d.Month << 5) | d.Day);
    const std::uint32_t time = static_cast<std::uint32_t>((t.Hour << 11) | (t.Min << 5) | (t.Sec / 2));
    return static_cast<std::int32_t>((date << 16) | time);
}

TDateTime FileDateToDateTime(std::int32_t fileDate) {
    const auto u = static_cast<std::uint32_t>(fileDate);
    const int date = static_cast<int>(u >> 16), time = static_cast<int>(u & 0xFFFF);
    return EncodeDate((date >> 9) + 1980, (date >> 5) & 15, date & 31).Value() +
           EncodeTime(time >> 11, (time >> 5) & 63, (time & 31) * 2, 0).Value();
}

}  // namespace rtl
