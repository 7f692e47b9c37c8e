// The routines against QuantLib's Black calculator, an independent implementation with an exact
// normal distribution.
//
// Tolerances follow from the one approximation the routines make: N(x) is off by at most
// ε = 7.5e-8 (Abramowitz and Stegun 26.2.17). n(x) is exact but for the divisor √6.283185307178,
// a relative 1.3e-13. So, per quantity:
//   price  S·N(d1) − K·D·N(d2), discounted once more on a forward:  ε·(S + K·D) at most
//          (in units of S: ε·(1 + K/S), 1.5e-7·S over this grid's strikes);
//   delta  one N:                                                     ε, times D on a forward;
//   gamma, vega  n only:                                              relative 1e-12;
//   theta  the n term exactly, plus r·(S·N(d1) + K·D·N(d2)) terms:    |r|·ε·(S + K)·max(D, 1);
//   rho    K·T·D·N(d2):                                               ε·K·T·D.
// Each check adds a rounding allowance of 1e-12 of the quantity's scale.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ql/option.hpp>
#include <ql/pricingengines/blackcalculator.hpp>

#include "OptionCase.h"
#include "option/pricing/OptionGreeks.h"

using OptionPricing::OptionGreeks;

namespace {

constexpr double kCdfError = 7.5e-8;
constexpr double kRounding = 1e-12;

// Spot options are priced on the forward S/D; forward options on S itself, whose sensitivities
// are then the calculator's forward ones. Theta, vega and rho are taken per year.
OptionGreeks QuantLibGreeks(const OptionCase& c) {
    const double D = std::exp(-c.r * c.T);
    const double forward = c.optionType ? c.S : c.S / D;
    const QuantLib::BlackCalculator black(c.put ? QuantLib::Option::Put : QuantLib::Option::Call, c.K,
                                          forward, c.sigma * std::sqrt(c.T), D);
    return {black.value(),
            c.optionType ? black.deltaForward() : black.delta(c.S),
            c.optionType ? black.gammaForward() : black.gamma(c.S),
            black.theta(c.S, c.T),
            black.vega(c.T),
            black.rho(c.T)};
}

}  // namespace

TEST(QuantLibCrossCheck, PricesAndGreeksAgreeWithinTheApproximationError) {
    const auto cases = OptionGrid({20, 100, 2500}, {0.8, 0.95, 1.0, 1.05, 1.25}, {0.05, 0.2, 0.6},
                                  {-0.01, 0.0, 0.03, 0.1}, {7.0 / 365, 0.5, 2});
    for (const OptionCase& c : cases) {
        const OptionGreeks ours =
            OptionPricing::OptionPriceAndGreeks(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T);
        const OptionGreeks ql = QuantLibGreeks(c);
        const double D = std::exp(-c.r * c.T);
        const double priceScale = c.S + c.K * D;
        const double familyD = c.optionType ? D : 1.0;

        SCOPED_TRACE(::testing::Message() << c);
        EXPECT_NEAR(ours.price, ql.price, kCdfError * priceScale * familyD + kRounding * priceScale);
        EXPECT_NEAR(ours.delta, ql.delta, kCdfError * familyD + kRounding);
        EXPECT_NEAR(ours.gamma, ql.gamma, kRounding * std::fabs(ql.gamma) + 1e-15);
        EXPECT_NEAR(ours.vega, ql.vega, kRounding * std::fabs(ql.vega) + 1e-15);
        EXPECT_NEAR(ours.theta, ql.theta,
                    std::fabs(c.r) * kCdfError * (c.S + c.K) * std::max(D, 1.0) +
                        kRounding * (std::fabs(ql.theta) + priceScale));
        EXPECT_NEAR(ours.rho, ql.rho, kCdfError * c.K * c.T * D + kRounding * c.K * c.T);
    }
}
