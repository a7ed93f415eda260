// Fields: typed views of one column of a data set's current record. A field converts its
// value to and from the other types (As…), formats it for display (DisplayFormat,
// OnGetText), checks what is written (read only, range, OnValidate) and tells OnChange.
// Conversions that fail raise rtl::EConvertError naming the value; reading a field as a
// type it cannot give raises EDatabaseError naming the field and the type.
#pragma once

#include "db/DB.h"
#include "rtl/DateTime.h"
#include "rtl/FloatToText.h"
#include "rtl/Variant.h"
#include "vcl/Component.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace db {

class TDataSet;
class TField;

using TFieldNotifyEvent = rtl::TMethod<void(TField* sender)>;
using TFieldGetTextEvent = rtl::TMethod<void(TField* sender, std::string& text, bool displayText)>;
using TFieldSetTextEvent = rtl::TMethod<void(TField* sender, const std::string& text)>;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TField : public vcl::TComponent {
    RTL_DECLARE_CLASS(TField)
public:
    explicit TField(vcl::TComponent* owner);

    TDataSet* DataSet() const noexcept { return dataSet_; }
    // Joins the data set's field list (at its end) or leaves it; not while it is open.
    void SetDataSet(TDataSet* dataSet);
    const std::string& FieldName() const noexcept { return fieldName_; }
    void SetFieldName(const std::string& v);
    TFieldType DataType() const noexcept { return dataType_; }
    TFieldKind FieldKind() const noexcept { return fieldKind_; }
    void SetFieldKind(TFieldKind v);
    bool Calculated() const noexcept { return fieldKind_ == TFieldKind::fkCalculated; }
    bool Lookup() const noexcept { return fieldKind_ == TFieldKind::fkLookup; }
    // Position in the data set's field list.
    int Index() const;
    // 1-based number of the stored column, 0 for calculated and lookup fields.
    int FieldNo() const noexcept { return storeCol_ + 1; }

    const std::string& DisplayLabel() const noexcept { return displayLabel_.empty() ? fieldName_ : displayLabel_; }
    void SetDisplayLabel(const std::string& v) { displayLabel_ = v; }
    int DisplayWidth() const;
    void SetDisplayWidth(int v) noexcept { displayWidth_ = v; }
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool v);
    bool Required() const noexcept { return required_; }
    void SetRequired(bool v) noexcept { required_ = v; }
    bool ReadOnly() const noexcept { return readOnly_; }
    void SetReadOnly(bool v) noexcept { readOnly_ = v; }
    int Size() const noexcept { return size_; }
    void SetSize(int v);
    const std::string& DisplayFormat() const noexcept { return displayFormat_; }
    void SetDisplayFormat(const std::string& v) { displayFormat_ = v; }
    const std::string& EditFormat() const noexcept { return editFormat_; }
    void SetEditFormat(const std::string& v) { editFormat_ = v; }
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment v) noexcept { alignment_ = v; }
    // Lookup fields: the value of LookupResultField in LookupDataSet's record whose
    // LookupKeyFields equal this data set's KeyFields.
    TDataSet* LookupDataSet() const noexcept { return lookupDataSet_; }
    void SetLookupDataSet(TDataSet* ds);
    std::string KeyFields, LookupKeyFields, LookupResultField;

    bool IsNull() const;
    void Clear();
    rtl::Variant Value() const { return GetAsVariant(); }
    void SetValue(const rtl::Variant& v) { SetAsVariant(v); }

    virtual std::string GetAsString() const;
    virtual void SetAsString(const std::string& v);
    virtual std::int64_t GetAsLargeInt() const;
    int GetAsInteger() const;
    virtual void SetAsInteger(std::int64_t v);
    virtual double GetAsFloat() const;
    virtual void SetAsFloat(double v);
    virtual bool GetAsBoolean() const;
    virtual void SetAsBoolean(bool v);
    virtual rtl::TDateTime GetAsDateTime() const;
    virtual void SetAsDateTime(rtl::TDateTime v);
    virtual rtl::Currency GetAsCurrency() const;
    void SetAsCurrency(rtl::Currency v) { SetAsFloat(v.ToDouble()); }
    virtual rtl::Variant GetAsVariant() const;
    virtual void SetAsVariant(const rtl::Variant& v);

    // The text shown in grids and reports (DisplayFormat, OnGetText), and the text to edit.
    std::string DisplayText() const;
    std::string Text() const;
    void SetText(const std::string& v);

    TFieldNotifyEvent OnChange;
    TFieldNotifyEvent OnValidate;
    TFieldGetTextEvent OnGetText;
    TFieldSetTextEvent OnSetText;

    // Set by the field class (and by the factory for the types one class serves).
    void SetDataType(TFieldType t) noexcept { dataType_ = t; }

