#include "rtl/Object.h"

#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

namespace rtl {

TMetaClass::TMetaClass(const char* name, const TMetaClass* parent, std::vector<TPropInfo> properties)
    : name_(name), parent_(parent), properties_(std::move(properties)) {}

bool TMetaClass::InheritsFrom(const TMetaClass& base) const noexcept {
    for (const TMetaClass* c = this; c; c = c->parent_)
        if (c == &base) return true;
    return false;
}

const TPropInfo* TMetaClass::FindProperty(std::string_view name) const {
    for (const TMetaClass* c = this; c; c = c->parent_)
        for (const auto& p : c->properties_)
            if (SameText(p.Name, name)) return &p;
    return nullptr;
}

std::vector<const TPropInfo*> TMetaClass::Properties() const {
    std::vector<const TPropInfo*> out;
    for (const TMetaClass* c = this; c; c = c->parent_)
        for (const auto& p : c->properties_) {
            bool hidden = false;  // a descendant's property of the same name hides the parent's
            for (const TPropInfo* q : out)
                if (SameText(q->Name, p.Name)) hidden = true;
            if (!hidden) out.push_back(&p);
        }
    return out;
}

const TMetaClass& TObject::StaticClass() {
    static const TMetaClass cls("TObject", nullptr);
    return cls;
}

const TMetaClass& TObject::ClassType() const { return StaticClass(); }

void TObject::Free(TObject* object) {
    if (!object) return;
    object->BeforeDestruction();
    delete object;
}

namespace {

const TPropInfo& Property(const TObject& object, std::string_view name) {
    const TPropInfo* p = object.ClassType().FindProperty(name);
    if (!p)
        throw EPropertyError(std::string("Property \"") + std::string(name) + "\" does not exist in class " +
                             object.ClassName());
    return *p;
}

}  // namespace

Variant TObject::GetPropValue(std::string_view name) const {
    const TPropInfo& p = Property(*this, name);
    if (!p.Get) throw EPropertyError(std::string("Property \"") + p.Name + "\" of " + ClassName() + " is not a value");
    return p.Get(*this);
}

void TObject::SetPropValue(std::string_view name, const Variant& value) {
    const TPropInfo& p = Property(*this, name);
    if (!p.Set) throw EPropertyError(std::string("Property \"") + p.Name + "\" of " + ClassName() + " is read only");
    p.Set(*this, value);
}

TStringList* TObject::GetStringsProp(std::string_view name) {
    const TPropInfo& p = Property(*this, name);
    if (!p.GetStrings) throw EPropertyError(std::string("Property \"") + p.Name + "\" of " + ClassName() + " is not a list of strings");
    return p.GetStrings(*this);
}

TObject* TObject::GetObjectProp(std::string_view name) {
    const TPropInfo& p = Property(*this, name);
    if (!p.GetObject) throw EPropertyError(std::string("Property \"") + p.Name + "\" of " + ClassName() + " is not an object");
    return p.GetObject(*this);
}

void TObject::SetObjectProp(std::string_view name, TObject* value) {
    const TPropInfo& p = Property(*this, name);
    if (!p.SetObject)
        throw EPropertyError(std::string("Property \"") + p.Name + "\" of " + ClassName() + " is not a writable object link");
    p.SetObject(*this, value);
}

void RaiseInvalidCast(const TObject& object, const TMetaClass& target) {
    throw EInvalidCast(std::string("Invalid class typecast: ") + object.ClassName() + " is not " + target.ClassName());
}

}  // namespace rtl
