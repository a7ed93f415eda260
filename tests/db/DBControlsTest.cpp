// The data grid and the data memo on a shown form, driven as an operator would: clicks,
// keys, the wheel, scroll messages and typing.
#include "DbTestSupport.h"

#include "db/DBCtrls.h"
#include "db/DBGrids.h"
#include "vcl/Forms.h"
#include "vcl/ScriptedUI.h"
#include "vcl/WinApi.h"

#include <memory>

namespace {

using namespace db;
using dbtest::Log;

class DBControlsTest : public dbtest::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        form = vcl::Create<vcl::TForm>(Owner());
        form->SetBounds(0, 0, 600, 400);
        cds = MakeCds("Cards", {{"ID", TFieldType::ftInteger}, {"NUM", TFieldType::ftString, 16}, {"NOTE", TFieldType::ftMemo},
                                {"SECRET", TFieldType::ftString, 8}});
        cds->FieldByName("SECRET")->SetVisible(false);
        for (int i = 1; i <= 20; ++i)
            cds->AppendRecord({rtl::Variant(i), rtl::Variant("77000" + std::to_string(i)), rtl::Variant("заметка " + std::to_string(i))});
        cds->First();
        source = vcl::Create<TDataSource>(Owner());
        source->SetDataSet(cds);
        grid = vcl::Create<TDBGrid>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 400, 18 * 6);  // titles and five rows
        grid->SetDataSource(source);
        form->Show();
    }

    int Id() const { return cds->FieldByName("ID")->GetAsInteger(); }

    vcl::TScriptedUI ui;
    vcl::TForm* form = nullptr;
    TClientDataSet* cds = nullptr;
    TDataSource* source = nullptr;
    TDBGrid* grid = nullptr;
};

TEST_F(DBControlsTest, ColumnsFollowTheVisibleFieldsUntilTheGridHasItsOwn) {
    ASSERT_EQ(grid->Columns()->Count(), 3);
    EXPECT_EQ(grid->Columns()->Items(1)->FieldName(), "NUM");
    EXPECT_EQ(grid->Columns()->Items(1)->Field(), cds->FieldByName("NUM"));
    EXPECT_EQ(grid->Columns()->Items(0)->TitleCaption(), "ID");
    cds->FieldByName("NUM")->SetDisplayLabel("Номер карты");
    EXPECT_EQ(grid->Columns()->Items(1)->TitleCaption(), "Номер карты");
    EXPECT_GT(grid->Columns()->Items(1)->Width(), grid->Columns()->Items(0)->Width());
    cds->Close();
    EXPECT_EQ(grid->Columns()->Count(), 0);

    TColumn* own = grid->Columns()->Add();  // the grid's own columns from now on
    own->SetFieldName("NUM");
    own->SetTitleCaption("Карта");
    cds->CreateDataSet();
    EXPECT_EQ(grid->Columns()->State(), TDBGridColumnsState::csCustomized);
    ASSERT_EQ(grid->Columns()->Count(), 1);
    EXPECT_EQ(grid->Columns()->Items(0)->Field(), cds->FieldByName("NUM"));
}

TEST_F(DBControlsTest, PaintDrawsTheVisibleRowsWithoutMovingTheDataSet) {
    Log log;
    cds->AfterScroll = dbtest::Note(log, "AfterScroll");
    cds->SetRecNo(3);
    log.clear();
    std::vector<std::string> cells;
    std::vector<unsigned> states;
    grid->OnDrawColumnCell = TDrawColumnCellEvent::FromFunction(
        [&](rtl::TObject*, const vcl::TRect&, int dataCol, TColumn* column, unsigned state) {
            if (dataCol == 0) states.push_back(state);
            cells.push_back(column->Field()->DisplayText());
        });
    grid->Paint();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(Id(), 3);
    ASSERT_EQ(grid->VisibleRowCount(), 5);
    ASSERT_EQ(states.size(), 5u);
    EXPECT_EQ(cells.front(), "1");
    EXPECT_EQ(cells[1], "770001");
    EXPECT_EQ(cells.back(), "заметка 5");
    EXPECT_EQ(states, (std::vector<unsigned>{0, 0, gdSelected | gdFocused, 0, 0}));
    // By default the grid draws too: the titles and each cell's text reach the canvas.
    int texts = 0;
    for (const auto& op : grid->Canvas()->Ops())
        if (op.Kind == vcl::TCanvasOp::TextRect) ++texts;
    EXPECT_EQ(texts, 3 + 5 * 3);
    grid->DefaultDrawing = false;
    grid->Paint();
    texts = 0;
    for (const auto& op : grid->Canvas()->Ops())
        if (op.Kind == vcl::TCanvasOp::TextRect) ++texts;
    EXPECT_EQ(texts, 3);  // only the titles; the cells are the handler's
}

