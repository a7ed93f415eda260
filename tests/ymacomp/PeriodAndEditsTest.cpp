// The period editor, the locale formats it shows dates with, the edit panel and the
// number edit, driven the way an operator drives them.
#include "YmaTestForm.h"

#include "rtl/DateTime.h"
#include "ymacomp/LocaleFormats.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace ymatest;
using yma::TPeriodKind;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

rtl::TDateTime At(int y, int m, int d, int h = 0, int n = 0, int s = 0, int ms = 0) {
    return rtl::EncodeDateTime(y, m, d, h, n, s, ms);
}

// ---------------------------------------------------------------- locale formats

TEST(LocaleFormats, GiveTheLocalesFormatsInPickerNotation) {
    {
        rtl::TFormatSettingsScope russian(rtl::RussianFormatSettings());
        EXPECT_EQ(yma::GetLocaleDateFormat(), "dd.MM.yyyy");
        EXPECT_EQ(yma::GetLocaleTimeFormat(), "H:mm:ss");
        EXPECT_EQ(yma::GetLocaleDateTimeFormat(), "dd.MM.yyyy H:mm:ss");
    }
    rtl::TFormatSettingsScope english(rtl::EnglishFormatSettings());
    EXPECT_EQ(yma::GetLocaleDateFormat(), "MM/dd/yyyy");
    EXPECT_EQ(yma::GetLocaleTimeFormat(), "h:mm:ss tt");
    EXPECT_EQ(yma::GetLocaleDateTimeFormat(), "MM/dd/yyyy h:mm:ss tt");
}

TEST(LocaleFormats, ConvertPlatformFormats) {
    rtl::TFormatSettingsScope russian(rtl::RussianFormatSettings());
    struct Case {
        const char* platform;
        const char* picker;
    };
    const Case cases[] = {
        {"hh:nn", "HH:mm"},                          // n is minutes too
        {"dd/mm/yy hh:mm", "dd.MM.yy HH:mm"},        // "/" is the date separator; m after h is minutes
        {"d mmmm yyyy 'г.'", "d MMMM yyyy 'г.'"},
        {"h:mm am/pm", "h:mm tt"},                   // a marker makes the clock 12-hour
        {"c", "dd.MM.yyyy H:mm:ss"},
        {"\"day\" d", "'day' d"},
    };
    for (const Case& c : cases) EXPECT_EQ(yma::PickerFormatOf(c.platform), c.picker) << c.platform;
}

TEST(LocaleFormats, WriteDatesInPickerNotation) {
    const rtl::TDateTime t = At(2024, 3, 5, 13, 7, 9);
    {
        rtl::TFormatSettingsScope russian(rtl::RussianFormatSettings());
        EXPECT_EQ(yma::FormatPickerDateTime("dd.MM.yyyy H:mm:ss", t), "05.03.2024 13:07:09");
        EXPECT_EQ(yma::FormatPickerDateTime("d MMMM yyyy 'г.'", t), "5 Март 2024 г.");
        EXPECT_EQ(yma::FormatPickerDateTime("'It''s' yy", t), "It's 24");
    }
    rtl::TFormatSettingsScope english(rtl::EnglishFormatSettings());
    EXPECT_EQ(yma::FormatPickerDateTime("h:mm tt", t), "1:07 PM");
    EXPECT_EQ(yma::FormatPickerDateTime("hh t", At(2024, 3, 5, 0, 30)), "12 A");
    EXPECT_EQ(yma::FormatPickerDateTime("ddd, MMM d", t), "Tue, Mar 5");
    EXPECT_TRUE(yma::PickerFormatShowsTime("dd.MM.yyyy HH:mm"));
    EXPECT_FALSE(yma::PickerFormatShowsTime("dd MMMM yyyy 'hms'"));
}

// ---------------------------------------------------------------- the period editor

