#include "ComUnits/uEXLMyCellsParser.h"

#include "db/ClientDataSet.h"
#include "db/Fields.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"
#include "vcl/Component.h"
#include "xl/CellRangeSource.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

template <class T>
using Owned = std::unique_ptr<T, rtl::TObjectFree>;

// A sheet block held in memory, as the spreadsheet layer will hand one over.
class TMemoryRange : public xl::TCellRangeSource {
public:
    TMemoryRange(int firstRow, int firstColumn, std::vector<std::vector<rtl::Variant>> cells)
        : firstRow_(firstRow), firstColumn_(firstColumn), cells_(std::move(cells)) {}

    int FirstRow() const override { return firstRow_; }
    int FirstColumn() const override { return firstColumn_; }
    int RowCount() const override { return static_cast<int>(cells_.size()); }
    int ColumnCount() const override { return cells_.empty() ? 0 : static_cast<int>(cells_[0].size()); }
    rtl::Variant Cell(int row, int column) const override {
        if (row < 1 || row > RowCount() || column < 1 || column > ColumnCount())
            throw rtl::ERangeError("cell outside the block");
        return cells_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
    }

private:
    int firstRow_, firstColumn_;
    std::vector<std::vector<rtl::Variant>> cells_;
};

// The report data module in small: an owner named ReportDM holding the data sets Q and R
// and a component Btn that is not a data set.
class CellsParserTest : public ::testing::Test {
protected:
    void SetUp() override {
        Owner->SetName("ReportDM");
        Q = vcl::Create<db::TClientDataSet>(Owner.get());
        Q->SetName("Q");
        Q->FieldDefs().Add("SUMMA", db::TFieldType::ftFloat);
        Q->FieldDefs().Add("NAME", db::TFieldType::ftString, 20);
        Q->FieldDefs().Add("A", db::TFieldType::ftInteger);
        Q->FieldDefs().Add("B", db::TFieldType::ftInteger);
        Q->FieldDefs().Add("NAME_2x", db::TFieldType::ftString, 20);
        Q->FieldDefs().Add("D", db::TFieldType::ftDateTime);
        Q->FieldDefs().Add("FLAG", db::TFieldType::ftBoolean);
        Q->CreateDataSet();
        R = vcl::Create<db::TClientDataSet>(Owner.get());
        R->SetName("R");
        R->FieldDefs().Add("B", db::TFieldType::ftInteger);
        R->CreateDataSet();
        R->AppendRecord({2});
        vcl::Create<vcl::TComponent>(Owner.get())->SetName("Btn");
        SetQ(12.5);
    }

    // One record in Q: SUMMA as given, NAME ABC, A 1, B 2, NAME_2x n2x, D 05.03.2024,
    // FLAG true.
    void SetQ(const rtl::Variant& summa) {
        Q->EmptyDataSet();
        Q->AppendRecord({summa, "ABC", 1, 2, "n2x", rtl::EncodeDate(2024, 3, 5), true});
    }

    TMyCellsParserItem* Parse(const std::string& text) { return Parser->AddItem(Owner.get(), text); }

    rtl::TFormatSettingsScope Locale{rtl::RussianFormatSettings()};
    Owned<vcl::TComponent> Owner{vcl::Create<vcl::TComponent>(nullptr)};
    db::TClientDataSet* Q = nullptr;
    db::TClientDataSet* R = nullptr;
    // Declared after the owner: the items point at its fields, so the parser goes first.
    Owned<TMyCellsParser> Parser{new TMyCellsParser};
};

rtl::EAssertionFailed CatchAssertion(const std::function<void()>& action) {
    try {
        action();
    } catch (const rtl::EAssertionFailed& e) {
        return e;
    }
    ADD_FAILURE() << "no assertion";
    return rtl::EAssertionFailed("", "", 0);
}

void ExpectValue(const rtl::Variant& actual, const rtl::Variant& expected, const std::string& context) {
    EXPECT_EQ(rtl::VarTypeName(actual.VarType()), std::string(rtl::VarTypeName(expected.VarType()))) << context;
    EXPECT_EQ(actual.AsString(), expected.AsString()) << context;
}