protected:
    ~TField() override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;
    // Formats the value for display or editing; the default is GetAsString.
    virtual std::string GetText(bool displayText) const;
    // The display width when none was set, in characters: a text's size, a Boolean's
    // longer word, else a width for the type.
    virtual int DefaultWidth() const;
    [[noreturn]] void AccessError(const char* typeName) const;
    // Checks that the field may be written now (data set editing, not read only).
    void CheckWritable();
    // Raises OnValidate, then OnChange (through the data set) once a value was written.
    void Written();

    // Access to the cell of the record the data set is on.
    bool CellNull() const;
    std::int64_t CellInt() const;
    double CellFloat() const;
    std::string_view CellText() const;
    rtl::Variant CellVar() const;
    void PutNull();
    void PutInt(std::int64_t v);
    void PutFloat(double v);
    void PutText(std::string_view v);
    void PutVar(const rtl::Variant& v);

private:
    friend class TDataSet;
    TDataSet* dataSet_ = nullptr;
    std::string fieldName_, displayLabel_, displayFormat_, editFormat_;
    TFieldType dataType_ = TFieldType::ftUnknown;
    TFieldKind fieldKind_ = TFieldKind::fkData;
    int displayWidth_ = 0;
    int size_ = 0;
    bool visible_ = true, required_ = false, readOnly_ = false;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TDataSet* lookupDataSet_ = nullptr;
    int storeCol_ = -1;  // column of the record store (data fields)
    int calcSlot_ = -1;  // slot of the calculated-values buffer (calculated and lookup fields)
};

// Texts: ftString (Size characters at most), ftFixedChar, ftWideString, memos and blobs.
class TStringField : public TField {
    RTL_DECLARE_CLASS(TStringField)
public:
    explicit TStringField(vcl::TComponent* owner);
    std::string GetAsString() const override;
    void SetAsString(const std::string& v) override;
    std::int64_t GetAsLargeInt() const override;
    void SetAsInteger(std::int64_t v) override;
    double GetAsFloat() const override;
    void SetAsFloat(double v) override;
    bool GetAsBoolean() const override;
    void SetAsBoolean(bool v) override;
    rtl::TDateTime GetAsDateTime() const override;
    void SetAsDateTime(rtl::TDateTime v) override;
    rtl::Variant GetAsVariant() const override;
    void SetAsVariant(const rtl::Variant& v) override;
    // A fixed-char field pads to its size with blanks.
    bool FixedChar() const noexcept { return fixedChar_; }
    void SetFixedChar(bool v) noexcept { fixedChar_ = v; }

protected:
    bool fixedChar_ = false;
};

class TWideStringField : public TStringField {
    RTL_DECLARE_CLASS(TWideStringField)
public:
    explicit TWideStringField(vcl::TComponent* owner);
};

class TMemoField : public TStringField {
    RTL_DECLARE_CLASS(TMemoField)
public:
    explicit TMemoField(vcl::TComponent* owner);
};

class TBlobField : public TStringField {
    RTL_DECLARE_CLASS(TBlobField)
public:
    explicit TBlobField(vcl::TComponent* owner);
};

// Whole numbers: ftInteger, ftSmallint, ftWord, ftAutoInc; values outside the type's
// range (or MinValue..MaxValue when set) are refused.
class TIntegerField : public TField {
    RTL_DECLARE_CLASS(TIntegerField)
public:
    explicit TIntegerField(vcl::TComponent* owner);
    std::string GetAsString() const override;
    void SetAsString(const std::string& v) override;
    std::int64_t GetAsLargeInt() const override;
    void SetAsInteger(std::int64_t v) override;
    double GetAsFloat() const override;
    void SetAsFloat(double v) override;
    bool GetAsBoolean() const override;
    void SetAsBoolean(bool v) override;
    rtl::Variant GetAsVariant() const override;
    void SetAsVariant(const rtl::Variant& v) override;
    std::int64_t MinValue = 0, MaxValue = 0;

protected:
    std::string GetText(bool displayText) const override;
    void Range(std::int64_t& lo, std::int64_t& hi) const;
};

class TSmallintField : public TIntegerField {
    RTL_DECLARE_CLASS(TSmallintField)
public:
    explicit TSmallintField(vcl::TComponent* owner);
};

class TWordField : public TIntegerField {
    RTL_DECLARE_CLASS(TWordField)
public:
    explicit TWordField(vcl::TComponent* owner);
};

class TAutoIncField : public TIntegerField {
    RTL_DECLARE_CLASS(TAutoIncField)
public:
    explicit TAutoIncField(vcl::TComponent* owner);
};

