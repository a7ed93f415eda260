#include "vcl/ExtCtrls.h"

#include "rtl/Exceptions.h"

#include <algorithm>
#include <string>

namespace vcl {

RTL_DEFINE_CLASS(TPanel, TCustomControl, rtl::Prop<TPanel>("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter),
                 rtl::Prop<TPanel>("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner),
                 rtl::Prop<TPanel>("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth),
                 rtl::Prop<TPanel>("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth),
                 rtl::Prop<TPanel>("Alignment", &TPanel::Alignment, &TPanel::SetAlignment))
RTL_DEFINE_CLASS(TBevel, TGraphicControl, rtl::Prop<TBevel>("Shape", &TBevel::Shape, &TBevel::SetShape),
                 rtl::Prop<TBevel>("Style", &TBevel::Style, &TBevel::SetStyle))
RTL_DEFINE_CLASS(TGroupButton, TRadioButton)
RTL_DEFINE_CLASS(TCustomRadioGroup, TCustomGroupBox,
                 rtl::StringsProp<TCustomRadioGroup>("Items", &TCustomRadioGroup::ItemsProp),
                 rtl::Prop<TCustomRadioGroup>("ItemIndex", &TCustomRadioGroup::ItemIndex,
                                              &TCustomRadioGroup::SetItemIndex),
                 rtl::Prop<TCustomRadioGroup>("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns))
RTL_DEFINE_CLASS(TRadioGroup, TCustomRadioGroup)

void TGroupButton::Click() {
    TRadioButton::Click();
    if (group_) group_->ButtonClicked(this);
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<rtl::TStringList>()) {
    items_->OnChange = rtl::TNotifyEvent(this, &TCustomRadioGroup::ItemsChanged);
}

TCustomRadioGroup::~TCustomRadioGroup() {
    items_->OnChange = nullptr;
    for (TGroupButton* b : buttons_) TObject::Free(b);
    buttons_.clear();
}

TRadioButton* TCustomRadioGroup::Buttons(int index) const {
    if (index < 0 || index >= ButtonCount())
        throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return buttons_[static_cast<std::size_t>(index)];
}

void TCustomRadioGroup::ItemsChanged(TObject*) {
    if (!IsLoading(this) && itemIndex_ >= items_->Count()) itemIndex_ = items_->Count() - 1;
    UpdateButtons();
}

void TCustomRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    if (itemIndex_ >= items_->Count()) itemIndex_ = items_->Count() - 1;
    UpdateButtons();
}

void TCustomRadioGroup::UpdateButtons() {
    const bool saved = updating_;
    updating_ = true;
    try {
        while (ButtonCount() < items_->Count()) {
            auto* b = Create<TGroupButton>(this);
            b->group_ = this;
            b->SetEnabled(Enabled());
            b->SetParent(this);
            buttons_.push_back(b);
        }
        while (ButtonCount() > items_->Count()) {
            TGroupButton* b = buttons_.back();
            buttons_.pop_back();
            TObject::Free(b);
        }
        for (int i = 0; i < ButtonCount(); ++i) {
            buttons_[static_cast<std::size_t>(i)]->SetCaption(items_->Strings(i));
            buttons_[static_cast<std::size_t>(i)]->SetChecked(i == itemIndex_);
        }
        ArrangeButtons();
    } catch (...) {
        updating_ = saved;
        throw;
    }
    updating_ = saved;
}

void TCustomRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    // Column by column, top to bottom, inside the frame and below the caption.
    const int rows = (ButtonCount() + columns_ - 1) / columns_;
    const int inner = std::max(0, Width() - 16);
    const int colWidth = inner / columns_;
    const int rowHeight = std::max(1, (Height() - 24) / rows);
    for (int i = 0; i < ButtonCount(); ++i)
        buttons_[static_cast<std::size_t>(i)]->SetBounds(8 + (i / rows) * colWidth, 16 + (i % rows) * rowHeight,
                                                         colWidth, rowHeight);
}

void TCustomRadioGroup::SetBounds(int left, int top, int width, int height) {
    TCustomGroupBox::SetBounds(left, top, width, height);
    ArrangeButtons();
}

void TCustomRadioGroup::SetColumns(int v) {
    v = std::clamp(v, 1, 16);
    if (v == columns_) return;
    columns_ = v;
    ArrangeButtons();
}

void TCustomRadioGroup::SetItemIndex(int index) {
    if (IsLoading(this)) {
        // The resource may set the index before the items; Loaded puts it right.
        itemIndex_ = index;
        if (index < ButtonCount()) UpdateButtons();
        return;
    }
    index = std::clamp(index, -1, ButtonCount() - 1);
    if (index == itemIndex_) return;
    if (itemIndex_ >= 0) buttons_[static_cast<std::size_t>(itemIndex_)]->SetChecked(false);
    itemIndex_ = index;
    // Checking the button reports its click to the group, which raises OnClick: code
    // that sets ItemIndex gets OnClick just as the operator's pick does.
    if (index >= 0) buttons_[static_cast<std::size_t>(index)]->SetChecked(true);
}

void TCustomRadioGroup::ButtonClicked(TGroupButton* button) {
    if (updating_) return;
    for (int i = 0; i < ButtonCount(); ++i)
        if (buttons_[static_cast<std::size_t>(i)] == button) itemIndex_ = i;
    Click();
}

void TCustomRadioGroup::UserSelect(int index) {
    if (!AcceptsOperator(this)) return;
    Buttons(index)->UserClick();
}

void TCustomRadioGroup::EnabledChanged() {
    TCustomGroupBox::EnabledChanged();
    for (TGroupButton* b : buttons_) b->SetEnabled(Enabled());
}

}  // namespace vcl
