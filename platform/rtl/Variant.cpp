#include "rtl/Variant.h"

#include "rtl/Convert.h"
#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

#include <cmath>
#include <limits>

namespace rtl {

const char* VarTypeName(TVarType type) noexcept {
    switch (type) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varSmallint: return "Smallint";
    case varInteger: return "Integer";
    case varSingle: return "Single";
    case varDouble: return "Double";
    case varCurrency: return "Currency";
    case varDate: return "Date";
    case varOleStr: return "OleStr";
    case varBoolean: return "Boolean";
    case varShortInt: return "ShortInt";
    case varByte: return "Byte";
    case varWord: return "Word";
    case varLongWord: return "LongWord";
    case varInt64: return "Int64";
    case varUInt64: return "UInt64";
    case varString: return "String";
    case varUString: return "UnicodeString";
    case varArray: return "Array";
    }
    return "Unknown";
}

Variant Variant::Null() {
    Variant v;
    v.type_ = varNull;
    return v;
}

Variant Variant::Array(std::vector<Variant> items) {
    Variant v;
    v.type_ = varArray;
    v.array_ = std::make_shared<const std::vector<Variant>>(std::move(items));
    return v;
}

Variant VarArrayOf(std::vector<Variant> items) { return Variant::Array(std::move(items)); }

bool Variant::IsOrdinal() const noexcept {
    switch (type_) {
    case varSmallint: case varInteger: case varShortInt: case varByte: case varWord:
    case varLongWord: case varInt64: case varUInt64: case varBoolean:
        return true;
    default:
        return false;
    }
}

bool Variant::IsFloat() const noexcept {
    return type_ == varSingle || type_ == varDouble || type_ == varCurrency || type_ == varDate;
}

void Variant::CastError(TVarType to) const {
    throw EVariantTypeCastError(std::string("Could not convert variant of type (") + VarTypeName(type_) +
                                ") into type (" + VarTypeName(to) + ")");
}

const std::vector<Variant>& Variant::Items() const {
    if (!IsArray()) CastError(varArray);
    return *array_;
}

std::string Variant::AsString() const {
    switch (type_) {
    case varEmpty:
    case varNull: return {};
    case varBoolean: return int_ ? "True" : "False";
    case varUInt64: return std::to_string(static_cast<std::uint64_t>(int_));
    case varSingle:
    case varDouble: return FloatToStr(float_);
    case varCurrency: return CurrToStr(Currency{int_});
    case varDate: return DateTimeToStr(float_);
    case varUString:
    case varString:
    case varOleStr: return str_;
    case varArray: CastError(varUString);
    default: return std::to_string(int_);
    }
}

std::int64_t Variant::AsInt64() const {
    switch (type_) {
    case varEmpty: return 0;
    case varBoolean: return int_ ? -1 : 0;  // the platform's true is all bits set
    case varSingle:
    case varDouble:
    case varDate: {
        const double r = std::nearbyint(float_);  // half to even, the default rounding mode
        if (!(r >= -9.2233720368547758e18 && r < 9.2233720368547758e18)) CastError(varInt64);
        return static_cast<std::int64_t>(r);
    }
    case varCurrency: {
        // Round half to even on the ten-thousandths.
        const std::int64_t q = int_ / 10000, rem = int_ % 10000;
        if (rem > 5000 || (rem == 5000 && (q & 1))) return q + 1;
        if (rem < -5000 || (rem == -5000 && (q & 1))) return q - 1;
        return q;
    }
    case varUString:
    case varString:
    case varOleStr: {
        std::int64_t v;
        if (TryStrToInt64(str_, v)) return v;
        return Variant(StrToFloat(str_)).AsInt64();
    }
    case varNull:
    case varArray: CastError(varInt64);
    default: return int_;
    }
}

int Variant::AsInteger() const {
    if (type_ == varNull || type_ == varArray) CastError(varInteger);
    const std::int64_t v = AsInt64();
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) {
        if (type_ == varLongWord) return static_cast<int>(static_cast<std::uint32_t>(v));
        throw ERangeError("Range check error: " + std::to_string(v) + " does not fit an Integer");
    }
    return static_cast<int>(v);
}

double Variant::AsDouble() const {
    switch (type_) {
    case varEmpty: return 0.0;
    case varBoolean: return int_ ? -1.0 : 0.0;
    case varSingle:
    case varDouble:
    case varDate: return float_;
    case varCurrency: return static_cast<double>(int_) / 10000.0;
    case varUInt64: return static_cast<double>(static_cast<std::uint64_t>(int_));
    case varUString:
    case varString:
    case varOleStr: return StrToFloat(str_);
    case varNull:
    case varArray: CastError(varDouble);
    default: return static_cast<double>(int_);
    }
}

