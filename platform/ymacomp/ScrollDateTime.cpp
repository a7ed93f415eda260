#include "ymacomp/ScrollDateTime.h"

#include "rtl/Strings.h"
#include "vcl/UserInterface.h"
#include "ymacomp/LocaleFormats.h"

#include <algorithm>

namespace yma {

namespace {

// A date property: read as a date variant, written from anything that converts to one.
rtl::TPropInfo DateProp(const char* name, rtl::TDateTime (TScrollDateTime::*get)() const noexcept,
                        void (TScrollDateTime::*set)(rtl::TDateTime)) {
    rtl::TPropInfo p;
    p.Name = name;
    p.Kind = rtl::TPropKind::Float;
    p.Get = [get](const rtl::TObject& o) { return rtl::Variant((static_cast<const TScrollDateTime&>(o).*get)()); };
    p.Set = [set](rtl::TObject& o, const rtl::Variant& v) { (static_cast<TScrollDateTime&>(o).*set)(v.AsDateTime()); };
    return p;
}

constexpr int kBoxWidth = 80;
constexpr int kButtonWidth = 18;
constexpr int kDashWidth = 10;

// The order of the lengths in the period box.
constexpr TPeriodKind kKinds[] = {TPeriodKind::pkDay, TPeriodKind::pkMonth, TPeriodKind::pkQuarter,
                                  TPeriodKind::pkYear};

int KindIndex(TPeriodKind kind) { return static_cast<int>(kind); }

}  // namespace

RTL_DEFINE_CLASS(TScrollDateTime, vcl::TCustomControl,
                 DateProp("BeginDate", &TScrollDateTime::BeginDate, &TScrollDateTime::SetBeginDate),
                 DateProp("EndDate", &TScrollDateTime::EndDate, &TScrollDateTime::SetEndDate),
                 rtl::Prop<TScrollDateTime>("Format", &TScrollDateTime::Format, &TScrollDateTime::SetFormat),
                 rtl::Prop<TScrollDateTime>("PeriodKind", &TScrollDateTime::PeriodKind,
                                            &TScrollDateTime::SetPeriodKind),
                 rtl::ObjectProp<TScrollDateTime>("SourceReference", &TScrollDateTime::SourceReference,
                                                  &TScrollDateTime::SetSourceReference))

rtl::TDateTime StartOfPeriod(rtl::TDateTime date, TPeriodKind kind) {
    const rtl::TDateParts d = rtl::DecodeDate(date);
    switch (kind) {
    case TPeriodKind::pkDay: return rtl::StartOfTheDay(date);
    case TPeriodKind::pkMonth: return rtl::EncodeDate(d.Year, d.Month, 1);
    case TPeriodKind::pkQuarter: return rtl::EncodeDate(d.Year, (d.Month - 1) / 3 * 3 + 1, 1);
    case TPeriodKind::pkYear: return rtl::EncodeDate(d.Year, 1, 1);
    }
    return date;
}

rtl::TDateTime EndOfPeriod(rtl::TDateTime date, TPeriodKind kind) {
    const rtl::TDateTime start = StartOfPeriod(date, kind);
    switch (kind) {
    case TPeriodKind::pkDay: return rtl::EndOfTheDay(start);
    case TPeriodKind::pkMonth: return rtl::EndOfTheMonth(start);
    case TPeriodKind::pkQuarter: return rtl::EndOfTheMonth(rtl::IncMonth(start, 2));
    case TPeriodKind::pkYear: return rtl::EndOfTheMonth(rtl::IncMonth(start, 11));
    }
    return date;
}

TScrollDateTime::TScrollDateTime(vcl::TComponent* owner) : vcl::TCustomControl(owner) {
    const rtl::TDateTime today = rtl::Date();
    begin_ = StartOfPeriod(today, kind_);
    end_ = EndOfPeriod(today, kind_);
}

void TScrollDateTime::Construct() {
    vcl::TCustomControl::Construct();
    periodBox_ = vcl::Create<vcl::TComboBox>(this);
    periodBox_->SetName("PeriodBox");
    periodBox_->SetStyle(vcl::TComboBoxStyle::csDropDownList);
    periodBox_->SetParent(this);
    priorButton_ = vcl::Create<vcl::TSpeedButton>(this);
    priorButton_->SetName("PriorButton");
    priorButton_->SetCaption("<");
    priorButton_->SetParent(this);
    beginEdit_ = vcl::Create<TCommitEdit>(this);
    beginEdit_->SetName("BeginEdit");
    beginEdit_->SetParent(this);
    endEdit_ = vcl::Create<TCommitEdit>(this);
    endEdit_->SetName("EndEdit");
    endEdit_->SetParent(this);
    nextButton_ = vcl::Create<vcl::TSpeedButton>(this);
    nextButton_->SetName("NextButton");
    nextButton_->SetCaption(">");
    nextButton_->SetParent(this);
    SourcesChanged();
    ShowDates();
    SetBounds(Left(), Top(), 320, 21);
    // Linked last: nothing above is the operator's doing.
    periodBox_->OnChange = vcl::TNotifyEvent(this, &TScrollDateTime::PeriodBoxChange);
    priorButton_->OnClick = vcl::TNotifyEvent(this, &TScrollDateTime::PriorClick);
    nextButton_->OnClick = vcl::TNotifyEvent(this, &TScrollDateTime::NextClick);
    beginEdit_->OnCommit = vcl::TNotifyEvent(this, &TScrollDateTime::EditCommit);
    endEdit_->OnCommit = vcl::TNotifyEvent(this, &TScrollDateTime::EditCommit);
}

void TScrollDateTime::SourcesChanged() {
    if (!periodBox_) return;
    rtl::TStringList names;
    for (TPeriodKind k : kKinds) {
        switch (k) {
        case TPeriodKind::pkDay: names.Add(link_.Text(ytxDay)); break;
        case TPeriodKind::pkMonth: names.Add(link_.Text(ytxMonth)); break;
        case TPeriodKind::pkQuarter: names.Add(link_.Text(ytxQuarter)); break;
        case TPeriodKind::pkYear: names.Add(link_.Text(ytxYear)); break;
        }
    }
    periodBox_->Items()->Assign(names);
    periodBox_->SetItemIndex(KindIndex(kind_));
}

std::string TScrollDateTime::ShownFormat() const { return format_.empty() ? GetLocaleDateFormat() : format_; }

std::string TScrollDateTime::TextOf(rtl::TDateTime value) const { return FormatPickerDateTime(ShownFormat(), value); }

void TScrollDateTime::ShowDates() {
    if (!beginEdit_) return;
    beginEdit_->SetText(TextOf(begin_));
    endEdit_->SetText(TextOf(end_));
}

void TScrollDateTime::SetFormat(const std::string& format) {
    if (format == format_) return;
    format_ = format;
    ShowDates();
}

void TScrollDateTime::SetPeriodKind(TPeriodKind kind) {
    if (kind == kind_) return;
    kind_ = kind;
    if (periodBox_) periodBox_->SetItemIndex(KindIndex(kind));
}

void TScrollDateTime::Assign(rtl::TDateTime begin, rtl::TDateTime end) {
    const bool changed = begin.Value() != begin_.Value() || end.Value() != end_.Value();
    begin_ = begin;
    end_ = end;
    ShowDates();
    if (changed && !vcl::IsLoading(this) && OnChange) OnChange(this);
}

void TScrollDateTime::SetPeriod(rtl::TDateTime begin, rtl::TDateTime end) { Assign(begin, end); }

void TScrollDateTime::ScrollPeriod(int units) {
    const int months = kind_ == TPeriodKind::pkMonth ? 1 : kind_ == TPeriodKind::pkQuarter ? 3 : 12;
    rtl::TDateTime start = StartOfPeriod(begin_, kind_);
    start = kind_ == TPeriodKind::pkDay ? rtl::IncDay(start, units) : rtl::IncMonth(start, units * months);
    Assign(start, EndOfPeriod(start, kind_));
}

void TScrollDateTime::PeriodBoxChange(vcl::TObject*) {
    const int index = periodBox_->ItemIndex();
    if (index < 0) return;
    kind_ = kKinds[index];
    Assign(StartOfPeriod(begin_, kind_), EndOfPeriod(begin_, kind_));
}

void TScrollDateTime::PriorClick(vcl::TObject*) { ScrollPeriod(-1); }

void TScrollDateTime::NextClick(vcl::TObject*) { ScrollPeriod(1); }

void TScrollDateTime::EditCommit(vcl::TObject* sender) {
    auto* edit = static_cast<TCommitEdit*>(sender);
    rtl::TDateTime typed;
    if (!rtl::TryStrToDateTime(rtl::Trim(edit->Text()), typed)) {
        vcl::MessageBeep(0);
        ShowDates();
        return;
    }
    const bool wholeDays = !PickerFormatShowsTime(ShownFormat());
    rtl::TDateTime begin = begin_, end = end_;
    if (edit == beginEdit_) {
        begin = wholeDays ? rtl::StartOfTheDay(typed) : typed;
        if (begin.Value() > end.Value()) end = wholeDays ? rtl::EndOfTheDay(begin) : begin;
    } else {
        end = wholeDays ? rtl::EndOfTheDay(typed) : typed;
        if (end.Value() < begin.Value()) begin = wholeDays ? rtl::StartOfTheDay(end) : end;
    }
    Assign(begin, end);
}

void TScrollDateTime::SetBounds(int left, int top, int width, int height) {
    vcl::TCustomControl::SetBounds(left, top, width, height);
    Arrange();
}

void TScrollDateTime::Arrange() {
    if (!nextButton_) return;
    const int h = Height();
    const int editWidth = std::max(0, (Width() - kBoxWidth - 2 * kButtonWidth - kDashWidth - 8) / 2);
    int x = 0;
    periodBox_->SetBounds(x, 0, kBoxWidth, h);
    x += kBoxWidth + 4;
    priorButton_->SetBounds(x, 0, kButtonWidth, h);
    x += kButtonWidth;
    beginEdit_->SetBounds(x, 0, editWidth, h);
    x += editWidth + kDashWidth;
    endEdit_->SetBounds(x, 0, editWidth, h);
    x += editWidth;
    nextButton_->SetBounds(x, 0, kButtonWidth, h);
}

void TScrollDateTime::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TCustomControl::Notification(component, operation);
    if (operation == vcl::TOperation::opRemove) link_.Removed(component);
}

}  // namespace yma
