// Named, typed parameters: the report window hands its options to a report as a TMyParams
// collection, and the report reads them back by name. A parameter holds one value, knows
// its data type and whether it is null, announces writes and reads through two events, and
// refuses writes while read-only. Misuse ends in an assertion failure with a numbered message.
#pragma once

#include "rtl/Method.h"
#include "rtl/Object.h"
#include "rtl/Variant.h"
#include "vcl/Collection.h"

#include <memory>
#include <string>

enum TMyParamType {
    ptUnknown,
    ptString,
    ptInteger,
    ptBoolean,
    ptFloat,
    ptDate,
    ptTime,
    ptDateTime,
    ptVariant,
    ptPointer,
    ptPersistent,
};

using TMyParamNotifyEvent = rtl::TMethod<void(rtl::TObject* sender)>;

class TMyParam : public vcl::TCollectionItem {
    RTL_DECLARE_CLASS(TMyParam)
public:
    TMyParam() = default;

    const std::string& Name() const noexcept { return FName; }
    void SetName(const std::string& name) { FName = name; }
    TMyParamType DataType() const noexcept { return FDataType; }
    // Leaving ptPointer forgets the pointer, leaving ptPersistent frees the object.
    void SetDataType(TMyParamType dataType);

    bool IsNull() const noexcept;

    // Unless the parameter holds a pointer or an object: OnBeforeGetParam, then the value.
    rtl::Variant GetValue();
    // Refused while read-only. An untyped parameter takes the type of the first value
    // written; a typed one keeps its type. OnAfterSetParam follows, never re-entered.
    void SetValue(const rtl::Variant& value);
    rtl::Variant Value() { return GetValue(); }
    rtl::Variant ValueAsPointer() { return GetValue(); }
    void SetValueAsPointer(const rtl::Variant& value) { SetValue(value); }

    // The readers call OnBeforeGetParam, then give False, 0 or "" for a null parameter.
    bool AsBoolean();
    int AsInteger();
    // A Boolean parameter reads as "True" or "False".
    std::string AsString();
    // The writers set the type first (no clean-up of a previous pointer or object type).
    void SetAsBoolean(bool value);
    void SetAsInteger(int value);
    void SetAsString(const std::string& value);

    // While read-only, every write fails with error 2000. SetReadOnlyAlways cannot be undone.
    bool ReadOnly() const noexcept { return FReadOnly || FReadOnlyAlways; }
    void SetReadOnly(bool value) noexcept { FReadOnly = value; }
    void SetReadOnlyAlways() noexcept { FReadOnlyAlways = true; }

    // Fails with the parameter error of that code (2000 + code).
    [[noreturn]] void _ShowError(int code) const;

    TMyParamNotifyEvent OnAfterSetParam;
    TMyParamNotifyEvent OnBeforeGetParam;

private:
    void BeforeGet();

    bool InAfterSet = false;
    rtl::Variant StoredValue;
    void* PointerValue = nullptr;
    std::unique_ptr<rtl::TObject, rtl::TObjectFree> ObjectValue;
    bool NullFlag = true;
    std::string FName;
    TMyParamType FDataType = ptUnknown;
    bool FReadOnly = false;
    bool FReadOnlyAlways = false;
};

class TMyParams : public vcl::TCollection {
    RTL_DECLARE_CLASS(TMyParams)
public:
    TMyParams();

    TMyParam* Items(int index) const;
    // Appends a parameter of that type and name; names are not checked for duplicates.
    TMyParam* CreateParam(TMyParamType dataType, const std::string& name);
    // The first parameter of that name (case-insensitive), or nullptr.
    TMyParam* FindParam(const std::string& name) const;
    // As FindParam; a missing name fails with error 2001 and leaves the collection as it was.
    TMyParam* ParamByName(const std::string& name) const;
    // Takes the parameter out of this collection without freeing it; the caller owns it then.
    void RemoveParam(TMyParam* param);
};
