#include "db/Fields.h"

#include "db/DataSet.h"
#include "rtl/Convert.h"
#include "rtl/Format.h"
#include "rtl/Strings.h"
#include "rtl/Utf8.h"

#include <cmath>
#include <limits>

namespace db {

RTL_DEFINE_CLASS(TField, vcl::TComponent,
                 rtl::Prop<TField>("FieldName", &TField::FieldName, &TField::SetFieldName),
                 rtl::Prop<TField>("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel),
                 rtl::Prop<TField>("DisplayWidth", &TField::DisplayWidth, &TField::SetDisplayWidth),
                 rtl::Prop<TField>("Visible", &TField::Visible, &TField::SetVisible),
                 rtl::Prop<TField>("Required", &TField::Required, &TField::SetRequired),
                 rtl::Prop<TField>("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly),
                 rtl::Prop<TField>("Size", &TField::Size, &TField::SetSize),
                 rtl::Prop<TField>("DisplayFormat", &TField::DisplayFormat, &TField::SetDisplayFormat))
RTL_DEFINE_CLASS(TStringField, TField)
RTL_DEFINE_CLASS(TWideStringField, TStringField)
RTL_DEFINE_CLASS(TMemoField, TStringField)
RTL_DEFINE_CLASS(TBlobField, TStringField)
RTL_DEFINE_CLASS(TIntegerField, TField)
RTL_DEFINE_CLASS(TSmallintField, TIntegerField)
RTL_DEFINE_CLASS(TWordField, TIntegerField)
RTL_DEFINE_CLASS(TAutoIncField, TIntegerField)
RTL_DEFINE_CLASS(TLargeintField, TIntegerField)
RTL_DEFINE_CLASS(TBooleanField, TField)
RTL_DEFINE_CLASS(TFloatField, TField)
RTL_DEFINE_CLASS(TCurrencyField, TFloatField)
RTL_DEFINE_CLASS(TBCDField, TFloatField)
RTL_DEFINE_CLASS(TFMTBCDField, TFloatField)
RTL_DEFINE_CLASS(TDateTimeField, TField)
RTL_DEFINE_CLASS(TDateField, TDateTimeField)
RTL_DEFINE_CLASS(TTimeField, TDateTimeField)
RTL_DEFINE_CLASS(TSQLTimeStampField, TDateTimeField)
RTL_DEFINE_CLASS(TVariantField, TField)

const char* FieldTypeName(TFieldType t) noexcept {
    static const char* const kNames[] = {
        "Unknown", "String", "Smallint", "Integer", "Word", "Boolean", "Float", "Currency", "BCD", "Date", "Time",
        "DateTime", "Bytes", "VarBytes", "AutoInc", "Blob", "Memo", "Graphic", "FmtMemo", "FixedChar", "WideString",
        "Largeint", "Variant", "TimeStamp", "FMTBcd", "WideMemo"};
    return kNames[static_cast<int>(t)];
}

// ------------------------------------------------------------------ TField

TField::TField(vcl::TComponent* owner) : vcl::TComponent(owner) {}

TField::~TField() {
    if (dataSet_) {
        dataSet_->fields_.erase(std::remove(dataSet_->fields_.begin(), dataSet_->fields_.end(), this), dataSet_->fields_.end());
        dataSet_->RemoveFreeNotification(this);
    }
    if (lookupDataSet_) lookupDataSet_->RemoveFreeNotification(this);
}

void TField::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation != vcl::TOperation::opRemove) return;
    if (component == dataSet_) dataSet_ = nullptr;
    if (component == lookupDataSet_) lookupDataSet_ = nullptr;
}

void TField::SetDataSet(TDataSet* dataSet) {
    if (dataSet == dataSet_) return;
    if (dataSet_) {
        dataSet_->RemoveField(this);
        dataSet_->RemoveFreeNotification(this);
    }
    if (dataSet) {
        if (!fieldName_.empty() && dataSet->FindField(fieldName_))
            throw EDatabaseError((dataSet->Name().empty() ? std::string() : dataSet->Name() + ": ") +
                                 "Duplicate field name '" + fieldName_ + "'");
        dataSet->AddField(this);
        dataSet->FreeNotification(this);
    }
    dataSet_ = dataSet;
}

void TField::SetFieldName(const std::string& v) {
    if (dataSet_ && dataSet_->Active()) throw EDatabaseError("Cannot perform this operation on an open dataset");
    fieldName_ = v;
}

void TField::SetFieldKind(TFieldKind v) {
    if (dataSet_ && dataSet_->Active()) throw EDatabaseError("Cannot perform this operation on an open dataset");
    fieldKind_ = v;
}

void TField::SetVisible(bool v) { visible_ = v; }

void TField::SetSize(int v) {
    if (dataSet_ && dataSet_->Active()) throw EDatabaseError("Cannot perform this operation on an open dataset");
    size_ = v;
}

void TField::SetLookupDataSet(TDataSet* ds) {
    if (lookupDataSet_) lookupDataSet_->RemoveFreeNotification(this);
    lookupDataSet_ = ds;
    if (ds) ds->FreeNotification(this);
}

int TField::Index() const {
    if (!dataSet_) return -1;
    for (int i = 0; i < dataSet_->FieldCount(); ++i)
        if (dataSet_->Fields(i) == this) return i;
    return -1;
}

int TField::DisplayWidth() const { return displayWidth_ > 0 ? displayWidth_ : DefaultWidth(); }

int TField::DefaultWidth() const {
    switch (dataType_) {
    case TFieldType::ftString: case TFieldType::ftFixedChar: case TFieldType::ftWideString: return size_;
    case TFieldType::ftDate: case TFieldType::ftTime: return 10;
    case TFieldType::ftDateTime: case TFieldType::ftTimeStamp: return 18;
    default: return 10;
    }
}

void TField::AccessError(const char* typeName) const {
    throw EDatabaseError("Cannot access field '" + DisplayLabel() + "' as type " + typeName);
}

bool TField::CellNull() const { return !dataSet_ || dataSet_->CellIsNull(*this); }
std::int64_t TField::CellInt() const { return dataSet_ ? dataSet_->CellInt(*this) : 0; }
double TField::CellFloat() const { return dataSet_ ? dataSet_->CellFloat(*this) : 0.0; }
std::string_view TField::CellText() const { return dataSet_ ? dataSet_->CellText(*this) : std::string_view(); }
rtl::Variant TField::CellVar() const { return dataSet_ ? dataSet_->CellVar(*this) : rtl::Variant::Null(); }

void TField::CheckWritable() {
    if (!dataSet_) throw EDatabaseError("Field '" + DisplayLabel() + "' has no dataset");
    if (readOnly_ && dataSet_->State() != TDataSetState::dsCalcFields)
        throw EDatabaseError("Field '" + DisplayLabel() + "' cannot be modified");
    dataSet_->CheckCanModify(*this);
}

namespace {
// Runs a write on the field's cell. The previous value is kept only when OnValidate may
// refuse the new one and it must be restored.
template <class Fn>
void WriteCell(TDataSet& ds, TField& f, Fn&& fn) {
    TCell& cell = ds.WritableCell(f);
    if (f.OnValidate) {
        const TCell previous = cell;
        fn(cell);
        ds.FieldWritten(f, &previous);
    } else {
        fn(cell);
        ds.FieldWritten(f, nullptr);
    }
}
}  // namespace

// A cell holds the value in the member its column kind reads; the others are left alone
// (their storage is reused from record to record).
void TField::PutNull() {
    CheckWritable();
    WriteCell(*dataSet_, *this, [](TCell& c) {
        c.Null = true;
        c.Var = rtl::Variant();
    });
}

void TField::PutInt(std::int64_t v) {
    CheckWritable();
    WriteCell(*dataSet_, *this, [v](TCell& c) {
        c.Null = false;
        c.Int = v;
        c.Float = static_cast<double>(v);
    });
}

void TField::PutFloat(double v) {
    CheckWritable();
    if (!std::isfinite(v)) throw EDatabaseError(rtl::FloatToStr(v) + " is not a valid value for field '" + DisplayLabel() + "'");
    WriteCell(*dataSet_, *this, [v](TCell& c) {
        c.Null = false;
        c.Float = v;
    });
}

void TField::PutText(std::string_view v) {
    CheckWritable();
    WriteCell(*dataSet_, *this, [v](TCell& c) {
        c.Null = false;
        c.Text.assign(v);
    });
}

void TField::PutVar(const rtl::Variant& v) {
    CheckWritable();
    WriteCell(*dataSet_, *this, [&v](TCell& c) {
        c.Null = v.IsClear();
        c.Var = v;
    });
}

bool TField::IsNull() const { return CellNull(); }
void TField::Clear() { PutNull(); }

std::string TField::GetAsString() const { AccessError("String"); }
void TField::SetAsString(const std::string&) { AccessError("String"); }
std::int64_t TField::GetAsLargeInt() const { AccessError("Integer"); }
void TField::SetAsInteger(std::int64_t) { AccessError("Integer"); }
double TField::GetAsFloat() const { AccessError("Float"); }
void TField::SetAsFloat(double) { AccessError("Float"); }
bool TField::GetAsBoolean() const { AccessError("Boolean"); }
void TField::SetAsBoolean(bool) { AccessError("Boolean"); }
rtl::TDateTime TField::GetAsDateTime() const { AccessError("DateTime"); }
void TField::SetAsDateTime(rtl::TDateTime) { AccessError("DateTime"); }
rtl::Currency TField::GetAsCurrency() const { return rtl::Currency::FromDouble(GetAsFloat()); }
rtl::Variant TField::GetAsVariant() const { AccessError("Variant"); }
void TField::SetAsVariant(const rtl::Variant&) { AccessError("Variant"); }

int TField::GetAsInteger() const {
    const std::int64_t v = GetAsLargeInt();
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        throw rtl::EConvertError(std::to_string(v) + " is not a valid integer value for field '" + DisplayLabel() + "'");
    return static_cast<int>(v);
}

std::string TField::GetText(bool) const { return GetAsString(); }

std::string TField::DisplayText() const {
    if (OnGetText) {
        std::string text;
        OnGetText(const_cast<TField*>(this), text, true);
        return text;
    }
    return GetText(true);
}

std::string TField::Text() const {
    if (OnGetText) {
        std::string text;
        OnGetText(const_cast<TField*>(this), text, false);
        return text;
    }
    return GetText(false);
}

void TField::SetText(const std::string& v) {
    if (OnSetText) OnSetText(this, v);
    else SetAsString(v);
}

// ------------------------------------------------------------------ texts


TStringField::TStringField(vcl::TComponent* owner) : TField(owner) {
    SetDataType(TFieldType::ftString);
    SetSize(20);
}
TWideStringField::TWideStringField(vcl::TComponent* owner) : TStringField(owner) { SetDataType(TFieldType::ftWideString); }
TMemoField::TMemoField(vcl::TComponent* owner) : TStringField(owner) {
    SetDataType(TFieldType::ftMemo);
    SetSize(0);
}
TBlobField::TBlobField(vcl::TComponent* owner) : TStringField(owner) {
    SetDataType(TFieldType::ftBlob);
    SetSize(0);
}

std::string TStringField::GetAsString() const {
    std::string s(CellText());
    if (fixedChar_) s = rtl::TrimRight(s);
    return s;
}

void TStringField::SetAsString(const std::string& v) {
    // A text field keeps at most Size characters, as the platform cuts longer ones.
    const bool limited = Size() > 0 && (DataType() == TFieldType::ftString || DataType() == TFieldType::ftWideString ||
                                        DataType() == TFieldType::ftFixedChar);
    std::string text = limited ? rtl::Utf8Left(v, static_cast<std::size_t>(Size())) : v;
    if (fixedChar_ && limited) {
        const std::size_t len = rtl::Utf8Length(text);
        if (len < static_cast<std::size_t>(Size())) text.append(static_cast<std::size_t>(Size()) - len, ' ');
    }
    PutText(text);
}

std::int64_t TStringField::GetAsLargeInt() const { return IsNull() ? 0 : rtl::StrToInt64(rtl::Trim(GetAsString())); }
void TStringField::SetAsInteger(std::int64_t v) { SetAsString(std::to_string(v)); }
double TStringField::GetAsFloat() const { return IsNull() ? 0.0 : rtl::StrToFloat(rtl::Trim(GetAsString())); }
void TStringField::SetAsFloat(double v) { SetAsString(rtl::FloatToStr(v)); }
bool TStringField::GetAsBoolean() const {
    const std::string s = rtl::Trim(GetAsString());
    if (s.empty()) return false;
    const std::string u = rtl::AnsiUpperCase(s.substr(0, 1));
    if (u == "T" || u == "Y") return true;
    if (u == "F" || u == "N") return false;
    return rtl::StrToBool(s);
}
void TStringField::SetAsBoolean(bool v) { SetAsString(v ? "T" : "F"); }
rtl::TDateTime TStringField::GetAsDateTime() const { return IsNull() ? rtl::TDateTime(0) : rtl::StrToDateTime(GetAsString()); }
void TStringField::SetAsDateTime(rtl::TDateTime v) { SetAsString(rtl::DateTimeToStr(v)); }
rtl::Variant TStringField::GetAsVariant() const { return IsNull() ? rtl::Variant::Null() : rtl::Variant(GetAsString()); }
void TStringField::SetAsVariant(const rtl::Variant& v) {
    if (v.IsClear()) PutNull();
    else SetAsString(v.AsString());
}

// ------------------------------------------------------------------ integers

TIntegerField::TIntegerField(vcl::TComponent* owner) : TField(owner) {
    SetDataType(TFieldType::ftInteger);
    SetAlignment(TAlignment::taRightJustify);
}
TSmallintField::TSmallintField(vcl::TComponent* owner) : TIntegerField(owner) { SetDataType(TFieldType::ftSmallint); }
TWordField::TWordField(vcl::TComponent* owner) : TIntegerField(owner) { SetDataType(TFieldType::ftWord); }
TAutoIncField::TAutoIncField(vcl::TComponent* owner) : TIntegerField(owner) { SetDataType(TFieldType::ftAutoInc); }
TLargeintField::TLargeintField(vcl::TComponent* owner) : TIntegerField(owner) { SetDataType(TFieldType::ftLargeint); }

void TIntegerField::Range(std::int64_t& lo, std::int64_t& hi) const {
    switch (DataType()) {
    case TFieldType::ftSmallint: lo = INT16_MIN, hi = INT16_MAX; break;
    case TFieldType::ftWord: lo = 0, hi = UINT16_MAX; break;
    case TFieldType::ftLargeint: lo = INT64_MIN, hi = INT64_MAX; break;
    default: lo = INT32_MIN, hi = INT32_MAX; break;
    }
    if (MinValue != 0 || MaxValue != 0) lo = std::max(lo, MinValue), hi = std::min(hi, MaxValue);
}

std::string TIntegerField::GetAsString() const { return IsNull() ? std::string() : std::to_string(CellInt()); }
void TIntegerField::SetAsString(const std::string& v) {
    if (rtl::Trim(v).empty()) PutNull();
    else SetAsInteger(rtl::StrToInt64(v));
}
std::int64_t TIntegerField::GetAsLargeInt() const { return IsNull() ? 0 : CellInt(); }
void TIntegerField::SetAsInteger(std::int64_t v) {
    std::int64_t lo, hi;
    Range(lo, hi);
    if (v < lo || v > hi)
        throw EDatabaseError(std::to_string(v) + " is not a valid value for field '" + DisplayLabel() +
                             "'. The allowed range is " + std::to_string(lo) + " to " + std::to_string(hi));
    PutInt(v);
}
double TIntegerField::GetAsFloat() const { return static_cast<double>(GetAsLargeInt()); }
void TIntegerField::SetAsFloat(double v) { SetAsInteger(rtl::Variant(v).AsInt64()); }
bool TIntegerField::GetAsBoolean() const { return GetAsLargeInt() != 0; }
void TIntegerField::SetAsBoolean(bool v) { SetAsInteger(v ? 1 : 0); }
rtl::Variant TIntegerField::GetAsVariant() const {
    if (IsNull()) return rtl::Variant::Null();
    const std::int64_t v = CellInt();
    switch (DataType()) {
    case TFieldType::ftSmallint: return rtl::Variant(static_cast<std::int16_t>(v));
    case TFieldType::ftWord: return rtl::Variant(static_cast<std::uint16_t>(v));
    case TFieldType::ftLargeint: return rtl::Variant(static_cast<long long>(v));
    default: return rtl::Variant(static_cast<std::int32_t>(v));
    }
}
void TIntegerField::SetAsVariant(const rtl::Variant& v) {
    if (v.IsClear()) PutNull();
    else if (v.IsString()) SetAsString(v.AsString());
    else SetAsInteger(v.AsInt64());
}
std::string TIntegerField::GetText(bool displayText) const {
    if (IsNull()) return {};
    const std::string& fmt = displayText || EditFormat().empty() ? DisplayFormat() : EditFormat();
    return fmt.empty() ? GetAsString() : rtl::FormatFloat(fmt, static_cast<double>(CellInt()));
}

// ------------------------------------------------------------------ Boolean

TBooleanField::TBooleanField(vcl::TComponent* owner) : TField(owner) { SetDataType(TFieldType::ftBoolean); }

std::string TBooleanField::Word(bool v) const {
    if (DisplayValues.empty()) return v ? STextTrue : STextFalse;
    const auto semi = DisplayValues.find(';');
    if (semi == std::string::npos) return v ? DisplayValues : std::string();
    return v ? DisplayValues.substr(0, semi) : DisplayValues.substr(semi + 1);
}

int TBooleanField::DefaultWidth() const {
    return static_cast<int>(std::max(rtl::Utf8Length(Word(true)), rtl::Utf8Length(Word(false))));
}

std::string TBooleanField::GetAsString() const { return IsNull() ? std::string() : Word(CellInt() != 0); }

void TBooleanField::SetAsString(const std::string& v) {
    const std::string t = rtl::Trim(v);
    if (t.empty()) {
        PutNull();
        return;
    }
    auto matches = [&](const std::string& word) {
        return !word.empty() && rtl::AnsiStartsText(t, word);
    };
    if (matches(Word(true))) SetAsBoolean(true);
    else if (matches(Word(false))) SetAsBoolean(false);
    else throw rtl::EConvertError("'" + v + "' is not a valid boolean value for field '" + DisplayLabel() + "'");
}

std::int64_t TBooleanField::GetAsLargeInt() const { return IsNull() ? 0 : (CellInt() != 0 ? 1 : 0); }
void TBooleanField::SetAsInteger(std::int64_t v) { SetAsBoolean(v != 0); }
bool TBooleanField::GetAsBoolean() const { return !IsNull() && CellInt() != 0; }
void TBooleanField::SetAsBoolean(bool v) { PutInt(v ? 1 : 0); }
rtl::Variant TBooleanField::GetAsVariant() const { return IsNull() ? rtl::Variant::Null() : rtl::Variant(CellInt() != 0); }
void TBooleanField::SetAsVariant(const rtl::Variant& v) {
    if (v.IsClear()) PutNull();
    else if (v.IsString()) SetAsString(v.AsString());
    else SetAsBoolean(v.AsBoolean());
}

// ------------------------------------------------------------------ floats

TFloatField::TFloatField(vcl::TComponent* owner) : TField(owner) {
    SetDataType(TFieldType::ftFloat);
    SetAlignment(TAlignment::taRightJustify);
}
TCurrencyField::TCurrencyField(vcl::TComponent* owner) : TFloatField(owner) {
    SetDataType(TFieldType::ftCurrency);
    currency_ = true;
}
TBCDField::TBCDField(vcl::TComponent* owner) : TFloatField(owner) { SetDataType(TFieldType::ftBCD); }
TFMTBCDField::TFMTBCDField(vcl::TComponent* owner) : TFloatField(owner) { SetDataType(TFieldType::ftFMTBcd); }

std::string TFloatField::GetAsString() const {
    return IsNull() ? std::string() : rtl::FloatToStrF(CellFloat(), rtl::TFloatFormat::ffGeneral, Precision, 0);
}
void TFloatField::SetAsString(const std::string& v) {
    if (rtl::Trim(v).empty()) PutNull();
    else SetAsFloat(rtl::StrToFloat(rtl::Trim(v)));
}
std::int64_t TFloatField::GetAsLargeInt() const { return IsNull() ? 0 : rtl::Variant(CellFloat()).AsInt64(); }
void TFloatField::SetAsInteger(std::int64_t v) { SetAsFloat(static_cast<double>(v)); }
double TFloatField::GetAsFloat() const { return IsNull() ? 0.0 : CellFloat(); }
void TFloatField::SetAsFloat(double v) {
    if ((MinValue != 0 || MaxValue != 0) && (v < MinValue || v > MaxValue))
        throw EDatabaseError(rtl::FloatToStr(v) + " is not a valid value for field '" + DisplayLabel() +
                             "'. The allowed range is " + rtl::FloatToStr(MinValue) + " to " + rtl::FloatToStr(MaxValue));
    PutFloat(v);
}
rtl::Variant TFloatField::GetAsVariant() const { return IsNull() ? rtl::Variant::Null() : rtl::Variant(CellFloat()); }
void TFloatField::SetAsVariant(const rtl::Variant& v) {
    if (v.IsClear()) PutNull();
    else if (v.IsString()) SetAsString(v.AsString());
    else SetAsFloat(v.AsDouble());
}
rtl::Currency TFloatField::GetAsCurrency() const { return rtl::Currency::FromDouble(GetAsFloat()); }
std::string TFloatField::GetText(bool displayText) const {
    if (IsNull()) return {};
    const double v = CellFloat();
    const std::string& fmt = displayText || EditFormat().empty() ? DisplayFormat() : EditFormat();
    if (!fmt.empty()) return rtl::FormatFloat(fmt, v);
    if (currency_) {
        return displayText ? rtl::FloatToStrF(v, rtl::TFloatFormat::ffCurrency, 15, rtl::FormatSettings().CurrencyDecimals)
                           : rtl::FloatToStrF(v, rtl::TFloatFormat::ffFixed, 15, rtl::FormatSettings().CurrencyDecimals);
    }
    return rtl::FloatToStrF(v, rtl::TFloatFormat::ffGeneral, Precision, 0);
}

// ------------------------------------------------------------------ dates and times

TDateTimeField::TDateTimeField(vcl::TComponent* owner) : TField(owner) { SetDataType(TFieldType::ftDateTime); }
TDateField::TDateField(vcl::TComponent* owner) : TDateTimeField(owner) { SetDataType(TFieldType::ftDate); }
TTimeField::TTimeField(vcl::TComponent* owner) : TDateTimeField(owner) { SetDataType(TFieldType::ftTime); }
TSQLTimeStampField::TSQLTimeStampField(vcl::TComponent* owner) : TDateTimeField(owner) { SetDataType(TFieldType::ftTimeStamp); }

std::string TDateTimeField::GetAsString() const { return GetText(false); }
void TDateTimeField::SetAsString(const std::string& v) {
    const std::string t = rtl::Trim(v);
    if (t.empty()) {
        PutNull();
        return;
    }
    switch (DataType()) {
    case TFieldType::ftDate: SetAsDateTime(rtl::StrToDate(t)); break;
    case TFieldType::ftTime: SetAsDateTime(rtl::StrToTime(t)); break;
    default: SetAsDateTime(rtl::StrToDateTime(t)); break;
    }
}
double TDateTimeField::GetAsFloat() const { return IsNull() ? 0.0 : CellFloat(); }
void TDateTimeField::SetAsFloat(double v) { SetAsDateTime(v); }
rtl::TDateTime TDateTimeField::GetAsDateTime() const { return IsNull() ? rtl::TDateTime(0) : rtl::TDateTime(CellFloat()); }
void TDateTimeField::SetAsDateTime(rtl::TDateTime v) {
    double value = v.Value();
    if (DataType() == TFieldType::ftDate) value = rtl::DateOf(v).Value();
    else if (DataType() == TFieldType::ftTime) value = rtl::TimeOf(v).Value();
    PutFloat(value);
}
rtl::Variant TDateTimeField::GetAsVariant() const {
    return IsNull() ? rtl::Variant::Null() : rtl::Variant(rtl::TDateTime(CellFloat()));
}
void TDateTimeField::SetAsVariant(const rtl::Variant& v) {
    if (v.IsClear()) PutNull();
    else if (v.IsString()) SetAsString(v.AsString());
    else SetAsDateTime(v.AsDateTime());
}
std::string TDateTimeField::GetText(bool displayText) const {
    if (IsNull()) return {};
    const rtl::TDateTime v = CellFloat();
    const std::string& fmt = displayText ? DisplayFormat() : std::string();
    if (!fmt.empty()) return rtl::FormatDateTime(fmt, v);
    switch (DataType()) {
    case TFieldType::ftDate: return rtl::DateToStr(v);
    case TFieldType::ftTime: return rtl::TimeToStr(v);
    default: return rtl::DateTimeToStr(v);
    }
}

// ------------------------------------------------------------------ variants

TVariantField::TVariantField(vcl::TComponent* owner) : TField(owner) { SetDataType(TFieldType::ftVariant); }
std::string TVariantField::GetAsString() const { return CellVar().AsString(); }
void TVariantField::SetAsString(const std::string& v) { PutVar(rtl::Variant(v)); }
std::int64_t TVariantField::GetAsLargeInt() const { return IsNull() ? 0 : CellVar().AsInt64(); }
void TVariantField::SetAsInteger(std::int64_t v) { PutVar(rtl::Variant(static_cast<long long>(v))); }
double TVariantField::GetAsFloat() const { return IsNull() ? 0.0 : CellVar().AsDouble(); }
void TVariantField::SetAsFloat(double v) { PutVar(rtl::Variant(v)); }
bool TVariantField::GetAsBoolean() const { return !IsNull() && CellVar().AsBoolean(); }
void TVariantField::SetAsBoolean(bool v) { PutVar(rtl::Variant(v)); }
rtl::TDateTime TVariantField::GetAsDateTime() const { return IsNull() ? rtl::TDateTime(0) : CellVar().AsDateTime(); }
void TVariantField::SetAsDateTime(rtl::TDateTime v) { PutVar(rtl::Variant(v)); }
rtl::Variant TVariantField::GetAsVariant() const { return IsNull() ? rtl::Variant::Null() : CellVar(); }
void TVariantField::SetAsVariant(const rtl::Variant& v) { PutVar(v); }

// ------------------------------------------------------------------ factory

TField* CreateFieldOfType(TFieldType type, vcl::TComponent* owner) {
    TField* f = nullptr;
    switch (type) {
    case TFieldType::ftString: f = vcl::Create<TStringField>(owner); break;
    case TFieldType::ftFixedChar: {
        auto* s = vcl::Create<TStringField>(owner);
        s->SetFixedChar(true);
        s->SetDataType(TFieldType::ftFixedChar);
        f = s;
        break;
    }
    case TFieldType::ftWideString: f = vcl::Create<TWideStringField>(owner); break;
    case TFieldType::ftMemo: case TFieldType::ftFmtMemo: case TFieldType::ftWideMemo: {
        auto* m = vcl::Create<TMemoField>(owner);
        m->SetDataType(type);
        f = m;
        break;
    }
    case TFieldType::ftBlob: case TFieldType::ftGraphic: case TFieldType::ftBytes: case TFieldType::ftVarBytes: {
        auto* b = vcl::Create<TBlobField>(owner);
        b->SetDataType(type);
        f = b;
        break;
    }
    case TFieldType::ftSmallint: f = vcl::Create<TSmallintField>(owner); break;
    case TFieldType::ftInteger: f = vcl::Create<TIntegerField>(owner); break;
    case TFieldType::ftWord: f = vcl::Create<TWordField>(owner); break;
    case TFieldType::ftAutoInc: f = vcl::Create<TAutoIncField>(owner); break;
    case TFieldType::ftLargeint: f = vcl::Create<TLargeintField>(owner); break;
    case TFieldType::ftBoolean: f = vcl::Create<TBooleanField>(owner); break;
    case TFieldType::ftFloat: f = vcl::Create<TFloatField>(owner); break;
    case TFieldType::ftCurrency: f = vcl::Create<TCurrencyField>(owner); break;
    case TFieldType::ftBCD: f = vcl::Create<TBCDField>(owner); break;
    case TFieldType::ftFMTBcd: f = vcl::Create<TFMTBCDField>(owner); break;
    case TFieldType::ftDate: f = vcl::Create<TDateField>(owner); break;
    case TFieldType::ftTime: f = vcl::Create<TTimeField>(owner); break;
    case TFieldType::ftDateTime: f = vcl::Create<TDateTimeField>(owner); break;
    case TFieldType::ftTimeStamp: f = vcl::Create<TSQLTimeStampField>(owner); break;
    case TFieldType::ftVariant: f = vcl::Create<TVariantField>(owner); break;
    case TFieldType::ftUnknown: throw EDatabaseError("A field of unknown type cannot be created");
    }
    return f;
}

}  // namespace db
