#include "ComUnits/uScrollComponents.h"

#include "rtl/Exceptions.h"

#include <algorithm>
#include <utility>

namespace {

constexpr const char* kUnit = "COMUNITS/uScrollComponents";

std::string Quoted(const char* text) { return std::string("\"") + text + "\""; }

std::string ClassKey(const rtl::TMetaClass& cls) { return std::to_string(cls.Identity()); }

}  // namespace

RTL_DEFINE_CLASS(_TChildComponent, vcl::TComponent)
RTL_DEFINE_CLASS(TScrollComponent, rtl::TObject)
RTL_DEFINE_CLASS(TScrollComponentList, rtl::TObject)

// ---------------------------------------------------------------------------------------
// _TChildComponent

namespace {
vcl::TComponent* CheckedOwner(vcl::TComponent* owner) {
    rtl::Assert(owner != nullptr, "_TChildComponent.Create: AOwner = nil", kUnit, __LINE__);
    return owner;
}
}  // namespace

_TChildComponent::_TChildComponent(vcl::TComponent* owner, TScrollComponent* scrollComponent)
    : vcl::TComponent(CheckedOwner(owner)), FCopyOwner(owner), FScrollComponent(scrollComponent) {}

void _TChildComponent::Detach() noexcept {
    FScrollComponent = nullptr;
    FCopyOwner = nullptr;
}

// The removal runs here rather than in the destructor: Free always calls this first, and an
// assertion may leave it. The entry is let go before checking, so a failed check does not
// fire again when the owner frees this watcher later.
void _TChildComponent::BeforeDestruction() {
    if (TScrollComponent* entry = std::exchange(FScrollComponent, nullptr)) {
        rtl::Assert(FCopyOwner != nullptr, "_TChildComponent.Destroy: program error: FCopyOwner = nil", kUnit,
                    __LINE__);
        const int index = entry->IndexOf(FCopyOwner);
        rtl::Assert(index != -1, "_TChildComponent.Destroy: program error: pIndex = -1", kUnit, __LINE__);
        entry->RemoveAt(index);
    }
    vcl::TComponent::BeforeDestruction();
}

// ---------------------------------------------------------------------------------------
// TScrollComponent

namespace {
TScrollComponentList* CheckedList(TScrollComponentList* scrollList, const rtl::TMetaClass& baseClass) {
    rtl::Assert(scrollList != nullptr, "TScrollComponent.Create: AScrollList = nil", kUnit, __LINE__);
    if (scrollList->FindEntry(baseClass))
        throw rtl::EAssertionFailed(
            "TScrollComponent.Create: components of Class " + Quoted(baseClass.ClassName()) + " Is already added", kUnit,
            __LINE__);
    return scrollList;
}
}  // namespace

TScrollComponent::TScrollComponent(TScrollComponentList* scrollList, const rtl::TMetaClass& baseClass)
    : FScrollList(CheckedList(scrollList, baseClass)), FClass(baseClass) {
    FScrollList->FEntries.push_back(this);
    try {
        Reattach(FScrollList->Matching(FClass));
    } catch (...) {
        Leave();  // the destructor does not run for a constructor that failed
        throw;
    }
}

TScrollComponent::~TScrollComponent() { Leave(); }

void TScrollComponent::Leave() {
    auto& entries = FScrollList->FEntries;
    entries.erase(std::remove(entries.begin(), entries.end(), this), entries.end());
    while (!FComponents.empty()) DelComponent(FComponents.back());
}

vcl::TComponent* TScrollComponent::Components(int index) const {
    if (index < 0 || index >= Count())
        throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FComponents[static_cast<std::size_t>(index)];
}

int TScrollComponent::IndexOf(const vcl::TComponent* component) const noexcept {
    const auto it = std::find(FComponents.begin(), FComponents.end(), component);
    return it == FComponents.end() ? -1 : static_cast<int>(it - FComponents.begin());
}

void TScrollComponent::CheckClass(const vcl::TComponent* component, const char* operation) const {
    if (!component->InheritsFrom(FClass))
        throw rtl::EAssertionFailed(std::string("TScrollComponent.") + operation + ": " + Quoted(component->ClassName()) +
                                        " class is not inherited " + Quoted(FClass.ClassName()) + " class",
                                    kUnit, __LINE__);
}