TEST(PeriodUnits, StartAndEndOfEachLength) {
    const rtl::TDateTime d = At(2024, 5, 17, 10, 30);
    struct Case {
        TPeriodKind kind;
        rtl::TDateTime start, end;
    };
    const Case cases[] = {
        {TPeriodKind::pkDay, At(2024, 5, 17), At(2024, 5, 17, 23, 59, 59, 999)},
        {TPeriodKind::pkMonth, At(2024, 5, 1), At(2024, 5, 31, 23, 59, 59, 999)},
        {TPeriodKind::pkQuarter, At(2024, 4, 1), At(2024, 6, 30, 23, 59, 59, 999)},
        {TPeriodKind::pkYear, At(2024, 1, 1), At(2024, 12, 31, 23, 59, 59, 999)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(yma::StartOfPeriod(d, c.kind).Value(), c.start.Value()) << static_cast<int>(c.kind);
        EXPECT_EQ(rtl::CompareDateTime(yma::EndOfPeriod(d, c.kind), c.end), 0) << static_cast<int>(c.kind);
    }
}

class ScrollDateTimeTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        sdt = form->ScrollDateTime;
        sdt->SetPeriod(At(2024, 5, 17), At(2024, 5, 20, 23, 59, 59, 999));
        log.clear();
    }
    std::string Shown(rtl::TDateTime b, rtl::TDateTime e) const {
        return rtl::FormatDateTime("dd.mm.yyyy hh:nn:ss.zzz", b) + " - " + rtl::FormatDateTime("dd.mm.yyyy hh:nn:ss.zzz", e);
    }
    std::string Period() const { return Shown(sdt->BeginDate(), sdt->EndDate()); }

    yma::TScrollDateTime* sdt = nullptr;
};

TEST_F(ScrollDateTimeTest, PickingALengthTakesTheWholeUnitAndTheButtonsScrollByIt) {
    EXPECT_EQ(sdt->PeriodBox()->Items()->CommaText(), "День,Месяц,Квартал,Год");
    sdt->PeriodBox()->UserSelect(2);  // quarter
    EXPECT_EQ(sdt->PeriodKind(), TPeriodKind::pkQuarter);
    EXPECT_EQ(Period(), "01.04.2024 00:00:00.000 - 30.06.2024 23:59:59.999");
    EXPECT_EQ(sdt->BeginEdit()->Text(), "01.04.2024");
    EXPECT_EQ(sdt->EndEdit()->Text(), "30.06.2024");
    sdt->NextButton()->UserClick();
    EXPECT_EQ(Period(), "01.07.2024 00:00:00.000 - 30.09.2024 23:59:59.999");
    sdt->PriorButton()->UserClick();
    sdt->PriorButton()->UserClick();
    EXPECT_EQ(Period(), "01.01.2024 00:00:00.000 - 31.03.2024 23:59:59.999");
    EXPECT_THAT(log, ElementsAre("Period", "Period", "Period", "Period"));

    // Scrolling months keeps whole months across year ends and short months.
    sdt->SetPeriodKind(TPeriodKind::pkMonth);
    sdt->SetPeriod(At(2024, 1, 31), At(2024, 1, 31, 23, 59, 59, 999));
    sdt->ScrollPeriod(1);
    EXPECT_EQ(Period(), "01.02.2024 00:00:00.000 - 29.02.2024 23:59:59.999");
    sdt->ScrollPeriod(-2);
    EXPECT_EQ(Period(), "01.12.2023 00:00:00.000 - 31.12.2023 23:59:59.999");
    sdt->SetPeriodKind(TPeriodKind::pkDay);
    sdt->ScrollPeriod(-1);
    EXPECT_EQ(Period(), "30.11.2023 00:00:00.000 - 30.11.2023 23:59:59.999");
}

