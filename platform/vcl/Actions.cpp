#include "vcl/Actions.h"

#include "vcl/Controls.h"

#include <algorithm>

namespace vcl {

RTL_DEFINE_CLASS(TBasicAction, TComponent)
RTL_DEFINE_CLASS(TAction, TBasicAction, rtl::Prop<TAction>("Caption", &TAction::Caption, &TAction::SetCaption),
                 rtl::Prop<TAction>("Hint", &TAction::Hint, &TAction::SetHint),
                 rtl::Prop<TAction>("Enabled", &TAction::Enabled, &TAction::SetEnabled),
                 rtl::Prop<TAction>("Visible", &TAction::Visible, &TAction::SetVisible),
                 rtl::Prop<TAction>("Checked", &TAction::Checked, &TAction::SetChecked),
                 rtl::Prop<TAction>("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex))
RTL_DEFINE_CLASS(TActionList, TComponent)

TShortCut ShortCut(unsigned short key, unsigned shift) {
    TShortCut s = key & 0xFF;
    if (shift & ssShift) s |= scShift;
    if (shift & ssCtrl) s |= scCtrl;
    if (shift & ssAlt) s |= scAlt;
    return s;
}

TBasicAction::~TBasicAction() {
    const auto clients = clients_;
    clients_.clear();
    for (IActionClient* c : clients) c->ActionFreed(this);
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::RegisterClient(IActionClient* client) {
    if (std::find(clients_.begin(), clients_.end(), client) == clients_.end()) clients_.push_back(client);
}

void TBasicAction::UnRegisterClient(IActionClient* client) {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

void TBasicAction::Change() {
    const auto clients = clients_;
    for (IActionClient* c : clients) c->ActionChanged(this);
}

bool RelinkAction(TComponent& client, IActionClient& link, TBasicAction*& slot, TBasicAction* action) {
    if (action == slot) return false;
    if (slot) {
        slot->UnRegisterClient(&link);
        slot->RemoveFreeNotification(&client);
    }
    slot = action;
    if (action) {
        action->RegisterClient(&link);
        action->FreeNotification(&client);
    }
    return true;
}

TAction::~TAction() { SetActionList(nullptr); }

void TAction::SetActionList(TActionList* list) {
    if (list == actionList_) return;
    if (actionList_) {
        auto& a = actionList_->actions_;
        a.erase(std::remove(a.begin(), a.end(), this), a.end());
        actionList_->RemoveFreeNotification(this);
    }
    actionList_ = list;
    if (list) {
        list->actions_.push_back(this);
        list->FreeNotification(this);
    }
}

void TAction::Notification(TComponent* component, TOperation operation) {
    TBasicAction::Notification(component, operation);
    if (operation == TOperation::opRemove && component == actionList_) actionList_ = nullptr;
}

void TAction::SetCaption(const std::string& v) {
    if (v != caption_) { caption_ = v; Change(); }
}
void TAction::SetHint(const std::string& v) {
    if (v != hint_) { hint_ = v; Change(); }
}
void TAction::SetEnabled(bool v) {
    if (v != enabled_) { enabled_ = v; Change(); }
}
void TAction::SetVisible(bool v) {
    if (v != visible_) { visible_ = v; Change(); }
}
void TAction::SetImageIndex(int v) {
    if (v != imageIndex_) { imageIndex_ = v; Change(); }
}

void TAction::SetChecked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    if (v && groupIndex_ > 0 && actionList_) {
        for (TAction* other : actionList_->actions_)
            if (other != this && other->groupIndex_ == groupIndex_ && other->checked_) {
                other->checked_ = false;
                other->Change();
            }
    }
    Change();
}

bool TAction::Execute() {
    Update();
    if (!enabled_) return false;
    if (autoCheck_ && (!checked_ || groupIndex_ == 0)) SetChecked(!checked_);
    if (actionList_ && actionList_->OnExecute) {
        bool handled = false;
        actionList_->OnExecute(this, handled);
        if (handled) return true;
    }
    return TBasicAction::Execute();
}

bool TAction::Update() {
    if (actionList_ && actionList_->OnUpdate) {
        bool handled = false;
        actionList_->OnUpdate(this, handled);
        if (handled) return true;
    }
    return TBasicAction::Update();
}

TActionList::~TActionList() {
    for (TAction* a : actions_) a->actionList_ = nullptr;
    actions_.clear();
}

TAction* TActionList::Actions(int index) const {
    if (index < 0 || index >= ActionCount()) throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return actions_[static_cast<std::size_t>(index)];
}

bool TActionList::IsShortCut(TShortCut shortCut) {
    if (shortCut == scNone) return false;
    for (TAction* a : std::vector<TAction*>(actions_)) {
        if (a->ShortCut() != shortCut) continue;
        a->Update();
        if (!a->Enabled()) return false;
        a->Execute();
        return true;
    }
    return false;
}

void TActionList::UpdateActions() {
    for (TAction* a : std::vector<TAction*>(actions_)) a->Update();
}

}  // namespace vcl
