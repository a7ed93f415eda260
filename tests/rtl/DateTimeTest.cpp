// TDateTime: the calendar, formatting and parsing under the Russian settings, DOS file dates.
#include "rtl/DateTime.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

using namespace rtl;
using rtltest::ThrowsWith;

namespace {

// 2024-03-05 was a Tuesday.
const TDateTime kSample = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);

TEST(DateTime, EncodeCountsDaysFromTheEpoch) {
    struct Case {
        int y, m, d;
        double serial;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},    {1899, 12, 31, 1},     {1900, 1, 1, 2},       {1899, 12, 29, -1},
        {1800, 1, 1, -36522}, {2000, 1, 1, 36526},   {2024, 2, 29, 45351},  {1, 1, 1, -693593},
        {9999, 12, 31, 2958465},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.y) + "-" + std::to_string(c.m) + "-" + std::to_string(c.d));
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d).Value(), c.serial);
        const auto p = DecodeDate(c.serial);
        EXPECT_EQ(p.Year, c.y);
        EXPECT_EQ(p.Month, c.m);
        EXPECT_EQ(p.Day, c.d);
    }
}

TEST(DateTime, DecodeThenEncodeGivesTheSameDayAcrossTheWholeRange) {
    for (double day = -693593; day <= 2958465; day += 97) {
        int y, m, d;
        DecodeDate(day, y, m, d);
        ASSERT_EQ(EncodeDate(y, m, d).Value(), day) << y << "-" << m << "-" << d;
    }
}

TEST(DateTime, LeapYearsAndInvalidDates) {
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
    EXPECT_EQ(DaysInAMonth(2100, 2), 28);
    TDateTime r = 123.0;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, r));
    EXPECT_FALSE(TryEncodeDate(2024, 13, 1, r));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, r));
    EXPECT_FALSE(TryEncodeDate(2024, 4, 31, r));
    EXPECT_EQ(r.Value(), 123.0);  // untouched on failure
    EXPECT_TRUE(ThrowsWith<EConvertError>([] { EncodeDate(2023, 2, 29); }, "Invalid argument to date encode"));
    EXPECT_TRUE(ThrowsWith<EConvertError>([] { EncodeTime(24, 0, 0, 0); }, "Invalid argument to time encode"));
    EXPECT_THROW(EncodeTime(1, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(1, 0, 0, 1000), EConvertError);
}

TEST(DateTime, TimeIsTheFractionAndNegativeDatesKeepItPositive) {
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0).Value(), 0.25);
    const TDateTime before = EncodeDateTime(1899, 12, 29, 6, 0, 0, 0);
    EXPECT_DOUBLE_EQ(before.Value(), -1.25);
    const auto d = DecodeDate(before);
    const auto t = DecodeTime(before);
    EXPECT_EQ(d.Year, 1899);
    EXPECT_EQ(d.Month, 12);
    EXPECT_EQ(d.Day, 29);
    EXPECT_EQ(t.Hour, 6);
    EXPECT_EQ(t.Min, 0);
    const auto s = DecodeTime(kSample);
    EXPECT_EQ(s.Hour, 14);
    EXPECT_EQ(s.Min, 7);
    EXPECT_EQ(s.Sec, 9);
    EXPECT_EQ(s.MSec, 45);
    // 23:59:59.999 must not round up into the next day.
    const TDateTime late = EncodeDateTime(2024, 3, 5, 23, 59, 59, 999);
    EXPECT_EQ(DayOf(late), 5);
    EXPECT_EQ(DecodeTime(late).MSec, 999);
    EXPECT_DOUBLE_EQ(DateOf(kSample).Value(), EncodeDate(2024, 3, 5).Value());
    EXPECT_NEAR(TimeOf(kSample).Value(), EncodeTime(14, 7, 9, 45).Value(), 1e-12);
}

