// The ladder's price rows: layout, the row of a price, and the texts.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ladder/LadderPriceScale.h"

namespace {

using Rounding = LadderPriceScale::Rounding;

TEST(LadderBuild, RowsRunTopDownBetweenTheLimitsOrAHundredTicksAroundTheReference) {
    struct Case {
        int decimals;
        double lower, reference, tick, upper;
        int rows, referenceRow;
        const char *top, *bottom, *what;
    };
    const Case cases[] = {
        {1, 0, 52.5, 0.5, 0, 201, 100, "102.5", "2.5", "no limits"},
        {0, 3500, 3500, 1, 3500, 201, 100, "3600", "3400", "limits equal but not zero"},
        {0, 3300, 3500, 1, 3700, 401, 200, "3700", "3300", "limits"},
        {0, 3700, 3500, 1, 3300, 401, 200, "3700", "3300", "limits given the wrong way round"},
        {2, 3.3, 3.5, 0.01, 3.7, 41, 20, "3.70", "3.30", "0.3 × 100 must not truncate to 29"},
        {1, 10, 12.3, 0.5, 20, 21, -1, "20.0", "10.0", "a reference between ticks has no row"},
        {2, -1, 0, 0.25, 1, 9, 4, "1.00", "-1.00", "negative prices"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LadderPriceScale scale;
        ASSERT_EQ(scale.Build(c.decimals, c.lower, c.reference, c.tick, c.upper), c.rows);
        EXPECT_EQ(scale.ReferenceRow(), c.referenceRow);
        EXPECT_EQ(scale.PriceText(0), QString::fromUtf8(c.top));
        EXPECT_EQ(scale.PriceText(c.rows - 1), QString::fromUtf8(c.bottom));
        EXPECT_TRUE(scale.PriceText(c.rows).isEmpty());
    }
}

TEST(LadderBuild, UnusableContractsLeaveTheLadderEmpty) {
    LadderPriceScale scale;
    EXPECT_EQ(scale.Build(2, 10, 15, 1e-10, 20), -1) << "tick below 1e-9";
    EXPECT_EQ(scale.RowCount(), 0);
    EXPECT_EQ(scale.Build(2, 10, 15, -1, 20), -1);
    EXPECT_EQ(scale.Build(2, 10, 15, std::nan(""), 20), -1);
    EXPECT_EQ(scale.Build(10, 10, 15, 0.01, 20), -1) << "more decimals than the scale can hold";
    EXPECT_EQ(scale.Build(0, 10, 15, 0.01, 20), -1) << "a tick the decimals cannot print";
    EXPECT_EQ(scale.Build(4, 0, 5e6, 0.0001, 1e7), -1) << "far too many rows";
    EXPECT_EQ(scale.Build(2, 10, 15, 0.01, std::numeric_limits<double>::infinity()), -1);
    EXPECT_EQ(scale.RowOf(15), -1);
    EXPECT_TRUE(scale.PriceText(0).isEmpty());
}

TEST(LadderRowOfPrice, BetweenTicksLeansUpUnlessWithinATenthOfTheTickBelowAndOutsideHasNoRow) {
    LadderPriceScale scale;
    ASSERT_EQ(scale.Build(0, 90, 95, 1, 100), 11);
    // Row 0 is 100, row 1 is 99.
    EXPECT_EQ(scale.RowOf(99), 1);
    EXPECT_EQ(scale.RowOf(99.1), 1) << "exactly a tenth above 99";
    EXPECT_EQ(scale.RowOf(99.11), 0);
    EXPECT_EQ(scale.RowOf(99.99), 0);
    EXPECT_EQ(scale.RowOf(100.05), 0) << "within the lean of the top";
    EXPECT_EQ(scale.RowOf(100.5), -1) << "above the top is outside, not row 0";
    EXPECT_EQ(scale.RowOf(89.5), 10) << "leans up onto the bottom row";
    EXPECT_EQ(scale.RowOf(89.05), -1);
    EXPECT_EQ(scale.RowOf(0), -1);
    EXPECT_EQ(scale.RowOf(std::nan("")), -1);
    EXPECT_EQ(scale.RowOf(1e300), -1);
}

TEST(LadderRowOfPrice, PositionsGoToTheNearerTickAndHalfWayGoesUp) {
    LadderPriceScale scale;
    ASSERT_EQ(scale.Build(1, 10, 15, 0.2, 20), 51);
    // Row 0 is 20.0, row 1 is 19.8.
    EXPECT_EQ(scale.RowOf(19.9, Rounding::Nearest), 0) << "half-way";
    EXPECT_EQ(scale.RowOf(19.898, Rounding::Nearest), 1);
    EXPECT_EQ(scale.RowOf(19.902, Rounding::Nearest), 0);
    EXPECT_EQ(scale.RowOf(19.821, Rounding::Nearest), 1);
    EXPECT_EQ(scale.RowOf(19.821, Rounding::Tick), 0);
}

TEST(LadderRowOfPrice, NoDriftAcrossAThousandTicks) {
    LadderPriceScale scale;
    ASSERT_EQ(scale.Build(3, 0.5, 1.5, 0.001, 2.5), 2001);
    for (int row = 0; row < scale.RowCount(); ++row) {
        ASSERT_EQ(scale.RowOf(scale.PriceOf(row)), row) << row;
        ASSERT_EQ(scale.RowOf(scale.PriceText(row).toDouble(), Rounding::Nearest), row) << row;
    }
}

TEST(LadderPriceText, ZeroAndNegativePricesKeepTheContractsDecimals) {
    LadderPriceScale scale;
    ASSERT_EQ(scale.Build(2, -1, 0, 0.25, 1), 9);
    EXPECT_EQ(scale.PriceText(3), QStringLiteral("0.25"));
    EXPECT_EQ(scale.PriceText(4), QStringLiteral("0.00"));
    EXPECT_EQ(scale.PriceText(5), QStringLiteral("-0.25"));
    EXPECT_EQ(scale.FormatPrice(scale.BottomPrice()), QStringLiteral("-1.00"));
}

}  // namespace
