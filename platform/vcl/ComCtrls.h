// Page controls with tab sheets, tool bars with tool buttons, status bars and progress
// bars, headless.
//
// Event rules:
//  - page control: setting ActivePage (or ActivePageIndex) from code raises neither
//    OnChanging nor OnChange; those are the operator's events. The operator's pick of a
//    tab (UserSelectPage, Ctrl+Tab) asks OnChanging first — refused, nothing changes —
//    then switches and raises OnChange. A tab that is not visible cannot be picked, and
//    picking the active tab changes nothing;
//  - the pages show and hide as they become active or not (the sheet's OnShow, OnHide),
//    from code too, so controls on a hidden page do not take the operator's input;
//  - tool button: the operator's click of a check button toggles Down (a pushed button
//    of a group stays down unless AllowAllUp) before OnClick runs; setting Down from code
//    raises nothing.
#pragma once

#include "vcl/Collection.h"
#include "vcl/StdCtrls.h"

#include <memory>
#include <string>
#include <vector>

namespace vcl {

class TPageControl;
class TPopupMenu;

using TTabChangingEvent = rtl::TMethod<void(TObject* sender, bool& allowChange)>;

class TTabSheet : public TWinControl {
    RTL_DECLARE_CLASS(TTabSheet)
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const noexcept { return pageControl_; }
    // Makes the sheet a page of the page control (its parent too); nullptr takes it off.
    void SetPageControl(TPageControl* pageControl);
    void SetParent(TWinControl* parent) override;
    bool TabVisible() const noexcept { return tabVisible_; }
    void SetTabVisible(bool v) noexcept { tabVisible_ = v; }
    // The page's place among the page control's pages (-1 off any); setting it moves
    // the page.
    int PageIndex() const;
    void SetPageIndex(int index);
    // The tab's place among the visible tabs, -1 when its tab is hidden.
    int TabIndex() const;
    int ImageIndex() const noexcept { return imageIndex_; }
    void SetImageIndex(int v) noexcept { imageIndex_ = v; }
    bool Highlighted() const noexcept { return highlighted_; }
    void SetHighlighted(bool v) noexcept { highlighted_ = v; }

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void VisibleChanged() override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true, highlighted_ = false;
    int imageIndex_ = -1;
};

class TPageControl : public TWinControl {
    RTL_DECLARE_CLASS(TPageControl)
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const noexcept { return static_cast<int>(pages_.size()); }
    // Index errors raise EListError.
    TTabSheet* Pages(int index) const;
    // The page shown, or nullptr. The first page added becomes active when none is.
    // Setting it from code raises no events; a sheet of another page control is ignored.
    TTabSheet* ActivePage() const noexcept { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    // -1 or an index outside the pages shows no page.
    void SetActivePageIndex(int index);
    TComponent* Images() const noexcept { return images_; }
    void SetImages(TComponent* images);

    // The page after (or before) current, going round; with checkTabVisible only pages
    // whose tab is visible count. nullptr when there are none.
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    // Moves to the next page as the operator's Ctrl+Tab does: OnChanging, OnChange.
    void SelectNextPage(bool goForward, bool checkTabVisible = true);
    // The operator clicks the sheet's tab; true when the page changed.
    bool UserSelectPage(TTabSheet* sheet);

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    // OnChanging; false refuses the change.
    virtual bool CanChange();
    virtual void Change();
    // Ctrl+Tab and Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp move between pages.
    void KeyDown(unsigned short& key, TShiftState shift) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    TComponent* images_ = nullptr;
};

// ---------------------------------------------------------------- tool bars

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolBar;

class TToolButton : public TGraphicControl {
    RTL_DECLARE_CLASS(TToolButton)
public:
    explicit TToolButton(TComponent* owner) : TGraphicControl(owner) {}

    TToolButtonStyle Style() const noexcept { return style_; }
    void SetStyle(TToolButtonStyle v) noexcept { style_ = v; }
    bool Down() const noexcept { return down_; }
    // Pushing down a grouped check button releases the others of its group: the check
    // buttons with Grouped next to it, up to a button of another kind.
    void SetDown(bool v);
    bool Grouped() const noexcept { return grouped_; }
    void SetGrouped(bool v) noexcept { grouped_ = v; }
    bool AllowAllUp() const noexcept { return allowAllUp_; }
    void SetAllowAllUp(bool v) noexcept { allowAllUp_ = v; }
    int ImageIndex() const noexcept { return imageIndex_; }
    void SetImageIndex(int v) noexcept { imageIndex_ = v; }
    TPopupMenu* DropdownMenu() const noexcept { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* menu);
    bool Indeterminate() const noexcept { return indeterminate_; }
    void SetIndeterminate(bool v) noexcept { indeterminate_ = v; }
    bool Marked() const noexcept { return marked_; }
    void SetMarked(bool v) noexcept { marked_ = v; }
    bool Wrap() const noexcept { return wrap_; }
    void SetWrap(bool v) noexcept { wrap_ = v; }
    // The button's place on its tool bar, -1 off any.
    int Index() const;

