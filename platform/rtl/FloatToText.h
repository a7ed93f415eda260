// Numbers to text as the platform writes them: FloatToStr (15 significant digits),
// FloatToStrF, FormatFloat patterns ("#,##0.00", sections split by ";", exponents,
// quoted literals) and the currency type.
//
// Values are first reduced to 15 significant decimal digits and then rounded half away
// from zero. Amounts arrive from the database as binary doubles (2.675 is stored as
// 2.67499999…); at 15 digits the decimal value the server meant is recovered, so 2.675
// prints as 2.68, the way a spreadsheet shows it.
#pragma once

#include "rtl/FormatSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace rtl {

// Decimal form of a value: Digits "123" with Exponent 2 means 12.3 (the digits are the
// fraction 0.123 scaled by ten to the Exponent). Zero has no digits. Special values set
// Special to "INF", "-INF" or "NAN".
struct TFloatRec {
    int Exponent = 0;
    bool Negative = false;
    std::string Digits;
    std::string Special;
};

// Rounds to at most `precision` significant digits and at most `decimals` digits after
// the decimal point (half away from zero); trailing zeros are dropped.
TFloatRec FloatToDecimal(double value, int precision, int decimals);

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

std::string FloatToStr(double value);
std::string FloatToStr(double value, const TFormatSettings& fs);
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs);
std::string FormatFloat(std::string_view format, double value);
std::string FormatFloat(std::string_view format, double value, const TFormatSettings& fs);

// The fixed-point currency type: an integer count of ten-thousandths.
struct Currency {
    std::int64_t Scaled = 0;
    static Currency FromDouble(double v);
    double ToDouble() const noexcept { return static_cast<double>(Scaled) / 10000.0; }
    friend bool operator==(Currency a, Currency b) noexcept { return a.Scaled == b.Scaled; }
    friend auto operator<=>(Currency a, Currency b) noexcept { return a.Scaled <=> b.Scaled; }
};
std::string CurrToStr(Currency value);
std::string CurrToStr(Currency value, const TFormatSettings& fs);

}  // namespace rtl