TEST(DateTime, IncMonthClampsTheDayAndKeepsTheTime) {
    struct Case {
        int y, m, d, months, ey, em, ed;
    };
    const Case cases[] = {
        {2023, 1, 31, 1, 2023, 2, 28},  {2024, 1, 31, 1, 2024, 2, 29},  {2024, 3, 31, -1, 2024, 2, 29},
        {2024, 12, 15, 1, 2025, 1, 15}, {2024, 1, 15, -13, 2022, 12, 15}, {2024, 5, 31, 12, 2025, 5, 31},
        {2024, 8, 31, 1, 2024, 9, 30},  {1899, 12, 30, -1, 1899, 11, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.y) + "-" + std::to_string(c.m) + "-" + std::to_string(c.d) + " + " +
                     std::to_string(c.months));
        EXPECT_EQ(IncMonth(EncodeDate(c.y, c.m, c.d), c.months).Value(), EncodeDate(c.ey, c.em, c.ed).Value());
    }
    const TDateTime moved = IncMonth(EncodeDateTime(2024, 1, 31, 13, 30, 0, 0));
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn", moved), "29.02.2024 13:30");
    const TDateTime movedBack = IncMonth(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1);
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn", movedBack), "29.11.1899 06:00");
}

TEST(DateTime, DayOfWeekCountsFromSunday) {
    EXPECT_EQ(DayOfWeek(0.0), 7);                           // 1899-12-30, a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 7)), 1);        // Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 8)), 2);        // Monday
    EXPECT_EQ(DayOfWeek(kSample), 3);                       // Tuesday, with a time of day
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 29)), 6);      // Friday, before the epoch
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 1);
    EXPECT_EQ(DayOfWeek(EncodeDateTime(1899, 12, 24, 18, 0, 0, 0)), 1);
}

TEST(DateTime, MonthAndDayBoundaries) {
    EXPECT_EQ(StartOfTheMonth(kSample).Value(), EncodeDate(2024, 3, 1).Value());
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn:ss.zzz", EndOfTheMonth(EncodeDate(2024, 2, 10))),
              "29.02.2024 23:59:59.999");
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", EndOfTheDay(kSample)), "23:59:59.999");
    EXPECT_EQ(StartOfTheDay(kSample).Value(), EncodeDate(2024, 3, 5).Value());
    EXPECT_TRUE(SameDate(kSample, EncodeDate(2024, 3, 5)));
    EXPECT_FALSE(SameDate(kSample, EncodeDate(2024, 3, 6)));
    EXPECT_EQ(CompareDateTime(kSample, kSample.Value() + 0.2 / MSecsPerDay), 0);  // same millisecond
    EXPECT_EQ(CompareDateTime(kSample, kSample.Value() + 1 / MSecsPerDay), -1);
    EXPECT_EQ(CompareDateTime(IncDay(kSample, 1), kSample), 1);
    EXPECT_EQ(YearOf(kSample), 2024);
    EXPECT_EQ(MonthOf(kSample), 3);
    EXPECT_EQ(DayOf(kSample), 5);
}

TEST(FormatDateTime, Letters) {
    struct Case {
        const char* format;
        const char* text;
    };
    const Case cases[] = {
        {"dd.mm.yyyy hh:nn:ss", "05.03.2024 14:07:09"},
        {"d.m.yy", "5.3.24"},
        {"hh:mm", "14:07"},  // m after an hour letter means minutes
        {"h:m:s", "14:7:9"},
        {"hh:mm:ss dd.mm", "14:07:09 05.03"},
        {"DD.MM.YYYY HH:MM", "05.03.2024 14:07"},
        {"mmm", "мар"},
        {"mmmm yyyy", "Март 2024"},
        {"ddd", "Вт"},
        {"dddd", "вторник"},
        {"ddddd", "05.03.2024"},
        {"dddddd", "5 Март 2024 г."},
        {"z", "45"},
        {"zzz", "045"},
        {"dd/mm/yyyy", "05.03.2024"},  // "/" is the date separator
        {"yyyy 'год' d \"d\"", "2024 год 5 d"},
        {"'unterminated", "unterminated"},
        {"c", "05.03.2024 14:07:09"},
        {"t", "14:07"},
        {"tt", "14:07:09"},
        {"hh:nn am/pm", "02:07 pm"},
        {"h a/p", "2 p"},
        {"hh:nn AM/PM", "02:07 PM"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(FormatDateTime(c.format, kSample), c.text);
    }
    EXPECT_EQ(FormatDateTime("", kSample), "05.03.2024 14:07:09");  // empty is "c"
    EXPECT_EQ(FormatDateTime("h am/pm", EncodeTime(0, 30, 0, 0)), "12 am");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "05.03.2024");  // no time at midnight
}

