#include "rtl/Strings.h"

#include "rtl/Utf8.h"

#include <unicode/coll.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>

namespace rtl {
namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

template <class Map>
std::string MapCodePoints(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) Utf8Append(out, map(Utf8Next(s, pos)));
    return out;
}

std::string Fold(std::string_view s) {
    return MapCodePoints(s, [](char32_t c) { return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT)); });
}

// One collator per strength for the process; the Russian rules put "ё" beside "е".
icu::Collator& RussianCollator(icu::Collator::ECollationStrength strength) {
    struct Holder {
        std::unique_ptr<icu::Collator> primary, tertiary;
    };
    static Holder holder = [] {
        Holder h;
        UErrorCode status = U_ZERO_ERROR;
        h.primary.reset(icu::Collator::createInstance(icu::Locale("ru", "RU"), status));
        status = U_ZERO_ERROR;
        h.tertiary.reset(icu::Collator::createInstance(icu::Locale("ru", "RU"), status));
        h.primary->setStrength(icu::Collator::SECONDARY);
        h.tertiary->setStrength(icu::Collator::TERTIARY);
        // The Russian tailoring moves Cyrillic ahead of Latin; the workstation's
        // collation keeps Latin first ("apple" before "арбуз"), so the scripts stay
        // in their standard order.
        const int32_t noReorder = UCOL_REORDER_CODE_NONE;
        status = U_ZERO_ERROR;
        h.primary->setReorderCodes(&noReorder, 1, status);
        status = U_ZERO_ERROR;
        h.tertiary->setReorderCodes(&noReorder, 1, status);
        return h;
    }();
    return strength == icu::Collator::TERTIARY ? *holder.tertiary : *holder.primary;
}

int Collate(std::string_view a, std::string_view b, icu::Collator::ECollationStrength strength) {
    UErrorCode status = U_ZERO_ERROR;
    const auto r = RussianCollator(strength).compareUTF8(
        icu::StringPiece(a.data(), static_cast<int32_t>(a.size())),
        icu::StringPiece(b.data(), static_cast<int32_t>(b.size())), status);
    if (U_FAILURE(status)) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    if (r == UCOL_EQUAL && strength == icu::Collator::SECONDARY) return 0;
    if (r == UCOL_EQUAL) {
        // Collation-equal but different texts are ordered by bytes so sorting is total.
        const int c = a.compare(b);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return r == UCOL_LESS ? -1 : 1;
}

}  // namespace

std::string Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsTrimmed(s[b])) ++b;
    while (e > b && IsTrimmed(s[e - 1])) --e;
    return std::string(s.substr(b, e - b));
}

std::string TrimLeft(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && IsTrimmed(s[b])) ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
    std::size_t e = s.size();
    while (e > 0 && IsTrimmed(s[e - 1])) --e;
    return std::string(s.substr(0, e));
}

std::string UpperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
}

std::string LowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
}

std::string AnsiUpperCase(std::string_view s) {
    return MapCodePoints(s, [](char32_t c) { return static_cast<char32_t>(u_toupper(static_cast<UChar32>(c))); });
}

std::string AnsiLowerCase(std::string_view s) {
    return MapCodePoints(s, [](char32_t c) { return static_cast<char32_t>(u_tolower(static_cast<UChar32>(c))); });
}

