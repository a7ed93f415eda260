// Client data sets: creation from definitions or persistent fields, closing, emptying,
// index field names and index definitions, unique keys and master-detail.
#include "DbTestSupport.h"

#include "db/ClientDataSet.h"
#include "db/DataSource.h"
#include "rtl/DateTime.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace db;
using dbtest::ErrorOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

class ClientDataSetTest : public dbtest::DbTest {};

TEST_F(ClientDataSetTest, CreatedFromDefinitionsAndDiscardedOnClose) {
    auto* cds = vcl::Create<TClientDataSet>(Owner());
    cds->SetName("Temp");
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { cds->Open(); }), "Temp: Missing data provider or data packet");
    EXPECT_FALSE(cds->Active());
    EXPECT_THROW(cds->CreateDataSet(), EDatabaseError);  // nothing to make it from

    cds->FieldDefs().Add("ID", TFieldType::ftInteger);
    cds->FieldDefs().Add("NAME", TFieldType::ftString, 10);
    EXPECT_THROW(cds->FieldDefs().Add("name", TFieldType::ftString), EDatabaseError);
    dbtest::Log log;
    dbtest::HookAll(cds, log);
    cds->CreateDataSet();
    EXPECT_THAT(log, ElementsAre("BeforeOpen", "AfterOpen"));
    EXPECT_TRUE(cds->Active());
    EXPECT_TRUE(cds->IsEmpty());
    EXPECT_EQ(cds->FieldCount(), 2);
    cds->AppendRecord({1, "a"});
    cds->AppendRecord({2, "b"});
    EXPECT_EQ(cds->RecordCount(), 2);

    cds->Close();
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { cds->Open(); }), "Temp: Missing data provider or data packet");
    cds->CreateDataSet();
    EXPECT_TRUE(cds->IsEmpty());  // the records went with the close
    EXPECT_EQ(cds->FieldCount(), 2);

    // CreateDataSet on an open data set starts it afresh.
    cds->AppendRecord({3, "c"});
    cds->CreateDataSet();
    EXPECT_EQ(cds->RecordCount(), 0);

    // Fields made from the definitions follow definitions changed before the next
    // CreateDataSet.
    cds->Close();
    cds->FieldDefs().Clear();
    cds->FieldDefs().Add("CODE", TFieldType::ftString, 5);
    cds->FieldDefs().Add("DAY", TFieldType::ftDate);
    cds->CreateDataSet();
    EXPECT_EQ(cds->FieldCount(), 2);
    EXPECT_EQ(cds->FindField("ID"), nullptr);
    cds->AppendRecord({"abcdefg", "01.02.2024"});
    EXPECT_EQ(cds->FieldByName("CODE")->GetAsString(), "abcde");
    EXPECT_EQ(cds->FieldByName("DAY")->DataType(), TFieldType::ftDate);
}

TEST_F(ClientDataSetTest, CreatedFromPersistentFields) {
    auto* cds = vcl::Create<TClientDataSet>(Owner());
    auto* name = vcl::Create<TStringField>(Owner());
    name->SetFieldName("NAME");
    name->SetSize(8);
    name->SetDataSet(cds);
    auto* amount = vcl::Create<TCurrencyField>(Owner());
    amount->SetFieldName("AMOUNT");
    amount->SetDataSet(cds);
    auto* day = vcl::Create<TDateField>(Owner());
    day->SetFieldName("DAY");
    day->SetDataSet(cds);
    auto* dup = vcl::Create<TIntegerField>(Owner());
    dup->SetFieldName("name");
    EXPECT_THROW(dup->SetDataSet(cds), EDatabaseError);  // a second field of that name

    cds->CreateDataSet();
    EXPECT_EQ(cds->FieldCount(), 3);
    EXPECT_EQ(cds->FieldByName("NAME"), name);
    EXPECT_EQ(name->Index(), 0);
    EXPECT_EQ(day->Index(), 2);
    cds->AppendRecord({"Длинное имя", 12.5, "05.06.2024"});
    EXPECT_EQ(name->GetAsString(), "Длинное ");
    EXPECT_EQ(amount->DisplayText(), "12,50 р.");
    EXPECT_EQ(day->GetAsString(), "05.06.2024");

    // Fields are not added or taken away while the data set is open.
    auto* late = vcl::Create<TIntegerField>(Owner());
    late->SetFieldName("LATE");
    EXPECT_THROW(late->SetDataSet(cds), EDatabaseError);
    cds->Close();
    late->SetDataSet(cds);
    rtl::TObject::Free(day);  // a freed field leaves its data set
    cds->CreateDataSet();
    EXPECT_EQ(cds->FieldCount(), 3);
    EXPECT_EQ(cds->FindField("DAY"), nullptr);
    EXPECT_EQ(cds->Fields(2), late);
}

