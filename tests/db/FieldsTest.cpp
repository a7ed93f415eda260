// Fields of every type: values and conversions, nulls, display texts under the locale,
// errors, properties and events; calculated and lookup fields.
#include "DbTestSupport.h"

#include "db/ClientDataSet.h"
#include "db/Fields.h"
#include "rtl/DateTime.h"
#include "rtl/Variant.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

using namespace db;
using dbtest::ErrorOf;
using ::testing::HasSubstr;

namespace {

const std::string kNbsp = "\u00A0";  // the Russian thousands separator

// One record with a field of every type, in insert mode with every field null.
class FieldsTest : public dbtest::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ds = MakeCds("Cards", {{"NAME", TFieldType::ftString, 5},
                               {"CODE", TFieldType::ftFixedChar, 4},
                               {"SMALL", TFieldType::ftSmallint},
                               {"INT", TFieldType::ftInteger},
                               {"WORD", TFieldType::ftWord},
                               {"BIG", TFieldType::ftLargeint},
                               {"FLAG", TFieldType::ftBoolean},
                               {"AMOUNT", TFieldType::ftFloat},
                               {"PRICE", TFieldType::ftCurrency},
                               {"RATE", TFieldType::ftBCD},
                               {"DAY", TFieldType::ftDate},
                               {"AT", TFieldType::ftTime},
                               {"STAMP", TFieldType::ftDateTime},
                               {"ANY", TFieldType::ftVariant},
                               {"NOTE", TFieldType::ftMemo}});
        ds->Append();
    }
    TField* F(const char* name) const { return ds->FieldByName(name); }

    TClientDataSet* ds = nullptr;
};

TEST_F(FieldsTest, FieldsOfTheDefinitionsHaveTheirTypesClassesAndSizes) {
    struct Case {
        const char* name;
        TFieldType type;
        const char* className;
    };
    const Case cases[] = {
        {"NAME", TFieldType::ftString, "TStringField"},     {"CODE", TFieldType::ftFixedChar, "TStringField"},
        {"SMALL", TFieldType::ftSmallint, "TSmallintField"}, {"INT", TFieldType::ftInteger, "TIntegerField"},
        {"WORD", TFieldType::ftWord, "TWordField"},          {"BIG", TFieldType::ftLargeint, "TLargeintField"},
        {"FLAG", TFieldType::ftBoolean, "TBooleanField"},    {"AMOUNT", TFieldType::ftFloat, "TFloatField"},
        {"PRICE", TFieldType::ftCurrency, "TCurrencyField"}, {"RATE", TFieldType::ftBCD, "TBCDField"},
        {"DAY", TFieldType::ftDate, "TDateField"},           {"AT", TFieldType::ftTime, "TTimeField"},
        {"STAMP", TFieldType::ftDateTime, "TDateTimeField"}, {"ANY", TFieldType::ftVariant, "TVariantField"},
        {"NOTE", TFieldType::ftMemo, "TMemoField"},
    };
    ASSERT_EQ(ds->FieldCount(), 15);
    for (int i = 0; i < 15; ++i) {
        const Case& c = cases[i];
        TField* f = ds->Fields(i);
        EXPECT_EQ(f->FieldName(), c.name);
        EXPECT_EQ(f->DataType(), c.type) << c.name;
        EXPECT_STREQ(f->ClassName(), c.className) << c.name;
        EXPECT_EQ(f->Index(), i);
        EXPECT_EQ(f->FieldNo(), i + 1);
        EXPECT_EQ(f->DataSet(), ds);
    }
    EXPECT_EQ(F("NAME")->Size(), 5);
    EXPECT_EQ(ds->FindField("name"), F("NAME"));  // names are case-insensitive
    EXPECT_EQ(ds->FindField("NOPE"), nullptr);
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { ds->FieldByName("NOPE"); }), "Cards: Field 'NOPE' not found");
}