TEST_F(CellsParserTest, EvaluatesTheTemplateCellsOfTheReports) {
    struct Case {
        std::string Text;
        rtl::Variant Summa;
        rtl::Variant Expected;
        int LeadingSpaces;
    };
    const rtl::Variant unassigned;
    const Case cases[] = {
        {"Total: #Q.SUMMA", 12.5, "Total: 12,5", 0},
        {"#Q.SUMMA", 12.5, 12.5, 0},
        {"#Q.SUMMA", rtl::Variant::Null(), "", 0},
        {"   #Q.NAME", 12.5, "   ABC", 3},
        {"   #Q.SUMMA", 7.0, 7.0, 3},
        {"#Q.A#Q.B", 12.5, "12", 0},
        {"#Q.A, #R.B", 12.5, "1, 2", 0},
        {"#Q.NAME_2x", 12.5, "n2x", 0},
        {"Sum", 12.5, unassigned, 0},
    };
    for (const Case& c : cases) {
        SetQ(c.Summa);
        TMyCellsParserItem* item = Parse(c.Text);
        ExpectValue(item->Evaluate(), c.Expected, c.Text);
        EXPECT_EQ(item->LeadingSpaces(), c.LeadingSpaces) << c.Text;
    }
    // "_" and digits belong to field names: one reference, not NAME followed by "_2x".
    TMyCellsParserItem* item = Parser->Items(7);
    ASSERT_EQ(item->Fields().size(), 1u);
    EXPECT_EQ(item->Fields()[0], Q->FieldByName("NAME_2x"));
}

TEST_F(CellsParserTest, ParsesReferencesIntoPlaceholdersCountedInCharacters) {
    // A literal "~", Cyrillic text and a field name ended by a non-ASCII letter: the
    // positions, counted in characters, still find the references.
    TMyCellsParserItem* item = Parse("  Итого ~ #Q.SUMMA руб. #R.Bшт  ");
    EXPECT_EQ(item->WorkText(), "Итого ~ ~ руб. ~шт  ");
    EXPECT_EQ(item->Positions(), (std::vector<int>{9, 16}));
    EXPECT_EQ(item->Fields(), (std::vector<db::TField*>{Q->FieldByName("SUMMA"), R->FieldByName("B")}));
    EXPECT_EQ(item->LeadingSpaces(), 2);
    EXPECT_EQ(item->SourceText(), "  Итого ~ #Q.SUMMA руб. #R.Bшт  ");
    ExpectValue(item->Evaluate(), "  Итого ~ 12,5 руб. 2шт  ", item->SourceText());

    // Parsing again starts afresh; PrepareWorkText alone leaves no source text.
    item->PrepareWorkText("Sum");
    EXPECT_EQ(item->WorkText(), "");
    EXPECT_TRUE(item->Fields().empty());
    EXPECT_TRUE(item->Positions().empty());
    EXPECT_EQ(item->LeadingSpaces(), 0);
    EXPECT_EQ(item->SourceText(), "");
}

TEST_F(CellsParserTest, OnlyASingleNumberKeepsItsType) {
    struct Case {
        std::string Text;
        rtl::Variant Expected;
    };
    const Case cases[] = {
        {"#Q.A", 1},                 // an integer field stays an integer
        {"#Q.FLAG", true},           // Booleans count among the numbers
        {"#Q.A  ", "1  "},           // blanks after the reference are text
        {"#Q.A pcs", "1 pcs"},       //
        {"#Q.D", "05.03.2024"},      // a date alone is written as its text
        {" #Q.D", " 05.03.2024"},    //
        {"#Q.NAME#Q.A", "ABC1"},     // a text first keeps the result text
        {"   ", rtl::Variant()},     // blanks only: literal
    };
    for (const Case& c : cases) ExpectValue(Parse(c.Text)->Evaluate(), c.Expected, c.Text);
}

TEST_F(CellsParserTest, EvaluatesTheCurrentRecords) {
    TMyCellsParserItem* item = Parse("#Q.NAME: #Q.A");
    Q->AppendRecord({1.0, "DEF", 5});
    Q->First();
    ExpectValue(item->Evaluate(), "ABC: 1", "first record");
    Q->Next();
    ExpectValue(item->Evaluate(), "DEF: 5", "second record");
}

// A cell ending with a marker and no "name." after it has no reference there. It is kept
// as written: the whole cell is literal when nothing else refers to a field, and the
// unfinished part stays literal text after a reference.
TEST_F(CellsParserTest, MarkerWithoutAReferenceAfterItStaysLiteral) {
    for (const std::string text : {"Card #", "Card # 5 pcs", "#", "  #Q"}) {
        TMyCellsParserItem* item = Parse(text);
        EXPECT_EQ(item->WorkText(), "") << text;
        EXPECT_TRUE(item->Fields().empty()) << text;
        EXPECT_TRUE(item->Evaluate().IsEmpty()) << text;
    }
    TMyCellsParserItem* item = Parse("#Q.A pcs #");
    EXPECT_EQ(item->WorkText(), "~ pcs #");
    ExpectValue(item->Evaluate(), "1 pcs #", item->SourceText());
    ExpectValue(Parse("#Q.A#R")->Evaluate(), "1#R", "#Q.A#R");
}