TEST_F(ClientDataSetTest, EmptyDataSetKeepsItOpen) {
    auto* cds = MakeCds("Temp", {{"ID", TFieldType::ftInteger}});
    for (int i = 0; i < 10; ++i) cds->AppendRecord({i});
    cds->Edit();
    cds->EmptyDataSet();
    EXPECT_TRUE(cds->Active());
    EXPECT_EQ(cds->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(cds->RecordCount(), 0);
    EXPECT_TRUE(cds->Bof() && cds->Eof());
    cds->AppendRecord({42});
    EXPECT_EQ(cds->RecordCount(), 1);
    EXPECT_EQ(cds->FieldByName("ID")->GetAsInteger(), 42);
    cds->Close();
    EXPECT_THROW(cds->EmptyDataSet(), EDatabaseError);
}

// ------------------------------------------------------------------ indexes

class IndexTest : public dbtest::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ds = MakeCds("Idx", {{"ID", TFieldType::ftInteger},
                             {"NAME", TFieldType::ftString, 20},
                             {"GRP", TFieldType::ftInteger},
                             {"DAY", TFieldType::ftDate},
                             {"AMOUNT", TFieldType::ftFloat}});
        const rtl::Variant null = rtl::Variant::Null();
        ds->AppendRecord({1, "Ёлкин", 2, "10.01.2024", 5.5});
        ds->AppendRecord({2, "Ершов", 1, "09.02.2023", -1.0});
        ds->AppendRecord({3, "Zorro", 2, "01.01.2025", 100.0});
        ds->AppendRecord({4, "Жуков", 1, null, 0.25});
        ds->AppendRecord({5, "adams", 3, "10.01.2024", 5.5});
        ds->AppendRecord({6, "Adams", null, "31.12.2023", null});
        ds->AppendRecord({7, "Ёлкина", 2, "15.01.2024", -20.0});
    }
    std::vector<std::string> Ids() { return Column(ds, "ID"); }

    TClientDataSet* ds = nullptr;
};

TEST_F(IndexTest, IndexFieldNamesSortAscendingInTheCollation) {
    struct Case {
        const char* fields;
        std::vector<std::string> ids;
    };
    const std::vector<Case> cases = {
        {"NAME", {"6", "3", "5", "2", "1", "7", "4"}},    // Latin first, capitals first, ё after е
        {"GRP", {"6", "2", "4", "1", "3", "7", "5"}},     // nulls first, then in record order
        {"DAY", {"4", "2", "6", "1", "5", "7", "3"}},     // dates
        {"AMOUNT", {"6", "7", "2", "4", "1", "5", "3"}},  // negative numbers, fractions
        {"GRP;NAME", {"6", "2", "4", "3", "1", "7", "5"}},
        {"GRP; DAY;ID", {"6", "4", "2", "1", "7", "3", "5"}},
        {"", {"1", "2", "3", "4", "5", "6", "7"}},  // no index: record order
    };
    for (const Case& c : cases) {
        ds->SetIndexFieldNames(c.fields);
        EXPECT_EQ(ds->IndexFieldNames(), c.fields);
        EXPECT_EQ(Ids(), c.ids) << c.fields;
    }
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { ds->SetIndexFieldNames("NOPE"); }), HasSubstr("'NOPE'"));
    EXPECT_EQ(ds->IndexFieldNames(), "");
    EXPECT_EQ(ds->RecordCount(), 7);
}