// A null reads as 0, "", false (or date 0) and its Value is Null, whatever the type.
TEST_F(FieldsTest, NullReadsAsZeroEmptyAndFalse) {
    for (int i = 0; i < ds->FieldCount(); ++i) {
        TField* f = ds->Fields(i);
        SCOPED_TRACE(f->FieldName());
        EXPECT_TRUE(f->IsNull());
        EXPECT_TRUE(f->Value().IsNull());
        EXPECT_EQ(f->GetAsString(), "");
        EXPECT_EQ(f->DisplayText(), "");
        EXPECT_EQ(f->Text(), "");
    }
    for (const char* name : {"NAME", "SMALL", "INT", "WORD", "BIG", "FLAG", "ANY", "NOTE"})
        EXPECT_EQ(F(name)->GetAsInteger(), 0) << name;
    for (const char* name : {"NAME", "SMALL", "INT", "BIG", "AMOUNT", "PRICE", "RATE", "DAY", "STAMP", "ANY"})
        EXPECT_EQ(F(name)->GetAsFloat(), 0.0) << name;
    for (const char* name : {"NAME", "INT", "FLAG", "ANY"}) EXPECT_FALSE(F(name)->GetAsBoolean()) << name;
    for (const char* name : {"NAME", "DAY", "AT", "STAMP", "ANY"}) EXPECT_EQ(F(name)->GetAsDateTime().Value(), 0.0) << name;

    // A value written and then cleared is null again, also after the record is stored.
    F("INT")->SetAsInteger(5);
    F("NAME")->SetAsString("abc");
    F("INT")->Clear();
    F("NAME")->SetValue(rtl::Variant::Null());
    ds->Post();
    EXPECT_TRUE(F("INT")->IsNull());
    EXPECT_TRUE(F("NAME")->IsNull());
    EXPECT_EQ(F("INT")->GetAsInteger(), 0);
}

TEST_F(FieldsTest, StringFieldsCutToSizeAndConvert) {
    TField* name = F("NAME");
    name->SetAsString("Карточка");  // Size counts characters
    EXPECT_EQ(name->GetAsString(), "Карто");
    F("CODE")->SetAsString("AB");
    F("NOTE")->SetAsString(std::string(100000, 'z'));  // a memo has no size limit
    ds->Post();
    EXPECT_EQ(name->GetAsString(), "Карто");
    EXPECT_EQ(F("CODE")->GetAsString(), "AB");
    EXPECT_EQ(F("NOTE")->GetAsString().size(), 100000u);
    EXPECT_EQ(name->Value().VarType(), rtl::varUString);
    EXPECT_EQ(name->Value().AsString(), "Карто");

    ds->Edit();
    F("CODE")->SetAsString("ABCDEF");
    EXPECT_EQ(F("CODE")->GetAsString(), "ABCD");
    name->SetAsInteger(42);
    EXPECT_EQ(name->GetAsString(), "42");
    EXPECT_EQ(name->GetAsInteger(), 42);
    name->SetAsFloat(2.5);
    EXPECT_EQ(name->GetAsString(), "2,5");
    EXPECT_DOUBLE_EQ(name->GetAsFloat(), 2.5);
    name->SetAsBoolean(true);
    EXPECT_EQ(name->GetAsString(), "T");
    for (const char* t : {"T", "y", "True", "Yes"}) {
        name->SetAsString(t);
        EXPECT_TRUE(name->GetAsBoolean()) << t;
    }
    for (const char* t : {"F", "n", "", "No"}) {
        name->SetAsString(t);
        EXPECT_FALSE(name->GetAsBoolean()) << t;
    }
    name->SetAsDateTime(rtl::EncodeDate(2024, 3, 15));
    EXPECT_EQ(name->GetAsString(), "15.03");  // "15.03.2024" cut to 5 characters
    F("NOTE")->SetAsDateTime(rtl::EncodeDate(2024, 3, 15));
    EXPECT_EQ(F("NOTE")->GetAsString(), "15.03.2024");
    EXPECT_EQ(F("NOTE")->GetAsDateTime().Value(), rtl::EncodeDate(2024, 3, 15).Value());

    name->SetAsString("x1");
    EXPECT_THAT(ErrorOf<rtl::EConvertError>([&] { name->GetAsInteger(); }), HasSubstr("'x1'"));
    EXPECT_THAT(ErrorOf<rtl::EConvertError>([&] { name->GetAsFloat(); }), HasSubstr("'x1'"));
    EXPECT_THAT(ErrorOf<rtl::EConvertError>([&] { name->GetAsDateTime(); }), HasSubstr("'x1'"));
}

