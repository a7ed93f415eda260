// Data sets: opening and closing, the editing states and their events, navigation with
// Bof/Eof, bookmarks, Locate and Lookup.
#include "DbTestSupport.h"

#include "db/ClientDataSet.h"
#include "db/DataSet.h"
#include "rtl/DateTime.h"
#include "rtl/Variant.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace db;
using dbtest::ErrorOf;
using dbtest::Log;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

// Cards 1..5 in a client data set without an index (records in the order they came).
class DataSetTest : public dbtest::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ds = MakeCds("Cards", {{"ID", TFieldType::ftInteger},
                               {"NAME", TFieldType::ftString, 30},
                               {"DAY", TFieldType::ftDate},
                               {"AMOUNT", TFieldType::ftFloat}});
        const char* names[] = {"Иванов", "Петрова", "Ёлкин", "ИВАНОВА", "Сидоров"};
        for (int i = 1; i <= 5; ++i)
            ds->AppendRecord({i, names[i - 1], rtl::EncodeDate(2024, 3, 10 + i), i * 1.5});
        ds->First();
    }
    int Id() const { return ds->FieldByName("ID")->GetAsInteger(); }
    std::vector<std::string> Ids() { return Column(ds, "ID"); }

    TClientDataSet* ds = nullptr;
};

// ------------------------------------------------------------------ opening and closing

TEST_F(DataSetTest, OpenAndCloseRaiseTheirEventsInOrder) {
    // A plain data set keeps its records over Close and Open.
    auto* plain = vcl::Create<TDataSet>(Owner());
    plain->FieldDefs().Add("ID", TFieldType::ftInteger);
    Log log;
    dbtest::HookAll(plain, log);
    plain->Open();
    EXPECT_THAT(log, ElementsAre("BeforeOpen", "AfterOpen"));  // empty: no AfterScroll
    EXPECT_TRUE(plain->Active());
    EXPECT_EQ(plain->State(), TDataSetState::dsBrowse);
    plain->AppendRecord({1});
    plain->AppendRecord({2});
    log.clear();
    plain->Close();
    EXPECT_THAT(log, ElementsAre("BeforeClose", "AfterClose"));
    EXPECT_FALSE(plain->Active());
    EXPECT_EQ(plain->State(), TDataSetState::dsInactive);
    log.clear();
    plain->SetActive(true);
    EXPECT_THAT(log, ElementsAre("BeforeOpen", "AfterOpen", "AfterScroll"));
    EXPECT_EQ(plain->RecordCount(), 2);
    EXPECT_EQ(plain->FieldByName("ID")->GetAsInteger(), 1);
    EXPECT_TRUE(plain->Bof());
    EXPECT_FALSE(plain->Eof());

    // Closing while editing drops the edit without posting it.
    plain->Edit();
    plain->FieldByName("ID")->SetAsInteger(99);
    log.clear();
    plain->Close();
    EXPECT_THAT(log, ElementsAre("BeforeClose", "AfterClose"));
    plain->Open();
    EXPECT_EQ(plain->FieldByName("ID")->GetAsInteger(), 1);

    // Fields are not changed while open; operations on a closed data set are refused.
    EXPECT_THROW(plain->FieldByName("ID")->SetFieldName("X"), EDatabaseError);
    plain->Close();
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { plain->RecordCount(); }), HasSubstr("closed dataset"));
    EXPECT_THROW(plain->Edit(), EDatabaseError);
    EXPECT_THROW(plain->Next(), EDatabaseError);
    EXPECT_EQ(plain->RecNo(), 0);
}

// ------------------------------------------------------------------ editing states

