// Bitmap buttons and speed buttons, headless: glyphs are image indices, nothing is drawn.
//
// Event rules:
//  - a bitmap button of a kind (OK, Cancel …) is a push button with that kind's modal
//    result, default/cancel role and caption; a Close button closes its form instead of
//    raising OnClick, as the platform's does;
//  - speed button: the operator's click of a grouped button pushes it down (releasing
//    the others of its group) or, with AllowAllUp, lets a pushed one up, then raises
//    OnClick; setting Down from code does the same to the group and raises nothing.
#pragma once

#include "vcl/StdCtrls.h"

#include <string>

namespace vcl {

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TBitBtn : public TButton {
    RTL_DECLARE_CLASS(TBitBtn)
public:
    explicit TBitBtn(TComponent* owner) : TButton(owner) {}

    TBitBtnKind Kind() const noexcept { return kind_; }
    // Sets the kind's ModalResult, Default/Cancel role and caption; a caption the window
    // gave the button itself is kept.
    void SetKind(TBitBtnKind kind);
    // The glyph as an index into the form's image list, -1 for none.
    int Glyph() const noexcept { return glyph_; }
    void SetGlyph(int index) noexcept { glyph_ = index; }
    int NumGlyphs() const noexcept { return numGlyphs_; }
    void SetNumGlyphs(int v) noexcept { numGlyphs_ = v < 1 ? 1 : (v > 4 ? 4 : v); }
    TButtonLayout Layout() const noexcept { return layout_; }
    void SetLayout(TButtonLayout v) noexcept { layout_ = v; }

    void Click() override;

private:
    TBitBtnKind kind_ = TBitBtnKind::bkCustom;
    int glyph_ = -1, numGlyphs_ = 1;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
};

// The caption the platform gives a bitmap button of the kind ("" for bkCustom).
std::string BitBtnCaption(TBitBtnKind kind);

// A button without a window of its own: it never takes the focus, so the control that
// has it keeps it (and sees no OnExit) while the operator clicks.
class TSpeedButton : public TGraphicControl {
    RTL_DECLARE_CLASS(TSpeedButton)
public:
    explicit TSpeedButton(TComponent* owner) : TGraphicControl(owner) {}

    // Only a button with a group index stays down. Putting one down releases the other
    // buttons of the same parent and group; letting the down one up needs AllowAllUp.
    bool Down() const noexcept { return down_; }
    void SetDown(bool v);
    int GroupIndex() const noexcept { return groupIndex_; }
    void SetGroupIndex(int v);
    // Shared by the whole group, as the platform keeps it.
    bool AllowAllUp() const noexcept { return allowAllUp_; }
    void SetAllowAllUp(bool v);
    bool Flat() const noexcept { return flat_; }
    void SetFlat(bool v) noexcept { flat_ = v; }
    int Glyph() const noexcept { return glyph_; }
    void SetGlyph(int index) noexcept { glyph_ = index; }
    int NumGlyphs() const noexcept { return numGlyphs_; }
    void SetNumGlyphs(int v) noexcept { numGlyphs_ = v < 1 ? 1 : (v > 4 ? 4 : v); }
    TButtonLayout Layout() const noexcept { return layout_; }
    void SetLayout(TButtonLayout v) noexcept { layout_ = v; }

    void UserClick() override;

private:
    template <class F>
    void ForGroup(F f);

    bool down_ = false, allowAllUp_ = false, flat_ = false;
    int groupIndex_ = 0, glyph_ = -1, numGlyphs_ = 1;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
};

}  // namespace vcl
