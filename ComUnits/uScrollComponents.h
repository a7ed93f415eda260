// A registry of the components of one or more owners, grouped by class. Handlers subscribe
// to a base class; Deliver then hands every registered component of that class (or of a
// descendant) to every handler of it. Windows and data modules use it to set up all their
// queries, grids, labels … in one pass, including components created after construction
// (once Rescan has seen them). Destroyed components are forgotten at once.
#pragma once

#include "rtl/Method.h"
#include "rtl/Object.h"
#include "vcl/Component.h"

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

class TScrollComponentList;
class TScrollComponent;

using TOnComponentsScrollEvent = rtl::TMethod<void(vcl::TComponent*)>;
using TOnScrollListEvent = rtl::TMethod<void(TScrollComponentList*)>;

// The watcher of one component of an entry. The watched component owns it, so the platform
// destroys it together with the watched component; it then takes the component and itself
// out of the entry, so a destroyed component is never delivered.
class _TChildComponent : public vcl::TComponent {
    RTL_DECLARE_CLASS(_TChildComponent)
public:
    // owner: the watched component (must be given); scrollComponent: the entry.
    _TChildComponent(vcl::TComponent* owner, TScrollComponent* scrollComponent);

    vcl::TComponent* CopyOwner() const noexcept { return FCopyOwner; }
    TScrollComponent* ScrollComponent() const noexcept { return FScrollComponent; }

    void BeforeDestruction() override;

protected:
    ~_TChildComponent() override = default;

private:
    friend class TScrollComponent;
    // The entry let go of this watcher: its destruction has nothing to undo.
    void Detach() noexcept;

    vcl::TComponent* FCopyOwner;
    TScrollComponent* FScrollComponent;
};

// One entry of the registry: the components of one base class and the handlers that want them.
class TScrollComponent : public rtl::TObject {
    RTL_DECLARE_CLASS(TScrollComponent)
public:
    // Joins the registry (which owns it from then on) and takes the matching components the
    // registry has indexed. The registry must be given; a second entry for the same base
    // class fails an assertion.
    TScrollComponent(TScrollComponentList* scrollList, const rtl::TMetaClass& baseClass);
    // Leaves the registry and lets go of every component (their watchers are freed).
    ~TScrollComponent() override;
    TScrollComponent(const TScrollComponent&) = delete;
    TScrollComponent& operator=(const TScrollComponent&) = delete;

    TScrollComponentList* ScrollList() const noexcept { return FScrollList; }
    const rtl::TMetaClass& BaseClass() const noexcept { return FClass; }

    // The component's class must be the base class or descend from it (assertion).
    // Adding a component already listed does nothing.
    void AddComponent(vcl::TComponent* component);
    // Same class check; a component not listed is ignored.
    void DelComponent(vcl::TComponent* component);
    // Calls the handler with each component, in order.
    void Deliver(const TOnComponentsScrollEvent& handler);

    int Count() const noexcept { return static_cast<int>(FComponents.size()); }
    vcl::TComponent* Components(int index) const;
    int IndexOf(const vcl::TComponent* component) const noexcept;
    const std::vector<TOnComponentsScrollEvent>& Handlers() const noexcept { return FHandlers; }

private:
    friend class TScrollComponentList;
    friend class _TChildComponent;
    void CheckClass(const vcl::TComponent* component, const char* operation) const;
    void RemoveAt(int index);
    // Leaves the registry and lets go of every component.
    void Leave();
    // Makes the components exactly the given list, keeping the watchers of those that stay.
    void Reattach(const std::vector<vcl::TComponent*>& components);

    TScrollComponentList* FScrollList;
    const rtl::TMetaClass& FClass;
    std::vector<vcl::TComponent*> FComponents;
    std::vector<_TChildComponent*> FChildComponents;  // FChildComponents[i] watches FComponents[i]
    std::vector<TOnComponentsScrollEvent> FHandlers;
};

class TScrollComponentList : public rtl::TObject {
    RTL_DECLARE_CLASS(TScrollComponentList)
public:
    // Scans the owner's components (AddOwner).
    explicit TScrollComponentList(vcl::TComponent* owner);
    // Frees the entries.
    ~TScrollComponentList() override;
    TScrollComponentList(const TScrollComponentList&) = delete;
    TScrollComponentList& operator=(const TScrollComponentList&) = delete;

    // Indexes the owner's components and hands the matching ones to every entry. Nothing
    // happens for none or for an owner already added.
    void AddOwner(vcl::TComponent* owner);
    // Adds the handler to the entry of exactly this base class (made when missing), unless
    // a handler with the same code is already there.
    void Subscribe(const rtl::TMetaClass& baseClass, const TOnComponentsScrollEvent& handler);
    // Removes the handler with the same code from that class's entry, if any.
    void Unsubscribe(const rtl::TMetaClass& baseClass, const TOnComponentsScrollEvent& handler);
    // Indexes the components the owners gained since they were last scanned, then gives
    // every entry again all the indexed components that match it.
    void Rescan();
    // Before-delivery; then each entry in order, each of its components in order, every
    // handler in order with that component; then after-delivery.
    void Deliver();

    int Count() const noexcept { return static_cast<int>(FEntries.size()); }
    TScrollComponent* Items(int index) const;
    // The entry whose base class is exactly this class, or nullptr.
    TScrollComponent* FindEntry(const rtl::TMetaClass& baseClass) const noexcept;
    int OwnerCount() const noexcept { return static_cast<int>(FOwners.size()); }
    vcl::TComponent* Owners(int index) const;

    TOnScrollListEvent OnBeforeDeliver;
    TOnScrollListEvent OnAfterDeliver;

private:
    friend class TScrollComponent;
    class TNotifier;
    struct TClassComponents {
        const rtl::TMetaClass* Class = nullptr;
        std::vector<vcl::TComponent*> Components;
    };

    // Returns whether the component was new to the index.
    bool IndexComponent(vcl::TComponent* component);
    void ScanOwner(vcl::TComponent* owner);
    // Every indexed component of the entry's base class or a descendant, in index order.
    std::vector<vcl::TComponent*> Matching(const rtl::TMetaClass& baseClass) const;
    void AttachAll();
    // A component or owner went away: forget it.
    void Forget(vcl::TComponent* component);

    // Key: the exact class's identity in decimal.
    std::map<std::string, TClassComponents> FClassIndex;
    std::unordered_map<vcl::TComponent*, const rtl::TMetaClass*> FIndexed;  // with its exact class
    std::vector<vcl::TComponent*> FOwners;
    std::vector<TScrollComponent*> FEntries;  // owned
    // Told when any owner or indexed component is destroyed, so no stale pointer remains
    // for a later Rescan or a new entry to pick up.
    TNotifier* FNotifier = nullptr;
};