TEST_F(IndexTest, RecordsStaySortedThroughAppendEditAndPost) {
    EXPECT_EQ(ds->FieldByName("ID")->GetAsInteger(), 7);
    ds->SetIndexFieldNames("AMOUNT");
    EXPECT_EQ(ds->FieldByName("ID")->GetAsInteger(), 7);  // the cursor stays on its record
    EXPECT_EQ(ds->RecNo(), 2);
    ds->AppendRecord({8, "Новый", 1, rtl::Variant::Null(), 1.0});
    EXPECT_EQ(ds->FieldByName("ID")->GetAsInteger(), 8);  // on the posted record, in its place
    EXPECT_EQ(ds->RecNo(), 5);
    ds->Insert();
    ds->FieldByName("ID")->SetAsInteger(9);
    ds->FieldByName("AMOUNT")->SetAsFloat(-100);
    ds->Post();
    EXPECT_EQ(ds->RecNo(), 2);
    ds->Locate("ID", 3);
    ds->Edit();
    ds->FieldByName("AMOUNT")->SetAsFloat(0);
    ds->Post();
    EXPECT_EQ(ds->FieldByName("ID")->GetAsInteger(), 3);
    EXPECT_THAT(Ids(), ElementsAre("6", "9", "7", "2", "3", "4", "8", "1", "5"));
    // An edit that does not move the key keeps equal keys in their order.
    ds->Locate("ID", 5);
    ds->Edit();
    ds->FieldByName("NAME")->SetAsString("x");
    ds->Post();
    EXPECT_THAT(Ids(), ElementsAre("6", "9", "7", "2", "3", "4", "8", "1", "5"));
    ds->Locate("ID", 2);
    ds->Delete();
    EXPECT_EQ(ds->FieldByName("ID")->GetAsInteger(), 3);
    EXPECT_THAT(Ids(), ElementsAre("6", "9", "7", "3", "4", "8", "1", "5"));
}

TEST_F(IndexTest, IndexDefinitionsWithDescendingAndCaseInsensitiveFields) {
    ds->AddIndex("ByAmountDesc", "AMOUNT", ixDescending);
    ds->AddIndex("ByGrpNameDesc", "GRP;NAME", 0, "NAME");
    ds->AddIndex("ByNameCI", "NAME", ixCaseInsensitive);
    ds->AddIndex("ByGrpDescNameCI", "GRP;NAME", ixDescending, "GRP", "NAME");
    EXPECT_EQ(ds->IndexDefs().size(), 4u);
    EXPECT_THROW(ds->AddIndex("bynameci", "ID"), EDatabaseError);

    struct Case {
        const char* index;
        std::vector<std::string> ids;
    };
    const std::vector<Case> cases = {
        {"ByAmountDesc", {"3", "1", "5", "4", "2", "7", "6"}},
        {"ByGrpNameDesc", {"6", "4", "2", "7", "1", "3", "5"}},
        {"ByNameCI", {"5", "6", "3", "2", "1", "7", "4"}},  // "adams" and "Adams" equal: record order
        {"ByGrpDescNameCI", {"5", "3", "1", "7", "2", "4", "6"}},
    };
    for (const Case& c : cases) {
        ds->SetIndexName(c.index);
        EXPECT_EQ(ds->IndexName(), c.index);
        EXPECT_EQ(Ids(), c.ids) << c.index;
    }
    // IndexFieldNames and IndexName replace each other.
    ds->SetIndexFieldNames("ID");
    EXPECT_EQ(ds->IndexName(), "");
    EXPECT_THAT(Ids(), ElementsAre("1", "2", "3", "4", "5", "6", "7"));
    ds->SetIndexName("ByAmountDesc");
    EXPECT_EQ(ds->IndexFieldNames(), "");
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { ds->SetIndexName("Nope"); }), HasSubstr("'Nope'"));
    EXPECT_EQ(ds->IndexName(), "ByAmountDesc");
    ds->DeleteIndex("ByAmountDesc");
    EXPECT_EQ(ds->IndexName(), "");
    EXPECT_THAT(Ids(), ElementsAre("1", "2", "3", "4", "5", "6", "7"));
    EXPECT_THROW(ds->DeleteIndex("ByAmountDesc"), EDatabaseError);

    // An index named before the data set is created applies when it opens.
    auto* later = vcl::Create<TClientDataSet>(Owner());
    later->FieldDefs().Add("N", TFieldType::ftInteger);
    later->AddIndex("Desc", "N", ixDescending);
    later->SetIndexName("Desc");
    later->CreateDataSet();
    for (int i : {2, 3, 1}) later->AppendRecord({i});
    EXPECT_THAT(Column(later, "N"), ElementsAre("3", "2", "1"));
}

