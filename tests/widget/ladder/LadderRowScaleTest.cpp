// The ladder's price rows: the contract's ticks, the row of any price, the texts, and the three
// layouts of rows over the ticks.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <QStringList>

#include "ladder/LadderLayout.h"

namespace {

using Rounding = LadderTickGrid::Rounding;

struct Contract {
    int decimals;
    double lower, reference, tick, upper;
};

// The rows of a contract in a layout; no rows when the contract cannot be laid out.
std::unique_ptr<LadderRowScale> Lay(const Contract& c, const LadderLayout& layout = {}) {
    LadderTickGrid grid;
    grid.Build(c.decimals, c.lower, c.reference, c.tick, c.upper);
    return layout.Lay(grid);
}

QStringList Texts(const LadderRowScale& scale, int from, int to) {
    QStringList texts;
    for (int row = from; row <= to; ++row) {
        texts << scale.PriceText(row);
    }
    return texts;
}

// Row prices strictly fall from row to row and every row's price leads back to its row: each
// price of the ladder is on exactly one row.
void ExpectEachPriceOnOneRow(const LadderRowScale& scale) {
    for (int row = 0; row < scale.RowCount(); ++row) {
        ASSERT_EQ(scale.RowOf(scale.PriceOf(row)), row) << row;
        if (row > 0) {
            ASSERT_LT(scale.PriceOf(row), scale.PriceOf(row - 1)) << row;
        }
    }
}

TEST(LadderBuild, RowsRunTopDownBetweenTheLimitsOrAHundredTicksAroundTheReference) {
    struct Case {
        Contract contract;
        int rows, referenceRow;
        const char *top, *bottom, *what;
    };
    const Case cases[] = {
        {{1, 0, 52.5, 0.5, 0}, 201, 100, "102.5", "2.5", "no limits"},
        {{0, 3500, 3500, 1, 3500}, 201, 100, "3600", "3400", "limits equal but not zero"},
        {{0, 3300, 3500, 1, 3700}, 401, 200, "3700", "3300", "limits"},
        {{0, 3700, 3500, 1, 3300}, 401, 200, "3700", "3300", "limits given the wrong way round"},
        {{2, 3.3, 3.5, 0.01, 3.7}, 41, 20, "3.70", "3.30", "0.3 × 100 must not truncate to 29"},
        {{1, 10, 12.3, 0.5, 20}, 21, -1, "20.0", "10.0", "a reference between ticks has no row"},
        {{2, -1, 0, 0.25, 1}, 9, 4, "1.00", "-1.00", "negative prices"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto scale = Lay(c.contract);
        ASSERT_EQ(scale->RowCount(), c.rows);
        EXPECT_EQ(scale->ReferenceRow(), c.referenceRow);
        EXPECT_EQ(scale->PriceText(0), QString::fromUtf8(c.top));
        EXPECT_EQ(scale->PriceText(c.rows - 1), QString::fromUtf8(c.bottom));
        EXPECT_TRUE(scale->PriceText(c.rows).isEmpty());
    }
}

TEST(LadderBuild, UnusableContractsLeaveTheLadderEmpty) {
    const Contract unusable[] = {
        {2, 10, 15, 1e-10, 20},                                     // tick below 1e-9
        {2, 10, 15, -1, 20},                                        //
        {2, 10, 15, std::nan(""), 20},                              //
        {10, 10, 15, 0.01, 20},                                     // more decimals than the scale holds
        {2, 10, 15, 1.0 / 3, 20},                                   // no decimals print the tick
        {4, 0, 5e6, 0.0001, 1e7},                                   // far too many rows
        {2, 10, 15, 0.01, std::numeric_limits<double>::infinity()}  //
    };
    for (const Contract& c : unusable) {
        LadderTickGrid grid;
        EXPECT_FALSE(grid.Build(c.decimals, c.lower, c.reference, c.tick, c.upper)) << c.tick;
        const auto scale = LadderLayout{}.Lay(grid);
        EXPECT_EQ(scale->RowCount(), 0);
        EXPECT_EQ(scale->RowOf(15), -1);
        EXPECT_TRUE(scale->PriceText(0).isEmpty());
    }
}

TEST(LadderBuild, ATickFinerThanTheContractsDecimalsPrintedTwoRowsAtOnePriceAndNowEachRowItsOwn) {
    const auto halves = Lay({0, 10, 11, 0.5, 12});
    EXPECT_EQ(Texts(*halves, 0, 4), (QStringList{"12.0", "11.5", "11.0", "10.5", "10.0"}));
    EXPECT_EQ(halves->FormatPrice(halves->TopPrice()), QStringLiteral("12.0"));
    const auto cents = Lay({0, 10, 15, 0.01, 20});
    EXPECT_EQ(cents->RowCount(), 1001);
    EXPECT_EQ(cents->PriceText(1), QStringLiteral("19.99"));
    const auto more = Lay({4, 10, 15, 0.5, 20});
    EXPECT_EQ(more->PriceText(1), QStringLiteral("19.5000")) << "the contract's decimals when they suffice";
    EXPECT_EQ(Texts(*Lay({2, -1, 0, 0.25, 1}), 3, 5), (QStringList{"0.25", "0.00", "-0.25"}));
}

TEST(LadderRowOfPrice,
     BetweenTicksLeansUpUnlessWithinATenthOfTheTickBelowOutsideHasNoRowAndTheDayRangeIsClamped) {
    const auto scale = Lay({0, 90, 95, 1, 100});
    ASSERT_EQ(scale->RowCount(), 11);
    // Row 0 is 100, row 1 is 99.
    EXPECT_EQ(scale->RowOf(99), 1);
    EXPECT_EQ(scale->RowOf(99.1), 1) << "exactly a tenth above 99";
    EXPECT_EQ(scale->RowOf(99.11), 0);
    EXPECT_EQ(scale->RowOf(99.99), 0);
    EXPECT_EQ(scale->RowOf(100.05), 0) << "within the lean of the top";
    EXPECT_EQ(scale->RowOf(100.5), -1) << "above the top is outside, not row 0";
    EXPECT_EQ(scale->RowOf(89.5), 10) << "leans up onto the bottom row";
    EXPECT_EQ(scale->RowOf(89.05), -1);
    EXPECT_EQ(scale->RowOf(0), -1);
    EXPECT_EQ(scale->RowOf(std::nan("")), -1);
    EXPECT_EQ(scale->RowOf(1e300), -1);

    // The day's range is clamped to the ladder.
    using Span = std::optional<std::pair<int, int>>;
    EXPECT_EQ(scale->RowsBetween(98, 93), (Span{{2, 7}}));
    EXPECT_EQ(scale->RowsBetween(120, 93), (Span{{0, 7}})) << "high above the top";
    EXPECT_EQ(scale->RowsBetween(98, 50), (Span{{2, 10}})) << "low below the bottom";
    EXPECT_EQ(scale->RowsBetween(120, 50), (Span{{0, 10}}));
    EXPECT_EQ(scale->RowsBetween(130, 110), Span{}) << "wholly above";
    EXPECT_EQ(scale->RowsBetween(80, 70), Span{}) << "wholly below";
    EXPECT_EQ(scale->RowsBetween(0, 0), Span{}) << "no range yet";
}

TEST(LadderRowOfPrice, PositionsGoToTheNearerTickAndHalfWayGoesUp) {
    const auto scale = Lay({1, 10, 15, 0.2, 20});
    ASSERT_EQ(scale->RowCount(), 51);
    // Row 0 is 20.0, row 1 is 19.8.
    EXPECT_EQ(scale->RowOf(19.9, Rounding::Nearest), 0) << "half-way";
    EXPECT_EQ(scale->RowOf(19.898, Rounding::Nearest), 1);
    EXPECT_EQ(scale->RowOf(19.902, Rounding::Nearest), 0);
    EXPECT_EQ(scale->RowOf(19.821, Rounding::Nearest), 1);
    EXPECT_EQ(scale->RowOf(19.821, Rounding::Tick), 0);
}

TEST(LadderRowOfPrice, NoDriftAcrossAThousandTicks) {
    const auto scale = Lay({3, 0.5, 1.5, 0.001, 2.5});
    ASSERT_EQ(scale->RowCount(), 2001);
    ExpectEachPriceOnOneRow(*scale);
    for (int row = 0; row < scale->RowCount(); ++row) {
        ASSERT_EQ(scale->RowOf(scale->PriceText(row).toDouble(), Rounding::Nearest), row) << row;
    }
}

// Tick 0.001 from 1.000 down to 0.900.
constexpr Contract kOption{3, 0.9, 0.95, 0.001, 1.0};

TEST(SteppedRows, TenTicksARowAndAPriceBetweenRowsShowsOnTheHighestRowNotAboveIt) {
    const auto scale = Lay({3, 0.905, 0.95, 0.001, 1.0}, LadderLayout::Steps(10));
    // 1.000 … 0.910 in steps, then the bottom price, which falls between two steps.
    ASSERT_EQ(scale->RowCount(), 11);
    EXPECT_EQ(scale->PriceText(3), QStringLiteral("0.970"));
    EXPECT_EQ(Texts(*scale, 9, 10), (QStringList{"0.910", "0.905"}));
    EXPECT_EQ(scale->RowOf(0.975), 3) << "an order at 0.975 shows on the 0.970 row";
    EXPECT_EQ(scale->RowOf(0.979), 3);
    EXPECT_EQ(scale->RowOf(0.907), 10);
    EXPECT_EQ(scale->ReferenceRow(), 5);
    EXPECT_EQ(Lay({3, 0.905, 0.955, 0.001, 1.0}, LadderLayout::Steps(10))->ReferenceRow(), -1)
        << "a reference between rows";
    ExpectEachPriceOnOneRow(*scale);
}

TEST(ZonedRows, TheMiddleListShowsEachPriceOnceBetweenStepsDownToItsFirstAndBelowItsLast) {
    const auto scale = Lay(kOption, LadderLayout::Zones(1, {0.950, 0.948, 0.947, 0.945, 0.944}));
    // n = 50: rows 0 … 50 show 1.000 … 0.950; the list's other entries follow; then steps below.
    EXPECT_EQ(Texts(*scale, 0, 1), (QStringList{"1.000", "0.999"}));
    EXPECT_EQ(Texts(*scale, 49, 56),
              (QStringList{"0.951", "0.950", "0.948", "0.947", "0.945", "0.944", "0.943", "0.942"}));
    EXPECT_EQ(scale->PriceText(scale->RowCount() - 1), QStringLiteral("0.900"));
    EXPECT_EQ(scale->RowCount(), 51 + 4 + 44);
    EXPECT_EQ(scale->RowOf(0.946), 53) << "a price missing from the list shows on the row below it";
    ExpectEachPriceOnOneRow(*scale);
}

TEST(ZonedRows, CoarseStepsAnchorAtTheListAndKeepTheBottomPrice) {
    // Unsorted, repeated, off the tick and off the ladder: the list is the distinct ticks, top down.
    const auto scale = Lay(kOption, LadderLayout::Zones(10, {0.972, 0.975, 0.9741, 0.972, 1.5}));
    EXPECT_EQ(Texts(*scale, 0, 5), (QStringList{"0.995", "0.985", "0.975", "0.974", "0.972", "0.962"}));
    EXPECT_EQ(Texts(*scale, 11, 12), (QStringList{"0.902", "0.900"}));
    EXPECT_EQ(scale->RowCount(), 13);
    EXPECT_EQ(scale->RowOf(0.999), 0) << "between the first row and the top price";
    EXPECT_EQ(scale->RowOf(0.973), 4);
    EXPECT_EQ(scale->RowOf(0.970), 5);
    EXPECT_EQ(scale->RowOf(0.901), 12);
    ExpectEachPriceOnOneRow(*scale);

    const auto none = Lay(kOption, LadderLayout::Zones(10, {2.0, std::nan("")}));
    EXPECT_EQ(Texts(*none, 0, 1), (QStringList{"1.000", "0.990"})) << "no usable list: plain steps";
}

}  // namespace