TEST_F(FieldsTest, IntegerFieldsKeepTheirTypesRange) {
    struct Case {
        const char* name;
        std::int64_t lo, hi;
        rtl::TVarType varType;  // varEmpty: not checked
    };
    const Case cases[] = {
        {"SMALL", -32768, 32767, rtl::varEmpty},
        {"INT", std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), rtl::varInteger},
        {"WORD", 0, 65535, rtl::varEmpty},
        {"BIG", std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(), rtl::varInt64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TField* f = F(c.name);
        for (std::int64_t v : {c.lo, c.hi}) {
            f->SetAsInteger(v);
            EXPECT_EQ(f->GetAsLargeInt(), v);
            EXPECT_EQ(f->GetAsString(), std::to_string(v));
        }
        if (c.varType != rtl::varEmpty) {
            EXPECT_EQ(f->Value().VarType(), c.varType);
        }
        EXPECT_EQ(f->Value().AsInt64(), c.hi);
        if (c.lo > std::numeric_limits<std::int64_t>::min()) {
            const std::string e = ErrorOf<EDatabaseError>([&] { f->SetAsInteger(c.lo - 1); });
            EXPECT_THAT(e, HasSubstr(std::to_string(c.lo - 1)));
            EXPECT_THAT(e, HasSubstr(std::string("'") + c.name + "'"));
            EXPECT_EQ(f->GetAsLargeInt(), c.hi);  // the refused value is not kept
            EXPECT_THAT(ErrorOf<EDatabaseError>([&] { f->SetAsInteger(c.hi + 1); }), HasSubstr(std::to_string(c.hi + 1)));
        }
    }
    EXPECT_THAT(ErrorOf<rtl::EConvertError>([&] { F("BIG")->GetAsInteger(); }), HasSubstr("9223372036854775807"));

    TField* n = F("INT");
    n->SetAsString("12");
    EXPECT_EQ(n->GetAsInteger(), 12);
    EXPECT_DOUBLE_EQ(n->GetAsFloat(), 12.0);
    EXPECT_TRUE(n->GetAsBoolean());
    EXPECT_THAT(ErrorOf<rtl::EConvertError>([&] { n->SetAsString("12a"); }), HasSubstr("'12a'"));
    EXPECT_EQ(n->GetAsInteger(), 12);
    n->SetAsFloat(2.5);  // rounded half to even, as the platform rounds
    EXPECT_EQ(n->GetAsInteger(), 2);
    n->SetAsFloat(3.5);
    EXPECT_EQ(n->GetAsInteger(), 4);
    n->SetValue(rtl::Variant("77"));
    EXPECT_EQ(n->GetAsInteger(), 77);
    n->SetAsBoolean(false);
    EXPECT_EQ(n->GetAsInteger(), 0);
    n->SetAsString(" ");
    EXPECT_TRUE(n->IsNull());
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { n->GetAsDateTime(); }), "Cannot access field 'INT' as type DateTime");
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { n->SetAsDateTime(rtl::EncodeDate(2024, 1, 1)); }),
              "Cannot access field 'INT' as type DateTime");

    n->SetAsInteger(1234567);
    n->SetDisplayFormat("#,##0");
    EXPECT_EQ(n->DisplayText(), "1" + kNbsp + "234" + kNbsp + "567");
    EXPECT_EQ(n->Text(), "1" + kNbsp + "234" + kNbsp + "567");  // no EditFormat: DisplayFormat
    n->SetEditFormat("0");
    EXPECT_EQ(n->Text(), "1234567");
    EXPECT_EQ(n->GetAsString(), "1234567");
}

