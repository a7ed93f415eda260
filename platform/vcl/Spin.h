// A number edit with up and down buttons.
//
// Event rules: Value and Text are one content; OnChange runs whenever the text changes —
// Value set from code, the up/down buttons, or typing. Setting the value it already has
// raises nothing. Values are kept within MinValue..MaxValue when MinValue < MaxValue; the
// bounds are applied when a value is set, when a bound changes, and when the operator
// leaves the edit with a number outside them (or no number: the edit shows MinValue).
#pragma once

#include "vcl/StdCtrls.h"

namespace vcl {

class TSpinEdit : public TCustomEdit {
    RTL_DECLARE_CLASS(TSpinEdit)
public:
    explicit TSpinEdit(TComponent* owner);

    // The number the text shows, within the bounds; MinValue when the text is no number.
    int Value() const;
    void SetValue(int v);
    int MinValue() const noexcept { return minValue_; }
    void SetMinValue(int v);
    int MaxValue() const noexcept { return maxValue_; }
    void SetMaxValue(int v);
    int Increment() const noexcept { return increment_; }
    void SetIncrement(int v) noexcept { increment_ = v; }
    // Without it the operator changes the value with the buttons only.
    bool EditorEnabled() const noexcept { return editorEnabled_; }
    void SetEditorEnabled(bool v) noexcept { editorEnabled_ = v; }

    // The operator presses the up or down button (a read-only edit beeps instead).
    void UserUp();
    void UserDown();

protected:
    bool IsValidChar(const std::string& ch) const override;
    // Up and Down arrows step the value.
    void KeyDown(unsigned short& key, TShiftState shift) override;
    void DoExit() override;

private:
    int Clamp(long long v) const;
    void Step(long long delta);

    int minValue_ = 0, maxValue_ = 0, increment_ = 1;
    bool editorEnabled_ = true;
};

}  // namespace vcl