bool Variant::AsBoolean() const {
    switch (type_) {
    case varEmpty: return false;
    case varSingle:
    case varDouble:
    case varDate: return float_ != 0.0;
    case varUString:
    case varString:
    case varOleStr: return StrToBool(str_);
    case varNull:
    case varArray: CastError(varBoolean);
    default: return int_ != 0;
    }
}

TDateTime Variant::AsDateTime() const {
    switch (type_) {
    case varUString:
    case varString:
    case varOleStr: return StrToDateTime(str_);
    default: {
        if (type_ == varNull || type_ == varArray) CastError(varDate);
        return AsDouble();
    }
    }
}

Currency Variant::AsCurrency() const {
    if (type_ == varCurrency) return Currency{int_};
    if (type_ == varNull || type_ == varArray) CastError(varCurrency);
    if (IsOrdinal()) return Currency{AsInt64() * 10000};
    return Currency::FromDouble(AsDouble());
}

Variant Variant::AsType(TVarType type) const {
    if (type == type_) return *this;
    if (type == varEmpty) return Variant();
    if (type == varNull) return Null();
    if (IsNull()) CastError(type);
    auto ranged = [&](std::int64_t lo, std::int64_t hi) {
        const std::int64_t v = AsInt64();
        if (v < lo || v > hi) throw ERangeError(std::string("Range check error converting ") + std::to_string(v) +
                                                " to " + VarTypeName(type));
        return v;
    };
    switch (type) {
    case varSmallint: return Variant(static_cast<std::int16_t>(ranged(INT16_MIN, INT16_MAX)));
    case varInteger: return Variant(static_cast<std::int32_t>(ranged(INT32_MIN, INT32_MAX)));
    case varShortInt: return Variant(static_cast<std::int8_t>(ranged(INT8_MIN, INT8_MAX)));
    case varByte: return Variant(static_cast<std::uint8_t>(ranged(0, UINT8_MAX)));
    case varWord: return Variant(static_cast<std::uint16_t>(ranged(0, UINT16_MAX)));
    case varLongWord: return Variant(static_cast<std::uint32_t>(ranged(0, UINT32_MAX)));
    case varInt64: return Variant(static_cast<long long>(AsInt64()));
    case varUInt64: return Variant(static_cast<unsigned long long>(ranged(0, INT64_MAX)));
    case varSingle: return Variant(static_cast<float>(AsDouble()));
    case varDouble: return Variant(AsDouble());
    case varCurrency: return Variant(AsCurrency());
    case varDate: return Variant(AsDateTime());
    case varBoolean: return Variant(AsBoolean());
    case varOleStr:
    case varString:
    case varUString: return Variant(AsString());
    default: CastError(type);
    }
}

TVariantRelationship VarCompareValue(const Variant& a, const Variant& b, bool ignoreCase) {
    if (a.IsClear() || b.IsClear()) {
        if (a.IsNull() && b.IsNull()) return TVariantRelationship::vrEqual;
        if (a.IsEmpty() && b.IsEmpty()) return TVariantRelationship::vrEqual;
        return TVariantRelationship::vrNotEqual;
    }
    auto rel = [](auto x, auto y) {
        return x < y ? TVariantRelationship::vrLessThan
                     : (y < x ? TVariantRelationship::vrGreaterThan : TVariantRelationship::vrEqual);
    };
    if (a.IsString() && b.IsString()) {
        const int c = ignoreCase ? AnsiCompareText(a.AsString(), b.AsString()) : AnsiCompareStr(a.AsString(), b.AsString());
        return rel(c, 0);
    }
    if (a.IsString() || b.IsString()) {
        // A text against a number compares as numbers when the text is one, else as texts.
        const Variant& text = a.IsString() ? a : b;
        double d;
        if (TryStrToFloat(text.AsString(), d) || TryStrToFloat(text.AsString(), d, InvariantFormatSettings())) {
            const double x = a.IsString() ? d : a.AsDouble();
            const double y = b.IsString() ? d : b.AsDouble();
            return rel(x, y);
        }
        return rel(AnsiCompareStr(a.AsString(), b.AsString()), 0);
    }
    if (a.IsOrdinal() && b.IsOrdinal() && a.VarType() != varUInt64 && b.VarType() != varUInt64)
        return rel(a.AsInt64(), b.AsInt64());
    return rel(a.AsDouble(), b.AsDouble());
}

bool operator==(const Variant& a, const Variant& b) {
    if (a.IsArray() || b.IsArray()) {
        if (!a.IsArray() || !b.IsArray() || a.ArrayLength() != b.ArrayLength()) return false;
        for (std::size_t i = 0; i < a.ArrayLength(); ++i)
            if (!(a.Items()[i] == b.Items()[i])) return false;
        return true;
    }
    if (a.IsString() && b.IsString()) return a.AsString() == b.AsString();
    return VarCompareValue(a, b) == TVariantRelationship::vrEqual;
}

}  // namespace rtl
