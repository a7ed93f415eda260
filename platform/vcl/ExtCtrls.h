// Panels, bevels and radio groups, headless.
//
// Event rules (see StdCtrls.h for the general ones):
//  - radio group: setting ItemIndex from code raises OnClick, as the platform's group does
//    (its button is checked, and a checked button reports its click to the group); so
//    does the operator's pick (UserSelect). Setting -1 (no choice) raises nothing, nor
//    does setting the index that is already chosen, nor anything the form resource sets.
#pragma once

#include "rtl/StringList.h"
#include "vcl/StdCtrls.h"

#include <memory>
#include <vector>

namespace vcl {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBorderStyle { bsNone, bsSingle };
enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TPanel : public TCustomControl {
    RTL_DECLARE_CLASS(TPanel)
public:
    explicit TPanel(TComponent* owner) : TCustomControl(owner) {}

    TBevelCut BevelOuter() const noexcept { return bevelOuter_; }
    void SetBevelOuter(TBevelCut v) noexcept { bevelOuter_ = v; }
    TBevelCut BevelInner() const noexcept { return bevelInner_; }
    void SetBevelInner(TBevelCut v) noexcept { bevelInner_ = v; }
    int BevelWidth() const noexcept { return bevelWidth_; }
    void SetBevelWidth(int v) noexcept { bevelWidth_ = v < 1 ? 1 : v; }
    int BorderWidth() const noexcept { return borderWidth_; }
    void SetBorderWidth(int v) noexcept { borderWidth_ = v < 0 ? 0 : v; }
    TBorderStyle BorderStyle() const noexcept { return borderStyle_; }
    void SetBorderStyle(TBorderStyle v) noexcept { borderStyle_ = v; }
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment v) noexcept { alignment_ = v; }

private:
    TBevelCut bevelOuter_ = TBevelCut::bvRaised, bevelInner_ = TBevelCut::bvNone;
    int bevelWidth_ = 1, borderWidth_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::bsNone;
    TAlignment alignment_ = TAlignment::taCenter;
};

class TBevel : public TGraphicControl {
    RTL_DECLARE_CLASS(TBevel)
public:
    using TGraphicControl::TGraphicControl;

    TBevelShape Shape() const noexcept { return shape_; }
    void SetShape(TBevelShape v) noexcept { shape_ = v; }
    TBevelStyle Style() const noexcept { return style_; }
    void SetStyle(TBevelStyle v) noexcept { style_ = v; }

private:
    TBevelShape shape_ = TBevelShape::bsBox;
    TBevelStyle style_ = TBevelStyle::bsLowered;
};

class TCustomRadioGroup;

// One radio button of a radio group, made and owned by the group.
class TGroupButton : public TRadioButton {
    RTL_DECLARE_CLASS(TGroupButton)
public:
    explicit TGroupButton(TComponent* owner) : TRadioButton(owner) {}
    void Click() override;

private:
    friend class TCustomRadioGroup;
    TCustomRadioGroup* group_ = nullptr;
};

// A group box with one radio button per item of Items. Items' OnChange belongs to the
// group: it rebuilds the buttons.
class TCustomRadioGroup : public TCustomGroupBox {
    RTL_DECLARE_CLASS(TCustomRadioGroup)
public:
    explicit TCustomRadioGroup(TComponent* owner);
    ~TCustomRadioGroup() override;

    rtl::TStringList* Items() const noexcept { return items_.get(); }
    // The chosen item, -1 for none. From code: clamped into the items, and OnClick when
    // the choice changes to an item (see the rules at the top). When items go away the
    // index is clamped to the last one, as the platform does.
    int ItemIndex() const noexcept { return itemIndex_; }
    void SetItemIndex(int index);
    int Columns() const noexcept { return columns_; }
    void SetColumns(int v);
    int ButtonCount() const noexcept { return static_cast<int>(buttons_.size()); }
    // The button of item index (index errors raise EListError).
    TRadioButton* Buttons(int index) const;

    // The operator clicks the button of the item (ignored for a disabled button or group;
    // index errors raise EListError).
    void UserSelect(int index);
    void Loaded() override;

protected:
    void EnabledChanged() override;
    void SetBounds(int left, int top, int width, int height) override;

private:
    friend class TGroupButton;
    rtl::TStringList* ItemsProp() { return items_.get(); }
    void ItemsChanged(TObject* sender);
    void UpdateButtons();
    void ArrangeButtons();
    void ButtonClicked(TGroupButton* button);

    std::unique_ptr<rtl::TStringList> items_;
    std::vector<TGroupButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
    RTL_DECLARE_CLASS(TRadioGroup)
public:
    using TCustomRadioGroup::TCustomRadioGroup;
};

}  // namespace vcl