TEST_F(DataSetTest, EditPostCancelAndDeleteRaiseTheirEvents) {
    Log log;
    dbtest::HookAll(ds, log);
    ds->Edit();
    EXPECT_EQ(ds->State(), TDataSetState::dsEdit);
    EXPECT_FALSE(ds->Modified());
    ds->FieldByName("NAME")->SetAsString("Иванов-Петров");
    EXPECT_TRUE(ds->Modified());
    ds->Post();
    EXPECT_THAT(log, ElementsAre("BeforeEdit", "AfterEdit", "BeforePost", "AfterPost"));
    EXPECT_EQ(ds->State(), TDataSetState::dsBrowse);
    EXPECT_FALSE(ds->Modified());
    EXPECT_EQ(ds->FieldByName("NAME")->GetAsString(), "Иванов-Петров");

    log.clear();
    ds->Edit();
    ds->FieldByName("NAME")->SetAsString("x");
    ds->Cancel();
    EXPECT_THAT(log, ElementsAre("BeforeEdit", "AfterEdit", "BeforeCancel", "AfterCancel"));
    EXPECT_EQ(ds->FieldByName("NAME")->GetAsString(), "Иванов-Петров");

    log.clear();
    ds->Next();
    log.clear();
    ds->Insert();
    EXPECT_THAT(log, ElementsAre("BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll"));
    log.clear();
    ds->Cancel();
    EXPECT_THAT(log, ElementsAre("BeforeCancel", "BeforeScroll", "AfterCancel", "AfterScroll"));

    log.clear();
    ds->Delete();
    EXPECT_THAT(log, ElementsAre("BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"));
    EXPECT_EQ(Id(), 3);  // the record after the deleted one
    EXPECT_EQ(ds->RecordCount(), 4);

    // A record being edited is deleted without its edit being cancelled first.
    log.clear();
    ds->Edit();
    ds->FieldByName("NAME")->SetAsString("x");
    ds->Delete();
    EXPECT_THAT(log, ElementsAre("BeforeEdit", "AfterEdit", "BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"));
    EXPECT_EQ(ds->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Id(), 4);
    EXPECT_EQ(ds->RecordCount(), 3);

    // Post and Cancel in browse mode do nothing.
    log.clear();
    ds->Post();
    ds->Cancel();
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(DataSetTest, NewRecordValuesDoNotMakeTheRecordModified) {
    ds->OnNewRecord = TDataSetNotifyEvent::FromFunction([](TDataSet* d) { d->FieldByName("AMOUNT")->SetAsFloat(100); });
    ds->Append();
    EXPECT_EQ(ds->State(), TDataSetState::dsInsert);
    EXPECT_DOUBLE_EQ(ds->FieldByName("AMOUNT")->GetAsFloat(), 100.0);
    EXPECT_TRUE(ds->FieldByName("ID")->IsNull());
    EXPECT_FALSE(ds->Modified());
    ds->First();  // moving off an unmodified new record cancels it
    EXPECT_EQ(ds->RecordCount(), 5);
    ds->Append();
    ds->FieldByName("ID")->SetAsInteger(6);
    ds->Post();
    EXPECT_EQ(ds->RecordCount(), 6);
    EXPECT_DOUBLE_EQ(ds->FieldByName("AMOUNT")->GetAsFloat(), 100.0);
}

TEST_F(DataSetTest, MovingOffARecordPostsItWhenModifiedAndCancelsItOtherwise) {
    Log log;
    ds->AfterPost = dbtest::Note(log, "AfterPost");
    ds->AfterCancel = dbtest::Note(log, "AfterCancel");
    ds->Edit();
    ds->FieldByName("NAME")->SetAsString("Новое");
    ds->Next();
    EXPECT_THAT(log, ElementsAre("AfterPost"));
    EXPECT_EQ(ds->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Id(), 2);
    ds->Prior();
    EXPECT_EQ(ds->FieldByName("NAME")->GetAsString(), "Новое");

    log.clear();
    ds->Edit();
    ds->Last();
    EXPECT_THAT(log, ElementsAre("AfterCancel"));
    EXPECT_EQ(Id(), 5);

    // Every way of moving checks the browse mode first.
    using Move = std::function<void()>;
    const std::vector<std::pair<const char*, Move>> moves = {
        {"First", [&] { ds->First(); }},
        {"Last", [&] { ds->Last(); }},
        {"MoveBy", [&] { ds->MoveBy(-2); }},
        {"RecNo", [&] { ds->SetRecNo(1); }},
        {"Locate", [&] { ds->Locate("ID", 4); }},
        {"Insert", [&] { ds->Insert(); ds->Cancel(); }},
    };
    for (const auto& [what, move] : moves) {
        ds->SetRecNo(3);
        ds->Edit();
        ds->FieldByName("AMOUNT")->SetAsFloat(77);
        move();
        EXPECT_EQ(ds->State(), TDataSetState::dsBrowse) << what;
        ds->SetRecNo(3);
        EXPECT_DOUBLE_EQ(ds->FieldByName("AMOUNT")->GetAsFloat(), 77.0) << what;
        ds->Edit();
        ds->FieldByName("AMOUNT")->SetAsFloat(4.5);
        ds->Post();
    }
}

TEST_F(DataSetTest, InsertGoesBeforeTheCurrentRecordAndAppendAtTheEnd) {
    ds->SetRecNo(2);
    ds->Insert();
    EXPECT_EQ(ds->State(), TDataSetState::dsInsert);
    EXPECT_TRUE(ds->FieldByName("ID")->IsNull());
    ds->FieldByName("ID")->SetAsInteger(10);
    ds->Post();
    EXPECT_EQ(Id(), 10);
    EXPECT_EQ(ds->RecNo(), 2);
    ds->Append();
    ds->FieldByName("ID")->SetAsInteger(11);
    ds->Post();
    EXPECT_EQ(Id(), 11);
    EXPECT_EQ(ds->RecNo(), 7);
    EXPECT_THAT(Ids(), ElementsAre("1", "10", "2", "3", "4", "5", "11"));

    // Insert on the first record goes first; on an empty data set it is the only one.
    ds->First();
    ds->Insert();
    ds->FieldByName("ID")->SetAsInteger(0);
    ds->Post();
    EXPECT_EQ(ds->RecNo(), 1);
    ds->EmptyDataSet();
    ds->Insert();
    ds->FieldByName("ID")->SetAsInteger(1);
    ds->Post();
    EXPECT_THAT(Ids(), ElementsAre("1"));
}

TEST_F(DataSetTest, CancelOfAnInsertReturnsToWhereTheCursorWas) {
    ds->SetRecNo(3);
    ds->Insert();
    ds->FieldByName("ID")->SetAsInteger(10);
    ds->Cancel();
    EXPECT_EQ(Id(), 3);
    EXPECT_EQ(ds->RecordCount(), 5);
    ds->Append();
    ds->Cancel();
    EXPECT_EQ(ds->RecordCount(), 5);
    EXPECT_EQ(Id(), 5);  // Append went to the end: its cancel stays there
    EXPECT_FALSE(ds->Eof());
    // Delete while inserting drops the new record.
    ds->SetRecNo(2);
    ds->Insert();
    ds->Delete();
    EXPECT_EQ(ds->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(ds->RecordCount(), 5);
    EXPECT_EQ(Id(), 2);
}

TEST_F(DataSetTest, EmptyDataSetEditInsertsAndDeleteIsRefused) {
    ds->EmptyDataSet();
    EXPECT_TRUE(ds->IsEmpty());
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { ds->Delete(); }), "Cards: Cannot perform this operation on an empty dataset");
    ds->Edit();
    EXPECT_EQ(ds->State(), TDataSetState::dsInsert);
    ds->FieldByName("ID")->SetAsInteger(1);
    ds->Post();
    EXPECT_EQ(ds->RecordCount(), 1);
}

