#include "vcl/Menus.h"

#include <algorithm>

namespace vcl {

RTL_DEFINE_CLASS(TMenuItem, TComponent, rtl::Prop<TMenuItem>("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
                 rtl::Prop<TMenuItem>("Hint", &TMenuItem::Hint, &TMenuItem::SetHint),
                 rtl::Prop<TMenuItem>("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked),
                 rtl::Prop<TMenuItem>("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled),
                 rtl::Prop<TMenuItem>("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible))
RTL_DEFINE_CLASS(TPopupMenu, TComponent)

TMenuItem::~TMenuItem() {
    SetAction(nullptr);
    if (parent_) parent_->Remove(this);
    // Children that nobody owns go with their parent item.
    while (!items_.empty()) {
        TMenuItem* child = items_.back();
        items_.pop_back();
        child->parent_ = nullptr;
        if (!child->Owner()) TObject::Free(child);
    }
}

void TMenuItem::SetChecked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    if (v && radioItem_ && parent_)
        for (TMenuItem* sibling : parent_->items_)
            if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->checked_ = false;
}

void TMenuItem::SetAction(TBasicAction* action) {
    if (RelinkAction(*this, *this, action_, action) && action) ActionChanged(action);
}

void TMenuItem::ActionChanged(TBasicAction* action) {
    if (auto* a = dynamic_cast<TAction*>(action)) {
        caption_ = a->Caption();
        hint_ = a->Hint();
        enabled_ = a->Enabled();
        visible_ = a->Visible();
        checked_ = a->Checked();
        imageIndex_ = a->ImageIndex();
        shortCut_ = a->ShortCut();
    }
}

void TMenuItem::ActionFreed(TBasicAction* action) {
    if (action == action_) action_ = nullptr;
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == action_) action_ = nullptr;
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

int TMenuItem::IndexOf(const TMenuItem* item) const {
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) return;
    if (item->parent_) throw EComponentError("Menu item \"" + item->Name() + "\" already has a parent");
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    const auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
}

void TMenuItem::Delete(int index) { TObject::Free(Items(index)); }

void TMenuItem::Clear() {
    while (!items_.empty()) TObject::Free(items_.back());
}

void TMenuItem::Click() {
    if (!enabled_) return;
    if (autoCheck_ && !(action_ && dynamic_cast<TAction*>(action_) && static_cast<TAction*>(action_)->AutoCheck()))
        SetChecked(!checked_);
    if (OnClick && (!action_ || !(OnClick == action_->OnExecute))) {
        OnClick(this);
    } else if (action_) {
        action_->Execute();
    } else if (OnClick) {
        OnClick(this);
    }
}

void TMenuItem::UserClick() {
    for (const TMenuItem* i = this; i; i = i->parent_)
        if (!i->visible_ || !i->enabled_) return;
    Click();
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) {}

TPopupMenu::~TPopupMenu() { TObject::Free(items_); }

void TPopupMenu::Popup(int x, int y) {
    popupPoint_ = {x, y};
    if (OnPopup) OnPopup(this);
    open_ = true;
}

namespace {
bool FindShortCut(TMenuItem* item, TShortCut s) {
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (child->ShortCut() == s && child->Enabled() && child->Visible()) {
            child->Click();
            return true;
        }
        if (FindShortCut(child, s)) return true;
    }
    return false;
}
}  // namespace

bool TPopupMenu::IsShortCut(TShortCut shortCut) { return shortCut != scNone && FindShortCut(items_, shortCut); }

void MenuOpen(TControl* control, TPopupMenu* menu) {
    if (!menu) return;
    menu->SetPopupComponent(control);
    const TRect r = control ? control->BoundsRect() : TRect{};
    menu->Popup(r.Left, r.Bottom);
}

}  // namespace vcl
