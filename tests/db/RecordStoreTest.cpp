// The column store under the data sets, and the text collation of the data layer.
#include "db/Collation.h"
#include "db/RecordStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace db;

namespace {

TEST(RecordStore, AppendedRowsStartNullAndKeepEveryCellApart) {
    TRecordStore s;
    s.Define({TColumnKind::Int, TColumnKind::Float, TColumnKind::Text, TColumnKind::Var});
    // Past a 64-row word of null bits, so the bit arithmetic is crossed.
    for (int i = 0; i < 130; ++i) EXPECT_EQ(s.AppendRow(), static_cast<TRecordStore::Row>(i));
    for (int col = 0; col < 4; ++col) EXPECT_TRUE(s.IsNull(129, col));
    for (TRecordStore::Row r = 0; r < 130; r += 2) {
        s.SetInt(r, 0, r * 10);
        s.SetFloat(r, 1, r + 0.5);
        s.SetText(r, 2, "row " + std::to_string(r));
        s.SetVar(r, 3, rtl::Variant(static_cast<int>(r)));
    }
    for (TRecordStore::Row r = 0; r < 130; ++r) {
        const bool set = r % 2 == 0;
        for (int col = 0; col < 4; ++col) EXPECT_EQ(s.IsNull(r, col), !set) << r << "," << col;
        if (!set) continue;
        EXPECT_EQ(s.Int(r, 0), static_cast<std::int64_t>(r) * 10);
        EXPECT_DOUBLE_EQ(s.Float(r, 1), r + 0.5);
        EXPECT_EQ(s.Text(r, 2), "row " + std::to_string(r));
        EXPECT_EQ(s.Var(r, 3).AsInteger(), static_cast<int>(r));
    }
    // A null written into one cell leaves its neighbours alone; a clear variant is null.
    s.SetNull(64, 2);
    s.SetVar(66, 3, rtl::Variant::Null());
    EXPECT_TRUE(s.IsNull(64, 2));
    EXPECT_FALSE(s.IsNull(64, 0));
    EXPECT_FALSE(s.IsNull(62, 2));
    EXPECT_TRUE(s.IsNull(66, 3));
    EXPECT_FALSE(s.IsNull(66, 2));
}

TEST(RecordStore, DeletedRowsAreMarkedAndCounted) {
    TRecordStore s;
    s.Define({TColumnKind::Int});
    for (int i = 0; i < 70; ++i) s.SetInt(s.AppendRow(), 0, i);
    s.DeleteRow(3);
    s.DeleteRow(65);
    s.DeleteRow(3);  // twice is once
    EXPECT_EQ(s.RowCount(), 70u);
    EXPECT_EQ(s.LiveCount(), 68u);
    EXPECT_TRUE(s.IsDeleted(3));
    EXPECT_TRUE(s.IsDeleted(65));
    EXPECT_FALSE(s.IsDeleted(4));
    EXPECT_FALSE(s.IsDeleted(64));
    // Rows keep their numbers: a new row never reuses a deleted one.
    EXPECT_EQ(s.AppendRow(), 70u);
    EXPECT_EQ(s.Int(4, 0), 4);
    s.Clear();
    EXPECT_EQ(s.RowCount(), 0u);
    EXPECT_EQ(s.LiveCount(), 0u);
    EXPECT_EQ(s.ColumnCount(), 1);
}

// Texts of every length, written among many others and overwritten by shorter and longer
// ones, read back intact; one is longer than 64 KB and one fills more than a chunk.
TEST(RecordStore, TextsOfEveryLengthStayIntact) {
    TRecordStore s;
    s.Define({TColumnKind::Text, TColumnKind::Text});
    auto text = [](std::size_t n, char seed) {
        std::string t(n, ' ');
        for (std::size_t i = 0; i < n; ++i) t[i] = static_cast<char>('a' + (seed + i * 7) % 26);
        return t;
    };
    const std::vector<std::size_t> lengths = {0, 1, 2, 15, 16, 255, 4096, 65535, 65536, 65537, 70000, 300000};
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        const TRecordStore::Row r = s.AppendRow();
        expected.push_back(text(lengths[i], static_cast<char>(i)));
        s.SetText(r, 0, expected.back());
        s.SetText(r, 1, "Ёжик " + std::to_string(i));
    }
    // Many other texts afterwards fill several chunks.
    for (int i = 0; i < 5000; ++i) {
        const TRecordStore::Row r = s.AppendRow();
        s.SetText(r, 0, text(static_cast<std::size_t>(50 + i % 200), static_cast<char>(i)));
        s.SetText(r, 1, std::string());
    }
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        EXPECT_EQ(s.Text(static_cast<TRecordStore::Row>(i), 0), expected[i]) << "length " << lengths[i];
        EXPECT_EQ(s.Text(static_cast<TRecordStore::Row>(i), 1), "Ёжик " + std::to_string(i));
    }
    EXPECT_FALSE(s.IsNull(0, 0));  // an empty text is not null
    EXPECT_EQ(s.Text(lengths.size() + 3, 1), "");

    // Overwriting: shorter in place, longer elsewhere, the neighbours untouched.
    s.SetText(7, 0, "short");
    s.SetText(5, 0, text(100000, 'x'));
    s.SetText(1, 0, "");
    EXPECT_EQ(s.Text(7, 0), "short");
    EXPECT_EQ(s.Text(5, 0), text(100000, 'x'));
    EXPECT_EQ(s.Text(1, 0), "");
    EXPECT_EQ(s.Text(6, 0), expected[6]);
    EXPECT_EQ(s.Text(8, 0), expected[8]);
    s.SetText(7, 0, expected[7]);  // back to the long one
    EXPECT_EQ(s.Text(7, 0), expected[7]);
    EXPECT_EQ(s.Text(11, 0), expected[11]);
}

TEST(Collation, OrdersLatinBeforeCyrillicAndYoAfterYe) {
    struct Case {
        const char* a;
        const char* b;
        bool ignoreCase;
        int sign;
    };
    const Case cases[] = {
        {"abc", "abd", false, -1},
        {"abc", "ab", false, 1},
        {"", "", false, 0},
        {"Z", "А", false, -1},        // Latin before Cyrillic
        {"е", "ё", false, -1},        // ё right after е …
        {"ё", "ж", false, -1},        // … and before ж
        {"Е", "Ё", false, -1},
        {"Ё", "Ж", false, -1},
        {"Ёлкин", "Ершов", false, 1},  // ё > е decides at the first letter
        {"Ежов", "Ёлкин", false, -1},
        {"Я", "а", false, -1},        // case-sensitive: capitals first
        {"иванов", "ИВАНОВ", true, 0},
        {"ёлка", "ЁЛКА", true, 0},
        {"ёлка", "Ежевика", true, 1},
        {"Éclair", "éclair", true, 0},
        {"abc", "ABD", true, -1},
    };
    for (const Case& c : cases) {
        const int r = CompareTexts(c.a, c.b, c.ignoreCase);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
        const int back = CompareTexts(c.b, c.a, c.ignoreCase);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " vs " << c.a;
    }
    EXPECT_TRUE(StartsWithText("Ёлкин Пётр", "ёЛК", true));
    EXPECT_FALSE(StartsWithText("Ёлкин Пётр", "ёЛК", false));
    EXPECT_TRUE(StartsWithText("abc", "", false));
    EXPECT_FALSE(StartsWithText("ab", "abc", false));
}

}  // namespace