TEST_F(DataSetTest, PostChecksRequiredFields) {
    auto* req = MakeCds("Req", {{"ID", TFieldType::ftInteger, 0, true}, {"NAME", TFieldType::ftString, 10}});
    EXPECT_TRUE(req->FieldByName("ID")->Required());
    req->Append();
    req->FieldByName("NAME")->SetAsString("a");
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { req->Post(); }), "Field 'ID' must have a value");
    EXPECT_EQ(req->State(), TDataSetState::dsInsert);  // still editing, nothing stored
    EXPECT_EQ(req->FieldByName("NAME")->GetAsString(), "a");
    req->FieldByName("ID")->SetDisplayLabel("Номер");
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { req->Post(); }), "Field 'Номер' must have a value");
    req->FieldByName("ID")->SetAsInteger(1);
    req->Post();
    EXPECT_EQ(req->RecordCount(), 1);

    // Required may be filled in BeforePost; a read-only field is not checked.
    req->BeforePost = TDataSetNotifyEvent::FromFunction([](TDataSet* d) {
        if (d->FieldByName("ID")->IsNull()) d->FieldByName("ID")->SetAsInteger(2);
    });
    req->AppendRecord({rtl::Variant::Null(), "b"});
    EXPECT_EQ(req->FieldByName("ID")->GetAsInteger(), 2);
    req->BeforePost = nullptr;
    req->FieldByName("ID")->SetReadOnly(true);
    req->Append();
    req->FieldByName("NAME")->SetAsString("c");
    req->Post();
    EXPECT_EQ(req->RecordCount(), 3);
}

