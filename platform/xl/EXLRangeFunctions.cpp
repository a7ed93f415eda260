#include "xl/EXLRangeFunctions.h"

#include "rtl/Exceptions.h"

#include <cstdint>

namespace xl {

namespace {

struct TCellAddress {
    int Row = 0;
    int Column = 0;
};

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int LetterValue(char c) { return (c >= 'a' ? c - 'a' : c - 'A') + 1; }

// Reads a whole text as a cell address; false when it is anything else (including an
// address outside the sheet).
bool TryParseCell(std::string_view text, TCellAddress& cell) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '$') ++i;
    const std::size_t lettersStart = i;
    std::int64_t column = 0;
    while (i < text.size() && IsLetter(text[i])) {
        if (i - lettersStart == 3) return false;
        column = column * 26 + LetterValue(text[i]);
        ++i;
    }
    if (i == lettersStart) return false;
    if (i < text.size() && text[i] == '$') ++i;
    const std::size_t digitsStart = i;
    std::int64_t row = 0;
    while (i < text.size() && IsDigit(text[i])) {
        row = row * 10 + (text[i] - '0');
        if (row > kMaxSheetRows) return false;  // also keeps a long run of digits from overflowing
        ++i;
    }
    if (i == digitsStart || i != text.size()) return false;
    if (row < 1 || column > kMaxSheetColumns) return false;
    cell.Row = static_cast<int>(row);
    cell.Column = static_cast<int>(column);
    return true;
}

TCellAddress ParseCell(std::string_view text) {
    TCellAddress cell;
    if (!TryParseCell(text, cell)) throw rtl::EConvertError("'" + std::string(text) + "' is not a valid cell address");
    return cell;
}

// Splits a range address into its first and last cell texts, checking both.
void SplitRange(std::string_view range, std::string_view& first, std::string_view& last) {
    const std::size_t colon = range.find(':');
    first = range.substr(0, colon);
    last = colon == std::string_view::npos ? first : range.substr(colon + 1);
    TCellAddress cell;
    if (!TryParseCell(first, cell) || !TryParseCell(last, cell))
        throw rtl::EConvertError("'" + std::string(range) + "' is not a valid range address");
}

}  // namespace

std::string EXLReportGetRange(int row, int column) {
    if (row < 1 || row > kMaxSheetRows) throw rtl::ERangeError("Row " + std::to_string(row) + " is outside the sheet");
    if (column < 1 || column > kMaxSheetColumns)
        throw rtl::ERangeError("Column " + std::to_string(column) + " is outside the sheet");
    // Column letters count in base 26 with digits 1..26 (A..Z): there is no zero letter.
    std::string letters;
    for (int n = column; n > 0; n = (n - 1) / 26) letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters + std::to_string(row);
}

std::string EXLReportGetRangeFirst(std::string_view range) {
    std::string_view first, last;
    SplitRange(range, first, last);
    return std::string(first);
}

std::string EXLReportGetRangeLast(std::string_view range) {
    std::string_view first, last;
    SplitRange(range, first, last);
    return std::string(last);
}

int EXLReportGetRangeRow(std::string_view cell) { return ParseCell(cell).Row; }

int EXLReportGetRangeColumn(std::string_view cell) { return ParseCell(cell).Column; }

}  // namespace xl
