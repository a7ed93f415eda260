#include "vcl/Component.h"

#include "rtl/Strings.h"

#include <algorithm>

namespace vcl {

RTL_DEFINE_CLASS(TComponent, rtl::TObject,
                 rtl::Prop<TComponent>("Name", &TComponent::Name, &TComponent::SetName),
                 rtl::Prop<TComponent>("Tag", &TComponent::Tag, &TComponent::SetTag))

bool IsValidIdent(std::string_view name) noexcept {
    if (name.empty()) return true;
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(name[0])) return false;
    return std::all_of(name.begin(), name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Those who asked are told first, while this component still stands in its owner.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& back = other->freeNotifies_;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return components_[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    const auto& list = owner_->components_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (rtl::SameText(c->name_, name)) return c;
    return nullptr;
}

void TComponent::SetName(const std::string& name) {
    if (name == name_) return;
    if (!IsValidIdent(name)) throw EComponentError("'" + name + "' is not a valid component name");
    if (owner_ && !name.empty()) {
        TComponent* existing = owner_->FindComponent(name);
        if (existing && existing != this) throw EComponentError("A component named " + name + " already exists");
    }
    name_ = name;
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->owner_) component->owner_->RemoveComponent(component);
    if (!component->name_.empty() && FindComponent(component->name_))
        throw EComponentError("A component named " + component->name_ + " already exists");
    Insert(component);
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Notification(component, TOperation::opRemove);
    Remove(component);
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
        freeNotifies_.push_back(other);
        other->freeNotifies_.push_back(this);
    }
    SetComponentState(csFreeNotification, true);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
    auto& back = other->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove && component) RemoveFreeNotification(component);
    // The owner passes the news on to everything it owns (a copy: handlers may free).
    const auto owned = components_;
    for (TComponent* c : owned)
        if (c != component && std::find(components_.begin(), components_.end(), c) != components_.end())
            c->Notification(component, operation);
}

void TComponent::BeforeDestruction() {
    if (!IsDestroying()) Destroying();
}

void TComponent::Destroying() {
    if (IsDestroying()) return;
    SetComponentState(csDestroying, true);
    for (TComponent* c : components_) c->Destroying();
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* c = components_.back();
        Remove(c);
        TObject::Free(c);
    }
}

}  // namespace vcl
