// Conversions between numbers and text. Failures raise EConvertError naming the text;
// the Try… forms answer false instead, the …Def forms give the default.
#pragma once

#include "rtl/FormatSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace rtl {

std::string IntToStr(std::int64_t value);
// Upper-case hexadecimal, zero-padded to at least `digits` digits; negative values are
// written as their 64-bit two's complement.
std::string IntToHex(std::int64_t value, int digits);

// Decimal, or hexadecimal after "$" or "0x"; an optional sign; blanks around are allowed.
// StrToInt refuses values outside 32 bits.
int StrToInt(std::string_view s);
std::int64_t StrToInt64(std::string_view s);
int StrToIntDef(std::string_view s, int def);
std::int64_t StrToInt64Def(std::string_view s, std::int64_t def);
bool TryStrToInt(std::string_view s, int& value);
bool TryStrToInt64(std::string_view s, std::int64_t& value);

// Decimal numbers with the settings' decimal separator and an optional exponent.
double StrToFloat(std::string_view s);
double StrToFloat(std::string_view s, const TFormatSettings& fs);
double StrToFloatDef(std::string_view s, double def, const TFormatSettings& fs = FormatSettings());
bool TryStrToFloat(std::string_view s, double& value, const TFormatSettings& fs = FormatSettings());

// "True"/"False" or, with useBoolStrs false, "-1"/"0" as the platform writes them.
std::string BoolToStr(bool value, bool useBoolStrs = false);
// Accepts "true"/"false" (any case) and numbers (0 false, anything else true).
bool StrToBool(std::string_view s);
bool TryStrToBool(std::string_view s, bool& value);

}  // namespace rtl
