#include "option/pricing/NormalDistribution.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using OptionPricing::NormalCdf;
using OptionPricing::NormalDensity;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

double ExactCdf(double x) {
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}
}  // namespace

TEST(NormalDistribution, DensityUsesTheTwelveDecimalDivisor) {
    EXPECT_EQ(NormalDensity(0), 1 / std::sqrt(6.283185307178));
    EXPECT_EQ(NormalDensity(1.5), std::exp(-1.125) / std::sqrt(6.283185307178));
    EXPECT_EQ(NormalDensity(-1.5), NormalDensity(1.5));
    EXPECT_EQ(NormalDensity(kInf), 0.0);
}

// A wrong coefficient or sign shows up as an error far above the approximation's 7.5e-8.
TEST(NormalDistribution, CdfStaysWithinTheApproximationsErrorBound) {
    for (double x = -8; x <= 8; x += 0.01) {
        EXPECT_NEAR(NormalCdf(x), ExactCdf(x), 7.5e-8) << "x=" << x;
    }
}

// At 0 itself neither side is negative, and the sum carries the bias twice: 1.00000000105.
TEST(NormalDistribution, CdfOfOppositeArgumentsSumsToExactlyOneButAtZeroWhereItCarriesThePolynomialsBias) {
    for (double x : {1e-300, 1e-12, 0.1, 0.5, 1.0, 1.96, 3.3, 7.0, 40.0}) {
        EXPECT_EQ(NormalCdf(x) + NormalCdf(-x), 1.0) << "x=" << x;
        EXPECT_EQ(NormalCdf(-x), 1 - NormalCdf(x)) << "x=" << x;
    }
    EXPECT_EQ(NormalCdf(kInf), 1.0);
    EXPECT_EQ(NormalCdf(-50), 0.0);
    EXPECT_NEAR(NormalCdf(0), 0.500000000525, 5e-13);
    EXPECT_EQ(NormalCdf(-0.0), NormalCdf(0.0));
}
