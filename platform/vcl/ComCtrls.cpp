#include "vcl/ComCtrls.h"

#include "rtl/Exceptions.h"
#include "vcl/Actions.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"

#include <algorithm>

namespace vcl {

RTL_DEFINE_CLASS(TTabSheet, TWinControl,
                 rtl::Prop<TTabSheet>("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible),
                 rtl::Prop<TTabSheet>("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex),
                 rtl::Prop<TTabSheet>("TabIndex", &TTabSheet::TabIndex),
                 rtl::Prop<TTabSheet>("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex))
RTL_DEFINE_CLASS(TPageControl, TWinControl,
                 rtl::Prop<TPageControl>("ActivePageIndex", &TPageControl::ActivePageIndex,
                                         &TPageControl::SetActivePageIndex),
                 rtl::Prop<TPageControl>("PageCount", &TPageControl::PageCount))
RTL_DEFINE_CLASS(TToolButton, TGraphicControl,
                 rtl::Prop<TToolButton>("Style", &TToolButton::Style, &TToolButton::SetStyle),
                 rtl::Prop<TToolButton>("Down", &TToolButton::Down, &TToolButton::SetDown),
                 rtl::Prop<TToolButton>("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped),
                 rtl::Prop<TToolButton>("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex))
RTL_DEFINE_CLASS(TToolBar, TWinControl,
                 rtl::Prop<TToolBar>("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions),
                 rtl::Prop<TToolBar>("ButtonCount", &TToolBar::ButtonCount))
RTL_DEFINE_CLASS(TStatusPanel, TCollectionItem,
                 rtl::Prop<TStatusPanel>("Text", &TStatusPanel::Text, &TStatusPanel::SetText),
                 rtl::Prop<TStatusPanel>("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth))
RTL_DEFINE_CLASS(TStatusPanels, TCollection)
RTL_DEFINE_CLASS(TStatusBar, TWinControl,
                 rtl::Prop<TStatusBar>("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel),
                 rtl::Prop<TStatusBar>("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText))
RTL_DEFINE_CLASS(TProgressBar, TWinControl, rtl::Prop<TProgressBar>("Min", &TProgressBar::Min, &TProgressBar::SetMin),
                 rtl::Prop<TProgressBar>("Max", &TProgressBar::Max, &TProgressBar::SetMax),
                 rtl::Prop<TProgressBar>("Position", &TProgressBar::Position, &TProgressBar::SetPosition),
                 rtl::Prop<TProgressBar>("Step", &TProgressBar::Step, &TProgressBar::SetStep))

[[noreturn]] static void RaiseIndexError(int index) {
    throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
}

// ---------------------------------------------------------------- TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    // A sheet shows only as its page control's active page.
    SetVisible(false);
}

TTabSheet::~TTabSheet() {
    if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) { SetParent(pageControl); }

void TTabSheet::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (pageControl_) pageControl_->RemovePage(this);
    TWinControl::SetParent(parent);
    if (parent && parent->Is<TPageControl>()) static_cast<TPageControl*>(parent)->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!pageControl_) return -1;
    const auto& pages = pageControl_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
    if (!pageControl_) return;
    auto& pages = pageControl_->pages_;
    index = std::clamp(index, 0, static_cast<int>(pages.size()) - 1);
    pages.erase(pages.begin() + PageIndex());
    pages.insert(pages.begin() + index, this);
}

int TTabSheet::TabIndex() const {
    if (!pageControl_ || !tabVisible_) return -1;
    int n = 0;
    for (TTabSheet* p : pageControl_->pages_) {
        if (p == this) return n;
        if (p->tabVisible_) ++n;
    }
    return -1;
}

void TTabSheet::VisibleChanged() {
    TWinControl::VisibleChanged();
    if (Visible()) {
        if (OnShow) OnShow(this);
    } else if (OnHide) {
        OnHide(this);
    }
}

// ---------------------------------------------------------------- TPageControl

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

TPageControl::~TPageControl() {
    // The sheets outlive their page control only as loose controls.
    for (TTabSheet* p : pages_) p->pageControl_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
    SetImages(nullptr);
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) RaiseIndexError(index);
    return pages_[static_cast<std::size_t>(index)];
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->pageControl_ != this) return;
    if (page == activePage_) return;
    TTabSheet* old = activePage_;
    // The focus does not stay on a page that goes out of sight.
    if (TCustomForm* form = ParentForm();
        form && old && form->ActiveControl() && old->ContainsControl(form->ActiveControl()))
        form->SetActiveControl(CanFocus() ? this : nullptr);
    activePage_ = page;
    if (page) page->SetVisible(true);
    if (old) old->SetVisible(false);
}

void TPageControl::SetImages(TComponent* images) {
    if (images == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images) images->FreeNotification(this);
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    page->pageControl_ = this;
    if (!activePage_)
        SetActivePage(page);
    else
        page->SetVisible(false);
}

void TPageControl::RemovePage(TTabSheet* page) {
    if (page == activePage_) {
        // The next page with a visible tab takes over, as when the operator closes one.
        TTabSheet* next = IsDestroying() ? nullptr : FindNextPage(page, true, true);
        if (next == page) next = nullptr;
        if (page->IsDestroying()) activePage_ = nullptr;  // a sheet going away is not hidden first
        SetActivePage(next);
    }
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    page->pageControl_ = nullptr;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const {
    const int count = PageCount();
    if (count == 0) return nullptr;
    int start = static_cast<int>(std::find(pages_.begin(), pages_.end(), current) - pages_.begin());
    if (start == count) start = goForward ? count - 1 : 0;
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* p = pages_[static_cast<std::size_t>(i)];
        if (!checkTabVisible || p->TabVisible()) return p;
    } while (i != start);
    return nullptr;
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    if (OnChange) OnChange(this);
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible) {
    TTabSheet* page = FindNextPage(activePage_, goForward, checkTabVisible);
    if (!page || page == activePage_ || !CanChange()) return;
    SetActivePage(page);
    Change();
}

bool TPageControl::UserSelectPage(TTabSheet* sheet) {
    if (!AcceptsOperator(this)) return false;
    if (!sheet || sheet->pageControl_ != this || !sheet->TabVisible()) return false;  // no tab to click
    FocusByOperator(this);
    if (sheet == activePage_) return false;
    if (!CanChange()) return false;
    SetActivePage(sheet);
    Change();
    return true;
}

void TPageControl::KeyDown(unsigned short& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (!(shift & ssCtrl)) return;
    if (key == VK_TAB || key == VK_NEXT || key == VK_PRIOR) {
        const bool forward = key == VK_TAB ? !(shift & ssShift) : key == VK_NEXT;
        key = 0;
        SelectNextPage(forward);
    }
}

// ---------------------------------------------------------------- TToolButton, TToolBar

int TToolButton::Index() const {
    const auto* bar = dynamic_cast<const TToolBar*>(Parent());
    if (!bar) return -1;
    for (int i = 0; i < bar->ButtonCount(); ++i)
        if (bar->Buttons(i) == this) return i;
    return -1;
}

void TToolButton::SetDown(bool v) {
    if (v == down_) return;
    down_ = v;
    if (!v || !InGroup()) return;
    // Release the rest of the group: the grouped check buttons on either side.
    const auto* bar = dynamic_cast<const TToolBar*>(Parent());
    if (!bar) return;
    const int self = Index();
    for (int dir : {-1, 1})
        for (int i = self + dir; i >= 0 && i < bar->ButtonCount(); i += dir) {
            TToolButton* b = bar->Buttons(i);
            if (!b->InGroup()) break;
            b->down_ = false;
        }
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) {
    if (menu == dropdownMenu_) return;
    if (dropdownMenu_) dropdownMenu_->RemoveFreeNotification(this);
    dropdownMenu_ = menu;
    if (menu) menu->FreeNotification(this);
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == dropdownMenu_) dropdownMenu_ = nullptr;
}

void TToolButton::ApplyAction(TBasicAction* action) {
    TGraphicControl::ApplyAction(action);
    if (auto* a = dynamic_cast<TAction*>(action)) {
        imageIndex_ = a->ImageIndex();
        SetDown(a->Checked());
    }
}

void TToolButton::UserClick() {
    if (!AcceptsOperator(this)) return;
    if (style_ == TToolButtonStyle::tbsSeparator || style_ == TToolButtonStyle::tbsDivider) return;
    if (style_ == TToolButtonStyle::tbsCheck && !(down_ && InGroup() && !allowAllUp_)) SetDown(!down_);
    Click();  // handlers read the new Down
}

void TToolButton::UserDropdown() {
    if (!AcceptsOperator(this) || !dropdownMenu_) return;
    MenuOpen(this, dropdownMenu_);
}

int TToolBar::ButtonCount() const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i)->Is<TToolButton>()) ++n;
    return n;
}

TToolButton* TToolBar::Buttons(int index) const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i)->Is<TToolButton>() && n++ == index) return static_cast<TToolButton*>(Controls(i));
    RaiseIndexError(index);
}

void TToolBar::SetImages(TComponent* images) {
    if (images == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images) images->FreeNotification(this);
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
}

// ---------------------------------------------------------------- TStatusBar

TStatusPanels::TStatusPanels() : TCollection(TStatusPanel::StaticClass(), [] { return new TStatusPanel; }) {}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner), panels_(std::make_unique<TStatusPanels>()) {
    SetAlign(TAlign::alBottom);
}

TStatusBar::~TStatusBar() = default;

// ---------------------------------------------------------------- TProgressBar

void TProgressBar::SetMin(int v) {
    min_ = v;
    if (max_ < min_) max_ = min_;
    SetPosition(position_);
}

void TProgressBar::SetMax(int v) {
    max_ = v;
    if (min_ > max_) min_ = max_;
    SetPosition(position_);
}

void TProgressBar::SetPosition(int v) { position_ = std::clamp(v, min_, max_); }

void TProgressBar::StepIt() {
    const long long next = static_cast<long long>(position_) + step_;
    position_ = next > max_ || next < min_ ? min_ : static_cast<int>(next);
}

}  // namespace vcl