// ------------------------------------------------------------------ unique keys

TEST_F(IndexTest, UniqueIndexesRefuseADuplicateKeyOnPost) {
    ds->AddIndex("ById", "ID", ixUnique);
    ds->Append();
    ds->FieldByName("ID")->SetAsInteger(3);
    ds->FieldByName("NAME")->SetAsString("дубль");
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { ds->Post(); }), HasSubstr("Key violation."));
    EXPECT_EQ(ds->State(), TDataSetState::dsInsert);  // still editing
    EXPECT_EQ(ds->FieldByName("NAME")->GetAsString(), "дубль");
    ds->Cancel();
    EXPECT_EQ(ds->RecordCount(), 7);  // nothing was stored
    EXPECT_FALSE(ds->Locate("NAME", "дубль"));

    // An edit that keeps the record's own key is allowed; taking another's is not.
    ds->Locate("ID", 3);
    ds->Edit();
    ds->FieldByName("NAME")->SetAsString("Зорро");
    ds->Post();
    ds->Edit();
    ds->FieldByName("ID")->SetAsInteger(5);
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { ds->Post(); }), HasSubstr("Key violation."));
    EXPECT_EQ(ds->State(), TDataSetState::dsEdit);
    ds->FieldByName("ID")->SetAsInteger(30);
    ds->Post();
    // The key it left, and the key of a deleted record, are free again.
    ds->AppendRecord({3, "снова три"});
    ds->Locate("ID", 5);
    ds->Delete();
    ds->AppendRecord({5, "снова пять"});
    EXPECT_EQ(ds->RecordCount(), 8);
    EXPECT_THROW(ds->AppendRecord({30}), EDatabaseError);
    EXPECT_EQ(ds->RecordCount(), 8);
    EXPECT_EQ(ds->State(), TDataSetState::dsBrowse);  // AppendRecord cancels what it could not post

    // An emptied data set has no keys left.
    ds->EmptyDataSet();
    ds->AppendRecord({3});
    EXPECT_EQ(ds->RecordCount(), 1);
}

TEST_F(IndexTest, UniqueKeysOfSeveralFieldsAndWithoutCase) {
    // Records already holding a duplicate refuse the index.
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { ds->AddIndex("ByGrp", "GRP", ixUnique); }), HasSubstr("Key violation."));
    EXPECT_TRUE(ds->IndexDefs().empty());
    ds->AppendRecord({10, "x", 1});  // and nothing was left behind to refuse this

    ds->AddIndex("ByGrpName", "GRP;NAME", ixUnique | ixCaseInsensitive);
    EXPECT_THROW(ds->AppendRecord({11, "ЁЛКИН", 2}), EDatabaseError);
    ds->AppendRecord({11, "ЁЛКИН", 3});
    ds->AppendRecord({12, "Ёлкин", 1});
    EXPECT_EQ(ds->RecordCount(), 10);
    // Unique keys survive a change of the sort order.
    ds->SetIndexFieldNames("NAME");
    EXPECT_THROW(ds->AppendRecord({13, "ершов", 1}), EDatabaseError);
    ds->SetIndexName("ByGrpName");
    EXPECT_THROW(ds->AppendRecord({13, "ершов", 1}), EDatabaseError);
    EXPECT_EQ(ds->RecordCount(), 10);
}

// ------------------------------------------------------------------ master and detail