TEST_F(CellsParserTest, TemplateErrorsNameTheMissingPiece) {
    struct Case {
        std::string Text;
        std::string Message;
    };
    const Case cases[] = {
        {"Total: #X.SUMMA", "TMyCellsParserItem.PrepareWorkText: \"ReportDM.X\" component is not found"},
        {"#Q.NOPE pcs", "\"Q.NOPE\" field is not found"},
        {"#Q.A, #R.SUMMA", "\"R.SUMMA\" field is not found"},
        {"#Q.", "\"Q.\" field is not found"},
    };
    for (const Case& c : cases) {
        const rtl::EAssertionFailed e = CatchAssertion([&] { Parse(c.Text); });
        EXPECT_EQ(e.AssertMessage(), c.Message) << c.Text;
        EXPECT_EQ(e.Unit(), "ComUnits/uEXLMyCellsParser") << c.Text;
    }
    // A failed cell leaves no item behind.
    EXPECT_EQ(Parser->Count(), 0);

    const rtl::EAssertionFailed noOwner = CatchAssertion([&] { Parser->AddItem(nullptr, "Total: #Q.SUMMA"); });
    EXPECT_EQ(noOwner.AssertMessage(), "TMyCellsParserItem.PrepareWorkText: Q.Owner = nil");
    EXPECT_EQ(noOwner.Unit(), "ComUnits/uEXLMyCellsParser");
    // Without a reference no owner is needed.
    EXPECT_TRUE(Parser->AddItem(nullptr, "Sum")->Evaluate().IsEmpty());

    EXPECT_THROW(Parse("#Btn.Caption"), rtl::EInvalidCast);
}

TEST_F(CellsParserTest, FailedParseKeepsTheItemAsItWas) {
    TMyCellsParserItem* item = Parse("#Q.A pcs");
    EXPECT_THROW(item->SetText("#Q.A #Q.NOPE"), rtl::EAssertionFailed);
    EXPECT_EQ(item->WorkText(), "~ pcs");
    EXPECT_EQ(item->Fields().size(), 1u);
    EXPECT_EQ(item->SourceText(), "#Q.A pcs");
    ExpectValue(item->Evaluate(), "1 pcs", "after the failure");
}

TEST_F(CellsParserTest, ItemsTakeTheMarkerOfTheirParser) {
    EXPECT_EQ(Parser->Mark(), U'#');
    TMyCellsParserItem* hash = Parse("#Q.A");
    Parser->SetMark(U'$');
    TMyCellsParserItem* dollar = Parse("$Q.A costs #5");
    EXPECT_EQ(hash->Mark(), U'#');
    EXPECT_EQ(dollar->Mark(), U'$');
    ExpectValue(dollar->Evaluate(), "1 costs #5", dollar->SourceText());
    // A marker that could belong to a field name still ends one.
    Parser->SetMark(U'_');
    ExpectValue(Parse("_Q.A_Q.B")->Evaluate(), "12", "_Q.A_Q.B");

    dollar->SetCollection(nullptr);
    Owned<TMyCellsParserItem> loose(dollar);
    EXPECT_EQ(loose->Mark(), U'#');
}

TEST_F(CellsParserTest, LoadsARangeRowByRow) {
    const TMemoryRange range(20, 5,
                             {{"#Q.A", 15, rtl::Variant()},
                              {rtl::VarArrayOf({1, 2}), "Total: #R.B", rtl::Variant::Null()}});
    Parser->LoadFromRange(Owner.get(), range);
    ASSERT_EQ(Parser->Count(), 6);
    struct Expected {
        int Row, Col;
        std::string Source;
        rtl::Variant Value;
    };
    const Expected expected[] = {
        {20, 5, "#Q.A", 1},         {20, 6, "15", rtl::Variant()}, {20, 7, "", rtl::Variant()},
        {21, 5, "", rtl::Variant()}, {21, 6, "Total: #R.B", "Total: 2"}, {21, 7, "", rtl::Variant()},
    };
    for (int i = 0; i < 6; ++i) {
        const TMyCellsParserItem* item = Parser->Items(i);
        const Expected& e = expected[i];
        EXPECT_EQ(item->Row(), e.Row) << i;
        EXPECT_EQ(item->Col(), e.Col) << i;
        EXPECT_EQ(item->SourceText(), e.Source) << i;
        EXPECT_EQ(item->Owner(), Owner.get()) << i;
        ExpectValue(item->Evaluate(), e.Value, e.Source);
    }
}

