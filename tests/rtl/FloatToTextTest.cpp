// Numbers to text: FloatToStr, FloatToStrF, FormatFloat patterns and the currency type.
#include "rtl/FloatToText.h"

#include "TestUtil.h"
#include "rtl/Convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using rtl::FloatToStr;
using rtl::FormatFloat;
using rtltest::ThrowsWith;

namespace {

const std::string NBSP = "\u00A0";

TEST(FloatToStr, FifteenSignificantDigitsUnderTheLocale) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.1 + 0.2, "0,3"},
        {100.0, "100"},
        {-2.5, "-2,5"},
        {1.0 / 3.0, "0,333333333333333"},
        {2.0 / 3.0, "0,666666666666667"},
        {2.675, "2,675"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1,23456789012346E15"},
        {1e20, "1E20"},
        {-1e20, "-1E20"},
        {0.0001, "0,0001"},
        {1e-5, "1E-5"},
        {1.5e-7, "1,5E-7"},
        {0.0, "0"},
        {-0.0, "0"},
        {999999999999999.9, "1E15"},  // rounding carries into a new digit
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FloatToStr(c.value), c.text);
    }
}

TEST(FloatToStr, InvariantSettingsWriteAndReadAPoint) {
    const auto& inv = rtl::InvariantFormatSettings();
    EXPECT_EQ(FloatToStr(1234.5, inv), "1234.5");
    EXPECT_EQ(FloatToStr(-0.25, inv), "-0.25");
    EXPECT_DOUBLE_EQ(rtl::StrToFloat("1234.5", inv), 1234.5);
    EXPECT_TRUE(ThrowsWith<rtl::EConvertError>([&] { rtl::StrToFloat("1234,5", inv); }, "'1234,5'"));
    // The invariant record is not touched by changes to the process-wide one.
    rtl::TFormatSettingsScope scope;
    rtl::FormatSettings().DecimalSeparator = "#";
    EXPECT_EQ(FloatToStr(0.5, inv), "0.5");
    EXPECT_EQ(FloatToStr(0.5), "0#5");
}

TEST(FloatToStrF, FixedNumberCurrencyAndExponent) {
    using rtl::FloatToStrF;
    using rtl::TFloatFormat;
    EXPECT_EQ(FloatToStrF(2.675, TFloatFormat::ffFixed, 15, 2), "2,68");
    EXPECT_EQ(FloatToStrF(1234567.5, TFloatFormat::ffFixed, 15, 1), "1234567,5");
    EXPECT_EQ(FloatToStrF(-0.5, TFloatFormat::ffFixed, 15, 0), "-1");
    EXPECT_EQ(FloatToStrF(7.0, TFloatFormat::ffFixed, 15, 3), "7,000");
    // The precision limits the significant digits of every format.
    EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::ffFixed, 4, 2), "1235,00");
    EXPECT_EQ(FloatToStrF(0.123456, TFloatFormat::ffFixed, 3, 5), "0,12300");
    EXPECT_EQ(FloatToStrF(1234567.891, TFloatFormat::ffNumber, 7, 2), "1" + NBSP + "234" + NBSP + "568,00");
    EXPECT_EQ(FloatToStrF(2.675, TFloatFormat::ffCurrency, 2, 2), "2,70 р.");
    EXPECT_EQ(FloatToStrF(1234567.891, TFloatFormat::ffFixed, 4, 2).rfind("1,235E", 0), 0u);  // too many integer digits
    EXPECT_EQ(FloatToStrF(1e20, TFloatFormat::ffFixed, 15, 2), "1E20");
    EXPECT_EQ(FloatToStrF(1234567.5, TFloatFormat::ffNumber, 15, 2), "1" + NBSP + "234" + NBSP + "567,50");
    EXPECT_EQ(FloatToStrF(123.0, TFloatFormat::ffNumber, 15, 0), "123");
    EXPECT_EQ(FloatToStrF(-1234.5, TFloatFormat::ffCurrency, 15, 2), "-1" + NBSP + "234,50 р.");
    EXPECT_EQ(FloatToStrF(-1234.5, TFloatFormat::ffCurrency, 15, 2, rtl::EnglishFormatSettings()), "($1,234.50)");
    EXPECT_EQ(FloatToStrF(1000.0, TFloatFormat::ffExponent, 15, 2), "1,00000000000000E+03");
    EXPECT_EQ(FloatToStrF(0.000123, TFloatFormat::ffExponent, 4, 1), "1,230E-4");
    EXPECT_EQ(FloatToStrF(1.0 / 3.0, TFloatFormat::ffGeneral, 4, 0), "0,3333");
    EXPECT_EQ(FloatToStrF(12345.0, TFloatFormat::ffGeneral, 3, 0), "1,23E4");
}

