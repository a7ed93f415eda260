// UTF-8 helpers: lengths in characters and the handling of malformed bytes.
#include "rtl/Utf8.h"

#include <gtest/gtest.h>

#include <string>

using namespace rtl;

namespace {

TEST(Utf8, LengthsAndOffsetsCountCharacters) {
    EXPECT_EQ(Utf8Length("abc"), 3u);
    EXPECT_EQ(Utf8Length("абв"), 3u);
    EXPECT_EQ(Utf8Length("€\U0001F600"), 2u);
    EXPECT_EQ(Utf8Length(""), 0u);
    EXPECT_EQ(Utf8Offset("aбв", 2), 3u);
    EXPECT_EQ(Utf8Offset("aбв", 9), 5u);  // past the end: the size
    EXPECT_EQ(Utf8Left("Отчёт", 3), "Отч");
    EXPECT_EQ(Utf8Left("Отчёт", 10), "Отчёт");
    std::string s;
    for (char32_t cp : {U'a', U'я', U'€', U'\U0001F600'}) Utf8Append(s, cp);
    EXPECT_EQ(s, "aя€\U0001F600");
    EXPECT_EQ(Utf8Encode(U'Ё'), "Ё");
}

TEST(Utf8, MalformedBytesDecodeAsReplacementAndAdvance) {
    struct Case {
        std::string bytes;
        std::size_t length;
    };
    const Case cases[] = {
        {"\xFF", 1},          // never valid
        {"\xD0", 1},          // cut short at the end
        {"\xD0x", 2},         // lead byte without its continuation
        {"\xC0\xAF", 2},      // overlong "/"
        {"\xED\xA0\x80", 3},  // a surrogate
        {"\xF4\x90\x80\x80", 4},  // above U+10FFFF
        {"\x80\x80", 2},      // stray continuations
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EXPECT_EQ(Utf8Length(c.bytes), c.length);
        EXPECT_FALSE(Utf8Valid(c.bytes));
        std::size_t pos = 0;
        EXPECT_EQ(Utf8Next(c.bytes, pos), U'\uFFFD');
        EXPECT_EQ(pos, 1u);
    }
    EXPECT_TRUE(Utf8Valid("Отчёт \uFFFD €"));  // a real replacement character is fine
    EXPECT_TRUE(Utf8Valid(""));
    std::size_t pos = 0;
    EXPECT_EQ(Utf8Next("я", pos), U'я');
    EXPECT_EQ(pos, 2u);
}

}  // namespace