TEST_F(CellsParserTest, LoadStopsAtTheFirstBadCell) {
    const TMemoryRange range(1, 1, {{"#Q.A", "#Q.NOPE", "#R.B"}});
    EXPECT_THROW(Parser->LoadFromRange(Owner.get(), range), rtl::EAssertionFailed);
    ASSERT_EQ(Parser->Count(), 1);
    EXPECT_EQ(Parser->Items(0)->SourceText(), "#Q.A");
}

TEST(IsFieldNameChar, AsciiLettersDigitsAndUnderscore) {
    for (const char32_t c : {U'0', U'9', U'A', U'Z', U'a', U'z', U'_'}) EXPECT_TRUE(TMyCellsParserItem::IsFieldNameChar(c));
    for (const char32_t c : {U'.', U'#', U' ', U'-', U'~', U'@', U'[', U'`', U'{', U'/', U':', U'Ж', U'é'})
        EXPECT_FALSE(TMyCellsParserItem::IsFieldNameChar(c)) << static_cast<unsigned>(c);
}

TEST(CellAddresses, ColumnLetters) {
    const std::pair<int, const char*> cases[] = {{1, "A"},    {26, "Z"},    {27, "AA"},   {52, "AZ"},
                                                 {53, "BA"},  {702, "ZZ"},  {703, "AAA"}, {16384, "XFD"}};
    for (const auto& [column, letters] : cases) EXPECT_EQ(ColumnLetters(column), letters) << column;
    EXPECT_THROW(ColumnLetters(0), rtl::ERangeError);
}

TEST(CellAddresses, ParseCellTakesLettersAndRow) {
    const TCellRange e20 = ParseCell("E20");
    EXPECT_EQ(e20.Col, "E");
    EXPECT_EQ(e20.Row, 20);
    const TCellRange ab7 = ParseCell("AB7");
    EXPECT_EQ(ab7.Col, "AB");
    EXPECT_EQ(ab7.Row, 7);
    const TCellRange row = ParseCell("20");
    EXPECT_EQ(row.Col, "");
    EXPECT_EQ(row.Row, 20);

    for (const char* bad : {"", "E", "e20", "E-1", "E+1", "E 20", "E20 ", "E20x", "E$20", "E99999999999"}) {
        try {
            ParseCell(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const rtl::EConvertError& e) {
            EXPECT_NE(std::string(e.what()).find("'" + std::string(bad) + "'"), std::string::npos) << e.what();
        }
    }
}

TEST(CellAddresses, RangeCellsAndShifts) {
    EXPECT_EQ(FirstCellOf("E20:K22").Col, "E");
    EXPECT_EQ(FirstCellOf("E20:K22").Row, 20);
    EXPECT_EQ(LastCellOf("E20:K22").Col, "K");
    EXPECT_EQ(LastCellOf("E20:K22").Row, 22);
    EXPECT_EQ(LastCellOf("B7").Row, 7);  // a single cell is its own last cell

    EXPECT_EQ(ShiftCell(ParseCell("C1"), -5), "C1");
    EXPECT_EQ(ShiftCell(ParseCell("C10"), -3), "C7");
    EXPECT_EQ(ShiftLastCell("E20:K20", 1), "E20:K21");
    EXPECT_EQ(ShiftFirstCell("E20:K21", 1), "E21:K21");
    EXPECT_EQ(ShiftFirstCell("E20:K21", -30), "E1:K21");
    EXPECT_EQ(ShiftLastCell("20:20", 2), "20:22");
    EXPECT_EQ(ShiftLastCell("E20", 1), "E20:E21");
    EXPECT_THROW(ShiftLastCell("E20:K", 1), rtl::EConvertError);
}

TEST(CellAddresses, RangeRowsAndColumnsGoThroughTheSheetAddresses) {
    EXPECT_EQ(RangeFirstRow("E20:AB22"), 20);
    EXPECT_EQ(RangeLastRow("E20:AB22"), 22);
    EXPECT_EQ(RangeFirstCol("E20:AB22"), 5);
    EXPECT_EQ(RangeLastCol("E20:AB22"), 28);
    EXPECT_EQ(RangeFirstColLetters("E20:AB22"), "E");
    EXPECT_EQ(RangeLastColLetters("E20:AB22"), "AB");
    EXPECT_EQ(RangeRowCount("E20:AB22"), 3);
    EXPECT_EQ(RangeRowCount("B7"), 1);
    for (const char* bad : {"", "E20:", "E20:K", "20:22"}) EXPECT_THROW(RangeRowCount(bad), rtl::EConvertError) << bad;
}

}  // namespace