int CompareStr(std::string_view a, std::string_view b) noexcept {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareText(std::string_view a, std::string_view b) noexcept {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto ca = static_cast<unsigned char>(a[i]);
        auto cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'a' && ca <= 'z') ca -= 32;
        if (cb >= 'a' && cb <= 'z') cb -= 32;
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool SameText(std::string_view a, std::string_view b) noexcept {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int AnsiCompareText(std::string_view a, std::string_view b) { return Collate(a, b, icu::Collator::SECONDARY); }
int AnsiCompareStr(std::string_view a, std::string_view b) { return Collate(a, b, icu::Collator::TERTIARY); }

bool AnsiSameText(std::string_view a, std::string_view b) {
    if (a.size() == b.size() && SameText(a, b)) return true;
    if (!HasHighBytes(a) && !HasHighBytes(b)) return false;
    return Fold(a) == Fold(b);
}

bool AnsiSameStr(std::string_view a, std::string_view b) noexcept { return a == b; }

bool AnsiStartsText(std::string_view prefix, std::string_view s) {
    const std::string fp = Fold(prefix), fs = Fold(s);
    return fs.compare(0, fp.size(), fp) == 0;
}

bool AnsiContainsText(std::string_view s, std::string_view part) { return AnsiPosText(part, s) != 0; }

std::size_t Pos(std::string_view sub, std::string_view s, std::size_t offset) noexcept {
    if (sub.empty() || offset == 0 || offset > s.size()) return 0;
    const auto p = s.find(sub, offset - 1);
    return p == std::string_view::npos ? 0 : p + 1;
}

std::size_t AnsiPosText(std::string_view sub, std::string_view s) {
    if (sub.empty()) return 0;
    // Fold character by character so the position found maps back to the original text.
    const std::string fsub = Fold(sub);
    for (std::size_t pos = 0; pos < s.size();) {
        std::string window;
        std::size_t scan = pos;
        while (scan < s.size() && window.size() < fsub.size()) {
            const char32_t c = Utf8Next(s, scan);
            Utf8Append(window, static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT)));
        }
        if (window == fsub) return pos + 1;
        Utf8Next(s, pos);
    }
    return 0;
}

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          unsigned flags) {
    if (oldPattern.empty()) return std::string(s);
    std::string out;
    out.reserve(s.size());
    const bool ignoreCase = (flags & rfIgnoreCase) != 0;
    std::size_t pos = 0;
    while (pos < s.size()) {
        std::size_t found;
        std::size_t matchLen = oldPattern.size();
        if (ignoreCase) {
            const std::size_t p = AnsiPosText(oldPattern, s.substr(pos));
            found = p == 0 ? std::string_view::npos : pos + p - 1;
            if (found != std::string_view::npos) {
                // The match spans as many characters as the pattern has.
                const std::size_t chars = Utf8Length(oldPattern);
                matchLen = Utf8Offset(s.substr(found), chars);
            }
        } else {
            found = s.find(oldPattern, pos);
        }
        if (found == std::string_view::npos) break;
        out.append(s.substr(pos, found - pos));
        out.append(newPattern);
        pos = found + matchLen;
        if (!(flags & rfReplaceAll)) break;
    }
    out.append(s.substr(std::min(pos, s.size())));
    return out;
}

std::string QuotedStr(std::string_view s) { return AnsiQuotedStr(s, '\''); }

std::string AnsiQuotedStr(std::string_view s, char quote) {
    std::string out;
    out.reserve(s.size() + 2);
    out += quote;
    for (char c : s) {
        out += c;
        if (c == quote) out += quote;
    }
    out += quote;
    return out;
}

std::string AnsiDequotedStr(std::string_view s, char quote) {
    if (s.empty() || s.front() != quote) return std::string(s);
    std::string out;
    std::size_t i = 1;
    for (; i < s.size(); ++i) {
        if (s[i] == quote) {
            if (i + 1 < s.size() && s[i + 1] == quote) {
                out += quote;
                ++i;
            } else {
                return out;  // closing quote; the rest is dropped as the platform does
            }
        } else {
            out += s[i];
        }
    }
    return std::string(s);  // no closing quote: not a quoted text
}

std::string StringOfChar(char ch, std::size_t count) { return std::string(count, ch); }

bool StartsStr(std::string_view prefix, std::string_view s) noexcept { return s.substr(0, prefix.size()) == prefix; }
bool EndsStr(std::string_view suffix, std::string_view s) noexcept {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}
bool EndsText(std::string_view suffix, std::string_view s) {
    const std::string fs = Fold(s), fx = Fold(suffix);
    return fs.size() >= fx.size() && fs.compare(fs.size() - fx.size(), fx.size(), fx) == 0;
}

bool HasHighBytes(std::string_view s) noexcept {
    return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool HasCyrillic(std::string_view s) noexcept {
    for (std::size_t pos = 0; pos < s.size();) {
        const char32_t c = Utf8Next(s, pos);
        if ((c >= 0x0400 && c <= 0x052F) || (c >= 0x2DE0 && c <= 0x2DFF) || (c >= 0xA640 && c <= 0xA69F)) {
            if (u_isalpha(static_cast<UChar32>(c))) return true;
        }
    }
    return false;
}

}  // namespace rtl
