#include "rtl/Format.h"

#include "rtl/Convert.h"
#include "rtl/Exceptions.h"
#include "rtl/Utf8.h"
#include "rtl/Variant.h"

#include <cstdint>
#include <cstdio>

namespace rtl {
namespace {

[[noreturn]] void Invalid(std::string_view format) {
    throw EConvertError("Format '" + std::string(format) + "' invalid or incompatible with argument");
}

[[noreturn]] void NoArgument(std::string_view format) {
    throw EConvertError("No argument for format '" + std::string(format) + "'");
}

bool IntegerOf(const TVarRec& a, std::int64_t& v, bool& wide) {
    switch (a.GetKind()) {
    case TVarRec::Kind::Int: v = a.AsInt(); wide = a.IsWide(); return true;
    case TVarRec::Kind::Variant: {
        const Variant& var = a.AsVariant();
        if (!var.IsOrdinal()) return false;
        v = var.AsInt64();
        wide = var.VarType() == varInt64 || var.VarType() == varUInt64 || var.VarType() == varLongWord;
        return true;
    }
    default: return false;
    }
}

bool FloatOf(const TVarRec& a, double& v) {
    switch (a.GetKind()) {
    case TVarRec::Kind::Float: v = a.AsFloat(); return true;
    case TVarRec::Kind::Currency: v = static_cast<double>(a.AsInt()) / 10000.0; return true;
    case TVarRec::Kind::Variant: {
        const Variant& var = a.AsVariant();
        if (var.IsNull() || var.IsEmpty()) return false;
        v = var.AsDouble();
        return true;
    }
    default: return false;
    }
}

bool StringOf(const TVarRec& a, std::string& s) {
    switch (a.GetKind()) {
    case TVarRec::Kind::String: s = a.AsString(); return true;
    case TVarRec::Kind::Char: s = static_cast<char>(a.AsInt()); return true;
    case TVarRec::Kind::Variant: s = a.AsVariant().AsString(); return true;
    default: return false;
    }
}

std::string PadWidth(std::string text, int width, bool left) {
    const int len = static_cast<int>(Utf8Length(text));
    if (width > len) {
        const std::string pad(static_cast<std::size_t>(width - len), ' ');
        text = left ? text + pad : pad + text;
    }
    return text;
}

std::string ZeroPadInt(std::string digits, bool negative, int precision) {
    if (precision > 0 && static_cast<int>(digits.size()) < precision)
        digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

}  // namespace

std::string Format(std::string_view format, std::span<const TVarRec> args, const TFormatSettings& fs) {
    std::string out;
    std::size_t argIndex = 0;
    std::size_t i = 0;
    auto nextArg = [&]() -> const TVarRec& {
        if (argIndex >= args.size()) NoArgument(format);
        return args[argIndex++];
    };
    auto readNumber = [&](int& value) -> bool {
        if (i < format.size() && format[i] == '*') {
            ++i;
            std::int64_t v;
            bool wide;
            if (!IntegerOf(nextArg(), v, wide)) Invalid(format);
            value = static_cast<int>(v);
            return true;
        }
        bool any = false;
        value = 0;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
            value = value * 10 + (format[i++] - '0');
            any = true;
        }
        return any;
    };
    while (i < format.size()) {
        const char c = format[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        ++i;
        if (i >= format.size()) Invalid(format);
        if (format[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        bool left = false;
        int width = -1, precision = -1, number;
        // index ':' comes first when present; without the colon, what was read (and a
        // "*" argument taken) belongs to the width
        const std::size_t save = i, saveArg = argIndex;
        if (readNumber(number) && i < format.size() && format[i] == ':') {
            argIndex = static_cast<std::size_t>(number);
            ++i;
        } else {
            i = save;
            argIndex = saveArg;
        }
        if (i < format.size() && format[i] == '-') {
            left = true;
            ++i;
        }
        if (readNumber(number)) width = number;
        if (i < format.size() && format[i] == '.') {
            ++i;
            precision = readNumber(number) ? number : 0;
        }
        if (i >= format.size()) Invalid(format);
        char type = format[i++];
        if (type >= 'A' && type <= 'Z') type = static_cast<char>(type + 32);
        const TVarRec& arg = nextArg();
        std::string text;
        switch (type) {
        case 'd':
        case 'u': {
            std::int64_t v;
            bool wide;
            if (!IntegerOf(arg, v, wide)) Invalid(format);
            if (type == 'u' && v < 0) {
                const std::uint64_t u = wide ? static_cast<std::uint64_t>(v)
                                             : static_cast<std::uint64_t>(static_cast<std::uint32_t>(v));
                text = ZeroPadInt(std::to_string(u), false, precision);
            } else {
                const bool negative = v < 0;
                const std::uint64_t mag = negative ? static_cast<std::uint64_t>(-(v + 1)) + 1 : static_cast<std::uint64_t>(v);
                text = ZeroPadInt(std::to_string(mag), negative, precision);
            }
            break;
        }
        case 'x': {
            std::int64_t v;
            bool wide;
            if (!IntegerOf(arg, v, wide)) Invalid(format);
            const std::int64_t bits = (!wide && v < 0) ? static_cast<std::int64_t>(static_cast<std::uint32_t>(v)) : v;
            text = IntToHex(bits, precision < 0 ? 0 : precision);
            break;
        }
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm': {
            double v;
            if (!FloatOf(arg, v)) Invalid(format);
            switch (type) {
            case 'e': text = FloatToStrF(v, TFloatFormat::ffExponent, precision < 0 ? 15 : precision, 3, fs); break;
            case 'f': text = FloatToStrF(v, TFloatFormat::ffFixed, 15, precision < 0 ? 2 : precision, fs); break;
            case 'g': text = FloatToStrF(v, TFloatFormat::ffGeneral, precision < 0 ? 15 : precision, 3, fs); break;
            case 'n': text = FloatToStrF(v, TFloatFormat::ffNumber, 15, precision < 0 ? 2 : precision, fs); break;
            default:
                text = FloatToStrF(v, TFloatFormat::ffCurrency, 15, precision < 0 ? fs.CurrencyDecimals : precision, fs);
                break;
            }
            break;
        }
        case 'p': {
            if (arg.GetKind() != TVarRec::Kind::Pointer) Invalid(format);
            text = IntToHex(static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(arg.AsPointer())), 16);
            break;
        }
        case 's': {
            if (!StringOf(arg, text)) Invalid(format);
            if (precision >= 0) text = Utf8Left(text, static_cast<std::size_t>(precision));
            break;
        }
        default: Invalid(format);
        }
        out += PadWidth(std::move(text), width, left);
    }
    return out;
}

std::string Format(std::string_view format, std::span<const TVarRec> args) {
    return Format(format, args, FormatSettings());
}

}  // namespace rtl
