// TCellRangeSource: a rectangular block of a sheet as the system's code reads it. The
// sheet keeps its cells; code that only needs to look at a block (the template cell
// parser, say) takes this interface, so it does not depend on how the workbook stores
// them.
#pragma once

#include "rtl/Variant.h"

namespace xl {

class TCellRangeSource {
public:
    TCellRangeSource() = default;
    TCellRangeSource(const TCellRangeSource&) = default;
    TCellRangeSource& operator=(const TCellRangeSource&) = default;
    virtual ~TCellRangeSource();

    // Sheet row and column (both counted from 1) of the block's top-left cell.
    virtual int FirstRow() const = 0;
    virtual int FirstColumn() const = 0;
    // Size of the block; 0 for an empty one.
    virtual int RowCount() const = 0;
    virtual int ColumnCount() const = 0;
    // The value of the cell at (row, column), both counted from 1 inside the block
    // (1, 1 is the top-left cell). A blank cell is empty (unassigned). Positions outside
    // 1..RowCount, 1..ColumnCount raise rtl::ERangeError.
    virtual rtl::Variant Cell(int row, int column) const = 0;
};

}  // namespace xl
