#include "option/pricing/OptionPricing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "OptionCase.h"

using namespace OptionPricing;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Reference {
    OptionCase option;
    double price, delta, gamma, theta, vega, rho;
};

// The at-the-money example S = K = 100, σ = 20 %, r = 5 %, one year, in both families, quoted
// to four decimals.
const Reference kReferences[] = {
    {{0, 0, 100, 100, 0.2, 0.05, 1}, 10.4506, 0.6368, 0.0188, -6.4140, 37.5240, 53.2325},
    {{1, 0, 100, 100, 0.2, 0.05, 1}, 5.5735, -0.3632, 0.0188, -1.6579, 37.5240, -41.8905},
    {{0, 1, 100, 100, 0.2, 0.05, 1}, 7.5771, 0.5135, 0.0189, -3.3971, 37.7593, 43.7729},
    {{1, 1, 100, 100, 0.2, 0.05, 1}, 7.5771, -0.4377, 0.0189, -3.3971, 37.7593, -51.3500},
};

constexpr double kFourDecimals = 0.5e-4;

void ExpectOutOfRange(const OptionCase& c) {
    SCOPED_TRACE(::testing::Message() << c);
    EXPECT_EQ(OptionPrice(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), -1.0);
    EXPECT_EQ(OptionDelta(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), 1.0);
    EXPECT_EQ(OptionGamma(c.optionType, c.S, c.K, c.sigma, c.r, c.T), 0.0);
    EXPECT_EQ(OptionTheta(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), 0.0);
    EXPECT_EQ(OptionVega(c.optionType, c.S, c.K, c.sigma, c.r, c.T), 0.0);
    EXPECT_EQ(OptionRho(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), 0.0);
}

}  // namespace

TEST(OptionPricing, ReproducesTheAtTheMoneyExampleWithEveryNonZeroTypeAForward) {
    for (const Reference& ref : kReferences) {
        const OptionCase& c = ref.option;
        SCOPED_TRACE(::testing::Message() << c);
        EXPECT_NEAR(OptionPrice(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), ref.price, kFourDecimals);
        EXPECT_NEAR(OptionDelta(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), ref.delta, kFourDecimals);
        EXPECT_NEAR(OptionGamma(c.optionType, c.S, c.K, c.sigma, c.r, c.T), ref.gamma, kFourDecimals);
        EXPECT_NEAR(OptionTheta(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), ref.theta, kFourDecimals);
        EXPECT_NEAR(OptionVega(c.optionType, c.S, c.K, c.sigma, c.r, c.T), ref.vega, kFourDecimals);
        EXPECT_NEAR(OptionRho(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), ref.rho, kFourDecimals);
    }
    // Every non-zero type selects the forward formulas.
    for (int32_t type : {2, int32_t('e'), -1}) {
        EXPECT_EQ(OptionPrice(0, type, 105, 100, 0.25, 0.03, 0.5),
                  OptionPrice(0, 1, 105, 100, 0.25, 0.03, 0.5));
    }
}

// A non-positive or non-finite S, K, σ or T, a rate that is no number, and finite inputs so
// extreme that the formulas overflow are valued as out of range, never handed on as NaN.
TEST(OptionPricing, InputsOutOfRangeGiveTheFixedResults) {
    for (double bad : {0.0, -1.0, kNaN, kInf}) {
        for (double OptionCase::*input :
             {&OptionCase::S, &OptionCase::K, &OptionCase::sigma, &OptionCase::T}) {
            for (OptionCase c :
                 {OptionCase{0, 0, 100, 100, 0.2, 0.05, 1}, OptionCase{1, 1, 100, 100, 0.2, 0.05, 1}}) {
                c.*input = bad;
                ExpectOutOfRange(c);
            }
        }
    }
    for (double r : {kNaN, kInf, -kInf}) {
        ExpectOutOfRange({1, 1, 100, 100, 0.2, r, 1});
    }
    EXPECT_GT(OptionPrice(1, 1, 100, 100, 0.2, -1.0, 1), 0.0) << "a rate has no range";
    ExpectOutOfRange({0, 0, 100, 100, 1e300, 0.05, 1e300});  // σ·√T overflows: d1 is NaN
    // D overflows against N(d2) = 0: the price is out of range, Delta of spot needs no D.
    EXPECT_EQ(OptionPrice(0, 0, 100, 100, 0.2, -1e300, 1), -1.0);
    EXPECT_TRUE(std::isfinite(OptionDelta(0, 0, 100, 100, 0.2, -1e300, 1)));
}
