// Text functions: trimming, case mapping, ordinal and Russian-collation comparison, search,
// replace and quoting.
#include "rtl/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace rtl;

namespace {

TEST(Strings, TrimRemovesControlCharactersAndBlanksOnly) {
    EXPECT_EQ(Trim("\t\r\n \x01 текст  с  пробелами \x1f "), "текст  с  пробелами");
    EXPECT_EQ(TrimLeft("  a  "), "a  ");
    EXPECT_EQ(TrimRight("  a \r\n"), "  a");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim(""), "");
    // A no-break space is a character, not a blank; its UTF-8 bytes stay whole.
    EXPECT_EQ(Trim("\u00A0x\u00A0"), "\u00A0x\u00A0");
    EXPECT_EQ(Trim(" я "), "я");
}

TEST(Strings, CaseMapping) {
    EXPECT_EQ(AnsiUpperCase("привет, ёлка! Hello"), "ПРИВЕТ, ЁЛКА! HELLO");
    EXPECT_EQ(AnsiLowerCase("ПРИВЕТ, ЁЛКА! Hello"), "привет, ёлка! hello");
    EXPECT_EQ(AnsiUpperCase("ё"), "Ё");
    EXPECT_EQ(AnsiLowerCase("Ё"), "ё");
    // The plain forms touch ASCII letters only.
    EXPECT_EQ(UpperCase("abc абв"), "ABC абв");
    EXPECT_EQ(LowerCase("ABC АБВ"), "abc АБВ");
}

