#include "ymacomp/NumberEdit.h"

#include "rtl/Convert.h"
#include "rtl/FloatToText.h"
#include "rtl/Format.h"
#include "rtl/Strings.h"
#include "vcl/UserInterface.h"

#include <algorithm>
#include <cmath>

namespace yma {

RTL_DEFINE_CLASS(TCommitEdit, vcl::TEdit)
RTL_DEFINE_CLASS(TNumberEdit, TCommitEdit, rtl::Prop<TNumberEdit>("Value", &TNumberEdit::Value, &TNumberEdit::SetValue),
                 rtl::Prop<TNumberEdit>("DecimalPlaces", &TNumberEdit::DecimalPlaces, &TNumberEdit::SetDecimalPlaces),
                 rtl::Prop<TNumberEdit>("DisplayFormat", &TNumberEdit::DisplayFormat, &TNumberEdit::SetDisplayFormat),
                 rtl::Prop<TNumberEdit>("MinValue", &TNumberEdit::MinValue, &TNumberEdit::SetMinValue),
                 rtl::Prop<TNumberEdit>("MaxValue", &TNumberEdit::MaxValue, &TNumberEdit::SetMaxValue),
                 rtl::ObjectProp<TNumberEdit>("SourceReference", &TNumberEdit::SourceReference,
                                              &TNumberEdit::SetSourceReference))

// ---------------------------------------------------------------- TCommitEdit

void TCommitEdit::Commit() {
    if (OnCommit) OnCommit(this);
}

void TCommitEdit::CommitIfTyped() {
    if (!Modified()) return;
    SetModified(false);
    Commit();
    entryText_ = text_;
}

void TCommitEdit::DoEnter() {
    entryText_ = text_;
    selected_ = true;
    vcl::TEdit::DoEnter();
}

void TCommitEdit::FinishEntry() {
    selected_ = false;
    CommitIfTyped();
}

void TCommitEdit::DoExit() {
    FinishEntry();
    vcl::TEdit::DoExit();
}

void TCommitEdit::KeyDown(unsigned short& key, vcl::TShiftState shift) {
    vcl::TEdit::KeyDown(key, shift);
    if (key == vcl::VK_RETURN) {
        // Not consumed: the form's default button still sees Enter, after the entry
        // was taken.
        selected_ = false;
        CommitIfTyped();
    } else if (key == vcl::VK_ESCAPE && Modified()) {
        key = 0;  // the Escape undid the typing; it does not cancel the dialog too
        SetText(entryText_);
        selected_ = true;
    }
}

void TCommitEdit::KeyPress(char& key) {
    if (selected_ && !ReadOnly() && key != 0) {
        const auto u = static_cast<unsigned char>(key);
        if (key == '\b') {
            selected_ = false;
            key = 0;
            ReplaceTextByOperator(std::string());
            return;
        }
        // A character that will go in replaces the selection: the text goes quietly, so
        // the character's own change is the only one reported. A non-ASCII character
        // arrives byte by byte; its first byte replaces when the edit takes letters.
        const bool takes = u >= 0x80 ? IsValidChar("\xD1\x8F") : (u >= 0x20 && IsValidChar(std::string(1, key)));
        if (takes) {
            selected_ = false;
            text_.clear();
        }
    }
    vcl::TEdit::KeyPress(key);
}

// ---------------------------------------------------------------- TNumberEdit

TNumberEdit::TNumberEdit(vcl::TComponent* owner) : TCommitEdit(owner) { text_ = TextOf(0.0); }

double TNumberEdit::Rounded(double value) const {
    const double scale = std::pow(10.0, decimalPlaces_);
    // The text form decides, so 2.675 rounds as it prints (see FloatToDecimal).
    double rounded = value;
    if (rtl::TryStrToFloat(rtl::FloatToStrF(value, rtl::TFloatFormat::ffFixed, 15, decimalPlaces_),
                           rounded))
        return rounded;
    return std::round(value * scale) / scale;
}

double TNumberEdit::Clamped(double value) const {
    return Bounded() ? std::clamp(value, minValue_, maxValue_) : value;
}

std::string TNumberEdit::TextOf(double value) const {
    const std::string decimals = decimalPlaces_ > 0 ? "." + std::string(static_cast<std::size_t>(decimalPlaces_), '0') : "";
    if (editing_) return rtl::FormatFloat("0" + decimals, value);
    if (!displayFormat_.empty()) return rtl::FormatFloat(displayFormat_, value);
    return rtl::FormatFloat(",0" + decimals, value);
}

void TNumberEdit::ShowValue() {
    showing_ = true;
    try {
        SetText(TextOf(value_));
    } catch (...) {
        showing_ = false;
        throw;
    }
    showing_ = false;
}

void TNumberEdit::Assign(double value) {
    const bool changed = value != value_;
    value_ = value;
    ShowValue();
    if (changed && !vcl::IsLoading(this) && OnChange) OnChange(this);
}

void TNumberEdit::SetValue(double value) { Assign(Clamped(Rounded(value))); }

void TNumberEdit::SetDecimalPlaces(int places) {
    places = std::clamp(places, 0, 15);
    if (places == decimalPlaces_) return;
    decimalPlaces_ = places;
    Assign(Rounded(value_));
}

void TNumberEdit::SetDisplayFormat(const std::string& format) {
    if (format == displayFormat_) return;
    displayFormat_ = format;
    ShowValue();
}

void TNumberEdit::SetMinValue(double value) {
    minValue_ = value;
    Assign(Clamped(value_));
}

void TNumberEdit::SetMaxValue(double value) {
    maxValue_ = value;
    Assign(Clamped(value_));
}

// The operator's text as a number: either separator is a decimal point.
static bool ParseTyped(const std::string& text, double& value) {
    std::string s = rtl::Trim(text);
    const std::string sep = rtl::FormatSettings().DecimalSeparator;
    std::string normal;
    for (char c : s) normal += (c == '.' || c == ',') ? sep : std::string(1, c);
    return !normal.empty() && rtl::TryStrToFloat(normal, value);
}

void TNumberEdit::Change() {
    // Only the operator's typing reaches this with a new number; the edit's own writing
    // of its value is no change of the value.
    if (showing_) return;
    double typed = 0.0;
    if (!ParseTyped(text_, typed) || typed == value_) return;
    value_ = typed;
    if (!vcl::IsLoading(this) && OnChange) OnChange(this);
}

void TNumberEdit::Commit() {
    double typed = 0.0;
    if (!ParseTyped(text_, typed)) {
        vcl::MessageBeep(0);
        ShowValue();
        return;
    }
    if (Bounded() && (typed < minValue_ || typed > maxValue_)) {
        const std::string text = rtl::Format(link_.Text(ytxValueRangeFmt),
                                             {static_cast<long long>(std::llround(minValue_)),
                                              static_cast<long long>(std::llround(maxValue_))});
        PackageMessageBox(text, std::string(), vcl::MB_OK | vcl::MB_ICONWARNING);
    }
    Assign(Clamped(Rounded(typed)));
    TCommitEdit::Commit();
}

void TNumberEdit::DoEnter() {
    editing_ = true;
    ShowValue();
    TCommitEdit::DoEnter();
}

void TNumberEdit::DoExit() {
    // The entry is taken in the plain form, then shown formatted, and only then does
    // OnExit run.
    FinishEntry();
    editing_ = false;
    ShowValue();
    vcl::TEdit::DoExit();
}

bool TNumberEdit::IsValidChar(const std::string& ch) const {
    return ch.size() == 1 && ((ch[0] >= '0' && ch[0] <= '9') || ch[0] == '-' || ch[0] == '+' || ch[0] == '.' ||
                              ch[0] == ',');
}

void TNumberEdit::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    TCommitEdit::Notification(component, operation);
    if (operation == vcl::TOperation::opRemove) link_.Removed(component);
}

}  // namespace yma
