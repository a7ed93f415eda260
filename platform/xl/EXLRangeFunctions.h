// Cell and range addresses in the spreadsheet's A1 form.
//
// A cell address is one to three column letters followed by a row number: "E20",
// "xfd1048576". Letters may be of either case; either part may carry the "$" that marks
// an absolute reference ("$E$20"). Columns run from A (1) to XFD (16384), rows from 1 to
// 1048576, the limits of a sheet.
//
// A range address is a cell address, or two of them joined by ":" ("E20:K20"). A single
// cell is a range whose first and last cell are that cell. The cells are taken as
// written: "K20:E20" has K20 as its first cell. Ranges of whole rows or columns ("20:20",
// "A:C") are not cell ranges and are refused.
//
// Every function that reads an address raises rtl::EConvertError naming the text when it
// is not an address of the kind asked for.
#pragma once

#include <string>
#include <string_view>

namespace xl {

inline constexpr int kMaxSheetRows = 1048576;
inline constexpr int kMaxSheetColumns = 16384;

// The address of the cell at (row, column), both counted from 1: (14, 11) gives "K14".
// A row or column outside the sheet raises rtl::ERangeError naming it.
std::string EXLReportGetRange(int row, int column);

// The first cell of a range address, as written in it: "E20:K20" gives "E20", "E20"
// gives "E20".
std::string EXLReportGetRangeFirst(std::string_view range);

// The last cell of a range address, as written in it: "E20:K20" gives "K20", "E20"
// gives "E20".
std::string EXLReportGetRangeLast(std::string_view range);

// The row number of a cell address: "K14" gives 14.
int EXLReportGetRangeRow(std::string_view cell);

// The column number, counted from 1, of a cell address: "K14" gives 11, "AA1" gives 27.
int EXLReportGetRangeColumn(std::string_view cell);

}  // namespace xl
