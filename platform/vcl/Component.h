// TComponent: the owner tree of the platform. A component belongs to at most one owner,
// which frees it; it has a name unique among its owner's components, a tag, and free
// notification (a component asks to be told when another one goes away). Components are
// made by vcl::Create (two-phase construction) and freed with rtl::TObject::Free, never
// with delete: Free runs BeforeDestruction with full virtual dispatch first.
#pragma once

#include "rtl/Exceptions.h"
#include "rtl/Method.h"
#include "rtl/Object.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vcl {

RTL_EXCEPTION_CLASS(EComponentError, rtl::Exception)

using rtl::TObject;
using TNotifyEvent = rtl::TMethod<void(TObject* sender)>;

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csDestroying = 1u << 1,
    csDesigning = 1u << 2,
    csFreeNotification = 1u << 3,
    csConstructing = 1u << 4,  // between the C++ constructor and the end of Construct
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TObject {
    RTL_DECLARE_CLASS(TComponent)
public:
    explicit TComponent(TComponent* owner);
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const noexcept { return owner_; }
    const std::string& Name() const noexcept { return name_; }
    // Names are identifiers, unique among the owner's components (case-insensitive);
    // raises EComponentError naming the offending name.
    virtual void SetName(const std::string& name);
    std::intptr_t Tag() const noexcept { return tag_; }
    void SetTag(std::intptr_t tag) noexcept { tag_ = tag; }
    unsigned ComponentState() const noexcept { return state_; }
    bool IsDestroying() const noexcept { return (state_ & csDestroying) != 0; }

    int ComponentCount() const noexcept { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    // The owned component of that name (case-insensitive), or nullptr.
    TComponent* FindComponent(std::string_view name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    // Asks to be told (Notification opRemove) when the other component is destroyed.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // The body of the platform constructor, run by vcl::Create after the C++ constructor,
    // with full virtual dispatch. Overrides call the inherited Construct first.
    virtual void Construct() {}
    void BeforeDestruction() override;
    // Marks this component and those it owns as being destroyed.
    virtual void Destroying();
    // Frees the owned components, the last created first.
    void DestroyComponents();
    // After the owner's form resource built every component.
    virtual void Loaded() {}

protected:
    ~TComponent() override;
    // Told about components inserted into or removed from the owner, and about components
    // this one asked free notification of. Overrides call the inherited one.
    virtual void Notification(TComponent* component, TOperation operation);
    void SetComponentState(unsigned flags, bool on) noexcept { state_ = on ? (state_ | flags) : (state_ & ~flags); }

    template <class T, class... A>
    friend T* Create(A&&... args);

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;
    std::string name_;
    std::intptr_t tag_ = 0;
    unsigned state_ = 0;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
};

// Two-phase creation: the C++ constructor (fields only), then Construct (the platform's
// construction sequence, with virtual dispatch), then AfterConstruction. A failure frees
// the half-made object and passes the error on.
template <class T, class... A>
T* Create(A&&... args) {
    T* object = new T(std::forward<A>(args)...);
    try {
        static_cast<TComponent*>(object)->SetComponentState(csConstructing, true);
        object->Construct();
        static_cast<TComponent*>(object)->SetComponentState(csConstructing, false);
        object->AfterConstruction();
    } catch (...) {
        TObject::Free(object);
        throw;
    }
    return object;
}

// Whether the text is a valid component name (an identifier; empty is allowed).
bool IsValidIdent(std::string_view name) noexcept;

}  // namespace vcl
