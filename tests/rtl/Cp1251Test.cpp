// Windows-1251, the code page of texts that cross the plug-in's C boundary.
#include "rtl/Cp1251.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

using rtl::Cp1251ToUtf8;
using rtl::Utf8ToCp1251;

namespace {

TEST(Cp1251, ServiceCaptionHasTheExactBytes) {
    EXPECT_EQ(Utf8ToCp1251("Отчеты по картам (Ruv)"),
              "\xCE\xF2\xF7\xE5\xF2\xFB \xEF\xEE \xEA\xE0\xF0\xF2\xE0\xEC (Ruv)");
    EXPECT_EQ(Utf8ToCp1251("АЯаяЁё№€\u00A0«»—"), "\xC0\xDF\xE0\xFF\xA8\xB8\xB9\x88\xA0\xAB\xBB\x97");
    EXPECT_EQ(Cp1251ToUtf8("\xCE\xF2\xF7\xE5\xF2\xFB"), "Отчеты");
}

TEST(Cp1251, RussianTextRoundTrips) {
    const std::string text = "Съешь же ещё этих мягких французских булок, да выпей чаю. ЁЖИК № 5 — «тест»\r\n\t";
    const std::string bytes = Utf8ToCp1251(text);
    EXPECT_EQ(bytes.size(), 78u);  // one byte per character
    EXPECT_EQ(Cp1251ToUtf8(bytes), text);
    EXPECT_EQ(Utf8ToCp1251(""), "");
    EXPECT_EQ(Cp1251ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp1251, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("日本"), "??");
    EXPECT_EQ(Utf8ToCp1251("caf\u00E9 \u00E4"), "caf? ?");
    EXPECT_EQ(Utf8ToCp1251("ok \U0001F600!"), "ok ?!");
    EXPECT_EQ(Utf8ToCp1251("\xFF\xD0"), "??");  // malformed UTF-8
    EXPECT_EQ(Utf8ToCp1251("\uFFFD"), "?");
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "\uFFFD");  // the one unassigned byte
}

// Every byte of the code page against the C library's own converter.
TEST(Cp1251, WholeTableAgreesWithTheSystemConverter) {
    iconv_t cd = ::iconv_open("UTF-8", "CP1251");
    if (cd == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "the C library has no CP1251 converter";
    int checked = 0;
    for (int b = 0x80; b <= 0xFF; ++b) {
        if (b == 0x98) continue;
        char in[1] = {static_cast<char>(b)};
        char out[8] = {};
        char* inp = in;
        char* outp = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (::iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<std::size_t>(-1)) continue;
        const std::string utf8(out, sizeof out - outLeft);
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Cp1251ToUtf8(byte), utf8) << std::hex << b;
        EXPECT_EQ(Utf8ToCp1251(utf8), byte) << std::hex << b;
        ++checked;
    }
    ::iconv_close(cd);
    EXPECT_EQ(checked, 127);
}

}  // namespace
