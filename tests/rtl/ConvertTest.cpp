// Text to numbers and back: integers (decimal and hexadecimal), floats under the locale
// settings, Booleans.
#include "rtl/Convert.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace rtl;
using rtltest::ThrowsWith;

namespace {

TEST(Convert, IntToStrAndHex) {
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");
    EXPECT_EQ(IntToHex(0, 0), "0");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFFFFFFFFFF");
}

TEST(Convert, StrToIntAcceptsDecimalHexSignAndBlanks) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"123", 123},         {" -45 ", -45},        {"+7", 7},           {"007", 7},
        {"$FF", 255},         {"$ff", 255},          {"0x1F", 31},        {"0X1f", 31},
        {"-$10", -16},        {"$FFFFFFFF", -1},     {"$80000000", INT32_MIN},
        {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StrToInt(c.text), c.value);
        int v = 0;
        EXPECT_TRUE(TryStrToInt(c.text, v));
        EXPECT_EQ(v, c.value);
    }
}

TEST(Convert, StrToIntRefusesGarbageAndOutOfRangeNamingTheText) {
    for (const char* bad : {"12a", "", " ", "-", "+", "$", "0x", "1 2", "1.0", "1,0", "2147483648", "-2147483649",
                            "$100000000", "99999999999999999999", "１２"}) {
        SCOPED_TRACE(bad);
        EXPECT_TRUE(ThrowsWith<EConvertError>([&] { StrToInt(bad); }, "'" + std::string(bad) + "' is not a valid integer value"));
        int v = 77;
        EXPECT_FALSE(TryStrToInt(bad, v));
        EXPECT_EQ(StrToIntDef(bad, -3), -3);
    }
}

TEST(Convert, StrToInt64TakesTheWholeRange) {
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(StrToInt64("5000000000"), 5000000000);
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("$FFFFFFFF"), 4294967295);  // 64 bits: no sign from bit 31
    EXPECT_TRUE(ThrowsWith<EConvertError>([] { StrToInt64("9223372036854775808"); }, "'9223372036854775808'"));
    EXPECT_THROW(StrToInt64("-9223372036854775809"), EConvertError);
    EXPECT_THROW(StrToInt64("$10000000000000000"), EConvertError);
    EXPECT_EQ(StrToInt64Def("x", 5), 5);
}

TEST(Convert, StrToFloatFollowsTheDecimalSeparator) {
    EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat(" -2,25 "), -2.25);
    EXPECT_DOUBLE_EQ(StrToFloat("1,5e3"), 1500.0);
    EXPECT_DOUBLE_EQ(StrToFloat("1E-2"), 0.01);
    EXPECT_DOUBLE_EQ(StrToFloat(",5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("5,"), 5.0);
    EXPECT_DOUBLE_EQ(StrToFloat("42"), 42.0);
    EXPECT_TRUE(ThrowsWith<EConvertError>([] { StrToFloat("1.5"); }, "'1.5' is not a valid floating point value"));
    const auto en = EnglishFormatSettings();
    EXPECT_DOUBLE_EQ(StrToFloat("1.5", en), 1.5);
    EXPECT_THROW(StrToFloat("1,5", en), EConvertError);
    {
        TFormatSettingsScope english(en);
        EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
    }
    for (const char* bad : {"", "abc", "1e", "e5", "1,5,5", "1 000,5", "1\u00A0000,5", "inf", "nan", "0x10", "1e400", "--1", "+"}) {
        SCOPED_TRACE(bad);
        double v = 9.0;
        EXPECT_FALSE(TryStrToFloat(bad, v));
        EXPECT_EQ(v, 9.0);
        EXPECT_EQ(StrToFloatDef(bad, -1.0), -1.0);
    }
}

TEST(Convert, BooleansAsTheyAreWritten) {
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false), "0");
    EXPECT_EQ(BoolToStr(true, true), "True");
    EXPECT_EQ(BoolToStr(false, true), "False");
    struct Case {
        const char* text;
        bool value;
    };
    for (const Case& c : {Case{"true", true}, Case{"TRUE", true}, Case{" False ", false}, Case{"0", false},
                          Case{"1", true}, Case{"-1", true}, Case{"2", true}, Case{"0,0", false}, Case{"0.5", true}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StrToBool(c.text), c.value);
    }
    for (const char* bad : {"yes", "", "истина", "t"}) {
        SCOPED_TRACE(bad);
        EXPECT_TRUE(ThrowsWith<EConvertError>([&] { StrToBool(bad); }, "'" + std::string(bad) + "' is not a valid boolean value"));
    }
}

}  // namespace