TEST_F(FieldsTest, BooleanFieldsShowTheirDisplayValues) {
    TField* flag = F("FLAG");
    auto* b = static_cast<TBooleanField*>(flag);
    flag->SetAsBoolean(true);
    EXPECT_EQ(flag->GetAsString(), "True");
    EXPECT_EQ(flag->DisplayText(), "True");
    EXPECT_EQ(flag->Value().VarType(), rtl::varBoolean);
    EXPECT_EQ(flag->GetAsInteger(), 1);
    b->DisplayValues = "Да;Нет";
    EXPECT_EQ(flag->DisplayText(), "Да");
    flag->SetAsString("нет");  // any case
    EXPECT_FALSE(flag->GetAsBoolean());
    EXPECT_EQ(flag->GetAsString(), "Нет");
    flag->SetAsString("д");  // a beginning of the word is enough
    EXPECT_TRUE(flag->GetAsBoolean());
    EXPECT_THAT(ErrorOf<rtl::EConvertError>([&] { flag->SetAsString("может быть"); }), HasSubstr("'может быть'"));
    EXPECT_TRUE(flag->GetAsBoolean());
    flag->SetAsInteger(0);
    EXPECT_FALSE(flag->GetAsBoolean());
    flag->SetValue(rtl::Variant(true));
    EXPECT_TRUE(flag->GetAsBoolean());
    flag->SetAsString("");
    EXPECT_TRUE(flag->IsNull());
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { flag->GetAsFloat(); }), "Cannot access field 'FLAG' as type Float");
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { flag->GetAsDateTime(); }), "Cannot access field 'FLAG' as type DateTime");
}

TEST_F(FieldsTest, FloatCurrencyAndBcdFieldsFormatUnderTheLocale) {
    TField* amount = F("AMOUNT");
    amount->SetAsFloat(1234.5);
    EXPECT_EQ(amount->GetAsString(), "1234,5");
    EXPECT_EQ(amount->DisplayText(), "1234,5");
    EXPECT_EQ(amount->Value().VarType(), rtl::varDouble);
    amount->SetDisplayFormat("#,##0.00");
    EXPECT_EQ(amount->DisplayText(), "1" + kNbsp + "234,50");
    amount->SetEditFormat("0.0");
    EXPECT_EQ(amount->Text(), "1234,5");
    amount->SetDisplayFormat("0.00;(0.00);ноль");
    amount->SetAsFloat(-2);
    EXPECT_EQ(amount->DisplayText(), "(2,00)");
    amount->SetAsFloat(0);
    EXPECT_EQ(amount->DisplayText(), "ноль");

    amount->SetAsString("2,25");
    EXPECT_DOUBLE_EQ(amount->GetAsFloat(), 2.25);
    EXPECT_EQ(amount->GetAsInteger(), 2);
    EXPECT_EQ(amount->GetAsCurrency(), rtl::Currency::FromDouble(2.25));
    EXPECT_THAT(ErrorOf<rtl::EConvertError>([&] { amount->SetAsString("abc"); }), HasSubstr("'abc'"));
    EXPECT_DOUBLE_EQ(amount->GetAsFloat(), 2.25);
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { amount->GetAsBoolean(); }), "Cannot access field 'AMOUNT' as type Boolean");
    EXPECT_THROW(amount->SetAsFloat(std::numeric_limits<double>::quiet_NaN()), EDatabaseError);
    amount->SetAsString("");
    EXPECT_TRUE(amount->IsNull());

    TField* price = F("PRICE");
    price->SetAsFloat(1234.5);
    EXPECT_EQ(price->DisplayText(), "1" + kNbsp + "234,50 р.");  // money in the locale's format
    EXPECT_EQ(price->Text(), "1234,50");                         // edited without the currency sign
    EXPECT_EQ(price->GetAsString(), "1234,5");
    F("RATE")->SetAsFloat(0.125);
    EXPECT_EQ(F("RATE")->DisplayText(), "0,125");
    F("RATE")->SetDisplayFormat("0.00");
    EXPECT_EQ(F("RATE")->DisplayText(), "0,13");
}