TEST(FormatDateTime, EnglishNamesAndTwelveHourClock) {
    const auto en = EnglishFormatSettings();
    EXPECT_EQ(FormatDateTime("dddd, mmmm d, yyyy", kSample, en), "Tuesday, March 5, 2024");
    EXPECT_EQ(FormatDateTime("ddd mmm", kSample, en), "Tue Mar");
    EXPECT_EQ(FormatDateTime("h:nn ampm", kSample, en), "2:07 PM");
    EXPECT_EQ(FormatDateTime("tt", EncodeTime(9, 5, 0, 0), en), "9:05:00 AM");
    EXPECT_EQ(FormatDateTime("mm/dd/yyyy", kSample, en), "03/05/2024");
}

TEST(DateTimeToStr, ShortDateAndLongTimeWithoutMidnight) {
    EXPECT_EQ(DateToStr(kSample), "05.03.2024");
    EXPECT_EQ(TimeToStr(kSample), "14:07:09");
    EXPECT_EQ(DateTimeToStr(kSample), "05.03.2024 14:07:09");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), "05.03.2024");
    EXPECT_EQ(DateTimeToStr(EncodeDateTime(2024, 3, 5, 0, 0, 1, 0)), "05.03.2024 0:00:01");
    EXPECT_EQ(DateToStr(kSample, InvariantFormatSettings()), "2024-03-05");
    EXPECT_EQ(DateTimeToStr(kSample, InvariantFormatSettings()), "2024-03-05 14:07:09");
    EXPECT_EQ(DateToStr(kSample, EnglishFormatSettings()), "03/05/2024");
    EXPECT_EQ(DateToStr(0.0), "30.12.1899");
}

TEST(StrToDate, ShortDateFormatOrder) {
    const double expected = EncodeDate(2024, 3, 5);
    EXPECT_EQ(StrToDate("05.03.2024").Value(), expected);
    EXPECT_EQ(StrToDate("5.3.2024").Value(), expected);
    EXPECT_EQ(StrToDate(" 05.03.2024 ").Value(), expected);
    TFormatSettings upper = RussianFormatSettings();
    upper.ShortDateFormat = "DD.MM.YYYY";
    EXPECT_EQ(StrToDate("05.03.2024", upper).Value(), expected);
    EXPECT_EQ(StrToDate("03/05/2024", EnglishFormatSettings()).Value(), expected);
    EXPECT_EQ(StrToDate("3/5/2024", EnglishFormatSettings()).Value(), expected);
    EXPECT_EQ(StrToDate("2024-03-05", InvariantFormatSettings()).Value(), expected);
    // Day and month alone take the current year.
    EXPECT_EQ(StrToDate("05.03").Value(), EncodeDate(YearOf(Now()), 3, 5).Value());
    EXPECT_EQ(StrToDate("3/5", EnglishFormatSettings()).Value(), EncodeDate(YearOf(Now()), 3, 5).Value());
    EXPECT_EQ(StrToDate("03-05", InvariantFormatSettings()).Value(), EncodeDate(YearOf(Now()), 3, 5).Value());
    // Round trip through the text the settings write.
    for (const double day : {-36522.0, 0.0, 45351.0, 2958465.0}) EXPECT_EQ(StrToDate(DateToStr(day)).Value(), day);
}

TEST(StrToDate, TwoDigitYearsFallInTheCenturyWindow) {
    EXPECT_EQ(StrToDate("05.03.24").Value(), EncodeDate(2024, 3, 5).Value());
    const int current = YearOf(Now());
    for (int yy = 0; yy < 100; ++yy) {
        const char text[] = {'0', '1', '.', '0', '1', '.', static_cast<char>('0' + yy / 10), static_cast<char>('0' + yy % 10), 0};
        const int year = YearOf(StrToDate(text));
        EXPECT_EQ(year % 100, yy) << text;
        EXPECT_GE(year, current - 50) << text;  // the default window: 50 years back from now
        EXPECT_LT(year, current + 50) << text;
    }
    TFormatSettings noWindow = RussianFormatSettings();
    noWindow.TwoDigitYearCenturyWindow = 0;  // the current century
    EXPECT_EQ(YearOf(StrToDate("01.01.99", noWindow)), current - current % 100 + 99);
    EXPECT_EQ(YearOf(StrToDate("01.01.0099", noWindow)), 99);  // more than two digits are taken as they are
}

TEST(StrToDate, InvalidTextRaisesNamingIt) {
    for (const char* bad : {"31.02.2024", "abc", "", "05.03.2024x", "05/03/2024", "05.13.2024", "5", "05..2024"}) {
        SCOPED_TRACE(bad);
        EXPECT_TRUE(ThrowsWith<EConvertError>([&] { StrToDate(bad); }, "'" + std::string(bad) + "' is not a valid date"));
    }
    EXPECT_EQ(StrToDateDef("31.02.2024", 7.0).Value(), 7.0);
}

