#include "option/pricing/ImpliedVolatility.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "OptionCase.h"
#include "option/pricing/OptionPricing.h"

using namespace OptionPricing;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kUntouched = 123.0;
constexpr double kPriceTolerance = 0.00005;

double PriceOf(const OptionCase& c) {
    return OptionPrice(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T);
}

// The search for `price` on c's contract from sigma0; kUntouched when it fails.
double Search(const OptionCase& c, double sigma0, double price, bool& ok) {
    double sigma = kUntouched;
    ok = ImpliedVolatility(c.put, c.optionType, c.S, c.K, sigma0, c.r, c.T, price, sigma);
    if (!ok) {
        EXPECT_EQ(sigma, kUntouched) << "a failed search wrote its output for " << c;
    }
    return sigma;
}

bool Fails(const OptionCase& c, double sigma0, double price) {
    bool ok = true;
    Search(c, sigma0, price, ok);
    return !ok;
}

const OptionCase kAtTheMoneyCall{0, 0, 100, 100, 0.2, 0.05, 1};

}  // namespace

TEST(ImpliedVolatility, RecoversTheExampleFromAHigherStartFromNothingAndFromFarAbove) {
    // From far above the answer the bisection needs some 500 halvings, well within its 1000.
    for (double sigma0 : {0.3, 0.0, 1e150}) {
        bool ok = false;
        const double sigma = Search(kAtTheMoneyCall, sigma0, 10.4506, ok);
        ASSERT_TRUE(ok) << "sigma0=" << sigma0;
        EXPECT_NEAR(sigma, 0.2, 0.5e-4) << "sigma0=" << sigma0;
    }
    // A price at the start answers the start itself.
    OptionCase c = kAtTheMoneyCall;
    c.sigma = 0.3;
    bool ok = false;
    EXPECT_EQ(Search(c, 0.3, PriceOf(c), ok), 0.3);
}

// Whatever the start, the answer reprices the market price within the tolerance on the price.
TEST(ImpliedVolatility, RoundTripsAcrossFamiliesSidesAndMoneyness) {
    for (const OptionCase& c : OptionGrid({100}, {0.8, 1.0, 1.2}, {0.05, 0.25, 0.9}, {0.0, 0.05}, {0.1, 1})) {
        const double market = PriceOf(c);
        for (double sigma0 : {0.0, 0.3, 2.0}) {
            bool ok = false;
            const double sigma = Search(c, sigma0, market, ok);
            if (!ok) {
                // Deep in or out of the money at low volatility the price sits within the
                // tolerance of a bound, where no search is meaningful.
                EXPECT_LT(OptionVega(c.optionType, c.S, c.K, c.sigma, c.r, c.T), 1e-3)
                    << c << " sigma0=" << sigma0;
                continue;
            }
            OptionCase found = c;
            found.sigma = sigma;
            EXPECT_LE(std::fabs(PriceOf(found) - market), kPriceTolerance) << c << " sigma0=" << sigma0;
        }
    }
}

// Below the discounted intrinsic value the bisection would drift to its 0.0001 end and, with a
// price within the tolerance, report it; at the discounted underlying or strike the doublings
// would run to a σ of thousands and report that. Neither is a volatility, so both fail at once.
TEST(ImpliedVolatility, PricesOutsideTheNoArbitrageBoundsFail) {
    const double D = std::exp(-0.05);
    struct Bounds {
        OptionCase option;
        double lower;
        double upper;
    };
    const Bounds kBounds[] = {
        {{0, 0, 120, 100, 0.2, 0.05, 1}, 120 - 100 * D, 120},
        {{0, 1, 120, 100, 0.2, 0.05, 1}, D * 20, D * 120},
        {{1, 1, 80, 100, 0.2, 0.05, 1}, D * 20, D * 100},
        {{0, 0, 80, 100, 0.2, 0.05, 1}, 0, 80},  // out of the money: the bound is zero
    };
    for (const Bounds& b : kBounds) {
        for (double sigma0 : {0.0, 0.3}) {
            EXPECT_TRUE(Fails(b.option, sigma0, b.lower)) << b.option;
            EXPECT_TRUE(Fails(b.option, sigma0, b.lower - 0.00001)) << b.option;
            EXPECT_TRUE(Fails(b.option, sigma0, b.upper)) << b.option;
            EXPECT_TRUE(Fails(b.option, sigma0, b.upper + 1)) << b.option;
            EXPECT_FALSE(Fails(b.option, sigma0, b.lower + 0.5)) << b.option;
            EXPECT_FALSE(Fails(b.option, sigma0, b.upper - 0.5)) << b.option;
        }
    }
}

// The option itself cannot be valued: no volatility helps, even for a market price equal to the
// −1.0 that OptionPrice answers for it. Prices and starts that are no numbers end too.
TEST(ImpliedVolatility, UnvaluableOptionsNonNumbersAndStartsThatCannotBePricedTerminateAndFail) {
    for (double bad : {0.0, -1.0, kNaN, kInf}) {
        for (double OptionCase::*input : {&OptionCase::S, &OptionCase::K, &OptionCase::T}) {
            OptionCase c = kAtTheMoneyCall;
            c.*input = bad;
            EXPECT_TRUE(Fails(c, 0.3, 5.0)) << c;
            EXPECT_TRUE(Fails(c, 0.3, -1.0)) << c;
        }
    }
    for (double r : {kNaN, kInf, -kInf}) {
        OptionCase c = kAtTheMoneyCall;
        c.r = r;
        EXPECT_TRUE(Fails(c, 0.3, 5.0)) << c;
    }
    // Past σ ≈ 1e154, σ² overflows and the formula falls back to the intrinsic value, below the
    // market price: the doublings run out, as they do from starts that cannot be priced at all.
    EXPECT_TRUE(Fails(kAtTheMoneyCall, 0.3, kNaN));
    EXPECT_TRUE(Fails(kAtTheMoneyCall, 0.3, kInf));
    for (double sigma0 : {kNaN, kInf, -1e6, 1e300}) {
        EXPECT_TRUE(Fails(kAtTheMoneyCall, sigma0, 10.4506)) << "sigma0=" << sigma0;
    }
}