TEST_F(FieldsTest, DatesAndTimesFollowTheLocale) {
    const rtl::TDateTime when = rtl::EncodeDateTime(2024, 3, 15, 13, 45, 10, 0);
    F("DAY")->SetAsDateTime(when);
    F("AT")->SetAsDateTime(when);
    F("STAMP")->SetAsDateTime(when);
    EXPECT_EQ(F("DAY")->GetAsDateTime().Value(), rtl::EncodeDate(2024, 3, 15).Value());  // the date part only
    EXPECT_EQ(F("DAY")->DisplayText(), "15.03.2024");
    EXPECT_EQ(F("AT")->DisplayText(), "13:45:10");
    EXPECT_EQ(F("STAMP")->DisplayText(), "15.03.2024 13:45:10");
    EXPECT_EQ(F("STAMP")->Value().VarType(), rtl::varDate);
    EXPECT_DOUBLE_EQ(F("STAMP")->GetAsFloat(), when.Value());
    F("STAMP")->SetDisplayFormat("yyyy-mm-dd hh:nn");
    EXPECT_EQ(F("STAMP")->DisplayText(), "2024-03-15 13:45");
    EXPECT_EQ(F("STAMP")->Text(), "15.03.2024 13:45:10");  // the display format is for display only

    F("STAMP")->SetAsString("01.02.2024");  // midnight: no time shown
    EXPECT_EQ(F("STAMP")->GetAsString(), "01.02.2024");
    F("DAY")->SetAsString("29.02.2024");
    EXPECT_EQ(F("DAY")->GetAsDateTime().Value(), rtl::EncodeDate(2024, 2, 29).Value());
    F("AT")->SetAsString("08:05:00");
    EXPECT_EQ(F("AT")->GetAsString(), "8:05:00");
    EXPECT_THAT(ErrorOf<rtl::EConvertError>([&] { F("DAY")->SetAsString("31.02.2024"); }), HasSubstr("'31.02.2024'"));
    EXPECT_EQ(F("DAY")->GetAsString(), "29.02.2024");
    F("DAY")->SetValue(rtl::Variant("01.12.2023"));
    EXPECT_EQ(F("DAY")->GetAsString(), "01.12.2023");
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { F("DAY")->GetAsInteger(); }), "Cannot access field 'DAY' as type Integer");
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { F("DAY")->GetAsBoolean(); }), "Cannot access field 'DAY' as type Boolean");

    rtl::TFormatSettingsScope english(rtl::EnglishFormatSettings());
    EXPECT_EQ(F("DAY")->DisplayText(), "12/01/2023");
}

TEST_F(FieldsTest, VariantFieldsKeepWhatWasWritten) {
    TField* any = F("ANY");
    any->SetValue(rtl::Variant(5));
    ds->Post();
    EXPECT_EQ(any->Value().VarType(), rtl::varInteger);
    EXPECT_EQ(any->GetAsInteger(), 5);
    EXPECT_EQ(any->GetAsString(), "5");
    ds->Edit();
    any->SetAsString("abc");
    EXPECT_EQ(any->Value().VarType(), rtl::varUString);
    EXPECT_THAT(ErrorOf<rtl::EConvertError>([&] { any->GetAsInteger(); }), HasSubstr("abc"));
    any->SetAsFloat(1.5);
    EXPECT_EQ(any->GetAsString(), "1,5");
    any->SetAsDateTime(rtl::EncodeDate(2024, 3, 15));
    EXPECT_EQ(any->Value().VarType(), rtl::varDate);
    any->SetAsBoolean(true);
    EXPECT_TRUE(any->GetAsBoolean());
    any->SetValue(rtl::Variant::Null());
    EXPECT_TRUE(any->IsNull());
}

