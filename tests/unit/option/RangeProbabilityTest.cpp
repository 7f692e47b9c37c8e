#include "option/pricing/RangeProbability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "option/pricing/NormalDistribution.h"

using OptionPricing::NormalCdf;
using OptionPricing::RangeProbability;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double SpotD1(double S, double K, double sigma, double r, double T) {
    return (std::log(S / K) + (r + sigma * sigma / 2) * T) / (sigma * std::sqrt(T));
}
}  // namespace

// On spot the two deltas reduce to N(d1 at the lower level) − N(d1 at the upper level).
TEST(RangeProbability, SpotBandIsTheDifferenceOfTheTwoDeltas) {
    const double p = RangeProbability(0, 100, 110, 90, 0.2, 0.05, 1);
    EXPECT_GT(p, 0.0);
    EXPECT_LT(p, 1.0);
    EXPECT_NEAR(p, NormalCdf(SpotD1(100, 90, 0.2, 0.05, 1)) - NormalCdf(SpotD1(100, 110, 0.2, 0.05, 1)),
                1e-14);
}

// The forward family's deltas carry D = e^(−r·T), so even the widest band stops at 2·D − 1; a
// negative rate makes D exceed 1, and the estimate would pass 1 without the cap.
TEST(RangeProbability, ForwardBandKeepsTheDiscountFactorButNeverExceedsCertainty) {
    EXPECT_NEAR(RangeProbability(1, 100, 1e9, 1e-9, 0.2, 0.05, 1), 2 * std::exp(-0.05) - 1, 1e-12);
    EXPECT_EQ(RangeProbability(1, 100, 1e9, 1e-9, 0.2, -0.5, 2), 1.0);
    EXPECT_LE(RangeProbability(1, 100, 130, 70, 0.2, -0.5, 2), 1.0);
}

TEST(RangeProbability, InvertedLevelsAndInputsOutOfRangeGiveZero) {
    EXPECT_EQ(RangeProbability(0, 100, 90, 110, 0.2, 0.05, 1), 0.0);
    EXPECT_EQ(RangeProbability(1, 100, 90, 110, 0.2, 0.05, 1), 0.0);
    for (double bad : {0.0, -1.0, kNaN, kInf}) {
        EXPECT_EQ(RangeProbability(0, bad, 110, 90, 0.2, 0.05, 1), 0.0) << bad;
        EXPECT_EQ(RangeProbability(0, 100, 110, bad, 0.2, 0.05, 1), 0.0) << bad;
        EXPECT_EQ(RangeProbability(0, 100, 110, 90, bad, 0.05, 1), 0.0) << bad;
        EXPECT_EQ(RangeProbability(0, 100, 110, 90, 0.2, 0.05, bad), 0.0) << bad;
    }
    EXPECT_EQ(RangeProbability(1, 100, 110, 90, 0.2, kNaN, 1), 0.0);
}
