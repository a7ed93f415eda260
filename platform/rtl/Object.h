// The root of the platform's class tree. Every class has a metaclass: its name, its
// parent, an identity that can key a table, and the named properties its instances
// expose to code that reaches them by name. Objects are created with new and freed with
// Free(), which runs BeforeDestruction with full virtual dispatch before the destructor.
#pragma once

#include "rtl/Variant.h"

#include <cstdint>
#include <functional>
#include <type_traits>
#include <string>
#include <string_view>
#include <vector>

namespace rtl {

class TObject;
class TStringList;

enum class TPropKind { String, Integer, Boolean, Float, Strings, Object };

// One named property: how to read and write it on an instance of the class that
// declared it (or of a descendant). Strings and Object properties hand out pointers.
struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::String;
    std::function<Variant(const TObject&)> Get;
    std::function<void(TObject&, const Variant&)> Set;  // empty: read only
    std::function<TStringList*(TObject&)> GetStrings;    // for TPropKind::Strings
    std::function<TObject*(TObject&)> GetObject;         // for TPropKind::Object
    std::function<void(TObject&, TObject*)> SetObject;   // for TPropKind::Object; empty: read only
};

class TMetaClass {
public:
    TMetaClass(const char* name, const TMetaClass* parent, std::vector<TPropInfo> properties = {});
    TMetaClass(const TMetaClass&) = delete;
    TMetaClass& operator=(const TMetaClass&) = delete;

    const char* ClassName() const noexcept { return name_; }
    const TMetaClass* ClassParent() const noexcept { return parent_; }
    bool InheritsFrom(const TMetaClass& base) const noexcept;
    // A number that names the exact class for the life of the process.
    std::uintptr_t Identity() const noexcept { return reinterpret_cast<std::uintptr_t>(this); }
    // The property of that name (case-insensitive), looked up through the parents.
    const TPropInfo* FindProperty(std::string_view name) const;
    // Every property of the class and its parents, the class's own first.
    std::vector<const TPropInfo*> Properties() const;

private:
    const char* name_;
    const TMetaClass* parent_;
    std::vector<TPropInfo> properties_;
};

using TClass = const TMetaClass*;

// Declares the metaclass of a class inside its body; RTL_DEFINE_CLASS in the .cpp defines
// it. The definition lives in exactly one module, so every module sees one metaclass per
// class (no inline statics that a library could duplicate).
#define RTL_DECLARE_CLASS(Name)                                       \
public:                                                               \
    static const ::rtl::TMetaClass& StaticClass();                    \
    const ::rtl::TMetaClass& ClassType() const override;              \
                                                                      \
private:

#define RTL_DEFINE_CLASS(Name, Parent, ...)                                                        \
    const ::rtl::TMetaClass& Name::StaticClass() {                                                 \
        static const ::rtl::TMetaClass cls(#Name, &Parent::StaticClass(), {__VA_ARGS__});           \
        return cls;                                                                                \
    }                                                                                              \
    const ::rtl::TMetaClass& Name::ClassType() const { return StaticClass(); }

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = default;
    TObject& operator=(const TObject&) = default;
    virtual ~TObject() = default;

    static const TMetaClass& StaticClass();
    virtual const TMetaClass& ClassType() const;
    const char* ClassName() const noexcept { return ClassType().ClassName(); }
    bool InheritsFrom(const TMetaClass& base) const noexcept { return ClassType().InheritsFrom(base); }
    template <class T>
    bool Is() const noexcept {
        return InheritsFrom(T::StaticClass());
    }

    // The last step of construction and the first of destruction, with full dispatch.
    virtual void AfterConstruction() {}
    virtual void BeforeDestruction() {}
    // Runs BeforeDestruction, then deletes the object. Free of nullptr does nothing.
    static void Free(TObject* object);

    // Named properties (case-insensitive). Reading or writing a property the class does
    // not have raises EPropertyError naming the class and the property.
    bool HasProperty(std::string_view name) const { return ClassType().FindProperty(name) != nullptr; }
    Variant GetPropValue(std::string_view name) const;
    void SetPropValue(std::string_view name, const Variant& value);
    TStringList* GetStringsProp(std::string_view name);
    TObject* GetObjectProp(std::string_view name);
    // Links another object (nullptr unlinks); the property's class check raises
    // EInvalidCast for an object of the wrong class.
    void SetObjectProp(std::string_view name, TObject* value);
};