// ------------------------------------------------------------------ navigation

TEST_F(DataSetTest, NavigationSetsBofAndEofAsThePlatformDoes) {
    struct Step {
        const char* what;
        std::function<void()> run;
        int id;
        bool bof, eof;
    };
    const std::vector<Step> steps = {
        {"First", [&] { ds->First(); }, 1, true, false},
        {"Prior on the first", [&] { ds->Prior(); }, 1, true, false},
        {"Next", [&] { ds->Next(); }, 2, false, false},
        {"Prior", [&] { ds->Prior(); }, 1, false, false},
        {"Last", [&] { ds->Last(); }, 5, false, true},
        {"Prior from the last", [&] { ds->Prior(); }, 4, false, false},
        {"Next to the last", [&] { ds->Next(); }, 5, false, false},
        {"Next on the last", [&] { ds->Next(); }, 5, false, true},
        {"Next again", [&] { ds->Next(); }, 5, false, true},
        {"MoveBy -2", [&] { EXPECT_EQ(ds->MoveBy(-2), -2); }, 3, false, false},
        {"MoveBy 10", [&] { EXPECT_EQ(ds->MoveBy(10), 2); }, 5, false, true},
        {"MoveBy -10", [&] { EXPECT_EQ(ds->MoveBy(-10), -4); }, 1, true, false},
        {"MoveBy 0", [&] { EXPECT_EQ(ds->MoveBy(0), 0); }, 1, true, false},
        {"RecNo 4", [&] { ds->SetRecNo(4); }, 4, false, false},
        {"RecNo out of range", [&] { ds->SetRecNo(9); }, 4, false, false},
    };
    for (const Step& s : steps) {
        s.run();
        EXPECT_EQ(Id(), s.id) << s.what;
        EXPECT_EQ(ds->Bof(), s.bof) << s.what;
        EXPECT_EQ(ds->Eof(), s.eof) << s.what;
        EXPECT_EQ(ds->RecNo(), s.id) << s.what;
    }
    EXPECT_EQ(ds->RecordCount(), 5);
    EXPECT_FALSE(ds->IsEmpty());

    // The usual loops visit every record once, both ways.
    std::vector<int> forward, backward;
    for (ds->First(); !ds->Eof(); ds->Next()) forward.push_back(Id());
    for (ds->Last(); !ds->Bof(); ds->Prior()) backward.push_back(Id());
    EXPECT_THAT(forward, ElementsAre(1, 2, 3, 4, 5));
    EXPECT_THAT(backward, ElementsAre(5, 4, 3, 2, 1));
}

