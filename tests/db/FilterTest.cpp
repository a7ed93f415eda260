// Filters: the expression syntax the windows use, its errors with their positions,
// filter options, OnFilterRecord and how the view follows posts and switches.
#include "DbTestSupport.h"

#include "db/ClientDataSet.h"
#include "db/FilterExpr.h"
#include "rtl/DateTime.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace db;
using dbtest::ErrorOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

class FilterTest : public dbtest::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ds = MakeCds("Sales", {{"ID", TFieldType::ftInteger},
                               {"NAME", TFieldType::ftString, 20},
                               {"CODE", TFieldType::ftString, 2},
                               {"STATE", TFieldType::ftInteger},
                               {"AMOUNT", TFieldType::ftFloat},
                               {"LIMIT", TFieldType::ftFloat},
                               {"DAY", TFieldType::ftDate},
                               {"FLAG", TFieldType::ftBoolean}});
        const rtl::Variant null = rtl::Variant::Null();
        ds->AppendRecord({1, "Иванов", "+", 1, 10.0, 5.0, rtl::EncodeDate(2024, 3, 1), true});
        ds->AppendRecord({2, "Петрова", null, 2, -2.5, 0.0, rtl::EncodeDate(2024, 3, 15), false});
        ds->AppendRecord({3, "O'Brien", "-", 1, 0.5, 1.0, rtl::EncodeDate(2024, 3, 31), true});
        ds->AppendRecord({4, "ИВАНОВА", "+", 3, 100.0, 100.0, null, null});
        ds->AppendRecord({5, "Ёлкин", "+*", 1, 7.0, 10.0, rtl::EncodeDate(2024, 4, 1), false});
    }
    std::vector<std::string> Filtered(const std::string& filter, TFilterOptions options = 0) {
        ds->SetFiltered(false);
        ds->SetFilterOptions(options);
        ds->SetFilter(filter);
        ds->SetFiltered(true);
        return Column(ds, "ID");
    }

    TClientDataSet* ds = nullptr;
};

