#include "db/Collation.h"

#include "rtl/Utf8.h"

#include <algorithm>

namespace db {
namespace {

char32_t Fold(char32_t c) noexcept {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0x0410 && c <= 0x042F) return c + 32;  // А..Я
    if (c >= 0x0400 && c <= 0x040F) return c + 80;  // Ѐ..Џ (Ё among them)
    if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) return c + 32;
    return c;
}

// The sort weight: code points doubled, with "ё" placed just after "е" and "Ё" just
// after "Е".
std::uint64_t Weight(char32_t c) noexcept {
    if (c == 0x0451) return 2ull * 0x0435 + 1;  // ё
    if (c == 0x0401) return 2ull * 0x0415 + 1;  // Ё
    return 2ull * c;
}

}  // namespace

int CompareTexts(std::string_view a, std::string_view b, bool ignoreCase) noexcept {
    if (!ignoreCase) {
        // UTF-8 keeps code-point order in its bytes: only the first differing character
        // needs decoding, for the place of "ё"/"Ё".
        const std::size_t n = std::min(a.size(), b.size());
        std::size_t p = 0;
        while (p < n && a[p] == b[p]) ++p;
        if (p == n) return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
        const auto ca = static_cast<unsigned char>(a[p]), cb = static_cast<unsigned char>(b[p]);
        if (ca < 0x80 && cb < 0x80) return ca < cb ? -1 : 1;
        while (p > 0 && (static_cast<unsigned char>(a[p]) & 0xC0) == 0x80) --p;  // back to the character's start
        std::size_t i = p, j = p;
        const char32_t x = rtl::Utf8Next(a, i), y = rtl::Utf8Next(b, j);
        if (x == y) return a.substr(i).compare(b.substr(j)) < 0 ? -1 : 1;  // malformed bytes: byte order
        return Weight(x) < Weight(y) ? -1 : 1;
    }
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i] == b[j] && static_cast<unsigned char>(a[i]) < 0x80) {
            ++i, ++j;
            continue;
        }
        char32_t ca, cb;
        if (static_cast<unsigned char>(a[i]) < 0x80) ca = static_cast<unsigned char>(a[i++]);
        else ca = rtl::Utf8Next(a, i);
        if (static_cast<unsigned char>(b[j]) < 0x80) cb = static_cast<unsigned char>(b[j++]);
        else cb = rtl::Utf8Next(b, j);
        if (ca == cb) continue;
        if (ignoreCase) {
            ca = Fold(ca);
            cb = Fold(cb);
            if (ca == cb) continue;
        }
        return Weight(ca) < Weight(cb) ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

bool StartsWithText(std::string_view text, std::string_view prefix, bool ignoreCase) noexcept {
    std::size_t i = 0, j = 0;
    while (j < prefix.size()) {
        if (i >= text.size()) return false;
        char32_t ct = rtl::Utf8Next(text, i);
        char32_t cp = rtl::Utf8Next(prefix, j);
        if (ct == cp) continue;
        if (!ignoreCase || Fold(ct) != Fold(cp)) return false;
    }
    return true;
}

}  // namespace db
