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

TEST(OptionPricing, ReproducesTheAtTheMoneyExample) {
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
}

TEST(OptionPricing, EveryNonZeroTypeSelectsTheForwardFormulas) {
    for (int32_t type : {1, 2, int32_t('e'), int32_t('n'), int32_t('x'), -1}) {
        EXPECT_EQ(OptionPrice(0, type, 105, 100, 0.25, 0.03, 0.5),
                  OptionPrice(0, 1, 105, 100, 0.25, 0.03, 0.5))
            << "type " << type;
    }
    EXPECT_EQ(OptionDelta(7, 0, 105, 100, 0.25, 0.03, 0.5), OptionDelta(1, 0, 105, 100, 0.25, 0.03, 0.5));
}

// Put–call parity holds to rounding because N(x) + N(−x) is exactly 1: C − P = S − K·D on spot,
// D·(S − K) on a forward, whatever the sign of the rate.
TEST(OptionPricing, CallsAndPutsSatisfyParity) {
    for (const OptionCase& c : OptionGrid({100}, {0.7, 1.0, 1.3}, {0.1, 0.5}, {-0.02, 0.0, 0.08}, {0.1, 3})) {
        if (c.put) {
            continue;
        }
        const double call = OptionPrice(0, c.optionType, c.S, c.K, c.sigma, c.r, c.T);
        const double put = OptionPrice(1, c.optionType, c.S, c.K, c.sigma, c.r, c.T);
        const double D = std::exp(-c.r * c.T);
        const double forwardValue = c.optionType ? D * (c.S - c.K) : c.S - c.K * D;
        EXPECT_NEAR(call - put, forwardValue, 1e-12 * c.S) << c;
    }
}

TEST(OptionPricing, InputsOutOfRangeGiveTheFixedResults) {
    const OptionCase valid{0, 0, 100, 100, 0.2, 0.05, 1};
    for (double bad : {0.0, -1.0, kNaN, kInf, -kInf}) {
        for (int32_t put : {0, 1}) {
            for (int32_t type : {0, 1}) {
                OptionCase c = valid;
                c.put = put;
                c.optionType = type;
                for (double OptionCase::*input :
                     {&OptionCase::S, &OptionCase::K, &OptionCase::sigma, &OptionCase::T}) {
                    OptionCase broken = c;
                    broken.*input = bad;
                    ExpectOutOfRange(broken);
                }
            }
        }
    }
}

TEST(OptionPricing, RateHasNoRangeButMustBeANumber) {
    for (double r : {0.0, -0.05, -1.0, 2.0}) {
        EXPECT_GT(OptionPrice(0, 0, 100, 100, 0.2, r, 1), 0.0) << "r=" << r;
        EXPECT_GT(OptionPrice(1, 1, 100, 100, 0.2, r, 1), 0.0) << "r=" << r;
    }
    for (double r : {kNaN, kInf, -kInf}) {
        ExpectOutOfRange({0, 0, 100, 100, 0.2, r, 1});
        ExpectOutOfRange({1, 1, 100, 100, 0.2, r, 1});
    }
}

// Finite inputs so extreme that the formulas overflow to NaN or infinity are valued as out of
// range rather than handing NaN to a price table.
TEST(OptionPricing, OverflowingExtremesGiveTheFixedResults) {
    ExpectOutOfRange({0, 0, 100, 100, 1e300, 0.05, 1e300});  // σ·√T overflows: d1 is NaN
    // D overflows against N(d2) = 0; Delta, Gamma and Vega of spot need no D and stay valued.
    for (int32_t type : {0, 1}) {
        const OptionCase c{0, type, 100, 100, 0.2, -1e300, 1};
        EXPECT_EQ(OptionPrice(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), -1.0) << c;
        EXPECT_TRUE(std::isfinite(OptionDelta(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T))) << c;
        EXPECT_TRUE(std::isfinite(OptionGamma(c.optionType, c.S, c.K, c.sigma, c.r, c.T))) << c;
        EXPECT_EQ(OptionTheta(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), 0.0) << c;
        EXPECT_TRUE(std::isfinite(OptionVega(c.optionType, c.S, c.K, c.sigma, c.r, c.T))) << c;
        EXPECT_EQ(OptionRho(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), 0.0) << c;
    }
}
