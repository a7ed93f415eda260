#include "ymacomp/EditPanel.h"

#include <algorithm>

namespace yma {

RTL_DEFINE_CLASS(TBoundMemo, vcl::TMemo)
RTL_DEFINE_CLASS(TEditPanel, vcl::TCustomControl,
                 rtl::ObjectProp<TEditPanel>("SourceReference", &TEditPanel::SourceReference,
                                             &TEditPanel::SetSourceReference))

// ---------------------------------------------------------------- TBoundMemo

TBoundMemo::TBoundMemo(vcl::TComponent* owner) : vcl::TMemo(owner) {
    SetReadOnly(true);
    SetWordWrap(true);
    SetShowHint(true);
}

void TBoundMemo::SetText(const std::string& text) {
    if (!text.empty()) vcl::TMemo::SetText(text);
}

void TBoundMemo::SetTextEmpty(const std::string& text) { vcl::TMemo::SetText(text); }

void TBoundMemo::TextChanged() {
    SetHint(Text());
    vcl::TMemo::TextChanged();
}

// ---------------------------------------------------------------- TEditPanel

namespace {
constexpr int kCaptionHeight = 16;
constexpr int kButtonSize = 21;
}  // namespace

TEditPanel::TEditPanel(vcl::TComponent* owner) : vcl::TCustomControl(owner) {}

void TEditPanel::Construct() {
    vcl::TCustomControl::Construct();
    captionLabel_ = vcl::Create<vcl::TLabel>(this);
    captionLabel_->SetName("CaptionLabel");
    captionLabel_->SetParent(this);
    chooseButton_ = vcl::Create<vcl::TSpeedButton>(this);
    chooseButton_->SetName("ChooseButton");
    chooseButton_->SetCaption("...");
    chooseButton_->SetShowHint(true);
    chooseButton_->SetParent(this);
    chooseButton_->OnClick = vcl::TNotifyEvent(this, &TEditPanel::ChooseButtonClick);
    clearButton_ = vcl::Create<vcl::TSpeedButton>(this);
    clearButton_->SetName("ClearButton");
    clearButton_->SetCaption("X");
    clearButton_->SetShowHint(true);
    clearButton_->SetParent(this);
    clearButton_->OnClick = vcl::TNotifyEvent(this, &TEditPanel::ClearButtonClick);
    editBox_ = vcl::Create<TBoundMemo>(this);
    editBox_->SetName("EditBox");
    editBox_->SetParent(this);
    SetBounds(Left(), Top(), 250, 64);
    SourcesChanged();
}

void TEditPanel::SourcesChanged() {
    if (!chooseButton_) return;
    chooseButton_->SetHint(link_.Text(ytxChoice));
    clearButton_->SetHint(link_.Text(ytxClear));
}

void TEditPanel::TextChanged() {
    vcl::TCustomControl::TextChanged();
    if (captionLabel_) captionLabel_->SetCaption(Text());
}

void TEditPanel::SetBounds(int left, int top, int width, int height) {
    vcl::TCustomControl::SetBounds(left, top, width, height);
    Arrange();
}

void TEditPanel::Arrange() {
    if (!editBox_) return;
    const int w = Width(), h = Height();
    captionLabel_->SetBounds(2, 0, std::max(0, w - 4), kCaptionHeight);
    const int boxWidth = std::max(0, w - kButtonSize - 6);
    editBox_->SetBounds(2, kCaptionHeight, boxWidth, std::max(0, h - kCaptionHeight - 2));
    chooseButton_->SetBounds(w - kButtonSize - 2, kCaptionHeight, kButtonSize, kButtonSize);
    clearButton_->SetBounds(w - kButtonSize - 2, kCaptionHeight + kButtonSize + 1, kButtonSize, kButtonSize);
}

void TEditPanel::ChooseClick() { Click(); }

void TEditPanel::DeleteClick() {
    bool clear = true;
    if (OnDeleteClick) OnDeleteClick(this, clear);
    if (clear) editBox_->SetTextEmpty(std::string());
}

void TEditPanel::ChooseButtonClick(vcl::TObject*) { ChooseClick(); }

void TEditPanel::ClearButtonClick(vcl::TObject*) { DeleteClick(); }

void TEditPanel::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TCustomControl::Notification(component, operation);
    if (operation == vcl::TOperation::opRemove) {
        if (component == captionLabel_) captionLabel_ = nullptr;
        if (component == chooseButton_) chooseButton_ = nullptr;
        if (component == clearButton_) clearButton_ = nullptr;
        if (component == editBox_) editBox_ = nullptr;
        link_.Removed(component);
    }
}

}  // namespace yma