TEST_F(ScrollDateTimeTest, TypedDatesTakeWholeDaysAndKeepThePeriodInOrder) {
    sdt->BeginEdit()->UserType("05.03.2024");  // entering selects the old text: typing replaces it
    sdt->BeginEdit()->UserKey(vcl::VK_RETURN);
    EXPECT_EQ(Period(), "05.03.2024 00:00:00.000 - 20.05.2024 23:59:59.999");
    EXPECT_THAT(log, ElementsAre("Period"));

    // An end before the begin takes the begin along.
    sdt->EndEdit()->UserType("01.03.2024");
    form->RepBtn->UserClick();
    EXPECT_EQ(Period(), "01.03.2024 00:00:00.000 - 01.03.2024 23:59:59.999");
    // And a begin after the end takes the end along.
    sdt->BeginEdit()->UserType("10.03.2024");
    form->RepBtn->UserClick();
    EXPECT_EQ(Period(), "10.03.2024 00:00:00.000 - 10.03.2024 23:59:59.999");
    EXPECT_THAT(log, ElementsAre("Period", "Period", "Period"));
}

TEST_F(ScrollDateTimeTest, TextThatIsNoDateIsRefusedAndEscapeUndoesTyping) {
    sdt->BeginEdit()->UserType("31.02.2024");
    sdt->BeginEdit()->UserKey(vcl::VK_RETURN);
    EXPECT_EQ(ui.Beeps().size(), 1u);
    EXPECT_EQ(sdt->BeginEdit()->Text(), "17.05.2024");
    sdt->EndEdit()->UserType("01.01.2000");
    sdt->EndEdit()->UserKey(vcl::VK_ESCAPE);
    EXPECT_EQ(sdt->EndEdit()->Text(), "20.05.2024");
    form->RepBtn->UserClick();
    EXPECT_EQ(Period(), "17.05.2024 00:00:00.000 - 20.05.2024 23:59:59.999");
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(ScrollDateTimeTest, FormatDecidesTheTextAndWhetherTimesAreTyped) {
    sdt->SetFormat("dd MMMM yyyy");
    EXPECT_EQ(sdt->BeginEdit()->Text(), "17 Май 2024");
    sdt->SetFormat("dd.MM.yyyy HH:mm");
    EXPECT_EQ(sdt->EndEdit()->Text(), "20.05.2024 23:59");
    sdt->BeginEdit()->UserType("18.05.2024 13:45");
    form->RepBtn->UserClick();
    EXPECT_EQ(Period(), "18.05.2024 13:45:00.000 - 20.05.2024 23:59:59.999");
    // Format and length change what is shown only; the same period again is no change.
    sdt->SetPropValue("Format", "yyyy");
    sdt->SetPeriodKind(TPeriodKind::pkYear);
    sdt->SetPeriod(sdt->BeginDate(), sdt->EndDate());
    EXPECT_THAT(log, ElementsAre("Period"));
    sdt->SetPropValue("EndDate", rtl::Variant(At(2024, 6, 1)));
    EXPECT_EQ(sdt->GetPropValue("EndDate").AsDateTime().Value(), At(2024, 6, 1).Value());
    EXPECT_THAT(log, ElementsAre("Period", "Period"));
}

// ---------------------------------------------------------------- the edit panel

TEST_F(FormTest, EditPanelChoosesThroughTheWindowAndClearsUnlessTheWindowSaysNo) {
    yma::TEditPanel* panel = form->EditPan_Pos;
    yma::TBoundMemo* box = panel->GetEditBox();
    EXPECT_EQ(panel->CaptionLabel()->Caption(), "Учитывать ТО");
    EXPECT_EQ(panel->ChooseButton()->Hint(), "Выбрать");
    EXPECT_EQ(panel->ClearButton()->Hint(), "Очистить");

    panel->OnClick = vcl::TNotifyEvent::FromFunction([&](vcl::TObject*) {
        log.push_back("Choose");
        box->SetText("12, 14");
    });
    panel->ChooseButton()->UserClick();
    EXPECT_EQ(box->Text(), "12, 14");
    EXPECT_EQ(box->Hint(), "12, 14");
    box->SetText("");  // an empty result does not blank the box
    EXPECT_EQ(box->Text(), "12, 14");
    box->UserType("99");  // read-only for the operator
    EXPECT_EQ(box->Text(), "12, 14");

    panel->OnDeleteClick = yma::TDeleteClickEvent::FromFunction([&](vcl::TObject*, bool&) { log.push_back("Delete"); });
    panel->ClearButton()->UserClick();
    EXPECT_EQ(box->Text(), "");

    // A window that keeps its own text ("all") says no to the clearing.
    box->SetText("12");
    panel->OnDeleteClick = yma::TDeleteClickEvent::FromFunction([&](vcl::TObject*, bool& clear) {
        log.push_back("Delete");
        clear = false;
        box->SetTextEmpty("Все");
    });
    panel->ClearButton()->UserClick();
    EXPECT_EQ(box->Text(), "Все");
    box->SetTextEmpty("");
    EXPECT_EQ(box->Text(), "");

    // A disabled panel takes no clicks.
    panel->SetEnabled(false);
    panel->ChooseButton()->UserClick();
    panel->ClearButton()->UserClick();
    EXPECT_THAT(log, ElementsAre("Choose", "Delete", "Delete"));
}

// ---------------------------------------------------------------- the number edit

TEST_F(FormTest, NumberEditShowsItsFormatOutsideAndAPlainNumberInside) {
    yma::TNumberEdit* e = form->numedtDscntRange1;
    EXPECT_EQ(e->Text(), "12,50 %");
    e->UserType("7.25");  // entering shows "12,50" selected; typing replaces it
    EXPECT_EQ(e->Text(), "7.25");
    EXPECT_EQ(e->Value(), 7.25);
    form->RepBtn->UserClick();
    EXPECT_EQ(e->Text(), "7,25 %");
    EXPECT_THAT(log, ElementsAre("Value 7", "Value 7,2", "Value 7,25", "Exit 7,25"));
}

TEST_F(FormTest, NumberEditBringsAnEntryOutsideTheRangeToItsBoundBeforeOnExit) {
    yma::TNumberEdit* e = form->numedtDscntRange1;
    e->UserType("150");
    form->RepBtn->UserClick();
    EXPECT_EQ(ui.LastBox().Text, "Допустимые значения: от 0 до 100.");
    EXPECT_EQ(e->Value(), 100);
    EXPECT_EQ(e->Text(), "100,00 %");
    EXPECT_THAT(log, ElementsAre("Value 1", "Value 15", "Value 150", "Value 100", "Exit 100"));

    // No number at all: a beep, and the value it had.
    log.clear();
    e->UserType("-");
    form->RepBtn->UserClick();
    EXPECT_EQ(ui.Beeps().size(), 1u);
    EXPECT_EQ(e->Value(), 100);
    EXPECT_EQ(e->Text(), "100,00 %");
    EXPECT_THAT(log, ElementsAre("Exit 100"));
}

TEST_F(FormTest, NumberEditRoundsToItsDecimalPlaces) {
    yma::TNumberEdit* e = form->numedtDscntRange1;
    e->SetValue(2.675);
    EXPECT_EQ(e->Value(), 2.68);
    log.clear();
    // As the discount window does when the rounding spin changes: format and places.
    e->SetDisplayFormat(",0.");
    EXPECT_THAT(log, IsEmpty());
    e->SetDecimalPlaces(0);
    EXPECT_EQ(e->Value(), 3);
    EXPECT_EQ(e->Text(), "3");
    e->SetDecimalPlaces(0);
    EXPECT_THAT(log, ElementsAre("Value 3"));
    e->SetPropValue("Value", -4.4);
    EXPECT_EQ(e->Value(), 0);  // the lower bound
}

}  // namespace