TEST(FloatToDecimal, RoundsHalfAwayFromZeroAfterFifteenDigits) {
    auto r = rtl::FloatToDecimal(2.675, 15, 2);
    EXPECT_EQ(r.Digits, "268");
    EXPECT_EQ(r.Exponent, 1);
    EXPECT_FALSE(r.Negative);
    r = rtl::FloatToDecimal(-0.05, 15, 1);
    EXPECT_EQ(r.Digits, "1");
    EXPECT_EQ(r.Exponent, 0);
    EXPECT_TRUE(r.Negative);
    r = rtl::FloatToDecimal(0.004, 15, 2);  // rounds to nothing
    EXPECT_TRUE(r.Digits.empty());
    r = rtl::FloatToDecimal(9.96, 15, 1);
    EXPECT_EQ(r.Digits, "1");
    EXPECT_EQ(r.Exponent, 2);
    EXPECT_EQ(rtl::FloatToDecimal(HUGE_VAL, 15, 2).Special, "INF");
}

TEST(FormatFloat, Patterns) {
    struct Case {
        const char* format;
        double value;
        std::string text;
    };
    const Case cases[] = {
        {"#,##0.00", 1234567.891, "1" + NBSP + "234" + NBSP + "567,89"},
        {"#,##0.00", 0.0, "0,00"},
        {"#,##0.00", -999.999, "-1" + NBSP + "000,00"},
        {"#,##0", -1234.0, "-1" + NBSP + "234"},
        {"#,##0", 123.0, "123"},
        {"0.00", 0.125, "0,13"},
        {"0.00", 2.675, "2,68"},
        {"0.00", 1.005, "1,01"},
        {"0.00", -0.125, "-0,13"},
        {"0.00", 1e15 + 0.25, "1000000000000000,00"},  // the quarter is past the 15th digit
        {"0", 0.5, "1"},
        {"0", 1.5, "2"},
        {"0", 2.5, "3"},  // half away from zero, not to even
        {"0", -2.5, "-3"},
        {"00000", 42.0, "00042"},
        {"00000", -42.0, "-00042"},
        {"000", 12345.0, "12345"},  // surplus digits are never lost
        {"#.##", 0.5, ",5"},
        {"#.##", 1.5, "1,5"},
        {"#.##", 12.345, "12,35"},
        {"#", 0.0, ""},
        {"0.0#", 1.0, "1,0"},
        {"0.0#", 1.256, "1,26"},
        {"0.00E+00", 12345.0, "1,23E+04"},
        {"0.00E+00", 0.00012345, "1,23E-04"},
        {"0.00E+00", 0.0, "0,00E+00"},
        {"0.00E-00", 12345.0, "1,23E04"},
        {"0.###E-0", 1500.0, "1,5E3"},
        {"\"Итого: \"0.00", 5.0, "Итого: 5,00"},
        {"0.00' руб.'", 5.0, "5,00 руб."},
        {"0.00' (0;0)'", 5.0, "5,00 (0;0)"},  // quoted text is not a pattern
        {"0.00 шт", 5.0, "5,00 шт"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " / " + std::to_string(c.value));
        EXPECT_EQ(FormatFloat(c.format, c.value), c.text);
    }
}

