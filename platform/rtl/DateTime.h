// TDateTime: days since 1899-12-30 as a double, the fraction being the time of day.
// Calendar arithmetic and conversions to and from text under the locale settings.
#pragma once

#include "rtl/FormatSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rtl {

class TDateTime {
public:
    constexpr TDateTime() = default;
    constexpr TDateTime(double value) : value_(value) {}  // NOLINT: a date is a number of days
    constexpr operator double() const { return value_; }
    constexpr double Value() const { return value_; }

private:
    double value_ = 0.0;
};

inline constexpr double MSecsPerDay = 86400000.0;
inline constexpr double HoursPerDay = 24.0;

bool IsLeapYear(int year) noexcept;
int DaysInAMonth(int year, int month) noexcept;

// Encode functions raise EConvertError("Invalid argument to date encode"/"time encode")
// for values out of range; the Try… forms answer false instead.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime& result) noexcept;
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result) noexcept;

struct TDateParts {
    int Year = 0, Month = 0, Day = 0;
};
struct TTimeParts {
    int Hour = 0, Min = 0, Sec = 0, MSec = 0;
};
TDateParts DecodeDate(TDateTime dt) noexcept;
TTimeParts DecodeTime(TDateTime dt) noexcept;
void DecodeDate(TDateTime dt, int& year, int& month, int& day) noexcept;
void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec) noexcept;

TDateTime Now();
TDateTime Date();
TDateTime Time();
TDateTime DateOf(TDateTime dt) noexcept;  // the date part (time 00:00)
TDateTime TimeOf(TDateTime dt) noexcept;  // the time part
int YearOf(TDateTime dt) noexcept;
int MonthOf(TDateTime dt) noexcept;
int DayOf(TDateTime dt) noexcept;
// 1 = Sunday … 7 = Saturday, as the platform numbers them.
int DayOfWeek(TDateTime dt) noexcept;
// Moves by whole months, clamping the day to the target month's length; keeps the time.
TDateTime IncMonth(TDateTime dt, int months = 1);
TDateTime IncDay(TDateTime dt, int days = 1) noexcept;
TDateTime StartOfTheMonth(TDateTime dt);
TDateTime EndOfTheMonth(TDateTime dt);  // last day, 23:59:59.999
TDateTime StartOfTheDay(TDateTime dt) noexcept;
TDateTime EndOfTheDay(TDateTime dt) noexcept;
bool SameDate(TDateTime a, TDateTime b) noexcept;
int CompareDateTime(TDateTime a, TDateTime b) noexcept;  // to the millisecond

// FormatDateTime with the platform's format letters (d dd ddd dddd ddddd dddddd, m mm mmm
// mmmm, yy yyyy, h hh, n nn, s ss, z zzz, t tt, c, am/pm a/p ampm, / :, quoted literals);
// "m" after an hour letter means minutes. Letters are case-insensitive.
std::string FormatDateTime(std::string_view format, TDateTime dt);
std::string FormatDateTime(std::string_view format, TDateTime dt, const TFormatSettings& fs);
std::string DateToStr(TDateTime dt);
std::string TimeToStr(TDateTime dt);
// Short date, a blank and the long time; the time is left out when it is midnight.
std::string DateTimeToStr(TDateTime dt);
std::string DateToStr(TDateTime dt, const TFormatSettings& fs);
std::string DateTimeToStr(TDateTime dt, const TFormatSettings& fs);

// Text to date under the short date format's order of day, month and year and the date
// separator; raise EConvertError "'text' is not a valid date" (time, date and time).
TDateTime StrToDate(std::string_view s);
TDateTime StrToTime(std::string_view s);
TDateTime StrToDateTime(std::string_view s);
TDateTime StrToDate(std::string_view s, const TFormatSettings& fs);
TDateTime StrToDateTime(std::string_view s, const TFormatSettings& fs);
bool TryStrToDate(std::string_view s, TDateTime& result, const TFormatSettings& fs = FormatSettings());
bool TryStrToTime(std::string_view s, TDateTime& result, const TFormatSettings& fs = FormatSettings());
bool TryStrToDateTime(std::string_view s, TDateTime& result, const TFormatSettings& fs = FormatSettings());
TDateTime StrToDateDef(std::string_view s, TDateTime def);

// The DOS date-time word pair (date in the high word) of a local time; -1 when the date is
// outside 1980..2107.
std::int32_t DateTimeToFileDate(TDateTime dt) noexcept;
TDateTime FileDateToDateTime(std::int32_t fileDate);
// Local time of a Unix time (seconds) and back.
TDateTime UnixToLocalDateTime(std::int64_t unixSeconds);

}  // namespace rtl
