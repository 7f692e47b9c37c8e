#include "option/pricing/OptionGreeks.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>

#include "OptionCase.h"
#include "option/pricing/OptionPricing.h"

using namespace OptionPricing;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Equal to the last bit, which also tells 0.0 from −0.0.
void ExpectSameBits(double fused, double separate, const char* what, const OptionCase& c) {
    EXPECT_EQ(std::bit_cast<uint64_t>(fused), std::bit_cast<uint64_t>(separate))
        << what << ": fused " << fused << ", separate " << separate << " for " << c;
}

}  // namespace

TEST(OptionGreeks, FusedRoutineEqualsTheSeparateRoutinesBitForBit) {
    std::vector<OptionCase> cases = OptionGrid({0.5, 100, 4000}, {0.3, 0.9, 1.0, 1.1, 3.0}, {0.01, 0.2, 1.5},
                                               {-0.03, 0.0, 0.05}, {1.0 / 365, 0.25, 5});
    for (const OptionCase& broken :
         {OptionCase{0, 0, 0, 100, 0.2, 0.05, 1}, OptionCase{1, 1, 100, -5, 0.2, 0.05, 1},
          OptionCase{0, 1, 100, 100, 0, 0.05, 1}, OptionCase{1, 0, 100, 100, 0.2, kNaN, 1},
          OptionCase{0, 0, 100, 100, 0.2, 0.05, kInf}, OptionCase{0, 0, 100, 100, 0.2, -1e300, 1}}) {
        cases.push_back(broken);
    }
    for (const OptionCase& c : cases) {
        const OptionGreeks g = OptionPriceAndGreeks(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T);
        ExpectSameBits(g.price, OptionPrice(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), "price", c);
        ExpectSameBits(g.delta, OptionDelta(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), "delta", c);
        ExpectSameBits(g.gamma, OptionGamma(c.optionType, c.S, c.K, c.sigma, c.r, c.T), "gamma", c);
        ExpectSameBits(g.theta, OptionTheta(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), "theta", c);
        ExpectSameBits(g.vega, OptionVega(c.optionType, c.S, c.K, c.sigma, c.r, c.T), "vega", c);
        ExpectSameBits(g.rho, OptionRho(c.put, c.optionType, c.S, c.K, c.sigma, c.r, c.T), "rho", c);
    }
}
