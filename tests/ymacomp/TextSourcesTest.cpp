// The text table the package's controls read, the links between table, reference and
// controls through their lives, and the quick search window.
#include "YmaTestForm.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

using namespace ymatest;
using yma::TRepMode;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

TEST(TextTable, ThePackageHasATextForEveryIdentifierAWindowFills) {
    // 98, 99 and 101 to 145 without 120: the identifiers the report windows fill.
    std::vector<int> expected = {98, 99};
    for (int id = 101; id <= 145; ++id)
        if (id != 120) expected.push_back(id);
    EXPECT_EQ(yma::DefaultTextIds(), expected);
    for (int id : expected) EXPECT_FALSE(yma::DefaultText(id).empty()) << id;
    EXPECT_EQ(yma::DefaultText(120), "");
}

// A client that counts how often it is told to take its texts again.
class TCountingClient : public vcl::TComponent, public yma::IYMATextClient {
public:
    explicit TCountingClient(vcl::TComponent* owner) : vcl::TComponent(owner) {}
    void SourcesChanged() override { ++Told; }
    int Told = 0;
};

TEST_F(FormTest, ControlsFollowTheTableTheirReferenceNames) {
    yma::TReportSettings* rs = form->ReportSettings1;
    yma::TYMASourcesReference* ref = form->YMASourcesReference;
    // The window's creation linked every control that takes a table.
    EXPECT_EQ(rs->SourceReference(), ref);
    EXPECT_EQ(form->ScrollDateTime->SourceReference(), ref);
    EXPECT_EQ(form->EditPan_Pos->SourceReference(), ref);
    EXPECT_EQ(form->numedtDscntRange1->SourceReference(), ref);
    // Without a table the package's own texts show.
    EXPECT_EQ(rs->ModeButton(TRepMode::rmdPreview)->Caption(), "Просмотр");

    Owned<yma::TYMADefSources> table(vcl::Create<yma::TYMADefSources>(nullptr));
    table->SetText(yma::ytxView, "Preview");
    table->SetText(yma::ytxMonth, "Month");
    table->SetText(yma::ytxSaveFldrColor, "255");
    ref->SetSources(table.get());
    EXPECT_EQ(rs->ModeButton(TRepMode::rmdPreview)->Caption(), "Preview");
    EXPECT_EQ(form->ScrollDateTime->PeriodBox()->Items()->Strings(1), "Month");
    EXPECT_EQ(form->ScrollDateTime->PeriodBox()->ItemIndex(), 1);  // the choice survives the new names
    EXPECT_EQ(rs->SaveFolderEdit()->Parent()->Controls(0)->Font()->Color(), vcl::clRed);

    // A changed text shows at once; a deleted one falls back on the package's.
    table->SetText(yma::ytxView, "Show");
    EXPECT_EQ(rs->ModeButton(TRepMode::rmdPreview)->Caption(), "Show");
    table->DeleteText(yma::ytxView);
    EXPECT_EQ(rs->ModeButton(TRepMode::rmdPreview)->Caption(), "Просмотр");

    // The table goes: the reference lets go of it and the controls show their own texts.
    table.reset();
    EXPECT_EQ(ref->Sources(), nullptr);
    EXPECT_EQ(form->ScrollDateTime->PeriodBox()->Items()->Strings(1), "Месяц");
}

TEST(TextTable, ReferencesTellTheirClientsOncePerChangeAndForgetTheFreed) {
    Owned<vcl::TComponent> owner(vcl::Create<vcl::TComponent>(nullptr));
    auto* table = vcl::Create<yma::TYMASources>(owner.get());
    auto* ref = vcl::Create<yma::TYMASourcesReference>(owner.get());
    auto* client = vcl::Create<TCountingClient>(owner.get());
    ref->RegisterClient(client);
    ref->SetSources(table);
    EXPECT_EQ(client->Told, 1);

    table->SetText(200, "a");
    table->SetText(200, "a");  // the same text is no change
    EXPECT_EQ(client->Told, 2);
    table->BeginUpdate();
    table->SetText(201, "b");
    table->SetText(202, "c");
    table->Clear();
    table->EndUpdate();
    EXPECT_EQ(client->Told, 3);
    EXPECT_EQ(table->Count(), 0);

    // Only text clients may register.
    auto* plain = vcl::Create<vcl::TComponent>(owner.get());
    EXPECT_THROW(ref->RegisterClient(plain), vcl::EComponentError);

    vcl::TObject::Free(client);
    EXPECT_EQ(ref->ClientCount(), 0);
    table->SetText(203, "d");  // nobody left to tell
}

