// Format: the platform's printf. Specifiers are %[index:][-][width][.precision]type with
// type d u e f g n m p s x; "*" takes width or precision from the arguments; "%%" is a
// percent sign. "%f" and "%n" default to two decimals, "%e" and "%g" to 15 digits, "%m"
// to the currency decimals; "%.4d" pads with zeros; "%x" is upper-case hexadecimal.
// An argument of the wrong kind raises EConvertError, as does a missing argument.
#pragma once

#include "rtl/DateTime.h"
#include "rtl/FloatToText.h"
#include "rtl/FormatSettings.h"

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace rtl {

class Variant;

// One argument of Format: the kinds the platform's open array distinguishes.
class TVarRec {
public:
    enum class Kind { Int, Float, Currency, String, Char, Pointer, Bool, Variant };

    template <std::integral T>
        requires(!std::same_as<T, bool> && !std::same_as<T, char>)
    TVarRec(T v) : kind_(Kind::Int), int_(static_cast<std::int64_t>(v)), wide_(sizeof(T) > 4) {}  // NOLINT
    TVarRec(bool v) : kind_(Kind::Bool), int_(v) {}                                                // NOLINT
    TVarRec(char v) : kind_(Kind::Char), int_(static_cast<unsigned char>(v)) {}                    // NOLINT
    TVarRec(double v) : kind_(Kind::Float), float_(v) {}                                           // NOLINT
    TVarRec(float v) : kind_(Kind::Float), float_(v) {}                                            // NOLINT
    TVarRec(TDateTime v) : kind_(Kind::Float), float_(v.Value()) {}                                // NOLINT
    TVarRec(Currency v) : kind_(Kind::Currency), int_(v.Scaled) {}                                 // NOLINT
    TVarRec(const char* v) : kind_(Kind::String), str_(v ? v : "") {}                              // NOLINT
    TVarRec(const std::string& v) : kind_(Kind::String), str_(v) {}                                // NOLINT
    TVarRec(std::string_view v) : kind_(Kind::String), str_(v) {}                                  // NOLINT
    TVarRec(const void* v) : kind_(Kind::Pointer), ptr_(v) {}                                      // NOLINT
    TVarRec(const Variant& v) : kind_(Kind::Variant), var_(&v) {}                                  // NOLINT

    Kind GetKind() const noexcept { return kind_; }
    std::int64_t AsInt() const noexcept { return int_; }
    bool IsWide() const noexcept { return wide_; }
    double AsFloat() const noexcept { return float_; }
    std::string_view AsString() const noexcept { return str_; }
    const void* AsPointer() const noexcept { return ptr_; }
    const Variant& AsVariant() const noexcept { return *var_; }

private:
    Kind kind_;
    std::int64_t int_ = 0;
    bool wide_ = false;
    double float_ = 0.0;
    std::string_view str_;
    const void* ptr_ = nullptr;
    const Variant* var_ = nullptr;
};

std::string Format(std::string_view format, std::span<const TVarRec> args, const TFormatSettings& fs);
std::string Format(std::string_view format, std::span<const TVarRec> args);
inline std::string Format(std::string_view format, std::initializer_list<TVarRec> args) {
    return Format(format, std::span<const TVarRec>(args.begin(), args.size()));
}
inline std::string Format(std::string_view format, std::initializer_list<TVarRec> args, const TFormatSettings& fs) {
    return Format(format, std::span<const TVarRec>(args.begin(), args.size()), fs);
}

}  // namespace rtl
