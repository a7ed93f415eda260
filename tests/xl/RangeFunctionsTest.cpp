#include "xl/EXLRangeFunctions.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using namespace xl;

TEST(RangeFunctions, CellAddressesGiveRowAndColumn) {
    struct Case {
        const char* Cell;
        int Row, Column;
    };
    const Case cases[] = {
        {"A1", 1, 1},       {"K14", 14, 11},  {"Z9", 9, 26},          {"AA1", 1, 27},
        {"AZ3", 3, 52},     {"BA3", 3, 53},   {"ZZ2", 2, 702},        {"AAA2", 2, 703},
        {"k14", 14, 11},    {"$K$14", 14, 11}, {"K$14", 14, 11},       {"XFD1048576", 1048576, 16384},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EXLReportGetRangeRow(c.Cell), c.Row) << c.Cell;
        EXPECT_EQ(EXLReportGetRangeColumn(c.Cell), c.Column) << c.Cell;
    }
}

TEST(RangeFunctions, AddressOfEveryColumnReadsBack) {
    EXPECT_EQ(EXLReportGetRange(14, 11), "K14");
    EXPECT_EQ(EXLReportGetRange(1048576, 16384), "XFD1048576");
    for (int column = 1; column <= kMaxSheetColumns; ++column) {
        const std::string cell = EXLReportGetRange(7, column);
        ASSERT_EQ(EXLReportGetRangeColumn(cell), column) << cell;
        ASSERT_EQ(EXLReportGetRangeRow(cell), 7) << cell;
    }
    const std::pair<int, int> outside[] = {{0, 1}, {1, 0}, {1048577, 1}, {1, 16385}, {-1, -1}};
    for (const auto& [row, column] : outside)
        EXPECT_THROW(EXLReportGetRange(row, column), rtl::ERangeError) << row << "," << column;
}

TEST(RangeFunctions, FirstAndLastCellOfARange) {
    EXPECT_EQ(EXLReportGetRangeFirst("E20:K20"), "E20");
    EXPECT_EQ(EXLReportGetRangeLast("E20:K20"), "K20");
    EXPECT_EQ(EXLReportGetRangeFirst("$E$20:$K$22"), "$E$20");
    EXPECT_EQ(EXLReportGetRangeLast("$E$20:$K$22"), "$K$22");
    // Taken as written, not put in order.
    EXPECT_EQ(EXLReportGetRangeFirst("K22:E20"), "K22");
    // A single cell is its own first and last cell.
    EXPECT_EQ(EXLReportGetRangeFirst("B7"), "B7");
    EXPECT_EQ(EXLReportGetRangeLast("B7"), "B7");
}

TEST(RangeFunctions, BadTextsAreConvertErrorsNamingThem) {
    for (const char* cell : {"", "K", "14", "K0", "K-1", "K 14", " K14", "K14 ", "XFE1", "AAAA1", "A1048577",
                             "A99999999999999999999", "$$A1", "A$$1", "Ж1", "K14:K15"}) {
        try {
            EXLReportGetRangeRow(cell);
            ADD_FAILURE() << "accepted cell '" << cell << "'";
        } catch (const rtl::EConvertError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(cell) + "' is not a valid cell address");
        }
        EXPECT_THROW(EXLReportGetRangeColumn(cell), rtl::EConvertError) << cell;
    }
    for (const char* range : {"", ":", "E20:", ":K20", "E20:K20:L20", "20:22", "A:C", "E20-K20", "E20;K20"}) {
        try {
            EXLReportGetRangeFirst(range);
            ADD_FAILURE() << "accepted range '" << range << "'";
        } catch (const rtl::EConvertError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(range) + "' is not a valid range address");
        }
        EXPECT_THROW(EXLReportGetRangeLast(range), rtl::EConvertError) << range;
    }
}

}  // namespace
