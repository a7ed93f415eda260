#include "vcl/CheckLst.h"

namespace vcl {

RTL_DEFINE_CLASS(TCheckListBox, TCustomListBox,
                 rtl::Prop<TCheckListBox>("AllowGrayed", &TCheckListBox::AllowGrayed, &TCheckListBox::SetAllowGrayed))

TCheckBoxState TCheckListBox::State(int index) const {
    CheckIndex(index);
    return static_cast<TCheckBoxState>((ItemBits(index) & itemstate::CheckMask) >> itemstate::CheckShift);
}

void TCheckListBox::SetState(int index, TCheckBoxState state) {
    CheckIndex(index);
    // From code: no event, so a window can restore saved ticks without its handlers running.
    const std::uintptr_t bits = ItemBits(index) & ~itemstate::CheckMask;
    SetItemBits(index, bits | (static_cast<std::uintptr_t>(state) << itemstate::CheckShift));
}

void TCheckListBox::SetChecked(int index, bool checked) {
    SetState(index, checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

bool TCheckListBox::ItemEnabled(int index) const {
    CheckIndex(index);
    return (ItemBits(index) & itemstate::Disabled) == 0;
}

void TCheckListBox::SetItemEnabled(int index, bool enabled) {
    CheckIndex(index);
    const std::uintptr_t bits = ItemBits(index);
    SetItemBits(index, enabled ? bits & ~itemstate::Disabled : bits | itemstate::Disabled);
}

void TCheckListBox::CheckAll(TCheckBoxState state, bool allowDisabled) {
    for (int i = 0; i < Count(); ++i)
        if (allowDisabled || ItemEnabled(i)) SetState(i, state);
}

void TCheckListBox::ClickCheck() {
    if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::Toggle(int index) {
    if (!ItemEnabled(index)) return;
    switch (State(index)) {
    case TCheckBoxState::cbUnchecked:
        SetState(index, allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
        break;
    case TCheckBoxState::cbChecked: SetState(index, TCheckBoxState::cbUnchecked); break;
    case TCheckBoxState::cbGrayed: SetState(index, TCheckBoxState::cbChecked); break;
    }
    ClickCheck();
}

void TCheckListBox::UserToggle(int index) {
    if (!AcceptsOperator(this)) return;
    CheckIndex(index);
    FocusByOperator(this);
    Toggle(index);
}

void TCheckListBox::KeyDown(unsigned short& key, TShiftState shift) {
    TCustomListBox::KeyDown(key, shift);
    if (key == VK_SPACE && ItemIndex() >= 0) {
        key = 0;
        Toggle(ItemIndex());
    }
}

}  // namespace vcl
