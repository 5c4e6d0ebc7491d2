#include "base/format.h"

#include <gtest/gtest.h>

using namespace rk;

TEST(Format, GroupedIntegers) {
    EXPECT_EQ(fmt::grouped(1234567, 10), " 1,234,567");
    EXPECT_EQ(fmt::grouped(-1234, 7), " -1,234");
    EXPECT_EQ(fmt::grouped(999, 3), "999");
    EXPECT_EQ(fmt::grouped(0, 4), "   0");
    EXPECT_EQ(fmt::grouped(5, 15), "パラメータ違反");
    EXPECT_EQ(fmt::zeroPadded(42, 4), "0042");
}

TEST(Format, DecimalNumbers) {
    EXPECT_EQ(fmt::decimal(1234.5, 8, 2), "   1,234.50 ");
    EXPECT_EQ(fmt::decimal(-1234567.0, 0, 0), "-1,234,567 ");
    EXPECT_EQ(fmt::decimal(1234.5, 6, 1, false), "  1234.5 ");
    // 12 significant digits: binary noise below them does not show.
    EXPECT_EQ(fmt::decimal(100 * 1.13, 0, 2), "113.00 ");
    EXPECT_EQ(fmt::decimal(-0.001, 0, 2), "0.00 ");
}

TEST(MonthDay, NormalisesBareMonthsAndClamps) {
    EXPECT_EQ(monthday::normalise(2, monthday::kLastDay), 229);
    EXPECT_EQ(monthday::normalise(4, monthday::kFirstDay), 401);
    EXPECT_EQ(monthday::normalise(12, monthday::kLastDay), 1231);
    EXPECT_EQ(monthday::normalise(1340, monthday::kFirstDay), 1231);
    EXPECT_EQ(monthday::normalise(400, monthday::kFirstDay), 401);
    EXPECT_EQ(monthday::normalise(431, monthday::kFirstDay), 430);
    EXPECT_EQ(monthday::normalise(5, 3), -1);
    EXPECT_EQ(monthday::japanese(501), " 5月 1日");
    EXPECT_EQ(monthday::dashed(1231), "12-31");
}