TEST_F(DBControlsTest, TheCurrentRecordStaysInSight) {
    cds->Last();
    std::vector<std::string> firstColumn;
    grid->OnDrawColumnCell = TDrawColumnCellEvent::FromFunction(
        [&](rtl::TObject*, const vcl::TRect&, int dataCol, TColumn* column, unsigned) {
            if (dataCol == 0) firstColumn.push_back(column->Field()->DisplayText());
        });
    grid->Paint();
    EXPECT_EQ(firstColumn, (std::vector<std::string>{"16", "17", "18", "19", "20"}));
}

TEST_F(DBControlsTest, ClicksKeysWheelAndScrollMessagesMoveTheRecord) {
    std::vector<std::string> clicked;
    grid->OnCellClick = TDBGridClickEvent::FromFunction([&](TColumn* c) { clicked.push_back(c->FieldName()); });
    grid->UserClickCell(2, 1);
    EXPECT_EQ(Id(), 3);
    EXPECT_EQ(grid->SelectedField(), cds->FieldByName("NUM"));
    EXPECT_EQ(clicked, std::vector<std::string>{"NUM"});
    EXPECT_TRUE(grid->Focused());

    grid->UserKey(vcl::VK_DOWN);
    EXPECT_EQ(Id(), 4);
    grid->UserKey(vcl::VK_NEXT);
    EXPECT_EQ(Id(), 9);
    grid->UserKey(vcl::VK_END, vcl::ssCtrl);
    EXPECT_EQ(Id(), 20);
    grid->UserWheel(120);
    EXPECT_EQ(Id(), 19);
    grid->UserWheel(-120);
    EXPECT_EQ(Id(), 20);

    vcl::SendMessage(grid->Handle(), vcl::WM_VSCROLL, vcl::SB_TOP, 0);
    EXPECT_EQ(Id(), 1);
    vcl::SendMessage(grid->Handle(), vcl::WM_VSCROLL, vcl::SB_LINEDOWN, 0);
    vcl::SendMessage(grid->Handle(), vcl::WM_VSCROLL, vcl::SB_ENDSCROLL, 0);
    EXPECT_EQ(Id(), 2);
    vcl::SendMessage(grid->Handle(), vcl::WM_VSCROLL, vcl::SB_THUMBPOSITION | (11u << 16), 0);
    EXPECT_EQ(Id(), 12);

    // A key the window's handler takes does not move the grid.
    grid->OnKeyDown = vcl::TKeyEvent::FromFunction([](rtl::TObject*, unsigned short& key, vcl::TShiftState) {
        if (key == vcl::VK_DOWN) key = 0;
    });
    grid->UserKey(vcl::VK_DOWN);
    EXPECT_EQ(Id(), 12);
}

TEST_F(DBControlsTest, ADisabledGridIgnoresTheOperator) {
    grid->SetEnabled(false);
    grid->UserClickCell(3, 0);
    grid->UserKey(vcl::VK_DOWN);
    EXPECT_EQ(Id(), 1);
}

TEST_F(DBControlsTest, TheDataMemoShowsAndEditsItsField) {
    auto* memo = vcl::Create<TDBMemo>(form);
    memo->SetParent(form);
    memo->SetDataSource(source);
    memo->SetDataField("NOTE");
    EXPECT_EQ(memo->Text(), "заметка 1");
    cds->Next();
    EXPECT_EQ(memo->Text(), "заметка 2");
    memo->SetFocus();
    memo->UserType("!");
    EXPECT_EQ(cds->State(), TDataSetState::dsEdit);
    cds->Post();
    EXPECT_EQ(cds->FieldByName("NOTE")->GetAsString(), "заметка 2!");

    cds->FieldByName("NOTE")->SetReadOnly(true);
    memo->UserType("x");
    EXPECT_EQ(cds->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(memo->Text(), "заметка 2!");
    EXPECT_FALSE(ui.Beeps().empty());

    rtl::TObject::Free(source);  // the memo lets go of a freed data source
    EXPECT_EQ(memo->DataSource(), nullptr);
    EXPECT_EQ(grid->DataSource(), nullptr);
}

}  // namespace
