// Variant: a value of one of the kinds the platform distinguishes (empty, null, the
// integer widths, single, double, currency, date, string, Boolean, arrays), with the
// platform's conversions between them. A conversion that cannot be made raises
// EVariantTypeCastError naming both kinds; a text that is not a number raises
// EConvertError naming the text.
#pragma once

#include "rtl/DateTime.h"
#include "rtl/FloatToText.h"

#include <compare>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rtl {

enum TVarType : std::uint16_t {
    varEmpty = 0x0000,
    varNull = 0x0001,
    varSmallint = 0x0002,
    varInteger = 0x0003,
    varSingle = 0x0004,
    varDouble = 0x0005,
    varCurrency = 0x0006,
    varDate = 0x0007,
    varOleStr = 0x0008,
    varBoolean = 0x000B,
    varShortInt = 0x0010,
    varByte = 0x0011,
    varWord = 0x0012,
    varLongWord = 0x0013,
    varInt64 = 0x0014,
    varUInt64 = 0x0015,
    varString = 0x0100,
    varUString = 0x0102,
    varArray = 0x2000,
};

const char* VarTypeName(TVarType type) noexcept;

class Variant {
public:
    Variant() = default;  // empty
    static Variant Null();
    static Variant Array(std::vector<Variant> items);

    Variant(bool v) : type_(varBoolean), int_(v ? 1 : 0) {}  // NOLINT
    Variant(std::int8_t v) : type_(varShortInt), int_(v) {}   // NOLINT
    Variant(std::uint8_t v) : type_(varByte), int_(v) {}      // NOLINT
    Variant(std::int16_t v) : type_(varSmallint), int_(v) {}  // NOLINT
    Variant(std::uint16_t v) : type_(varWord), int_(v) {}     // NOLINT
    Variant(std::int32_t v) : type_(varInteger), int_(v) {}   // NOLINT
    Variant(std::uint32_t v) : type_(varLongWord), int_(v) {} // NOLINT
    Variant(long v) : type_(varInt64), int_(v) {}             // NOLINT
    Variant(long long v) : type_(varInt64), int_(v) {}        // NOLINT
    Variant(unsigned long v) : type_(varUInt64), int_(static_cast<std::int64_t>(v)) {}       // NOLINT
    Variant(unsigned long long v) : type_(varUInt64), int_(static_cast<std::int64_t>(v)) {}  // NOLINT
    Variant(float v) : type_(varSingle), float_(v) {}         // NOLINT
    Variant(double v) : type_(varDouble), float_(v) {}        // NOLINT
    Variant(TDateTime v) : type_(varDate), float_(v.Value()) {}  // NOLINT
    Variant(Currency v) : type_(varCurrency), int_(v.Scaled) {}  // NOLINT
    Variant(const char* v) : type_(varUString), str_(v ? v : "") {}     // NOLINT
    Variant(std::string v) : type_(varUString), str_(std::move(v)) {}   // NOLINT
    Variant(std::string_view v) : type_(varUString), str_(v) {}         // NOLINT

    TVarType VarType() const noexcept { return type_; }
    bool IsEmpty() const noexcept { return type_ == varEmpty; }
    bool IsNull() const noexcept { return type_ == varNull; }
    // Empty or null: "no value" for the data layer.
    bool IsClear() const noexcept { return type_ == varEmpty || type_ == varNull; }
    bool IsOrdinal() const noexcept;  // an integer kind or Boolean
    bool IsFloat() const noexcept;    // single, double, currency or date
    bool IsNumeric() const noexcept { return IsOrdinal() || IsFloat(); }
    bool IsString() const noexcept { return type_ == varUString || type_ == varString || type_ == varOleStr; }
    bool IsArray() const noexcept { return type_ == varArray; }

    // Conversions. Empty converts to 0, "" or false; Null only to a string (empty), and
    // raises for every other kind. Floats go to integers by rounding half to even.
    std::string AsString() const;
    std::int64_t AsInt64() const;
    int AsInteger() const;
    double AsDouble() const;
    bool AsBoolean() const;
    TDateTime AsDateTime() const;
    Currency AsCurrency() const;
    // Converts to another kind, as VarAsType does.
    Variant AsType(TVarType type) const;

    const std::vector<Variant>& Items() const;  // the elements of an array
    std::size_t ArrayLength() const { return IsArray() ? array_->size() : 0; }

    // Equality as the data layer compares values: numbers by value across kinds, texts
    // exactly, null equal only to null.
    friend bool operator==(const Variant& a, const Variant& b);

private:
    [[noreturn]] void CastError(TVarType to) const;

    TVarType type_ = varEmpty;
    std::int64_t int_ = 0;
    double float_ = 0.0;
    std::string str_;
    std::shared_ptr<const std::vector<Variant>> array_;
};

enum class TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };
// Compares two values; null or empty against a value is vrNotEqual (both null: vrEqual).
// Texts compare case-sensitively in the collation unless ignoreCase is set.
TVariantRelationship VarCompareValue(const Variant& a, const Variant& b, bool ignoreCase = false);

// VarToStr: a null gives "".
inline std::string VarToStr(const Variant& v) { return v.AsString(); }
inline bool VarIsNull(const Variant& v) { return v.IsNull(); }
inline bool VarIsEmpty(const Variant& v) { return v.IsEmpty(); }
inline bool VarIsClear(const Variant& v) { return v.IsClear(); }
Variant VarArrayOf(std::vector<Variant> items);

}  // namespace rtl