    // The operator clicks the button (its main part for a drop-down button); separators
    // take no clicks.
    void UserClick() override;
    // The operator opens the button's drop-down menu (the menu's OnPopup runs).
    void UserDropdown();

protected:
    // Follows the action's image index and Checked (as Down) as well.
    void ApplyAction(TBasicAction* action) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool InGroup() const noexcept { return style_ == TToolButtonStyle::tbsCheck && grouped_; }

    TToolButtonStyle style_ = TToolButtonStyle::tbsButton;
    bool down_ = false, grouped_ = false, allowAllUp_ = false, indeterminate_ = false, marked_ = false, wrap_ = false;
    int imageIndex_ = -1;
    TPopupMenu* dropdownMenu_ = nullptr;
};

class TToolBar : public TWinControl {
    RTL_DECLARE_CLASS(TToolBar)
public:
    explicit TToolBar(TComponent* owner) : TWinControl(owner) {}

    // The tool buttons, in their order on the bar.
    int ButtonCount() const;
    TToolButton* Buttons(int index) const;
    TComponent* Images() const noexcept { return images_; }
    void SetImages(TComponent* images);
    bool ShowCaptions() const noexcept { return showCaptions_; }
    void SetShowCaptions(bool v) noexcept { showCaptions_ = v; }
    bool Flat() const noexcept { return flat_; }
    void SetFlat(bool v) noexcept { flat_ = v; }
    bool List() const noexcept { return list_; }
    void SetList(bool v) noexcept { list_ = v; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TComponent* images_ = nullptr;
    bool showCaptions_ = false, flat_ = true, list_ = false;
};

// ---------------------------------------------------------------- status bars

class TStatusPanel : public TCollectionItem {
    RTL_DECLARE_CLASS(TStatusPanel)
public:
    const std::string& Text() const noexcept { return text_; }
    void SetText(const std::string& v) { text_ = v; }
    int Width() const noexcept { return width_; }
    void SetWidth(int v) noexcept { width_ = v; }
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment v) noexcept { alignment_ = v; }
    std::string DisplayName() const override { return text_; }

private:
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = TAlignment::taLeftJustify;
};

class TStatusPanels : public TCollection {
    RTL_DECLARE_CLASS(TStatusPanels)
public:
    TStatusPanels();
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Items(int index) const { return static_cast<TStatusPanel*>(TCollection::Items(index)); }
};

class TStatusBar : public TWinControl {
    RTL_DECLARE_CLASS(TStatusBar)
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;

    TStatusPanels* Panels() const noexcept { return panels_.get(); }
    // A simple status bar shows SimpleText in place of its panels.
    bool SimplePanel() const noexcept { return simplePanel_; }
    void SetSimplePanel(bool v) noexcept { simplePanel_ = v; }
    const std::string& SimpleText() const noexcept { return simpleText_; }
    void SetSimpleText(const std::string& v) { simpleText_ = v; }

private:
    std::unique_ptr<TStatusPanels> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
};

// ---------------------------------------------------------------- progress bars

class TProgressBar : public TWinControl {
    RTL_DECLARE_CLASS(TProgressBar)
public:
    explicit TProgressBar(TComponent* owner) : TWinControl(owner) {}

    int Min() const noexcept { return min_; }
    void SetMin(int v);
    int Max() const noexcept { return max_; }
    void SetMax(int v);
    // Kept within Min..Max.
    int Position() const noexcept { return position_; }
    void SetPosition(int v);
    int Step() const noexcept { return step_; }
    void SetStep(int v) noexcept { step_ = v; }
    // Advances by Step; past Max it starts again from Min, as the platform's bar does.
    void StepIt();
    // Advances by delta, stopping at Min or Max.
    void StepBy(int delta) { SetPosition(position_ + delta); }
    bool Smooth() const noexcept { return smooth_; }
    void SetSmooth(bool v) noexcept { smooth_ = v; }

private:
    int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
    bool smooth_ = false;
};

}  // namespace vcl