TEST_F(FormTest, AControlWhoseReferenceGoesShowsThePackagesTexts) {
    Owned<yma::TYMADefSources> table(vcl::Create<yma::TYMADefSources>(nullptr));
    table->SetText(yma::ytxChoice, "Choose");
    form->YMASourcesReference->SetSources(table.get());
    EXPECT_EQ(form->EditPan_Pos->ChooseButton()->Hint(), "Choose");

    vcl::TObject::Free(form->YMASourcesReference);
    form->YMASourcesReference = nullptr;
    EXPECT_EQ(form->EditPan_Pos->SourceReference(), nullptr);
    EXPECT_EQ(form->EditPan_Pos->ChooseButton()->Hint(), "Выбрать");
    table->SetText(yma::ytxChoice, "Pick");  // the table no longer reaches the panel
    EXPECT_EQ(form->EditPan_Pos->ChooseButton()->Hint(), "Выбрать");

    // Only a reference can be linked by name.
    EXPECT_THROW(form->EditPan_Pos->SetObjectProp("SourceReference", table.get()), rtl::EInvalidCast);
    form->EditPan_Pos->SetObjectProp("SourceReference", nullptr);
}

// ---------------------------------------------------------------- quick search

class QSearchTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        search = form->FrmQSearch1;
        search->SetDataSetName("OraQuery1");
        // A list of names searched by prefix, the way a window locates in its data set.
        search->OnSearch = yma::TQSearchEvent::FromFunction(
            [this](vcl::TObject*, int field, const std::string& text, bool next, bool& found) {
                calls.push_back(std::to_string(field) + (next ? " next " : " first ") + text);
                const int from = next ? current + 1 : 0;
                for (int i = from; i < static_cast<int>(names.size()); ++i)
                    if (names[static_cast<std::size_t>(i)].rfind(text, 0) == 0) {
                        current = i;
                        found = true;
                        return;
                    }
            });
    }

    yma::TFrmQSearch* search = nullptr;
    std::vector<std::string> names = {"Андреев", "Иванов", "Ивашов", "Петров"};
    int current = -1;
    Log calls;
};

TEST_F(QSearchTest, WithoutFieldsTheWindowDoesNotOpen) {
    EXPECT_FALSE(search->Execute());
    EXPECT_EQ(ui.LastBox().Text, "Поиск в наборе данных «OraQuery1» невозможен.");
    EXPECT_EQ(ui.LastBox().Caption, "Поиск");
    EXPECT_THAT(ui.ModalForms(), IsEmpty());
}

TEST_F(QSearchTest, TypingFindsTheFirstMatchAndTheButtonTheNext) {
    search->Fields()->SetCommaText("Номер,Фамилия");
    ui.QueueModal([](vcl::TCustomForm& f) {
        auto& w = static_cast<yma::TQSearchForm&>(f);
        EXPECT_EQ(w.Caption(), "Поиск");
        EXPECT_EQ(w.FieldBox->Text(), "Фамилия");
        w.TextEdit->UserType("Ив");       // as typed: the first name starting so
        w.SearchButton->UserClick();      // the next one
        w.TextEdit->UserKey(vcl::VK_RETURN);  // Enter presses the search button
        w.CloseButton->UserClick();
    });
    EXPECT_FALSE(search->Execute(1));  // the last search went past the end
    EXPECT_THAT(calls, ElementsAre("1 first И", "1 first Ив", "1 next Ив", "1 next Ив"));
    EXPECT_EQ(current, 2);
    EXPECT_EQ(ui.Beeps().size(), 1u);
    EXPECT_EQ(search->SearchText(), "Ив");
    EXPECT_EQ(search->FieldIndex(), 1);

    // The next match without the window, from the start again.
    current = -1;
    EXPECT_TRUE(search->FindNext());
    EXPECT_EQ(current, 1);

    // The window opens on the last field and text; Escape closes it.
    ui.QueueModal([](vcl::TCustomForm& f) {
        auto& w = static_cast<yma::TQSearchForm&>(f);
        EXPECT_EQ(w.FieldBox->ItemIndex(), 1);
        EXPECT_EQ(w.TextEdit->Text(), "Ив");
        w.TextEdit->UserKey(vcl::VK_ESCAPE);
    });
    EXPECT_FALSE(search->Execute());
}

}  // namespace