// Raises EInvalidCast unless the object is of class T or a descendant; nullptr passes.
template <class T>
T* As(TObject* object);
template <class T>
const T* As(const TObject* object);

[[noreturn]] void RaiseInvalidCast(const TObject& object, const TMetaClass& target);

template <class T>
T* As(TObject* object) {
    if (object && !object->InheritsFrom(T::StaticClass())) RaiseInvalidCast(*object, T::StaticClass());
    return static_cast<T*>(object);
}

template <class T>
const T* As(const TObject* object) {
    if (object && !object->InheritsFrom(T::StaticClass())) RaiseInvalidCast(*object, T::StaticClass());
    return static_cast<const T*>(object);
}

// Deleter for owning pointers of platform objects.
struct TObjectFree {
    void operator()(TObject* object) const { TObject::Free(object); }
};

}  // namespace rtl

namespace rtl {

// Property descriptions from member functions, for RTL_DEFINE_CLASS lists:
//   rtl::Prop<TControl>("Caption", &TControl::Caption, &TControl::SetCaption)
// The kind follows the getter's type (text, Boolean, integer, float).
namespace detail {
template <class T>
constexpr TPropKind KindOf() {
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_same_v<U, bool>) return TPropKind::Boolean;
    else if constexpr (std::is_integral_v<U> || std::is_enum_v<U>) return TPropKind::Integer;
    else if constexpr (std::is_floating_point_v<U>) return TPropKind::Float;
    else return TPropKind::String;
}
template <class T>
Variant ToVariant(const T& v) {
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_enum_v<U>) return Variant(static_cast<int>(v));
    else if constexpr (std::is_same_v<U, std::string>) return Variant(v);
    else return Variant(v);
}
template <class T>
std::remove_cvref_t<T> FromVariant(const Variant& v) {
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_same_v<U, bool>) return v.AsBoolean();
    else if constexpr (std::is_enum_v<U>) return static_cast<U>(v.AsInteger());
    else if constexpr (std::is_integral_v<U>) return static_cast<U>(v.AsInt64());
    else if constexpr (std::is_floating_point_v<U>) return static_cast<U>(v.AsDouble());
    else return v.AsString();
}
template <class M>
struct MemberTraits;
template <class C, class R>
struct MemberTraits<R (C::*)() const> {
    using Result = R;
};
template <class C, class R>
struct MemberTraits<R (C::*)() const noexcept> {
    using Result = R;
};
template <class C, class A>
struct MemberTraits<void (C::*)(A)> {
    using Arg = A;
};
template <class C, class A>
struct MemberTraits<void (C::*)(A) noexcept> {
    using Arg = A;
};
}  // namespace detail

template <class C, class G>
TPropInfo Prop(const char* name, G get) {
    using R = typename detail::MemberTraits<G>::Result;
    TPropInfo p;
    p.Name = name;
    p.Kind = detail::KindOf<R>();
    p.Get = [get](const TObject& o) { return detail::ToVariant((static_cast<const C&>(o).*get)()); };
    return p;
}

template <class C, class G, class S>
TPropInfo Prop(const char* name, G get, S set) {
    TPropInfo p = Prop<C>(name, get);
    using A = typename detail::MemberTraits<S>::Arg;
    p.Set = [set](TObject& o, const Variant& v) { (static_cast<C&>(o).*set)(detail::FromVariant<A>(v)); };
    return p;
}

template <class C>
TPropInfo StringsProp(const char* name, TStringList* (C::*get)()) {
    TPropInfo p;
    p.Name = name;
    p.Kind = TPropKind::Strings;
    p.GetStrings = [get](TObject& o) { return (static_cast<C&>(o).*get)(); };
    return p;
}

// A link to another object: rtl::ObjectProp<TEditPanel>("SourceReference", &get, &set).
// Writing checks the object's class (EInvalidCast) before the setter sees it.
template <class C, class T>
TPropInfo ObjectProp(const char* name, T* (C::*get)() const, void (C::*set)(T*)) {
    TPropInfo p;
    p.Name = name;
    p.Kind = TPropKind::Object;
    p.GetObject = [get](TObject& o) -> TObject* { return (static_cast<C&>(o).*get)(); };
    p.SetObject = [set](TObject& o, TObject* v) { (static_cast<C&>(o).*set)(As<T>(v)); };
    return p;
}

}  // namespace rtl
