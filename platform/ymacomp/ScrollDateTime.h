// The period editor: a begin and an end date-time, shown under Format, with a choice of
// period length (day, month, quarter, year) and two buttons that scroll the period by
// that length.
//
// What the operator does:
//  - picks a length: the period becomes the whole day, month, quarter or year that holds
//    the begin date;
//  - presses the prior or next button: the period becomes the whole unit before or after
//    the one that holds the begin date;
//  - types a date into the begin or end edit and presses Enter or leaves the edit: a
//    text the locale does not read as a date is refused (a beep, the old date comes
//    back). When Format shows no time, a typed begin starts its day and a typed end ends
//    its day (23:59:59.999). A begin after the end moves the end along (and an end
//    before the begin the begin), so the period stays whole.
//
// Events: OnChange after every change of BeginDate or EndDate — the operator's, and code
// setting them (as an edit's text does); SetPeriod raises it once. Format, PeriodKind and
// the text table change only what is shown and raise nothing; nothing is raised while
// the owner's form resource builds the control.
#pragma once

#include "rtl/DateTime.h"
#include "vcl/Buttons.h"
#include "vcl/StdCtrls.h"
#include "ymacomp/NumberEdit.h"
#include "ymacomp/TextSources.h"

#include <string>

namespace yma {

enum class TPeriodKind { pkDay, pkMonth, pkQuarter, pkYear };

// The first moment of the unit that holds the date, and the last (…:59.999).
rtl::TDateTime StartOfPeriod(rtl::TDateTime date, TPeriodKind kind);
rtl::TDateTime EndOfPeriod(rtl::TDateTime date, TPeriodKind kind);

class TScrollDateTime : public vcl::TCustomControl, public IYMATextClient {
    RTL_DECLARE_CLASS(TScrollDateTime)
public:
    explicit TScrollDateTime(vcl::TComponent* owner);
    void Construct() override;

    rtl::TDateTime BeginDate() const noexcept { return begin_; }
    void SetBeginDate(rtl::TDateTime value) { SetPeriod(value, end_); }
    rtl::TDateTime EndDate() const noexcept { return end_; }
    void SetEndDate(rtl::TDateTime value) { SetPeriod(begin_, value); }
    // Both ends at once, taken as given (code is trusted to pass a sound period).
    void SetPeriod(rtl::TDateTime begin, rtl::TDateTime end);
    // The display format, in date-time picker notation (see LocaleFormats.h); empty means
    // the locale's short date format.
    const std::string& Format() const noexcept { return format_; }
    void SetFormat(const std::string& format);
    TPeriodKind PeriodKind() const noexcept { return kind_; }
    void SetPeriodKind(TPeriodKind kind);
    // Moves the period by whole units of PeriodKind, as the buttons do (-1 prior, 1 next).
    void ScrollPeriod(int units);

    TYMASourcesReference* SourceReference() const noexcept { return link_.Reference(); }
    void SetSourceReference(TYMASourcesReference* reference) { link_.Set(reference); }
    void SourcesChanged() override;

    // The parts the operator works with.
    vcl::TComboBox* PeriodBox() const noexcept { return periodBox_; }
    vcl::TSpeedButton* PriorButton() const noexcept { return priorButton_; }
    vcl::TSpeedButton* NextButton() const noexcept { return nextButton_; }
    TCommitEdit* BeginEdit() const noexcept { return beginEdit_; }
    TCommitEdit* EndEdit() const noexcept { return endEdit_; }

    vcl::TNotifyEvent OnChange;

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    std::string ShownFormat() const;
    std::string TextOf(rtl::TDateTime value) const;
    void ShowDates();
    void Arrange();
    void Assign(rtl::TDateTime begin, rtl::TDateTime end);  // stores, shows, OnChange
    void PeriodBoxChange(vcl::TObject* sender);
    void PriorClick(vcl::TObject* sender);
    void NextClick(vcl::TObject* sender);
    void EditCommit(vcl::TObject* sender);

    rtl::TDateTime begin_, end_;
    std::string format_;
    TPeriodKind kind_ = TPeriodKind::pkMonth;
    vcl::TComboBox* periodBox_ = nullptr;
    vcl::TSpeedButton* priorButton_ = nullptr;
    vcl::TSpeedButton* nextButton_ = nullptr;
    TCommitEdit* beginEdit_ = nullptr;
    TCommitEdit* endEdit_ = nullptr;
    TSourceLink link_{this};
};

}  // namespace yma