TEST_F(FieldsTest, LabelsWidthsAndFlags) {
    TField* name = F("NAME");
    EXPECT_EQ(name->DisplayLabel(), "NAME");
    name->SetDisplayLabel("Наименование");
    EXPECT_EQ(name->DisplayLabel(), "Наименование");
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { F("FLAG")->GetAsFloat(); }), "Cannot access field 'FLAG' as type Float");
    F("FLAG")->SetDisplayLabel("Признак");
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { F("FLAG")->GetAsFloat(); }), "Cannot access field 'Признак' as type Float");

    // The width of a text is its size, of a Boolean its longer word; a set width wins.
    EXPECT_EQ(name->DisplayWidth(), 5);
    EXPECT_EQ(F("FLAG")->DisplayWidth(), 5);  // "False"
    static_cast<TBooleanField*>(F("FLAG"))->DisplayValues = "+;";
    EXPECT_EQ(F("FLAG")->DisplayWidth(), 1);
    name->SetDisplayWidth(30);
    EXPECT_EQ(name->DisplayWidth(), 30);

    EXPECT_TRUE(name->Visible());
    name->SetVisible(false);
    EXPECT_FALSE(name->Visible());
    name->SetTag(7);
    EXPECT_EQ(name->Tag(), 7);
    EXPECT_EQ(name->Alignment(), TAlignment::taLeftJustify);
    EXPECT_EQ(F("INT")->Alignment(), TAlignment::taRightJustify);

    name->SetReadOnly(true);
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { name->SetAsString("x"); }), "Field 'Наименование' cannot be modified");
    EXPECT_TRUE(name->IsNull());
    name->SetReadOnly(false);
    name->SetAsString("x");
    EXPECT_EQ(name->GetAsString(), "x");
}

TEST_F(FieldsTest, WritingOutsideEditModeIsRefused) {
    ds->Post();
    const std::pair<const char*, const char*> writes[] = {
        {"NAME", "a"}, {"INT", "1"}, {"FLAG", "True"}, {"AMOUNT", "1,5"}, {"DAY", "01.01.2024"}, {"ANY", "x"}};
    for (const auto& [n, text] : writes) {
        EXPECT_EQ(ErrorOf<EDatabaseError>([&] { F(n)->SetAsString(text); }), "Cards: Dataset not in edit or insert mode") << n;
        EXPECT_EQ(ErrorOf<EDatabaseError>([&] { F(n)->Clear(); }), "Cards: Dataset not in edit or insert mode") << n;
        EXPECT_TRUE(F(n)->IsNull()) << n;
    }
    ds->Close();
    EXPECT_THROW(F("NAME")->SetAsString("x"), EDatabaseError);
    EXPECT_TRUE(F("NAME")->IsNull());  // a closed data set reads as nulls
    EXPECT_EQ(F("INT")->GetAsInteger(), 0);
}

TEST_F(FieldsTest, GetAndSetTextHandlersReplaceTheConversion) {
    TField* name = F("NAME");
    std::vector<bool> asked;
    name->OnGetText = TFieldGetTextEvent::FromFunction([&](TField* f, std::string& text, bool displayText) {
        asked.push_back(displayText);
        text = "<" + f->GetAsString() + ">";
    });
    name->OnSetText = TFieldSetTextEvent::FromFunction([](TField* f, const std::string& text) { f->SetAsString(text + "!"); });
    name->SetText("ab");
    EXPECT_EQ(name->GetAsString(), "ab!");  // the handler wrote it
    EXPECT_EQ(name->DisplayText(), "<ab!>");
    EXPECT_EQ(name->Text(), "<ab!>");
    EXPECT_EQ(asked, (std::vector<bool>{true, false}));
    EXPECT_EQ(name->GetAsString(), "ab!");  // the value itself is not the handler's text
    F("INT")->SetText("15");             // without a handler SetText is SetAsString
    EXPECT_EQ(F("INT")->GetAsInteger(), 15);
}