TEST_F(FilterTest, ExpressionsSelectTheRecords) {
    struct Case {
        const char* filter;
        std::vector<std::string> ids;
    };
    const std::vector<Case> cases = {
        {"CODE = '+' AND STATE <> 1", {"4"}},
        {"STATE=1", {"1", "3", "5"}},
        {"state = 1", {"1", "3", "5"}},  // field names in any case
        {"[amount] > 50", {"4"}},         // and bracketed
        {"AMOUNT > 0", {"1", "3", "4", "5"}},
        {"AMOUNT >= 7", {"1", "4", "5"}},
        {"AMOUNT < 0.5", {"2"}},
        {"AMOUNT <= 0.5", {"2", "3"}},
        {"AMOUNT = -2.5", {"2"}},
        {"AMOUNT > -3 AND AMOUNT < .6", {"2", "3"}},
        {"AMOUNT = '0,5'", {"3"}},  // a number as text in the locale
        {"STATE = '2'", {"2"}},
        // AND binds closer than OR; NOT closer than AND.
        {"STATE = 1 OR STATE = 2 AND AMOUNT < 1", {"1", "2", "3", "5"}},
        {"(STATE = 1 OR STATE = 2) AND AMOUNT < 1", {"2", "3"}},
        {"NOT STATE = 1", {"2", "4"}},
        {"NOT STATE = 1 AND AMOUNT > 0", {"4"}},
        {"NOT (STATE = 1 OR CODE = '+')", {"2"}},
        {"((STATE = 3))", {"4"}},
        // Texts, quotes inside them, prefixes and the collation.
        {"NAME = 'O''Brien'", {"3"}},
        {"NAME = 'Петрова'", {"2"}},
        {"NAME = 'петрова'", {}},
        {"NAME = 'Иван*'", {"1"}},
        {"NAME <> 'Иван*'", {"2", "3", "4", "5"}},
        {"CODE = '+*'", {"1", "4", "5"}},
        {"NAME > 'П'", {"2"}},  // Latin and "Ё" sort before "П"
        {"NAME < 'Ж'", {"3", "5"}},
        // Nulls.
        {"CODE IS NULL", {"2"}},
        {"CODE IS NOT NULL", {"1", "3", "4", "5"}},
        {"CODE = NULL", {"2"}},
        {"CODE <> NULL", {"1", "3", "4", "5"}},
        {"DAY IS NULL", {"4"}},
        {"CODE <> '+'", {"3", "5"}},  // a null is neither equal nor unequal
        // Booleans.
        {"FLAG = TRUE", {"1", "3"}},
        {"FLAG = FALSE", {"2", "5"}},
        {"FLAG", {"1", "3"}},
        {"TRUE", {"1", "2", "3", "4", "5"}},
        {"FALSE", {}},
        // A field with a field, dates as texts in the locale.
        {"AMOUNT > LIMIT", {"1"}},
        {"AMOUNT >= LIMIT", {"1", "4"}},
        {"LIMIT < AMOUNT", {"1"}},
        {"DAY >= '15.03.2024'", {"2", "3", "5"}},
        {"DAY < '15.03.2024'", {"1"}},
        {"DAY = '31.03.2024'", {"3"}},
        {"'15.03.2024' < DAY", {"3", "5"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Filtered(c.filter), c.ids) << c.filter;
}

TEST_F(FilterTest, OptionsIgnoreCaseAndSwitchOffPrefixes) {
    EXPECT_THAT(Filtered("NAME = 'иванов'", foCaseInsensitive), ElementsAre("1"));
    EXPECT_THAT(Filtered("NAME = 'иван*'", foCaseInsensitive), ElementsAre("1", "4"));
    EXPECT_THAT(Filtered("NAME = 'ЁЛКИН'", foCaseInsensitive), ElementsAre("5"));
    EXPECT_THAT(Filtered("NAME = 'елкин'", foCaseInsensitive), ElementsAre());
    EXPECT_THAT(Filtered("CODE = '+*'", foNoPartialCompare), ElementsAre("5"));
    // Changing the options of an active filter filters again.
    ds->SetFilterOptions(0);
    EXPECT_THAT(Column(ds, "ID"), ElementsAre("1", "4", "5"));
}

TEST_F(FilterTest, ATextThatDoesNotParseNamesTheExpressionAndThePosition) {
    struct Case {
        const char* filter;
        const char* what;
        int position;
    };
    const Case cases[] = {
        {"STATE = ", "expected at the end", 9},
        {"NAME = 'abc", "not closed", 8},
        {"(STATE = 1", "\")\" expected", 11},
        {"STATE = 1 OR", "expected at the end", 13},
        {"STATE = 1 STATE", "unexpected \"STATE\"", 11},
        {"Имя = 1 ?", "unexpected \"?\"", 9},  // positions count characters, not bytes
        {"STATE == 1", "expected before \"=\"", 8},
        {"[NAME = 1", "not closed", 1},
        {"STATE < NULL", "NULL can only be compared", 7},
        {"AND STATE = 1", "expected before \"AND\"", 1},
        {"AMOUNT = 1,5", "unexpected \",\"", 11},
        {"STATE IS 1", "NULL expected", 10},
    };
    for (const Case& c : cases) {
        const std::string e = ErrorOf<EDatabaseError>([&] { TFilterExpr::Parse(c.filter); });
        EXPECT_THAT(e, StartsWith(std::string("Filter expression \"") + c.filter + "\": ")) << c.filter;
        EXPECT_THAT(e, HasSubstr(c.what)) << c.filter;
        EXPECT_THAT(e, ::testing::EndsWith("at position " + std::to_string(c.position))) << c.filter;
    }
}

// The text is parsed where it is set: a bad one is refused there and the filter in force
// stays, whether the data set is filtered or not.
TEST_F(FilterTest, ABadFilterIsRefusedAndTheFilterInForceStays) {
    EXPECT_THAT(Filtered("STATE = 1"), ElementsAre("1", "3", "5"));
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { ds->SetFilter("STATE = "); }), HasSubstr("at position 9"));
    EXPECT_EQ(ds->Filter(), "STATE = 1");
    EXPECT_EQ(ds->RecordCount(), 3);

    // An unknown field is found when the filter is bound to the data set.
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { ds->SetFilter("NOPE = 1"); }), "Sales: Field 'NOPE' not found");
    EXPECT_EQ(ds->Filter(), "STATE = 1");
    EXPECT_EQ(ds->RecordCount(), 3);
    ds->Last();
    ds->Edit();
    ds->FieldByName("AMOUNT")->SetAsFloat(8);
    ds->Post();
    EXPECT_THAT(Column(ds, "ID"), ElementsAre("1", "3", "5"));

    ds->SetFiltered(false);
    ds->SetFilter("NOPE = 1");  // not filtered: bound only when switched on
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { ds->SetFiltered(true); }), "Sales: Field 'NOPE' not found");
    EXPECT_FALSE(ds->Filtered());
    EXPECT_EQ(ds->RecordCount(), 5);
}