TEST(Strings, OrdinalComparisonFoldsOnlyAscii) {
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("abc", "abd"), 0);
    EXPECT_LT(CompareText("ab", "abc"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_NE(CompareText("абв", "АБВ"), 0);
    EXPECT_TRUE(SameText("Key", "KEY"));
    EXPECT_FALSE(SameText("ключ", "КЛЮЧ"));
    EXPECT_LT(CompareStr("A", "a"), 0);
    EXPECT_GT(CompareStr("ё", "я"), 0);  // by bytes "ё" comes after "я"
}

TEST(Strings, AnsiComparisonUsesTheRussianCollation) {
    EXPECT_EQ(AnsiCompareText("привет", "ПРИВЕТ"), 0);
    EXPECT_EQ(AnsiCompareText("Ёлка", "ёЛКА"), 0);
    EXPECT_TRUE(AnsiSameText("Ёж", "ёЖ"));
    EXPECT_TRUE(AnsiSameText("Key", "kEY"));
    EXPECT_FALSE(AnsiSameText("еж", "ёж"));
    EXPECT_FALSE(AnsiSameText("ab", "abc"));
    EXPECT_LT(AnsiCompareText("а", "Б"), 0);  // not by bytes: "Б" is below "а" there
    EXPECT_GT(AnsiCompareText("ё", "е"), 0);
    EXPECT_LT(AnsiCompareText("ё", "ж"), 0);
    EXPECT_LT(AnsiCompareText("ёж", "яма"), 0);
    EXPECT_LT(AnsiCompareText("zebra", "арбуз"), 0);  // Latin before Cyrillic
    EXPECT_LT(AnsiCompareText("1", "a"), 0);           // digits before letters
    EXPECT_LT(AnsiCompareStr("а", "А"), 0);  // lower before upper on ties
    EXPECT_GT(AnsiCompareStr("Б", "а"), 0);
    EXPECT_NE(AnsiCompareStr("привет", "Привет"), 0);
    EXPECT_TRUE(AnsiSameStr("x", "x"));
    EXPECT_FALSE(AnsiSameStr("x", "X"));

    std::vector<std::string> words = {"яблоко", "ёлка", "Ель", "жук", "арбуз", "ежевика", "Яма"};
    std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
    const std::vector<std::string> expected = {"арбуз", "ежевика", "ёлка", "Ель", "жук", "яблоко", "Яма"};
    EXPECT_EQ(words, expected);
}

TEST(Strings, PrefixSuffixAndContainment) {
    EXPECT_TRUE(AnsiStartsText("ОТЧ", "отчёт"));
    EXPECT_FALSE(AnsiStartsText("отчёты", "отчёт"));
    EXPECT_TRUE(EndsText(".INI", "settings.ini"));
    EXPECT_TRUE(EndsText("ЁТ", "отчёт"));
    EXPECT_FALSE(EndsText("long suffix", "x"));
    EXPECT_TRUE(AnsiContainsText("Отчёт по КАРТАМ", "картам"));
    EXPECT_FALSE(AnsiContainsText("Отчёт", "отчет"));
    EXPECT_TRUE(StartsStr("ab", "abc"));
    EXPECT_FALSE(StartsStr("abcd", "abc"));
    EXPECT_TRUE(EndsStr("bc", "abc"));
    EXPECT_FALSE(EndsStr("Bc", "abc"));
}

TEST(Strings, PosIsOneBasedAndZeroWhenAbsent) {
    EXPECT_EQ(Pos("b", "abcb"), 2u);
    EXPECT_EQ(Pos("b", "abcb", 3), 4u);
    EXPECT_EQ(Pos("b", "abcb", 5), 0u);
    EXPECT_EQ(Pos("x", "abc"), 0u);
    EXPECT_EQ(Pos("", "abc"), 0u);
    EXPECT_EQ(Pos("abc", "abc"), 1u);
    EXPECT_EQ(Pos("в", "абв"), 5u);  // a byte position
    EXPECT_EQ(AnsiPosText("ЁЛ", "ёлка"), 1u);
    EXPECT_EQ(AnsiPosText("КА", "ёлка"), 5u);
    EXPECT_EQ(AnsiPosText("z", "ёлка"), 0u);
    EXPECT_EQ(AnsiPosText("", "ёлка"), 0u);
}

TEST(Strings, StringReplace) {
    const std::string s = "Привет привет ПРИВЕТ";
    EXPECT_EQ(StringReplace(s, "привет", "пока", rfReplaceAll | rfIgnoreCase), "пока пока пока");
    EXPECT_EQ(StringReplace(s, "привет", "пока", rfReplaceAll), "Привет пока ПРИВЕТ");
    EXPECT_EQ(StringReplace(s, "привет", "пока", rfIgnoreCase), "пока привет ПРИВЕТ");
    EXPECT_EQ(StringReplace(s, "привет", "пока", rfNone), "Привет пока ПРИВЕТ");
    EXPECT_EQ(StringReplace(s, "нет", "x", rfReplaceAll), s);
    EXPECT_EQ(StringReplace(s, "", "x", rfReplaceAll), s);
    EXPECT_EQ(StringReplace("aaa", "a", "b", rfReplaceAll), "bbb");
    EXPECT_EQ(StringReplace("aaa", "aa", "b", rfReplaceAll), "ba");
    EXPECT_EQ(StringReplace("ab", "a", "aa", rfReplaceAll), "aab");  // the new text is not searched again
    EXPECT_EQ(StringReplace("a.b.c", ".", "", rfReplaceAll), "abc");
    EXPECT_EQ(StringReplace("ёЁё", "Ё", "е", rfReplaceAll | rfIgnoreCase), "еее");
    EXPECT_EQ(StringReplace("x ABC y abc", "abc", "-", rfReplaceAll | rfIgnoreCase), "x - y -");
}

TEST(Strings, Quoting) {
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(QuotedStr(""), "''");
    EXPECT_EQ(AnsiQuotedStr("a\"b", '"'), "\"a\"\"b\"");
    EXPECT_EQ(AnsiDequotedStr("'it''s'", '\''), "it's");
    EXPECT_EQ(AnsiDequotedStr("\"a\"\"b\"", '"'), "a\"b");
    EXPECT_EQ(AnsiDequotedStr("abc", '\''), "abc");  // not quoted: unchanged
    EXPECT_EQ(AnsiDequotedStr("'abc' tail", '\''), "abc");
    EXPECT_EQ(AnsiDequotedStr("", '\''), "");
    for (const char* text : {"'", "''", "a'b", "тест 'в' кавычках"})
        EXPECT_EQ(AnsiDequotedStr(QuotedStr(text), '\''), text) << text;
    EXPECT_EQ(StringOfChar('-', 3), "---");
}

TEST(Strings, HighBytesAndCyrillic) {
    EXPECT_FALSE(HasHighBytes("plain ascii"));
    EXPECT_TRUE(HasHighBytes("caf\u00E9"));
    EXPECT_FALSE(HasCyrillic("caf\u00E9"));
    EXPECT_TRUE(HasCyrillic("abc д"));
    EXPECT_TRUE(HasCyrillic("Ё"));
    EXPECT_FALSE(HasCyrillic("№ 5"));  // U+2116 is not a letter of the alphabet
}

}  // namespace