TEST_F(FieldsTest, OnValidateSeesTheNewValueAndMayRefuseIt) {
    TField* name = F("NAME");
    name->SetAsString("abc");
    std::vector<std::string> seen;
    int changes = 0;
    name->OnValidate = TFieldNotifyEvent::FromFunction([&](TField* f) {
        seen.push_back(f->GetAsString());
        if (f->GetAsString() == "bad") throw EDatabaseError("not that one");
    });
    name->OnChange = TFieldNotifyEvent::FromFunction([&](TField*) { ++changes; });
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { name->SetAsString("bad"); }), "not that one");
    EXPECT_EQ(name->GetAsString(), "abc");  // the old value stays
    EXPECT_EQ(changes, 0);
    name->SetAsString("good");
    EXPECT_EQ(seen, (std::vector<std::string>{"bad", "good"}));
    EXPECT_EQ(changes, 1);
    ds->Post();
    EXPECT_EQ(name->GetAsString(), "good");
}

// OnChange is told once for every write, whichever conversion wrote it.
TEST_F(FieldsTest, OnChangeOncePerWrite) {
    struct Case {
        const char* field;
        std::function<void(TField*)> write;
    };
    const Case cases[] = {
        {"NAME", [](TField* f) { f->SetAsString("a"); }},
        {"NAME", [](TField* f) { f->SetAsInteger(1); }},
        {"INT", [](TField* f) { f->SetAsString("2"); }},
        {"INT", [](TField* f) { f->SetValue(rtl::Variant(3.0)); }},
        {"FLAG", [](TField* f) { f->SetAsString("True"); }},
        {"AMOUNT", [](TField* f) { f->SetAsInteger(4); }},
        {"DAY", [](TField* f) { f->SetAsString("01.01.2024"); }},
        {"ANY", [](TField* f) { f->SetAsFloat(1.5); }},
        {"NAME", [](TField* f) { f->Clear(); }},
    };
    for (const Case& c : cases) {
        int changes = 0;
        TField* f = F(c.field);
        f->OnChange = TFieldNotifyEvent::FromFunction([&](TField* sender) {
            EXPECT_EQ(sender, f);
            ++changes;
        });
        c.write(f);
        EXPECT_EQ(changes, 1) << c.field;
        f->OnChange = nullptr;
    }
    EXPECT_TRUE(ds->Modified());
}

// ------------------------------------------------------------------ calculated and lookup

class CalcFieldsTest : public dbtest::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ds = vcl::Create<TClientDataSet>(Owner());
        ds->SetName("Sales");
        auto* id = vcl::Create<TIntegerField>(Owner());
        id->SetFieldName("ID");
        id->SetDataSet(ds);
        amount = vcl::Create<TFloatField>(Owner());
        amount->SetFieldName("AMOUNT");
        amount->SetDataSet(ds);
        twice = vcl::Create<TFloatField>(Owner());
        twice->SetFieldName("TWICE");
        twice->SetFieldKind(TFieldKind::fkCalculated);
        twice->SetDataSet(ds);
        ds->OnCalcFields = TDataSetNotifyEvent::FromFunction([this](TDataSet* d) {
            states.push_back(d->State());
            if (!amount->IsNull()) twice->SetAsFloat(amount->GetAsFloat() * 2);
        });
        ds->CreateDataSet();
        for (int i = 1; i <= 3; ++i) ds->AppendRecord({i, i * 10.0});
        ds->First();
        states.clear();
    }

    TClientDataSet* ds = nullptr;
    TField *amount = nullptr, *twice = nullptr;
    std::vector<TDataSetState> states;
};