class MasterDetailTest : public dbtest::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        master = MakeCds("Clients", {{"ID", TFieldType::ftInteger}, {"NAME", TFieldType::ftString, 20}});
        master->AppendRecord({1, "Иванов"});
        master->AppendRecord({2, "Петрова"});
        master->AppendRecord({3, "Без карт"});
        master->First();
        masterSource = vcl::Create<TDataSource>(Owner());
        masterSource->SetDataSet(master);

        detail = MakeCds("Cards", {{"CARD", TFieldType::ftString, 10}, {"CLIENT_ID", TFieldType::ftInteger}});
        detail->AppendRecord({"7003", 2});
        detail->AppendRecord({"7001", 1});
        detail->AppendRecord({"7004", 2});
        detail->AppendRecord({"7002", 1});
        detail->AppendRecord({"7005", 2});
        detail->SetIndexFieldNames("CLIENT_ID;CARD");
        detail->SetMasterSource(masterSource);
        detail->SetMasterFields("ID");
    }
    std::vector<std::string> Cards() { return Column(detail, "CARD"); }

    TClientDataSet *master = nullptr, *detail = nullptr;
    TDataSource* masterSource = nullptr;
};

TEST_F(MasterDetailTest, TheDetailShowsTheMastersCurrentKey) {
    EXPECT_EQ(detail->MasterSource(), masterSource);
    EXPECT_EQ(detail->MasterFields(), "ID");
    EXPECT_THAT(Cards(), ElementsAre("7001", "7002"));
    EXPECT_EQ(detail->RecordCount(), 2);
    master->Next();
    EXPECT_EQ(detail->RecNo(), 1);  // the detail starts from its first record
    EXPECT_THAT(Cards(), ElementsAre("7003", "7004", "7005"));
    master->Next();
    EXPECT_TRUE(detail->IsEmpty());
    EXPECT_TRUE(detail->Eof());
    EXPECT_TRUE(detail->FieldByName("CARD")->IsNull());
    master->Locate("ID", 1);
    EXPECT_THAT(Cards(), ElementsAre("7001", "7002"));
    EXPECT_FALSE(detail->Locate("CARD", "7003"));  // only the range is searched

    // While the master's controls are disabled the detail does not follow; it catches up
    // when they are enabled.
    master->DisableControls();
    master->Next();
    EXPECT_THAT(Cards(), ElementsAre("7001", "7002"));
    master->EnableControls();
    EXPECT_THAT(Cards(), ElementsAre("7003", "7004", "7005"));
    master->First();

    // The master's key changed and posted: the detail follows.
    master->Edit();
    master->FieldByName("ID")->SetAsInteger(2);
    master->Post();
    EXPECT_THAT(Cards(), ElementsAre("7003", "7004", "7005"));
}

TEST_F(MasterDetailTest, NewDetailRecordsTakeTheMastersKey) {
    master->Locate("ID", 3);
    detail->Append();
    EXPECT_EQ(detail->FieldByName("CLIENT_ID")->GetAsInteger(), 3);
    detail->FieldByName("CARD")->SetAsString("7009");
    detail->Post();
    EXPECT_THAT(Cards(), ElementsAre("7009"));
    master->First();
    EXPECT_THAT(Cards(), ElementsAre("7001", "7002"));
    // Given another key it leaves the range when posted.
    detail->AppendRecord({"7010", 2});
    EXPECT_THAT(Cards(), ElementsAre("7001", "7002"));
    master->Next();
    EXPECT_THAT(Cards(), ElementsAre("7003", "7004", "7005", "7010"));
}

TEST_F(MasterDetailTest, WithoutAMasterTheDetailShowsEverything) {
    master->Close();
    EXPECT_EQ(detail->RecordCount(), 5);
    master->CreateDataSet();  // open and empty: no key, no detail records
    EXPECT_TRUE(detail->IsEmpty());
    master->AppendRecord({2});
    EXPECT_EQ(detail->RecordCount(), 3);
    detail->SetMasterFields("");
    EXPECT_EQ(detail->RecordCount(), 5);
    detail->SetMasterFields("ID");
    EXPECT_EQ(detail->RecordCount(), 3);
    rtl::TObject::Free(masterSource);  // a freed master source unlinks the detail
    EXPECT_EQ(detail->MasterSource(), nullptr);
    detail->Refresh();
    EXPECT_EQ(detail->RecordCount(), 5);
}

}  // namespace