TEST_F(DataSetTest, NothingBreaksOnAnEmptyDataSet) {
    Log log;
    ds->EmptyDataSet();
    ds->AfterScroll = dbtest::Note(log, "AfterScroll");
    for (auto move : std::vector<std::function<void()>>{[&] { ds->First(); }, [&] { ds->Last(); }, [&] { ds->Next(); },
                                                        [&] { ds->Prior(); }, [&] { ds->MoveBy(3); },
                                                        [&] { ds->SetRecNo(1); }, [&] { ds->Refresh(); }}) {
        move();
        EXPECT_TRUE(ds->Bof());
        EXPECT_TRUE(ds->Eof());
        EXPECT_EQ(ds->RecNo(), 0);
    }
    EXPECT_EQ(ds->RecordCount(), 0);
    EXPECT_TRUE(ds->IsEmpty());
    for (int i = 0; i < ds->FieldCount(); ++i) {
        TField* f = ds->Fields(i);
        EXPECT_TRUE(f->IsNull());
        EXPECT_EQ(f->GetAsString(), "");
        EXPECT_EQ(f->DisplayText(), "");
        EXPECT_TRUE(f->Value().IsNull());
    }
    EXPECT_EQ(ds->FieldByName("ID")->GetAsInteger(), 0);
    EXPECT_FALSE(ds->Locate("ID", 1));
    EXPECT_TRUE(ds->Lookup("ID", 1, "NAME").IsNull());
    EXPECT_FALSE(ds->GetBookmark().Valid());
    EXPECT_FALSE(ds->BookmarkValid(ds->GetBookmark()));
    ds->SetFilter("ID > 0");
    ds->SetFiltered(true);
    EXPECT_EQ(ds->RecordCount(), 0);
    ds->SetFiltered(false);
    ds->Cancel();
    ds->Post();
    EXPECT_THAT(log, IsEmpty());  // there was never a record to scroll to
}

// ------------------------------------------------------------------ bookmarks

TEST_F(DataSetTest, BookmarksFollowTheirRecordThroughEditsIndexesAndFilters) {
    ds->SetRecNo(3);
    const TBookmark third = ds->GetBookmark();
    ds->Last();
    const TBookmark last = ds->GetBookmark();
    EXPECT_TRUE(ds->BookmarkValid(third));
    EXPECT_LT(ds->CompareBookmarks(third, last), 0);
    EXPECT_GT(ds->CompareBookmarks(last, third), 0);
    EXPECT_EQ(ds->CompareBookmarks(third, third), 0);

    // Edits and inserts elsewhere, then back.
    ds->First();
    ds->Edit();
    ds->FieldByName("NAME")->SetAsString("Яковлев");
    ds->Post();
    const TBookmark first = ds->GetBookmark();
    EXPECT_LT(ds->CompareBookmarks(first, third), 0);
    ds->Insert();
    ds->FieldByName("ID")->SetAsInteger(0);
    ds->Post();
    ds->GotoBookmark(third);
    EXPECT_EQ(Id(), 3);
    EXPECT_EQ(ds->RecNo(), 4);
    EXPECT_FALSE(ds->Bof());
    EXPECT_FALSE(ds->Eof());

    // Another order: the bookmark still names the record, comparisons follow the order.
    ds->SetIndexFieldNames("NAME");
    EXPECT_EQ(Id(), 3);  // the cursor stays on its record
    ds->First();
    ds->GotoBookmark(third);
    EXPECT_EQ(ds->FieldByName("NAME")->GetAsString(), "Ёлкин");
    EXPECT_GT(ds->CompareBookmarks(first, third), 0);  // "Яковлев" after "Ёлкин" now
    EXPECT_EQ(ds->RecNo(), 2);                          // after the null name of the new record
    ds->SetIndexFieldNames("");

    // A filter that hides the record makes its bookmark invalid until the filter goes.
    ds->SetFilter("ID <> 3");
    ds->SetFiltered(true);
    EXPECT_FALSE(ds->BookmarkValid(third));
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { ds->GotoBookmark(third); }), HasSubstr("Record not found"));
    EXPECT_TRUE(ds->BookmarkValid(last));
    ds->SetFiltered(false);
    EXPECT_TRUE(ds->BookmarkValid(third));

    // A deleted record's bookmark is invalid for good.
    ds->GotoBookmark(third);
    ds->Delete();
    EXPECT_FALSE(ds->BookmarkValid(third));
    EXPECT_THROW(ds->GotoBookmark(third), EDatabaseError);
    EXPECT_TRUE(ds->BookmarkValid(last));
    ds->GotoBookmark(last);
    EXPECT_EQ(Id(), 5);

    TBookmark none;
    EXPECT_FALSE(ds->BookmarkValid(none));
    TBookmark freed = last;
    ds->FreeBookmark(freed);
    EXPECT_FALSE(freed.Valid());
    ds->Close();
    EXPECT_FALSE(ds->BookmarkValid(third));
}

// ------------------------------------------------------------------ Locate and Lookup