class TLargeintField : public TIntegerField {
    RTL_DECLARE_CLASS(TLargeintField)
public:
    explicit TLargeintField(vcl::TComponent* owner);
};

class TBooleanField : public TField {
    RTL_DECLARE_CLASS(TBooleanField)
public:
    explicit TBooleanField(vcl::TComponent* owner);
    std::string GetAsString() const override;
    void SetAsString(const std::string& v) override;
    std::int64_t GetAsLargeInt() const override;
    void SetAsInteger(std::int64_t v) override;
    bool GetAsBoolean() const override;
    void SetAsBoolean(bool v) override;
    rtl::Variant GetAsVariant() const override;
    void SetAsVariant(const rtl::Variant& v) override;
    // "True text;False text"; empty gives the platform's "True"/"False".
    std::string DisplayValues;

protected:
    int DefaultWidth() const override;

private:
    std::string Word(bool v) const;
};

// Floating-point numbers: ftFloat, ftCurrency (shown as money), ftBCD, ftFMTBcd.
class TFloatField : public TField {
    RTL_DECLARE_CLASS(TFloatField)
public:
    explicit TFloatField(vcl::TComponent* owner);
    std::string GetAsString() const override;
    void SetAsString(const std::string& v) override;
    std::int64_t GetAsLargeInt() const override;
    void SetAsInteger(std::int64_t v) override;
    double GetAsFloat() const override;
    void SetAsFloat(double v) override;
    rtl::Variant GetAsVariant() const override;
    void SetAsVariant(const rtl::Variant& v) override;
    rtl::Currency GetAsCurrency() const override;
    bool Currency() const noexcept { return currency_; }
    void SetCurrency(bool v) noexcept { currency_ = v; }
    int Precision = 15;
    double MinValue = 0, MaxValue = 0;

protected:
    std::string GetText(bool displayText) const override;
    bool currency_ = false;
};

class TCurrencyField : public TFloatField {
    RTL_DECLARE_CLASS(TCurrencyField)
public:
    explicit TCurrencyField(vcl::TComponent* owner);
};

class TBCDField : public TFloatField {
    RTL_DECLARE_CLASS(TBCDField)
public:
    explicit TBCDField(vcl::TComponent* owner);
};

class TFMTBCDField : public TFloatField {
    RTL_DECLARE_CLASS(TFMTBCDField)
public:
    explicit TFMTBCDField(vcl::TComponent* owner);
};

// Dates and times: ftDateTime, ftDate (date part only), ftTime, ftTimeStamp.
class TDateTimeField : public TField {
    RTL_DECLARE_CLASS(TDateTimeField)
public:
    explicit TDateTimeField(vcl::TComponent* owner);
    std::string GetAsString() const override;
    void SetAsString(const std::string& v) override;
    double GetAsFloat() const override;
    void SetAsFloat(double v) override;
    rtl::TDateTime GetAsDateTime() const override;
    void SetAsDateTime(rtl::TDateTime v) override;
    rtl::Variant GetAsVariant() const override;
    void SetAsVariant(const rtl::Variant& v) override;

protected:
    std::string GetText(bool displayText) const override;
};

class TDateField : public TDateTimeField {
    RTL_DECLARE_CLASS(TDateField)
public:
    explicit TDateField(vcl::TComponent* owner);
};

class TTimeField : public TDateTimeField {
    RTL_DECLARE_CLASS(TTimeField)
public:
    explicit TTimeField(vcl::TComponent* owner);
};

class TSQLTimeStampField : public TDateTimeField {
    RTL_DECLARE_CLASS(TSQLTimeStampField)
public:
    explicit TSQLTimeStampField(vcl::TComponent* owner);
};

// Any value, kept as it was written.
class TVariantField : public TField {
    RTL_DECLARE_CLASS(TVariantField)
public:
    explicit TVariantField(vcl::TComponent* owner);
    std::string GetAsString() const override;
    void SetAsString(const std::string& v) override;
    std::int64_t GetAsLargeInt() const override;
    void SetAsInteger(std::int64_t v) override;
    double GetAsFloat() const override;
    void SetAsFloat(double v) override;
    bool GetAsBoolean() const override;
    void SetAsBoolean(bool v) override;
    rtl::TDateTime GetAsDateTime() const override;
    void SetAsDateTime(rtl::TDateTime v) override;
    rtl::Variant GetAsVariant() const override;
    void SetAsVariant(const rtl::Variant& v) override;
};

// A new field of the class that serves the type (TStringField for ftString …).
TField* CreateFieldOfType(TFieldType type, vcl::TComponent* owner);

}  // namespace db
