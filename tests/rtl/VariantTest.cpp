// Variant: kinds, the platform's conversions between them, comparison and arrays.
#include "rtl/Variant.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace rtl;
using rtltest::ThrowsWith;

namespace {

TEST(Variant, KindsFollowTheCppType) {
    EXPECT_EQ(Variant().VarType(), varEmpty);
    EXPECT_EQ(Variant::Null().VarType(), varNull);
    EXPECT_EQ(Variant(true).VarType(), varBoolean);
    EXPECT_EQ(Variant(std::int16_t{1}).VarType(), varSmallint);
    EXPECT_EQ(Variant(1).VarType(), varInteger);
    EXPECT_EQ(Variant(std::uint8_t{1}).VarType(), varByte);
    EXPECT_EQ(Variant(std::uint32_t{1}).VarType(), varLongWord);
    EXPECT_EQ(Variant(std::int64_t{1}).VarType(), varInt64);
    EXPECT_EQ(Variant(1.5f).VarType(), varSingle);
    EXPECT_EQ(Variant(1.5).VarType(), varDouble);
    EXPECT_EQ(Variant(TDateTime(1.0)).VarType(), varDate);
    EXPECT_EQ(Variant(Currency{1}).VarType(), varCurrency);
    EXPECT_EQ(Variant("x").VarType(), varUString);
    EXPECT_EQ(Variant(std::string("x")).VarType(), varUString);
    EXPECT_TRUE(Variant(1).IsOrdinal());
    EXPECT_TRUE(Variant(true).IsOrdinal());
    EXPECT_TRUE(Variant(Currency{1}).IsFloat());
    EXPECT_TRUE(Variant(TDateTime(1.0)).IsNumeric());
    EXPECT_FALSE(Variant("1").IsNumeric());
    EXPECT_TRUE(Variant::Null().IsClear());
    EXPECT_TRUE(Variant().IsClear());
    EXPECT_FALSE(Variant(0).IsClear());
    EXPECT_STREQ(VarTypeName(varUString), "UnicodeString");
}

TEST(Variant, NullIsAnEmptyTextAndNothingElse) {
    const Variant n = Variant::Null();
    EXPECT_EQ(n.AsString(), "");
    EXPECT_EQ(VarToStr(n), "");
    EXPECT_TRUE(VarIsNull(n));
    EXPECT_TRUE(ThrowsWith<EVariantTypeCastError>([&] { (void)n.AsInteger(); }, "(Null) into type (Integer)"));
    EXPECT_TRUE(ThrowsWith<EVariantTypeCastError>([&] { (void)n.AsInt64(); }, "(Null) into type (Int64)"));
    EXPECT_TRUE(ThrowsWith<EVariantTypeCastError>([&] { (void)n.AsDouble(); }, "(Null) into type (Double)"));
    EXPECT_TRUE(ThrowsWith<EVariantTypeCastError>([&] { (void)n.AsBoolean(); }, "(Null) into type (Boolean)"));
    EXPECT_TRUE(ThrowsWith<EVariantTypeCastError>([&] { (void)n.AsDateTime(); }, "(Null) into type (Date)"));
    EXPECT_TRUE(ThrowsWith<EVariantTypeCastError>([&] { (void)n.AsCurrency(); }, "(Null) into type (Currency)"));
    EXPECT_TRUE(ThrowsWith<EVariantError>([&] { (void)n.AsType(varInteger); }, "Null"));
    EXPECT_TRUE(n.AsType(varNull).IsNull());
    // Empty converts to zero, nothing and false.
    const Variant e;
    EXPECT_EQ(e.AsInteger(), 0);
    EXPECT_EQ(e.AsDouble(), 0.0);
    EXPECT_EQ(e.AsString(), "");
    EXPECT_FALSE(e.AsBoolean());
}

TEST(Variant, BooleansAreAllBitsSet) {
    EXPECT_EQ(Variant(true).AsInteger(), -1);
    EXPECT_EQ(Variant(false).AsInteger(), 0);
    EXPECT_EQ(Variant(true).AsDouble(), -1.0);
    EXPECT_EQ(Variant(true).AsString(), "True");
    EXPECT_EQ(Variant(false).AsString(), "False");
    EXPECT_TRUE(Variant(-1).AsBoolean());
    EXPECT_TRUE(Variant(0.5).AsBoolean());
    EXPECT_FALSE(Variant(0).AsBoolean());
    EXPECT_TRUE(Variant("True").AsBoolean());
    EXPECT_FALSE(Variant("0").AsBoolean());
    EXPECT_THROW((void)Variant("maybe").AsBoolean(), EConvertError);
}

TEST(Variant, FloatsBecomeIntegersByBankersRounding) {
    struct Case {
        double value;
        int expected;
    };
    for (const Case& c : {Case{2.5, 2}, Case{3.5, 4}, Case{-2.5, -2}, Case{-3.5, -4}, Case{2.6, 3}, Case{2.4, 2},
                          Case{0.5, 0}, Case{1.5, 2}}) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Variant(c.value).AsInteger(), c.expected);
        EXPECT_EQ(Variant(Currency::FromDouble(c.value)).AsInteger(), c.expected);
        EXPECT_EQ(Variant(static_cast<float>(c.value)).AsInteger(), c.expected);
    }
    EXPECT_EQ(Variant(TDateTime(45351.75)).AsInteger(), 45352);
    EXPECT_THROW((void)Variant(1e30).AsInt64(), EVariantTypeCastError);
    EXPECT_THROW((void)Variant(std::int64_t{5000000000}).AsInteger(), ERangeError);
    EXPECT_EQ(Variant(std::uint32_t{0xFFFFFFFF}).AsInteger(), -1);  // a LongWord keeps its bits
}