void TScrollComponent::AddComponent(vcl::TComponent* component) {
    if (!component) return;
    CheckClass(component, "AddComponent");
    if (IndexOf(component) != -1) return;
    // The watcher first: if it cannot be made, the component is not listed unwatched.
    _TChildComponent* watcher = vcl::Create<_TChildComponent>(component, this);
    FComponents.push_back(component);
    FChildComponents.push_back(watcher);
}

void TScrollComponent::DelComponent(vcl::TComponent* component) {
    if (!component) return;
    CheckClass(component, "DelComponent");
    const int index = IndexOf(component);
    if (index == -1) return;
    _TChildComponent* watcher = FChildComponents[static_cast<std::size_t>(index)];
    RemoveAt(index);
    watcher->Detach();
    rtl::TObject::Free(watcher);  // its owner's destructor leaves the component
}

void TScrollComponent::RemoveAt(int index) {
    FComponents.erase(FComponents.begin() + index);
    FChildComponents.erase(FChildComponents.begin() + index);
}

// Every step leaves the two lists in step with each other, so a failure half-way leaves
// nothing unwatched or dangling, only an order not yet final.
void TScrollComponent::Reattach(const std::vector<vcl::TComponent*>& components) {
    const auto wanted = [&](const vcl::TComponent* c) {
        return std::find(components.begin(), components.end(), c) != components.end();
    };
    for (std::size_t i = FComponents.size(); i-- > 0;)
        if (!wanted(FComponents[i])) DelComponent(FComponents[i]);
    for (vcl::TComponent* component : components) AddComponent(component);
    std::vector<_TChildComponent*> watchers;
    watchers.reserve(components.size());
    for (vcl::TComponent* component : components)
        watchers.push_back(FChildComponents[static_cast<std::size_t>(IndexOf(component))]);
    FComponents = components;
    FChildComponents = std::move(watchers);
}

void TScrollComponent::Deliver(const TOnComponentsScrollEvent& handler) {
    // A handler may free components; a freed one has left the list and is skipped.
    const auto components = FComponents;
    for (vcl::TComponent* component : components)
        if (IndexOf(component) != -1) handler(component);
}

// ---------------------------------------------------------------------------------------
// TScrollComponentList

class TScrollComponentList::TNotifier : public vcl::TComponent {
public:
    explicit TNotifier(TScrollComponentList* list) : vcl::TComponent(nullptr), list_(list) {}

protected:
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override {
        if (operation == vcl::TOperation::opRemove && component) list_->Forget(component);
        vcl::TComponent::Notification(component, operation);
    }

private:
    TScrollComponentList* list_;
};

TScrollComponentList::TScrollComponentList(vcl::TComponent* owner) {
    FNotifier = vcl::Create<TNotifier>(this);
    try {
        AddOwner(owner);
    } catch (...) {
        rtl::TObject::Free(FNotifier);
        throw;
    }
}

TScrollComponentList::~TScrollComponentList() {
    while (!FEntries.empty()) rtl::TObject::Free(FEntries.back());
    // Unlinked quietly first: the components need no news of the registry's own helper.
    for (vcl::TComponent* owner : FOwners) FNotifier->RemoveFreeNotification(owner);
    for (const auto& [component, cls] : FIndexed) FNotifier->RemoveFreeNotification(component);
    rtl::TObject::Free(FNotifier);
}

TScrollComponent* TScrollComponentList::Items(int index) const {
    if (index < 0 || index >= Count())
        throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FEntries[static_cast<std::size_t>(index)];
}

vcl::TComponent* TScrollComponentList::Owners(int index) const {
    if (index < 0 || index >= OwnerCount())
        throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FOwners[static_cast<std::size_t>(index)];
}

TScrollComponent* TScrollComponentList::FindEntry(const rtl::TMetaClass& baseClass) const noexcept {
    for (TScrollComponent* entry : FEntries)
        if (&entry->FClass == &baseClass) return entry;
    return nullptr;
}