TEST_F(DataSetTest, LocateFindsByOneOrSeveralFields) {
    struct Case {
        const char* fields;
        rtl::Variant values;
        TLocateOptions options;
        int id;  // 0: not found
    };
    const std::vector<Case> cases = {
        {"ID", 4, 0, 4},
        {"id", rtl::Variant("2"), 0, 2},  // a number given as text
        {"NAME", "Петрова", 0, 2},
        {"NAME", "петрова", 0, 0},
        {"NAME", "петрова", loCaseInsensitive, 2},
        {"NAME", "ёлкин", loCaseInsensitive, 3},
        {"NAME", "елкин", loCaseInsensitive, 0},  // е is not ё
        {"NAME", "Иванов", 0, 1},
        {"NAME", "ИВАНОВ", loCaseInsensitive, 1},
        {"NAME", "Иван", 0, 0},
        {"NAME", "Иван", loPartialKey, 1},
        {"NAME", "ивановА", loPartialKey | loCaseInsensitive, 4},
        {"ID;NAME", rtl::VarArrayOf({4, "ИВАНОВА"}), 0, 4},
        {"NAME; ID", rtl::VarArrayOf({"Иванов", 4}), 0, 0},
        {"DAY", rtl::Variant("12.03.2024"), 0, 2},  // a date given as text in the locale
        {"DAY", rtl::EncodeDate(2024, 3, 14), 0, 4},
        {"AMOUNT", 7.5, 0, 5},
        {"AMOUNT", rtl::Variant("7,5"), 0, 5},
    };
    for (const Case& c : cases) {
        ds->SetRecNo(3);
        const bool found = ds->Locate(c.fields, c.values, c.options);
        EXPECT_EQ(found, c.id != 0) << c.fields << " " << c.values.AsString();
        EXPECT_EQ(Id(), c.id ? c.id : 3) << c.fields << " " << c.values.AsString();  // not found: the cursor stays
    }
    EXPECT_THAT(ErrorOf<EDatabaseError>([&] { ds->Locate("NOPE", 1); }), HasSubstr("Field 'NOPE' not found"));
    EXPECT_THROW(ds->Locate("ID;NAME", 1), EDatabaseError);  // one value for two fields
}

TEST_F(DataSetTest, LocateMatchesNullKeys) {
    ds->SetRecNo(4);
    ds->Edit();
    ds->FieldByName("NAME")->Clear();
    ds->Post();
    ds->First();
    EXPECT_TRUE(ds->Locate("NAME", rtl::Variant::Null()));
    EXPECT_EQ(Id(), 4);
    ds->First();
    EXPECT_TRUE(ds->Locate("DAY;NAME", rtl::VarArrayOf({rtl::EncodeDate(2024, 3, 14), rtl::Variant::Null()})));
    EXPECT_EQ(Id(), 4);
    EXPECT_FALSE(ds->Locate("ID", rtl::Variant::Null()));
    EXPECT_EQ(Id(), 4);
}

TEST_F(DataSetTest, LookupAnswersWithoutMovingTheCursor) {
    ds->SetRecNo(2);
    Log log;
    ds->AfterScroll = dbtest::Note(log, "AfterScroll");
    EXPECT_EQ(ds->Lookup("ID", 5, "NAME").AsString(), "Сидоров");
    const rtl::Variant both = ds->Lookup("NAME", "Ёлкин", "ID;AMOUNT");
    ASSERT_TRUE(both.IsArray());
    ASSERT_EQ(both.ArrayLength(), 2u);
    EXPECT_EQ(both.Items()[0].AsInteger(), 3);
    EXPECT_DOUBLE_EQ(both.Items()[1].AsDouble(), 4.5);
    EXPECT_EQ(ds->Lookup("ID;DAY", rtl::VarArrayOf({1, "11.03.2024"}), "NAME").AsString(), "Иванов");
    EXPECT_TRUE(ds->Lookup("ID", 42, "NAME").IsNull());
    EXPECT_EQ(ds->Lookup("ID", 3, "DAY").VarType(), rtl::varDate);
    EXPECT_EQ(Id(), 2);
    EXPECT_THAT(log, IsEmpty());
}

}  // namespace
