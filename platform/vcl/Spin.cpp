#include "vcl/Spin.h"

#include "rtl/Convert.h"
#include "rtl/Strings.h"
#include "vcl/UserInterface.h"

#include <algorithm>
#include <limits>

namespace vcl {

RTL_DEFINE_CLASS(TSpinEdit, TCustomEdit, rtl::Prop<TSpinEdit>("Value", &TSpinEdit::Value, &TSpinEdit::SetValue),
                 rtl::Prop<TSpinEdit>("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue),
                 rtl::Prop<TSpinEdit>("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue),
                 rtl::Prop<TSpinEdit>("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement))

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) { text_ = "0"; }

int TSpinEdit::Clamp(long long v) const {
    if (minValue_ < maxValue_) v = std::clamp<long long>(v, minValue_, maxValue_);
    return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int TSpinEdit::Value() const {
    int v = 0;
    if (!rtl::TryStrToInt(rtl::Trim(text_), v)) v = minValue_;
    return Clamp(v);
}

void TSpinEdit::SetValue(int v) { SetText(rtl::IntToStr(Clamp(v))); }

void TSpinEdit::SetMinValue(int v) {
    minValue_ = v;
    int current = 0;
    if (rtl::TryStrToInt(rtl::Trim(text_), current) && Clamp(current) != current) SetValue(current);
}

void TSpinEdit::SetMaxValue(int v) {
    maxValue_ = v;
    int current = 0;
    if (rtl::TryStrToInt(rtl::Trim(text_), current) && Clamp(current) != current) SetValue(current);
}

void TSpinEdit::Step(long long delta) {
    if (ReadOnly()) {
        MessageBeep(0);
        return;
    }
    SetText(rtl::IntToStr(Clamp(static_cast<long long>(Value()) + delta)));
}

void TSpinEdit::UserUp() {
    if (!AcceptsOperator(this)) return;
    FocusByOperator(this);
    Step(increment_);
}

void TSpinEdit::UserDown() {
    if (!AcceptsOperator(this)) return;
    FocusByOperator(this);
    Step(-static_cast<long long>(increment_));
}

bool TSpinEdit::IsValidChar(const std::string& ch) const {
    if (!editorEnabled_) return false;
    return ch.size() == 1 && ((ch[0] >= '0' && ch[0] <= '9') || ch[0] == '-' || ch[0] == '+');
}

void TSpinEdit::KeyDown(unsigned short& key, TShiftState shift) {
    TCustomEdit::KeyDown(key, shift);
    if (key == VK_UP || key == VK_DOWN) {
        Step(key == VK_UP ? increment_ : -static_cast<long long>(increment_));
        key = 0;
    }
}

void TSpinEdit::DoExit() {
    // Leaving the edit puts a number outside the bounds (or no number) right.
    int typed = 0;
    if (!rtl::TryStrToInt(rtl::Trim(text_), typed) || Clamp(typed) != typed) SetValue(Value());
    TCustomEdit::DoExit();
}

}  // namespace vcl