// The platform's reference table: four values under each pattern.
TEST(FormatFloat, ReferenceTable) {
    struct Row {
        const char* format;
        std::string plus, minus, half, zero;  // 1234, -1234, 0.5, 0
    };
    const std::string k = "1" + NBSP + "234";
    const Row rows[] = {
        {"", "1234", "-1234", "0,5", "0"},
        {"0", "1234", "-1234", "1", "0"},
        {"0.00", "1234,00", "-1234,00", "0,50", "0,00"},
        {"#.##", "1234", "-1234", ",5", ""},
        {"#,##0.00", k + ",00", "-" + k + ",00", "0,50", "0,00"},
        {"#,##0.00;(#,##0.00)", k + ",00", "(" + k + ",00)", "0,50", "0,00"},
        {"#,##0.00;;Zero", k + ",00", "-" + k + ",00", "0,50", "Zero"},
        {"0.000E+00", "1,234E+03", "-1,234E+03", "5,000E-01", "0,000E+00"},
        {"#.###E-0", "1,234E3", "-1,234E3", "5E-1", "0E0"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.format);
        EXPECT_EQ(FormatFloat(r.format, 1234.0), r.plus);
        EXPECT_EQ(FormatFloat(r.format, -1234.0), r.minus);
        EXPECT_EQ(FormatFloat(r.format, 0.5), r.half);
        EXPECT_EQ(FormatFloat(r.format, 0.0), r.zero);
    }
}

TEST(FormatFloat, SectionsForNegativeAndZero) {
    const char* f = "0.00;(0.00);'ноль'";
    EXPECT_EQ(FormatFloat(f, 1.5), "1,50");
    EXPECT_EQ(FormatFloat(f, -1.5), "(1,50)");  // the negative section writes no minus sign
    EXPECT_EQ(FormatFloat(f, 0.0), "ноль");
    EXPECT_EQ(FormatFloat(f, 0.001), "ноль");   // zero once rounded
    EXPECT_EQ(FormatFloat(f, -0.001), "ноль");
    EXPECT_EQ(FormatFloat("0.00;;'-'", -1.5), "-1,50");  // an empty negative section uses the first
    EXPECT_EQ(FormatFloat("0.00;;'-'", 0.0), "-");
    EXPECT_EQ(FormatFloat("0.00;minus 0.00", -2.0), "minus 2,00");
    EXPECT_EQ(FormatFloat("0.00", -0.001), "0,00");  // no minus on a rounded zero
}

TEST(FormatFloat, EnglishAndInvariantSeparators) {
    rtl::TFormatSettingsScope english(rtl::EnglishFormatSettings());
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1,234,567.89");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, rtl::InvariantFormatSettings()), "1234567.89");
    EXPECT_EQ(FormatFloat("0.00E+00", 12345.0), "1.23E+04");
    EXPECT_EQ(FormatFloat("", 0.25), "0.25");  // an empty pattern is FloatToStr
}

TEST(Currency, FixedPointTenThousandths) {
    EXPECT_EQ(rtl::Currency::FromDouble(1.23456).Scaled, 12346);
    EXPECT_EQ(rtl::Currency::FromDouble(-2.675).Scaled, -26750);
    EXPECT_DOUBLE_EQ(rtl::Currency{-15000}.ToDouble(), -1.5);
    EXPECT_EQ(rtl::CurrToStr(rtl::Currency{12345}), "1,2345");
    EXPECT_EQ(rtl::CurrToStr(rtl::Currency{-15000}), "-1,5");
    EXPECT_EQ(rtl::CurrToStr(rtl::Currency{20000}), "2");
    EXPECT_EQ(rtl::CurrToStr(rtl::Currency{std::numeric_limits<std::int64_t>::min()}), "-922337203685477,5808");
    EXPECT_LT(rtl::Currency{1}, rtl::Currency{2});
    EXPECT_TRUE(ThrowsWith<rtl::EConvertError>([] { rtl::Currency::FromDouble(1e300); }, "not a valid currency value"));
    EXPECT_THROW(rtl::Currency::FromDouble(std::nan("")), rtl::EConvertError);
}

}  // namespace