TEST(Variant, TextsConvertToNumbersUnderTheLocale) {
    EXPECT_EQ(Variant("42").AsInteger(), 42);
    EXPECT_EQ(Variant(" $1F ").AsInteger(), 31);
    EXPECT_EQ(Variant("2,5").AsInteger(), 2);
    EXPECT_EQ(Variant("3,5").AsInteger(), 4);
    EXPECT_DOUBLE_EQ(Variant("2,5").AsDouble(), 2.5);
    EXPECT_TRUE(ThrowsWith<EConvertError>([] { (void)Variant("abc").AsInteger(); }, "'abc'"));
    EXPECT_TRUE(ThrowsWith<EConvertError>([] { (void)Variant("2.5").AsDouble(); }, "'2.5'"));
    EXPECT_EQ(Variant("05.03.2024").AsDateTime().Value(), EncodeDate(2024, 3, 5).Value());
    EXPECT_EQ(Variant("2,5").AsCurrency().Scaled, 25000);
}

TEST(Variant, NumbersAndDatesToText) {
    EXPECT_EQ(Variant(1.5).AsString(), "1,5");
    EXPECT_EQ(Variant(0.1 + 0.2).AsString(), "0,3");
    EXPECT_EQ(Variant(-7).AsString(), "-7");
    EXPECT_EQ(Variant(std::uint64_t{18446744073709551615ull}).AsString(), "18446744073709551615");
    EXPECT_EQ(Variant(Currency{25000}).AsString(), "2,5");
    EXPECT_EQ(Variant(TDateTime(EncodeDate(2024, 3, 5))).AsString(), "05.03.2024");
    EXPECT_EQ(Variant(TDateTime(EncodeDateTime(2024, 3, 5, 9, 30, 0, 0))).AsString(), "05.03.2024 9:30:00");
    EXPECT_EQ(Variant(Currency::FromDouble(1.23456)).AsCurrency().Scaled, 12346);
    EXPECT_EQ(Variant(3).AsCurrency().Scaled, 30000);
}

