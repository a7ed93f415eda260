// The service table, its lookup and the widening of the short date format.
#include "R_Cards/uServiceTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(WidenShortDateFormat, UpperCasesAndWidensTheYearToFourDigits) {
    const struct {
        const char* format;
        const char* separator;
        const char* expected;
    } cases[] = {
        {"dd.MM.yy", ".", "DD.MM.YYYY"},
        {"dd.MM.yyyy", ".", "DD.MM.YYYY"},
        {"yy/MM/dd", "/", "YYYY/MM/DD"},
        {"dd.MM", ".", "DD.MM.YYYY"},
        {"M/d", "/", "M/D/YYYY"},
        {"y", ".", "YYYY"},
        {"d.M.y", ".", "D.M.YYYY"},
        {"yyy-MM-dd", "-", "YYYY-MM-DD"},
        {"dd y MM", " ", "DD YYYY MM"},
        {"dd.MM.yyyyy", ".", "DD.MM.YYYYY"},
        {"dd.MM.yy y", ".", "DD.MM.YYYY Y"},  // only the first year is widened
    };
    for (const auto& c : cases)
        EXPECT_EQ(WidenShortDateFormat(c.format, c.separator), c.expected) << c.format;
}

TEST(ServiceTable, HoldsTheCardReportService) {
    ASSERT_EQ(ServiceCount, 1);
    const TServiceRow& row = ServiceRow(0);
    EXPECT_STREQ(row.Identity, "0EF61559-3F5C-47D1-8B69-6641EC49CD58");
    EXPECT_STREQ(row.Caption, "Отчеты по картам (Ruv)");
    EXPECT_STREQ(row.Description, row.Caption);
    EXPECT_STREQ(row.IconName, "ICON1");
    EXPECT_EQ(GetServiceGUID(), row.Identity);
}

TEST(ServiceTable, FindServiceFoldsAsciiCaseOnly) {
    const std::pair<const char*, int> cases[] = {
        {"0EF61559-3F5C-47D1-8B69-6641EC49CD58", 0},
        {"0ef61559-3f5c-47d1-8b69-6641ec49cd58", 0},
        {"0Ef61559-3F5c-47D1-8b69-6641eC49Cd58", 0},
        {"{0EF61559-3F5C-47D1-8B69-6641EC49CD58}", -1},
        {"0EF61559-3F5C-47D1-8B69-6641EC49CD58 ", -1},
        {"0EF61559-3F5C-47D1-8B69-6641EC49CD5", -1},
        {"0EF615593F5C47D18B696641EC49CD58", -1},
        {"", -1},
        {"Отчеты по картам (Ruv)", -1},
    };
    for (const auto& [identity, index] : cases) EXPECT_EQ(FindService(identity), index) << identity;
}

}  // namespace
