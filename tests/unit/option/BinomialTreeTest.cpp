#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "option/pricing/BinomialTree.h"
#include "option/pricing/OptionPricing.h"

using OptionPricing::BinomialPrice;
using OptionPricing::OptionPrice;

namespace {

struct Family {
    int32_t optionType;
    const char* name;
};
constexpr Family kFamilies[] = {{0, "spot"}, {2, "forward"}};

TEST(BinomialTree, TwentyStepsComeWithinOnePercentOfTheClosedFormAtTheMoney) {
    for (const Family& f : kFamilies) {
        for (int32_t put : {0, 1}) {
            for (double T : {0.1, 0.5, 1.0}) {
                double closed = OptionPrice(put, f.optionType, 100, 100, 0.25, 0.035, T);
                double tree = BinomialPrice(put, f.optionType, 100, 100, 0.25, 0.035, T, 20, false);
                EXPECT_NEAR(tree, closed, 0.01 * closed) << f.name << " put=" << put << " T=" << T;
            }
        }
    }
}

// With volatility 1 % and a 5 % rate, one period's growth outran the up move of every tree of
// up to 20 steps: the up-move probability left (0, 1) and the calculator showed -1 for a sound
// European option.
TEST(BinomialTree, ALowVolatilityOptionUnderAPositiveRateWasAnsweredMinusOneAndNowMatchesTheClosedForm) {
    struct Case {
        int32_t put;
        double S, sigma, r, T;
        int steps;
    };
    const Case cases[] = {
        {0, 100, 0.01, 0.05, 1.0, 20},
        {0, 100, 0.01, 0.05, 1.0, 2},
        {1, 103, 0.01, 0.05, 1.0, 5},
    };
    for (const Case& c : cases) {
        const double closed = OptionPrice(c.put, 0, c.S, 100, c.sigma, c.r, c.T);
        const double tree = BinomialPrice(c.put, 0, c.S, 100, c.sigma, c.r, c.T, c.steps, false);
        EXPECT_NEAR(tree, closed, 0.01) << "put=" << c.put << " S=" << c.S << " sigma=" << c.sigma
                                        << " steps=" << c.steps << " closed=" << closed;
    }
}

TEST(BinomialTree, EarlyExerciseIsWorthAtLeastHoldingAndAtLeastExercisingNow) {
    for (const Family& f : kFamilies) {
        for (double S : {60.0, 80.0, 95.0, 100.0, 120.0}) {
            double european = BinomialPrice(1, f.optionType, S, 100, 0.3, 0.05, 1.0, 20, false);
            double american = BinomialPrice(1, f.optionType, S, 100, 0.3, 0.05, 1.0, 20, true);
            EXPECT_GE(american, european - 1e-12) << f.name << " S=" << S;
            EXPECT_GE(american, std::max(0.0, 100 - S) - 1e-12) << f.name << " S=" << S;
        }
    }
    // Deep in the money with a positive rate, an American put is worth exercising now.
    EXPECT_DOUBLE_EQ(BinomialPrice(1, 0, 40, 100, 0.2, 0.05, 1.0, 20, true), 60.0);
    // Early exercise adds nothing to a call on a spot underlying without dividends.
    EXPECT_NEAR(BinomialPrice(0, 0, 100, 100, 0.3, 0.05, 1, 20, true),
                BinomialPrice(0, 0, 100, 100, 0.3, 0.05, 1, 20, false), 1e-9);
}

TEST(BinomialTree, LayersAboveTwentyAreTakenAsTwentyAndOutOfRangeInputsGiveMinusOne) {
    EXPECT_DOUBLE_EQ(BinomialPrice(1, 0, 100, 105, 0.2, 0.03, 0.5, 50, true),
                     BinomialPrice(1, 0, 100, 105, 0.2, 0.03, 0.5, 20, true));
    EXPECT_NE(BinomialPrice(1, 0, 100, 105, 0.2, 0.03, 0.5, 5, true),
              BinomialPrice(1, 0, 100, 105, 0.2, 0.03, 0.5, 20, true));
    const double nan = std::nan("");
    EXPECT_EQ(BinomialPrice(0, 0, 0, 100, 0.2, 0.05, 1, 20, false), -1.0);
    EXPECT_EQ(BinomialPrice(0, 0, 100, 100, 0.2, 0.05, 1, 0, false), -1.0);
    EXPECT_EQ(BinomialPrice(0, 0, nan, 100, 0.2, 0.05, 1, 20, false), -1.0);
    EXPECT_EQ(BinomialPrice(0, 0, 100, 100, 0.2, nan, 1, 20, false), -1.0);
}

}  // namespace