TEST_F(FilterTest, CalculatedFieldsCannotBeFilteredOn) {
    auto* calc = vcl::Create<TClientDataSet>(Owner());
    auto* id = vcl::Create<TIntegerField>(Owner());
    id->SetFieldName("ID");
    id->SetDataSet(calc);
    auto* twice = vcl::Create<TIntegerField>(Owner());
    twice->SetFieldName("TWICE");
    twice->SetFieldKind(TFieldKind::fkCalculated);
    twice->SetDataSet(calc);
    calc->CreateDataSet();
    calc->AppendRecord({1});
    calc->SetFilter("TWICE > 1");
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { calc->SetFiltered(true); }), HasSubstr("\"TWICE\""));
    EXPECT_FALSE(calc->Filtered());
    EXPECT_EQ(calc->RecordCount(), 1);
}

TEST_F(FilterTest, OnFilterRecordReadsTheCandidateRecord) {
    std::vector<TDataSetState> states;
    ds->OnFilterRecord = TFilterRecordEvent::FromFunction([&](TDataSet* d, bool& accept) {
        states.push_back(d->State());
        accept = d->FieldByName("AMOUNT")->GetAsFloat() > 5;
    });
    ds->SetFiltered(true);
    EXPECT_THAT(Column(ds, "ID"), ElementsAre("1", "4", "5"));
    EXPECT_EQ(ds->RecordCount(), 3);
    ASSERT_FALSE(states.empty());
    for (TDataSetState s : states) EXPECT_EQ(s, TDataSetState::dsFilter);
    EXPECT_EQ(ds->State(), TDataSetState::dsBrowse);

    // With a filter text as well, a record must pass both.
    ds->SetFilter("STATE = 1");
    EXPECT_THAT(Column(ds, "ID"), ElementsAre("1", "5"));
    ds->SetFiltered(false);
    EXPECT_THAT(Column(ds, "ID"), ElementsAre("1", "2", "3", "4", "5"));
}

TEST_F(FilterTest, TheViewFollowsPostsAndTheSwitch) {
    EXPECT_THAT(Filtered("STATE = 1"), ElementsAre("1", "3", "5"));
    EXPECT_EQ(ds->RecordCount(), 3);
    // A posted record that no longer passes leaves the view; the cursor goes on from there.
    ds->SetRecNo(2);
    ds->Edit();
    ds->FieldByName("STATE")->SetAsInteger(2);
    ds->Post();
    EXPECT_EQ(ds->RecordCount(), 2);
    EXPECT_EQ(ds->FieldByName("ID")->GetAsInteger(), 5);
    EXPECT_FALSE(ds->Locate("ID", 3));  // Locate sees the view only

    // New records enter the view when they pass.
    ds->AppendRecord({6, "Новиков", "+", 1, 1.0});
    ds->AppendRecord({7, "Орлов", "+", 2, 1.0});
    EXPECT_THAT(Column(ds, "ID"), ElementsAre("1", "5", "6"));

    // A new filter text applies at once and the cursor goes to the first record.
    ds->SetFilter("STATE = 2");
    EXPECT_EQ(ds->RecNo(), 1);
    EXPECT_THAT(Column(ds, "ID"), ElementsAre("2", "3", "7"));
    ds->SetFilter("");
    EXPECT_EQ(ds->RecordCount(), 7);
    ds->SetFilter("STATE = 3");
    EXPECT_EQ(ds->RecordCount(), 1);

    // Off: every record again, in their order.
    ds->SetFiltered(false);
    EXPECT_EQ(ds->RecordCount(), 7);
    EXPECT_THAT(Column(ds, "ID"), ElementsAre("1", "2", "3", "4", "5", "6", "7"));
    // A filter set on a closed data set applies when it opens.
    ds->Close();
    ds->SetFiltered(true);
    ds->CreateDataSet();
    ds->AppendRecord({1, "a", "+", 3});
    ds->AppendRecord({2, "b", "+", 1});
    EXPECT_THAT(Column(ds, "ID"), ElementsAre("1"));
}

}  // namespace
