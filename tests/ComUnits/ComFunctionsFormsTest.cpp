// The common functions that work on forms and data sets: the active form and the
// bookmark that falls back on its record number.
#include "ComUnits/uComFunctions.h"

#include "db/ClientDataSet.h"
#include "vcl/Forms.h"
#include "vcl/ScriptedUI.h"
#include "vcl/WinApi.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Free {
    void operator()(rtl::TObject* o) const { rtl::TObject::Free(o); }
};

TEST(GetActiveForm, IsTheFormOfTheActiveWindow) {
    vcl::TScriptedUI ui;
    std::unique_ptr<vcl::TForm, Free> first(vcl::Create<vcl::TForm>(nullptr)), second(vcl::Create<vcl::TForm>(nullptr));
    vcl::SetActiveWindow(nullptr);
    EXPECT_EQ(GetActiveForm(), nullptr);
    first->Show();
    EXPECT_EQ(GetActiveForm(), first.get());
    second->Show();
    EXPECT_EQ(GetActiveForm(), second.get());
    second->Hide();
    EXPECT_EQ(GetActiveForm(), first.get());
    first->Hide();
    EXPECT_EQ(GetActiveForm(), nullptr);
}

class GotoBookmarkExTest : public ::testing::Test {
protected:
    void SetUp() override {
        ds.reset(vcl::Create<db::TClientDataSet>(nullptr));
        ds->FieldDefs().Add("ID", db::TFieldType::ftInteger);
        ds->FieldDefs().Add("NAME", db::TFieldType::ftString, 10);
        ds->CreateDataSet();
        const char* names[] = {"e", "d", "c", "b", "a"};
        for (int i = 0; i < 5; ++i) ds->AppendRecord({rtl::Variant(i + 1), rtl::Variant(names[i])});
    }
    std::unique_ptr<db::TClientDataSet, Free> ds;
};

TEST_F(GotoBookmarkExTest, GoesToTheRecordWhenItKeptItsPlace) {
    ds->SetRecNo(2);
    const db::TBookmark b = ds->GetBookmark();
    ds->Last();
    GotoBookmarkEx(ds.get(), b);
    EXPECT_EQ(ds->FieldByName("ID")->GetAsInteger(), 2);
}

TEST_F(GotoBookmarkExTest, FallsBackOnTheRecordNumberWhenTheRecordMoved) {
    ds->SetRecNo(2);  // ID 2, "d"
    const db::TBookmark b = ds->GetBookmark();
    ds->SetIndexFieldNames("NAME");  // "d" is now the fourth record
    GotoBookmarkEx(ds.get(), b);
    EXPECT_EQ(ds->RecNo(), 2);
    EXPECT_EQ(ds->FieldByName("NAME")->GetAsString(), "b");
    // A position not below the record count is not taken.
    ds->SetIndexFieldNames("");
    ds->Last();
    const db::TBookmark last = ds->GetBookmark();  // position 5
    ds->SetIndexFieldNames("NAME");                 // the record moves to position 1
    GotoBookmarkEx(ds.get(), last);
    EXPECT_EQ(ds->RecNo(), 1);
}

TEST_F(GotoBookmarkExTest, AMissingOrInvalidBookmarkChangesNothing) {
    ds->SetRecNo(3);
    db::TBookmark b = ds->GetBookmark();
    ds->Delete();
    ds->SetRecNo(1);
    GotoBookmarkEx(ds.get(), b);
    GotoBookmarkEx(ds.get(), db::TBookmark{});
    GotoBookmarkEx(nullptr, b);
    EXPECT_EQ(ds->RecNo(), 1);
}

}  // namespace
