// Text comparison of the data layer (indexes, filters, Locate): character by character
// in code-point order, except that "Ё"/"ё" sort right after "Е"/"е" as the Russian
// alphabet has them; optionally ignoring case (Latin, Cyrillic, Latin-1 letters).
// Fast on the common prefix, which matters when a million records are sorted.
#pragma once

#include <string_view>

namespace db {

int CompareTexts(std::string_view a, std::string_view b, bool ignoreCase) noexcept;
// Whether `text` starts with `prefix` under the same rules.
bool StartsWithText(std::string_view text, std::string_view prefix, bool ignoreCase) noexcept;

}  // namespace db