TEST_F(CalcFieldsTest, CalculatedOnScrollAndOnFieldChangeInCalcState) {
    EXPECT_TRUE(twice->Calculated());
    EXPECT_EQ(twice->FieldNo(), 0);
    EXPECT_DOUBLE_EQ(twice->GetAsFloat(), 20.0);
    ds->Next();
    EXPECT_DOUBLE_EQ(twice->GetAsFloat(), 40.0);
    ds->Last();
    EXPECT_DOUBLE_EQ(twice->GetAsFloat(), 60.0);
    ASSERT_FALSE(states.empty());
    for (TDataSetState s : states) EXPECT_EQ(s, TDataSetState::dsCalcFields);
    EXPECT_EQ(ds->State(), TDataSetState::dsBrowse);

    ds->Edit();
    amount->SetAsFloat(7);
    EXPECT_DOUBLE_EQ(twice->GetAsFloat(), 14.0);  // at once, before posting
    ds->Post();
    EXPECT_DOUBLE_EQ(twice->GetAsFloat(), 14.0);
    ds->Append();
    EXPECT_TRUE(twice->IsNull());
    amount->SetAsFloat(1.5);
    EXPECT_DOUBLE_EQ(twice->GetAsFloat(), 3.0);
    ds->Cancel();
    EXPECT_DOUBLE_EQ(twice->GetAsFloat(), 14.0);

    // Outside OnCalcFields and editing, a calculated field is not written.
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { twice->SetAsFloat(1); }), "Sales: Dataset not in edit or insert mode");
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { ds->Locate("TWICE", 20.0); }), HasSubstr("TWICE"));
}

TEST_F(CalcFieldsTest, LookupFieldsShowTheOtherDataSetsValue) {
    auto* clients = MakeCds("Clients", {{"ID", TFieldType::ftInteger}, {"NAME", TFieldType::ftString, 30}});
    clients->AppendRecord({1, "Иванов"});
    clients->AppendRecord({2, "Петрова"});
    clients->First();

    auto* cards = vcl::Create<TClientDataSet>(Owner());
    auto* card = vcl::Create<TStringField>(Owner());
    card->SetFieldName("CARD");
    card->SetDataSet(cards);
    auto* clientId = vcl::Create<TIntegerField>(Owner());
    clientId->SetFieldName("CLIENT_ID");
    clientId->SetDataSet(cards);
    auto* clientName = vcl::Create<TStringField>(Owner());
    clientName->SetFieldName("CLIENT_NAME");
    clientName->SetFieldKind(TFieldKind::fkLookup);
    clientName->SetLookupDataSet(clients);
    clientName->KeyFields = "CLIENT_ID";
    clientName->LookupKeyFields = "ID";
    clientName->LookupResultField = "NAME";
    clientName->SetDataSet(cards);
    cards->CreateDataSet();
    cards->AppendRecord({"7001", 2});
    cards->AppendRecord({"7002", 1});
    cards->AppendRecord({"7003", 9});

    cards->First();
    EXPECT_TRUE(clientName->Lookup());
    EXPECT_EQ(clientName->GetAsString(), "Петрова");
    cards->Next();
    EXPECT_EQ(clientName->GetAsString(), "Иванов");
    cards->Next();
    EXPECT_TRUE(clientName->IsNull());  // no such client
    cards->Edit();
    clientId->SetAsInteger(2);
    EXPECT_EQ(clientName->GetAsString(), "Петрова");
    cards->Post();
    EXPECT_EQ(clients->RecNo(), 1);  // the looked-up data set does not move

    // The looked-up data set freed: the lookup field shows nothing, nothing breaks.
    rtl::TObject::Free(clients);
    EXPECT_EQ(clientName->LookupDataSet(), nullptr);
    cards->First();
    EXPECT_TRUE(clientName->IsNull());
}

}  // namespace