TEST(StrToDateTime, DateTimeAndTime) {
    EXPECT_EQ(CompareDateTime(StrToDateTime("05.03.2024 14:07:09"), EncodeDateTime(2024, 3, 5, 14, 7, 9, 0)), 0);
    EXPECT_EQ(CompareDateTime(StrToDateTime("05.03.2024 14:07"), EncodeDateTime(2024, 3, 5, 14, 7, 0, 0)), 0);
    EXPECT_EQ(StrToDateTime("05.03.2024").Value(), EncodeDate(2024, 3, 5).Value());
    EXPECT_EQ(CompareDateTime(StrToDateTime(DateTimeToStr(kSample)), EncodeDateTime(2024, 3, 5, 14, 7, 9, 0)), 0);
    EXPECT_EQ(CompareDateTime(StrToTime("14:07:09"), EncodeTime(14, 7, 9, 0)), 0);
    EXPECT_EQ(CompareDateTime(StrToTime("14:07:09,5"), EncodeTime(14, 7, 9, 500)), 0);
    EXPECT_EQ(CompareDateTime(StrToTime("2:07 PM"), EncodeTime(14, 7, 0, 0)), 0);
    EXPECT_EQ(CompareDateTime(StrToTime("12:00 AM"), EncodeTime(0, 0, 0, 0)), 0);
    // Before the epoch the time still counts forward within the day.
    const TDateTime early = StrToDateTime("29.12.1899 06:00");
    EXPECT_DOUBLE_EQ(early.Value(), -1.25);
    EXPECT_TRUE(ThrowsWith<EConvertError>([] { StrToTime("25:00"); }, "'25:00' is not a valid time"));
    EXPECT_TRUE(ThrowsWith<EConvertError>([] { StrToTime("14"); }, "'14' is not a valid time"));
    EXPECT_TRUE(ThrowsWith<EConvertError>([] { StrToDateTime("05.03.2024 99:00"); },
                                          "'05.03.2024 99:00' is not a valid date and time"));
}

TEST(FileDate, DosWordPairsOfLocalTimes) {
    const TDateTime t = EncodeDateTime(2024, 3, 5, 14, 7, 9, 0);
    // Date word: years since 1980, month, day; time word: hours, minutes, seconds / 2.
    const std::int32_t expected = static_cast<std::int32_t>(((44u << 9 | 3u << 5 | 5u) << 16) | (14u << 11 | 7u << 5 | 4u));
    EXPECT_EQ(DateTimeToFileDate(t), expected);
    EXPECT_EQ(CompareDateTime(FileDateToDateTime(expected), EncodeDateTime(2024, 3, 5, 14, 7, 8, 0)), 0);
    EXPECT_EQ(CompareDateTime(FileDateToDateTime(DateTimeToFileDate(EncodeDate(1980, 1, 1))), EncodeDate(1980, 1, 1)), 0);
    EXPECT_EQ(DateTimeToFileDate(EncodeDate(1979, 12, 31)), -1);
    EXPECT_EQ(DateTimeToFileDate(EncodeDate(2108, 1, 1)), -1);
    // From 2044 on the date word has its top bit set: a negative number, yet not -1.
    const std::int32_t last = DateTimeToFileDate(EncodeDateTime(2107, 12, 31, 23, 59, 58, 0));
    EXPECT_LT(last, 0);
    EXPECT_NE(last, -1);
    EXPECT_EQ(CompareDateTime(FileDateToDateTime(last), EncodeDateTime(2107, 12, 31, 23, 59, 58, 0)), 0);
}

TEST(DateTime, NowIsLocalAndConsistent) {
    const TDateTime a = Now();
    const TDateTime today = Date();
    EXPECT_TRUE(SameDate(a, today) || SameDate(IncDay(a, 1), today));
    EXPECT_GE(TimeOf(a).Value(), 0.0);
    EXPECT_LT(TimeOf(a).Value(), 1.0);
    EXPECT_GT(YearOf(a), 2020);
    // A Unix time read back through local time agrees with Now to the second.
    const auto unixNow = static_cast<std::int64_t>(std::time(nullptr));
    EXPECT_NEAR(UnixToLocalDateTime(unixNow).Value(), Now().Value(), 5.0 / 86400.0);
}

}  // namespace
