// A list box with a check box before each item.
//
// Event rules: setting Checked[i] or State[i] from code raises nothing; the operator's
// tick (UserToggle, or Space on the focused item) moves the item to its next state and
// raises OnClickCheck, unless the item is disabled. The tick does not move the selection.
// The check states live beside their items, so they move and go with them.
#pragma once

#include "vcl/StdCtrls.h"

namespace vcl {

class TCheckListBox : public TCustomListBox {
    RTL_DECLARE_CLASS(TCheckListBox)
public:
    using TCustomListBox::TCustomListBox;

    // Index errors raise EListError.
    bool Checked(int index) const { return State(index) == TCheckBoxState::cbChecked; }
    void SetChecked(int index, bool checked);
    TCheckBoxState State(int index) const;
    void SetState(int index, TCheckBoxState state);
    // A disabled item keeps its state against the operator (code may still change it).
    bool ItemEnabled(int index) const;
    void SetItemEnabled(int index, bool enabled);
    // With AllowGrayed a tick goes unchecked → grayed → checked → unchecked.
    bool AllowGrayed() const noexcept { return allowGrayed_; }
    void SetAllowGrayed(bool v) noexcept { allowGrayed_ = v; }
    void CheckAll(TCheckBoxState state, bool allowDisabled = true);

    // The operator ticks the item's box (index errors raise EListError).
    void UserToggle(int index);

    TNotifyEvent OnClickCheck;

protected:
    virtual void ClickCheck();
    void KeyDown(unsigned short& key, TShiftState shift) override;

private:
    void Toggle(int index);

    bool allowGrayed_ = false;
};

}  // namespace vcl