TEST(Variant, AsTypeConvertsAndChecksRange) {
    const Variant i = Variant(3.7).AsType(varInteger);
    EXPECT_EQ(i.VarType(), varInteger);
    EXPECT_EQ(i.AsInteger(), 4);
    EXPECT_EQ(Variant("12").AsType(varInteger).AsInteger(), 12);
    EXPECT_EQ(Variant(12).AsType(varUString).AsString(), "12");
    EXPECT_EQ(Variant(12).AsType(varDouble).VarType(), varDouble);
    EXPECT_EQ(Variant(1).AsType(varBoolean).VarType(), varBoolean);
    EXPECT_TRUE(Variant(5).AsType(varEmpty).IsEmpty());
    EXPECT_THROW((void)Variant(300).AsType(varByte), ERangeError);
    EXPECT_THROW((void)Variant(-1).AsType(varWord), ERangeError);
    EXPECT_EQ(Variant(255).AsType(varByte).AsInteger(), 255);
}

TEST(Variant, CompareValue) {
    using R = TVariantRelationship;
    EXPECT_EQ(VarCompareValue(1, 2), R::vrLessThan);
    EXPECT_EQ(VarCompareValue(2.0, 2), R::vrEqual);
    EXPECT_EQ(VarCompareValue(std::int64_t{5000000000}, 1), R::vrGreaterThan);
    EXPECT_EQ(VarCompareValue(Variant::Null(), Variant::Null()), R::vrEqual);
    EXPECT_EQ(VarCompareValue(Variant::Null(), 1), R::vrNotEqual);
    EXPECT_EQ(VarCompareValue(1, Variant::Null()), R::vrNotEqual);
    EXPECT_EQ(VarCompareValue(Variant(), 0), R::vrNotEqual);
    EXPECT_EQ(VarCompareValue("a", "b"), R::vrLessThan);
    EXPECT_EQ(VarCompareValue("ёлка", "жук"), R::vrLessThan);  // the collation, not the bytes
    EXPECT_EQ(VarCompareValue("а", "А"), R::vrLessThan);
    EXPECT_EQ(VarCompareValue("а", "А", true), R::vrEqual);
    EXPECT_EQ(VarCompareValue("10", 9), R::vrGreaterThan);  // a numeric text compares as a number
    EXPECT_EQ(VarCompareValue(9, "10,5"), R::vrLessThan);
    EXPECT_EQ(VarCompareValue(true, 0), R::vrLessThan);  // true is -1
    EXPECT_EQ(VarCompareValue(Currency{15000}, 1.5), R::vrEqual);
}

TEST(Variant, EqualityAcrossKinds) {
    EXPECT_TRUE(Variant(1) == Variant(1.0));
    EXPECT_TRUE(Variant(std::int16_t{7}) == Variant(std::int64_t{7}));
    EXPECT_FALSE(Variant("a") == Variant("A"));
    EXPECT_TRUE(Variant("a") == Variant(std::string("a")));
    EXPECT_TRUE(Variant::Null() == Variant::Null());
    EXPECT_FALSE(Variant::Null() == Variant());
    EXPECT_FALSE(Variant::Null() == Variant(0));
    EXPECT_FALSE(Variant() == Variant(0));
}

TEST(Variant, Arrays) {
    const Variant a = VarArrayOf({1, "два", Variant::Null()});
    EXPECT_TRUE(a.IsArray());
    EXPECT_EQ(a.VarType(), varArray);
    ASSERT_EQ(a.ArrayLength(), 3u);
    EXPECT_EQ(a.Items()[0].AsInteger(), 1);
    EXPECT_EQ(a.Items()[1].AsString(), "два");
    EXPECT_TRUE(a.Items()[2].IsNull());
    const Variant copy = a;  // copies share the elements and compare equal
    EXPECT_TRUE(copy == a);
    EXPECT_TRUE(a == VarArrayOf({1.0, "два", Variant::Null()}));
    EXPECT_FALSE(a == VarArrayOf({1, "два"}));
    EXPECT_FALSE(a == Variant(1));
    EXPECT_EQ(Variant(1).ArrayLength(), 0u);
    EXPECT_TRUE(ThrowsWith<EVariantTypeCastError>([] { (void)Variant(1).Items(); }, "(Integer) into type (Array)"));
    EXPECT_THROW((void)a.AsString(), EVariantTypeCastError);
    EXPECT_THROW((void)a.AsInteger(), EVariantTypeCastError);
    EXPECT_TRUE(VarArrayOf({}).IsArray());
}

}  // namespace