bool TScrollComponentList::IndexComponent(vcl::TComponent* component) {
    // The registry's own watchers sit among the components of a watched component that is
    // itself an owner; they are bookkeeping, never something to deliver.
    if (component->InheritsFrom(_TChildComponent::StaticClass())) return false;
    const rtl::TMetaClass& cls = component->ClassType();
    if (!FIndexed.emplace(component, &cls).second) return false;
    TClassComponents& bucket = FClassIndex[ClassKey(cls)];
    bucket.Class = &cls;
    bucket.Components.push_back(component);
    FNotifier->FreeNotification(component);
    return true;
}

// Every owned component is looked at, not only those past the count of the last scan, so a
// component added after another was freed (the count unchanged) is found as well.
void TScrollComponentList::ScanOwner(vcl::TComponent* owner) {
    for (int i = 0; i < owner->ComponentCount(); ++i) IndexComponent(owner->Components(i));
}

void TScrollComponentList::AddOwner(vcl::TComponent* owner) {
    if (!owner || std::find(FOwners.begin(), FOwners.end(), owner) != FOwners.end()) return;
    FOwners.push_back(owner);
    FNotifier->FreeNotification(owner);
    ScanOwner(owner);
    AttachAll();
}

void TScrollComponentList::Rescan() {
    for (vcl::TComponent* owner : FOwners) ScanOwner(owner);
    AttachAll();
}

std::vector<vcl::TComponent*> TScrollComponentList::Matching(const rtl::TMetaClass& baseClass) const {
    std::vector<vcl::TComponent*> result;
    for (const auto& [key, bucket] : FClassIndex)
        if (bucket.Class->InheritsFrom(baseClass))
            result.insert(result.end(), bucket.Components.begin(), bucket.Components.end());
    return result;
}

void TScrollComponentList::AttachAll() {
    for (TScrollComponent* entry : FEntries) entry->Reattach(Matching(entry->FClass));
}

void TScrollComponentList::Forget(vcl::TComponent* component) {
    FOwners.erase(std::remove(FOwners.begin(), FOwners.end(), component), FOwners.end());
    const auto indexed = FIndexed.find(component);
    if (indexed == FIndexed.end()) return;
    // The class was noted when indexing: a component being destroyed already answers
    // ClassType() as its base.
    const auto bucket = FClassIndex.find(ClassKey(*indexed->second));
    FIndexed.erase(indexed);
    if (bucket == FClassIndex.end()) return;
    auto& list = bucket->second.Components;
    list.erase(std::remove(list.begin(), list.end(), component), list.end());
    if (list.empty()) FClassIndex.erase(bucket);
}

void TScrollComponentList::Subscribe(const rtl::TMetaClass& baseClass, const TOnComponentsScrollEvent& handler) {
    TScrollComponent* entry = FindEntry(baseClass);
    if (!entry) entry = new TScrollComponent(this, baseClass);
    if (!handler) return;
    auto& handlers = entry->FHandlers;
    if (std::none_of(handlers.begin(), handlers.end(), [&](const auto& h) { return h.SameCode(handler); }))
        handlers.push_back(handler);
}

void TScrollComponentList::Unsubscribe(const rtl::TMetaClass& baseClass, const TOnComponentsScrollEvent& handler) {
    TScrollComponent* entry = FindEntry(baseClass);
    if (!entry) return;
    auto& handlers = entry->FHandlers;
    const auto it = std::find_if(handlers.begin(), handlers.end(), [&](const auto& h) { return h.SameCode(handler); });
    if (it != handlers.end()) handlers.erase(it);
}

void TScrollComponentList::Deliver() {
    if (OnBeforeDeliver) OnBeforeDeliver(this);
    const auto entries = FEntries;
    for (TScrollComponent* entry : entries) {
        if (std::find(FEntries.begin(), FEntries.end(), entry) == FEntries.end()) continue;
        const auto components = entry->FComponents;
        const auto handlers = entry->FHandlers;
        for (vcl::TComponent* component : components)
            for (const auto& handler : handlers) {
                // A handler may free a component (it leaves the entry) or the entry itself.
                if (std::find(FEntries.begin(), FEntries.end(), entry) == FEntries.end()) break;
                if (entry->IndexOf(component) == -1) break;
                handler(component);
            }
    }
    if (OnAfterDeliver) OnAfterDeliver(this);
}
