#include "vcl/Buttons.h"

#include "vcl/Forms.h"

namespace vcl {

RTL_DEFINE_CLASS(TBitBtn, TButton, rtl::Prop<TBitBtn>("Kind", &TBitBtn::Kind, &TBitBtn::SetKind),
                 rtl::Prop<TBitBtn>("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph),
                 rtl::Prop<TBitBtn>("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs))
RTL_DEFINE_CLASS(TSpeedButton, TGraphicControl,
                 rtl::Prop<TSpeedButton>("Down", &TSpeedButton::Down, &TSpeedButton::SetDown),
                 rtl::Prop<TSpeedButton>("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex),
                 rtl::Prop<TSpeedButton>("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp),
                 rtl::Prop<TSpeedButton>("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat),
                 rtl::Prop<TSpeedButton>("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph))

// ---------------------------------------------------------------- TBitBtn

std::string BitBtnCaption(TBitBtnKind kind) {
    switch (kind) {
    case TBitBtnKind::bkOK: return "OK";
    case TBitBtnKind::bkCancel: return "Cancel";
    case TBitBtnKind::bkHelp: return "&Help";
    case TBitBtnKind::bkYes: return "&Yes";
    case TBitBtnKind::bkNo: return "&No";
    case TBitBtnKind::bkClose: return "&Close";
    case TBitBtnKind::bkAbort: return "Abort";
    case TBitBtnKind::bkRetry: return "&Retry";
    case TBitBtnKind::bkIgnore: return "&Ignore";
    case TBitBtnKind::bkAll: return "&All";
    default: return {};
    }
}

static int KindResult(TBitBtnKind kind) {
    switch (kind) {
    case TBitBtnKind::bkOK: return mrOk;
    case TBitBtnKind::bkCancel: return mrCancel;
    case TBitBtnKind::bkYes: return mrYes;
    case TBitBtnKind::bkNo: return mrNo;
    case TBitBtnKind::bkAbort: return mrAbort;
    case TBitBtnKind::bkRetry: return mrRetry;
    case TBitBtnKind::bkIgnore: return mrIgnore;
    case TBitBtnKind::bkAll: return mrAll;
    default: return mrNone;
    }
}

void TBitBtn::SetKind(TBitBtnKind kind) {
    if (kind == kind_) return;
    const std::string caption = Caption();
    if (caption.empty() || caption == BitBtnCaption(kind_)) SetCaption(BitBtnCaption(kind));
    if (kind != TBitBtnKind::bkCustom) {
        SetModalResult(KindResult(kind));
        SetDefault(kind == TBitBtnKind::bkOK || kind == TBitBtnKind::bkYes);
        SetCancel(kind == TBitBtnKind::bkCancel || kind == TBitBtnKind::bkNo);
    }
    kind_ = kind;
}

void TBitBtn::Click() {
    if (kind_ == TBitBtnKind::bkClose) {
        // The platform's Close button closes its form and raises no OnClick.
        if (TCustomForm* form = ParentForm()) {
            form->Close();
            return;
        }
    }
    TButton::Click();
}

// ---------------------------------------------------------------- TSpeedButton

template <class F>
void TSpeedButton::ForGroup(F f) {
    if (groupIndex_ == 0 || !Parent()) return;
    TWinControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* b = dynamic_cast<TSpeedButton*>(parent->Controls(i)); b && b != this && b->groupIndex_ == groupIndex_)
            f(*b);
}

void TSpeedButton::SetDown(bool v) {
    if (groupIndex_ == 0) v = false;
    if (v == down_) return;
    if (down_ && !allowAllUp_) return;  // the group keeps one button down
    down_ = v;
    if (v) ForGroup([](TSpeedButton& b) { b.down_ = false; });
}

void TSpeedButton::SetGroupIndex(int v) {
    if (v == groupIndex_) return;
    groupIndex_ = v;
    if (v == 0) down_ = false;
    // Joining a group: take its AllowAllUp, and a second down button gives way.
    ForGroup([this](TSpeedButton& b) {
        allowAllUp_ = b.allowAllUp_;
        if (b.down_) down_ = false;
    });
}

void TSpeedButton::SetAllowAllUp(bool v) {
    allowAllUp_ = v;
    ForGroup([v](TSpeedButton& b) { b.allowAllUp_ = v; });
}

void TSpeedButton::UserClick() {
    if (!AcceptsOperator(this)) return;
    if (groupIndex_ != 0) SetDown(!down_);
    Click();  // also when the group kept the button down: the press still happened
}

}  // namespace vcl
