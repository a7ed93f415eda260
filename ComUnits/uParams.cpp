#include "ComUnits/uParams.h"

#include "db/DB.h"

#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

#include <string_view>

namespace {

TMyParamType TypeOfVariant(const rtl::Variant& value) {
    switch (value.VarType()) {
    case rtl::varSmallint:
    case rtl::varInteger:
    case rtl::varShortInt:
    case rtl::varByte:
    case rtl::varWord: return ptInteger;
    case rtl::varSingle:
    case rtl::varDouble:
    case rtl::varLongWord: return ptFloat;
    case rtl::varDate: return ptDateTime;
    case rtl::varOleStr:
    case rtl::varString:
    case rtl::varUString: return ptString;
    case rtl::varBoolean: return ptBoolean;
    default: return ptUnknown;  // empty, null, currency, 64-bit, arrays
    }
}

// Pointer and object parameters carry no variant value: their events stay silent.
bool HoldsReference(TMyParamType type) { return type == ptPointer || type == ptPersistent; }

}  // namespace

RTL_DEFINE_CLASS(TMyParam, vcl::TCollectionItem)
RTL_DEFINE_CLASS(TMyParams, vcl::TCollection)

// ---------------------------------------------------------------------------------------
// TMyParam

void TMyParam::SetDataType(TMyParamType dataType) {
    if (dataType == FDataType) return;
    if (FDataType == ptPointer) PointerValue = nullptr;
    if (FDataType == ptPersistent) ObjectValue.reset();
    FDataType = dataType;
}

bool TMyParam::IsNull() const noexcept {
    switch (FDataType) {
    case ptPointer: return NullFlag || PointerValue == nullptr;
    case ptPersistent: return NullFlag || ObjectValue == nullptr;
    default: return NullFlag || StoredValue.IsClear();
    }
}

void TMyParam::BeforeGet() {
    if (OnBeforeGetParam) OnBeforeGetParam(this);
}

rtl::Variant TMyParam::GetValue() {
    if (!HoldsReference(FDataType)) BeforeGet();
    return StoredValue;
}

void TMyParam::SetValue(const rtl::Variant& value) {
    if (FReadOnly || FReadOnlyAlways) _ShowError(0);
    NullFlag = value.IsClear();
    if (FDataType == ptUnknown) FDataType = TypeOfVariant(value);
    StoredValue = value;
    if (HoldsReference(FDataType) || InAfterSet || !OnAfterSetParam) return;
    // A handler that writes the parameter again must not be called for its own write.
    struct Guard {
        bool& flag;
        explicit Guard(bool& f) : flag(f) { flag = true; }
        ~Guard() { flag = false; }
    } guard(InAfterSet);
    OnAfterSetParam(this);
}

bool TMyParam::AsBoolean() {
    BeforeGet();
    return IsNull() ? false : StoredValue.AsBoolean();
}

int TMyParam::AsInteger() {
    BeforeGet();
    return IsNull() ? 0 : StoredValue.AsInteger();
}

std::string TMyParam::AsString() {
    BeforeGet();
    if (IsNull()) return {};
    // A Boolean option reads as the same word a Boolean field shows.
    if (FDataType == ptBoolean) return StoredValue.AsBoolean() ? db::STextTrue : db::STextFalse;
    return StoredValue.AsString();
}

void TMyParam::SetAsBoolean(bool value) {
    FDataType = ptBoolean;
    SetValue(value);
}

void TMyParam::SetAsInteger(int value) {
    FDataType = ptInteger;
    SetValue(value);
}

void TMyParam::SetAsString(const std::string& value) {
    FDataType = ptString;
    SetValue(value);
}

void TMyParam::_ShowError(int code) const {
    std::string detail;
    switch (code) {
    case 0:
        detail = FReadOnlyAlways
                     ? "Parameter always is ReadOnly(FReadOnlyAlways=True)."
                     : "Parameter is ReadOnly (FReadOnly=True), for writing value execute SetReadOnLy(False).";
        break;
    case 1: detail = "\"" + FName + "\" parameter is not exists"; break;
    default: detail = "???";
    }
    throw rtl::EAssertionFailed("uParams.TMyParam._ShowError (Error " + std::to_string(2000 + code) +
                                    ") by operation \"" + FName + "\" : parameter" + std::string(rtl::sLineBreak) +
                                    detail,
                                "COMUNITS/uParams", 438);
}

// ---------------------------------------------------------------------------------------
// TMyParams

TMyParams::TMyParams() : vcl::TCollection(TMyParam::StaticClass(), [] { return new TMyParam; }) {}

TMyParam* TMyParams::Items(int index) const { return static_cast<TMyParam*>(vcl::TCollection::Items(index)); }

TMyParam* TMyParams::CreateParam(TMyParamType dataType, const std::string& name) {
    auto* param = static_cast<TMyParam*>(Add());
    param->SetName(name);
    param->SetDataType(dataType);
    return param;
}

TMyParam* TMyParams::FindParam(const std::string& name) const {
    for (int i = 0; i < Count(); ++i)
        if (TMyParam* param = Items(i); rtl::AnsiSameText(param->Name(), name)) return param;
    return nullptr;
}

TMyParam* TMyParams::ParamByName(const std::string& name) const {
    if (TMyParam* param = FindParam(name)) return param;
    // The message is the named parameter's own; a stand-alone one carries the name, so the
    // collection is left exactly as it was.
    TMyParam missing;
    missing.SetName(name);
    missing._ShowError(1);
}

void TMyParams::RemoveParam(TMyParam* param) {
    if (param && param->Collection() == this) param->SetCollection(nullptr);
}
