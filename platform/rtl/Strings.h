// Text functions of the runtime library: trimming, case mapping and comparison (Cyrillic
// included), search and replace, quoting. Positions are 1-based where the platform's are.
#pragma once

#include <string>
#include <string_view>

namespace rtl {

// Trim removes leading and trailing characters at or below the space (control characters
// included), as the platform's Trim does.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// ASCII-only case mapping (UpperCase/LowerCase) and full Unicode case mapping
// (AnsiUpperCase/AnsiLowerCase; Cyrillic "ё" ↔ "Ё" and so on).
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);

// Ordinal comparisons: CompareStr by bytes, CompareText with ASCII letters folded.
int CompareStr(std::string_view a, std::string_view b) noexcept;
int CompareText(std::string_view a, std::string_view b) noexcept;
bool SameText(std::string_view a, std::string_view b) noexcept;
// Linguistic comparisons in the Russian collation: AnsiCompareText ignores case,
// AnsiCompareStr does not (lower before upper on ties, as the platform orders them).
int AnsiCompareText(std::string_view a, std::string_view b);
int AnsiCompareStr(std::string_view a, std::string_view b);
// Equality with full Unicode case folding (no collation: "е" and "ё" differ).
bool AnsiSameText(std::string_view a, std::string_view b);
bool AnsiSameStr(std::string_view a, std::string_view b) noexcept;
bool AnsiStartsText(std::string_view prefix, std::string_view s);
bool AnsiContainsText(std::string_view s, std::string_view part);

// 1-based byte position of sub in s, 0 when absent.
std::size_t Pos(std::string_view sub, std::string_view s, std::size_t offset = 1) noexcept;
// 1-based position, case-insensitive (Unicode folding), 0 when absent.
std::size_t AnsiPosText(std::string_view sub, std::string_view s);

enum TReplaceFlags : unsigned { rfNone = 0, rfReplaceAll = 1, rfIgnoreCase = 2 };
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          unsigned flags);

// QuotedStr doubles every single quote and encloses the text in single quotes.
std::string QuotedStr(std::string_view s);
std::string AnsiQuotedStr(std::string_view s, char quote);
// Removes enclosing quotes and undoubles inner ones; a text not starting with the quote
// comes back unchanged.
std::string AnsiDequotedStr(std::string_view s, char quote);

std::string StringOfChar(char ch, std::size_t count);
bool StartsStr(std::string_view prefix, std::string_view s) noexcept;
bool EndsStr(std::string_view suffix, std::string_view s) noexcept;
bool EndsText(std::string_view suffix, std::string_view s);

// True when any byte is 128 or above.
bool HasHighBytes(std::string_view s) noexcept;
// True when the text holds a Cyrillic letter.
bool HasCyrillic(std::string_view s) noexcept;

}  // namespace rtl

namespace rtl {
// The line break the system writes between lines (texts, messages, lists).
inline constexpr std::string_view sLineBreak = "\r\n";
}  // namespace rtl
