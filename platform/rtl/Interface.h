// Reference-counted interfaces. An interface derives virtually from IInterface; an object
// that implements one derives from TInterfacedObject, which counts references and frees
// the object (through its release rule, Free by default) when the last one goes. IPtr is
// the owning pointer that keeps the count.
#pragma once

#include "rtl/Object.h"

#include <utility>

namespace rtl {

class IInterface {
public:
    virtual int AddRef() noexcept = 0;
    virtual int Release() noexcept = 0;

protected:
    ~IInterface() = default;
};

class TInterfacedObject : public TObject, public virtual IInterface {
public:
    int AddRef() noexcept override { return ++refCount_; }
    // The last release runs LastReleased (which frees the object unless overridden).
    int Release() noexcept override {
        const int left = --refCount_;
        if (left == 0) LastReleased();
        return left;
    }
    int RefCount() const noexcept { return refCount_; }

protected:
    virtual void LastReleased() noexcept { TObject::Free(this); }

private:
    int refCount_ = 0;
};

template <class T>
class IPtr {
public:
    IPtr() = default;
    IPtr(std::nullptr_t) {}  // NOLINT
    explicit IPtr(T* p) : p_(p) {
        if (p_) p_->AddRef();
    }
    IPtr(const IPtr& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    IPtr(IPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <class U>
    IPtr(const IPtr<U>& o) : p_(o.Get()) {  // NOLINT: an interface converts to its base
        if (p_) p_->AddRef();
    }
    ~IPtr() { Reset(); }
    IPtr& operator=(IPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    void Reset() noexcept {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T& operator*() const noexcept { return *p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    friend bool operator==(const IPtr& a, const IPtr& b) noexcept { return a.p_ == b.p_; }

private:
    T* p_ = nullptr;
};

}  // namespace rtl
