// Format: the platform's printf under the process-wide (Russian) settings unless a record
// is handed in.
#include "rtl/Format.h"

#include "TestUtil.h"
#include "rtl/Variant.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using rtl::Format;
using rtltest::ThrowsWith;

namespace {

const std::string NBSP = "\u00A0";

TEST(Format, FloatsDefaultToTwoDecimalsWithTheLocaleSeparator) {
    EXPECT_EQ(Format("%f", {1.5}), "1,50");
    EXPECT_EQ(Format("%f", {-0.125}), "-0,13");  // half away from zero
    EXPECT_EQ(Format("%.3f", {2.0005}), "2,001");  // 2.0005 is 2.000499… in binary
    EXPECT_EQ(Format("%.0f", {2.5}), "3");
    EXPECT_EQ(Format("%f", {rtl::Currency{15000}}), "1,50");
    EXPECT_EQ(Format("%f", {1.5}, rtl::EnglishFormatSettings()), "1.50");
    {
        rtl::TFormatSettingsScope english(rtl::EnglishFormatSettings());
        EXPECT_EQ(Format("%f", {1.5}), "1.50");
    }
    EXPECT_EQ(Format("%f", {1.5}), "1,50");  // the scope restored the settings
}

TEST(Format, IntegersPadWithZerosToThePrecision) {
    EXPECT_EQ(Format("%d", {42}), "42");
    EXPECT_EQ(Format("%.4d", {5}), "0005");
    EXPECT_EQ(Format("%.4d", {-5}), "-0005");
    EXPECT_EQ(Format("%.2d", {12345}), "12345");
    EXPECT_EQ(Format("%6.3d", {7}), "   007");
    EXPECT_EQ(Format("%d", {std::int64_t{9000000000}}), "9000000000");
    EXPECT_EQ(Format("%d", {INT64_MIN}), "-9223372036854775808");
    EXPECT_EQ(Format("%u", {-1}), "4294967295");
    EXPECT_EQ(Format("%D", {7}), "7");  // type letters in either case
}

TEST(Format, HexIsUpperCaseAndZeroPadded) {
    EXPECT_EQ(Format("%x", {255}), "FF");
    EXPECT_EQ(Format("%.4x", {255}), "00FF");
    EXPECT_EQ(Format("%x", {-1}), "FFFFFFFF");
    EXPECT_EQ(Format("%x", {std::int64_t{-1}}), "FFFFFFFFFFFFFFFF");
}

TEST(Format, StringsPercentAndIndexes) {
    EXPECT_EQ(Format("%s и %s", {"а", std::string("б")}), "а и б");
    EXPECT_EQ(Format("100%%", {}), "100%");
    EXPECT_EQ(Format("%s", {'x'}), "x");
    EXPECT_EQ(Format("%.2s", {"абвг"}), "аб");  // precision counts characters
    EXPECT_EQ(Format("%1:s %0:s", {"a", "b"}), "b a");
    // After an index, arguments go on from the one after it.
    EXPECT_EQ(Format("%1:s %s %0:s", {"a", "b", "c"}), "b c a");
}

TEST(Format, WidthCountsCharactersAndMinusAlignsLeft) {
    EXPECT_EQ(Format("[%5d]", {42}), "[   42]");
    EXPECT_EQ(Format("[%-5d]", {42}), "[42   ]");
    EXPECT_EQ(Format("[%5s]", {"абв"}), "[  абв]");
    EXPECT_EQ(Format("[%-5s]", {"абв"}), "[абв  ]");
    EXPECT_EQ(Format("[%2s]", {"абвг"}), "[абвг]");  // never cut
    EXPECT_EQ(Format("[%8.2f]", {3.14159}), "[    3,14]");
}

TEST(Format, StarTakesWidthAndPrecisionFromTheArguments) {
    EXPECT_EQ(Format("[%*d]", {5, 42}), "[   42]");
    EXPECT_EQ(Format("[%-*d]", {4, 7}), "[7   ]");
    EXPECT_EQ(Format("%.*f", {1, 2.25}), "2,3");
    EXPECT_EQ(Format("[%*.*f]", {6, 1, 2.25}), "[   2,3]");
    EXPECT_EQ(Format("%*d %s", {3, 1, "x"}), "  1 x");
}

TEST(Format, NumberAndMoneyGroupThousands) {
    EXPECT_EQ(Format("%n", {1234567.891}), "1" + NBSP + "234" + NBSP + "567,89");
    EXPECT_EQ(Format("%.0n", {-1234.5}), "-1" + NBSP + "235");
    EXPECT_EQ(Format("%n", {1234567.891}, rtl::EnglishFormatSettings()), "1,234,567.89");
    EXPECT_EQ(Format("%n", {999.999}), "1" + NBSP + "000,00");  // the carry makes a new group
    EXPECT_EQ(Format("%m", {1234.5}), "1" + NBSP + "234,50 р.");
    EXPECT_EQ(Format("%m", {-1234.5}), "-1" + NBSP + "234,50 р.");
}

TEST(Format, ExponentFormHasFifteenDigitsAndAThreeDigitExponent) {
    EXPECT_EQ(Format("%e", {1000.0}), "1,00000000000000E+003");
    EXPECT_EQ(Format("%e", {-0.00125}), "-1,25000000000000E-003");
    EXPECT_EQ(Format("%.3e", {12345.0}), "1,23E+004");
    EXPECT_EQ(Format("%e", {0.0}), "0,00000000000000E+000");
    // The same choice as FloatToStrF with three exponent digits.
    EXPECT_EQ(Format("%e", {1e100}), rtl::FloatToStrF(1e100, rtl::TFloatFormat::ffExponent, 15, 3));
    EXPECT_EQ(Format("%g", {0.5}), "0,5");
}

TEST(Format, VariantArgumentsConvertByKind) {
    const rtl::Variant i = 42, s = "текст", d = 1.5, n = rtl::Variant::Null();
    EXPECT_EQ(Format("%d %s %f", {i, s, d}), "42 текст 1,50");
    EXPECT_EQ(Format("[%s]", {n}), "[]");
    EXPECT_TRUE(ThrowsWith<rtl::EConvertError>([&] { Format("%d", {s}); }, "'%d'"));
    EXPECT_TRUE(ThrowsWith<rtl::EConvertError>([&] { Format("%f", {n}); }, "'%f'"));
}

TEST(Format, WrongKindOrMissingArgumentRaisesNamingTheFormat) {
    struct Case {
        const char* format;
        rtl::TVarRec arg;
    };
    const Case cases[] = {
        {"Сумма %f", rtl::TVarRec(1)},      // an integer is not a float
        {"Счёт %d", rtl::TVarRec(1.5)},     // a float is not an integer
        {"Счёт %d", rtl::TVarRec("12")},    // nor is a text
        {"Имя %s", rtl::TVarRec(7)},        // an integer is not a text
        {"Флаг %d", rtl::TVarRec(true)},    // nor is a Boolean
        {"Адрес %p", rtl::TVarRec(7)},
        {"Хвост %", rtl::TVarRec(7)},       // a lone percent sign
        {"Буква %q", rtl::TVarRec(7)},      // no such type
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const rtl::TVarRec args[] = {c.arg};
        EXPECT_TRUE(ThrowsWith<rtl::EConvertError>([&] { Format(c.format, args); },
                                                   "Format '" + std::string(c.format) + "' invalid"));
    }
    EXPECT_TRUE(ThrowsWith<rtl::EConvertError>([] { Format("%d и %d", {1}); }, "No argument for format '%d и %d'"));
    EXPECT_TRUE(ThrowsWith<rtl::EConvertError>([] { Format("%2:d", {1, 2}); }, "'%2:d'"));
    EXPECT_TRUE(ThrowsWith<rtl::EConvertError>([] { Format("[%*d]", {5}); }, "'[%*d]'"));
}

}  // namespace
