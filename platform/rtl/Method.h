// Method pointers: an object and one of its member functions, as the platform's events
// are. A method is callable, may be empty, and compares by code (which function) and by
// data (which object), so a hook can keep the previous handler and call it first, and a
// registry can refuse a handler whose code it already holds.
#pragma once

#include <cstring>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace rtl {

template <class Signature>
class TMethod;

template <class R, class... A>
class TMethod<R(A...)> {
public:
    TMethod() = default;
    TMethod(std::nullptr_t) {}  // NOLINT: an event is cleared by assigning nil

    // obj->*fn as a method; obj is not owned.
    template <class T, class F>
        requires std::is_member_function_pointer_v<F>
    TMethod(T* obj, F fn) : data_(obj), thunk_(&Call<T, F>) {
        static_assert(sizeof(F) <= sizeof(code_), "member function pointer too large");
        std::memcpy(code_, &fn, sizeof(F));
    }

    // A free callable as a method (tests, glue code). Its code identity is the callable
    // object itself, so two separately made functions never compare equal.
    template <class Fn>
        requires(!std::is_member_function_pointer_v<std::decay_t<Fn>> && std::is_invocable_r_v<R, Fn&, A...> &&
                 !std::is_same_v<std::decay_t<Fn>, TMethod>)
    static TMethod FromFunction(Fn fn) {
        TMethod m;
        auto holder = std::make_shared<std::function<R(A...)>>(std::move(fn));
        m.data_ = holder.get();
        m.keep_ = holder;
        m.thunk_ = &CallFunction;
        const void* id = holder.get();
        std::memcpy(m.code_, &id, sizeof id);
        return m;
    }

    explicit operator bool() const noexcept { return thunk_ != nullptr; }
    bool Assigned() const noexcept { return thunk_ != nullptr; }

    R operator()(A... args) const { return thunk_(data_, code_, std::forward<A>(args)...); }

    void* Data() const noexcept { return data_; }
    // Same function, whatever the object.
    bool SameCode(const TMethod& other) const noexcept {
        return thunk_ == other.thunk_ && std::memcmp(code_, other.code_, sizeof code_) == 0;
    }
    friend bool operator==(const TMethod& a, const TMethod& b) noexcept { return a.SameCode(b) && a.data_ == b.data_; }

private:
    using Thunk = R (*)(void*, const unsigned char*, A...);

    // GCC cannot see that fn is no virtual member once it comes out of memcpy, so the
    // call reads as a possible vtable load from the object; on a class smaller than a
    // pointer, or not yet written past its first field, that is reported as an
    // out-of-bounds or uninitialised read. It is neither.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
    template <class T, class F>
    static R Call(void* data, const unsigned char* code, A... args) {
        F fn;
        std::memcpy(&fn, code, sizeof(F));
        return (static_cast<T*>(data)->*fn)(std::forward<A>(args)...);
    }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
    static R CallFunction(void* data, const unsigned char*, A... args) {
        return (*static_cast<std::function<R(A...)>*>(data))(std::forward<A>(args)...);
    }

    void* data_ = nullptr;
    Thunk thunk_ = nullptr;
    alignas(void*) unsigned char code_[2 * sizeof(void*)] = {};
    std::shared_ptr<void> keep_;
};

}  // namespace rtl
