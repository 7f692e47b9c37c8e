#include "option/pricing/ImpliedVolatility.h"

#include <algorithm>

#include "option/pricing/PricingTerms.h"

namespace OptionPricing {

using namespace Terms;

namespace {

constexpr int kMaxDoublings = 30;
constexpr int kMaxHalvings = 1000;
constexpr double kLowestVolatility = 0.0001;
constexpr double kPriceTolerance = 0.00005;

// The family's price tends to the lower bound as σ → 0 and to the upper bound as σ → ∞ and
// lies strictly between for every σ, so a price outside cannot be matched: the search would
// only run into one of its ends and report that as an answer.
bool IsWithinNoArbitrageBounds(const Contract& c, double D, double price) {
    double lower = 0;
    double upper = 0;
    if (c.forward) {
        lower = D * std::max(c.put ? c.K - c.S : c.S - c.K, 0.0);
        upper = D * (c.put ? c.K : c.S);
    } else {
        lower = std::max(c.put ? c.K * D - c.S : c.S - c.K * D, 0.0);
        upper = c.put ? c.K * D : c.S;
    }
    return price > lower && price < upper;
}

}  // namespace

bool ImpliedVolatility(int32_t put, int32_t optionType, double S, double K, double sigma0, double r, double T,
                       double marketPrice, double& sigma) {
    if (!IsValuableContract(S, K, r, T)) {
        return false;
    }
    const Contract c = MakeContract(put, optionType, S, K, r, T);
    const double D = Discount(c);
    if (!IsWithinNoArbitrageBounds(c, D, marketPrice)) {
        return false;
    }

    const double startPrice = PriceAt(c, D, sigma0);
    double lower = 0;
    double upper = 0;
    if (startPrice > marketPrice) {
        lower = kLowestVolatility;
        upper = sigma0;
    } else if (startPrice < marketPrice) {
        double trial = sigma0;
        int doublings = 0;
        do {
            trial = 2 * trial + kLowestVolatility;
            ++doublings;
        } while (PriceAt(c, D, trial) < marketPrice && doublings < kMaxDoublings);
        // The last doubling only confirms that none of the others found a bracket.
        if (doublings >= kMaxDoublings) {
            return false;
        }
        lower = sigma0;
        upper = trial;
    } else {
        sigma = sigma0;
        return true;
    }

    for (int halving = 0; halving < kMaxHalvings; ++halving) {
        const double middle = (lower + upper) / 2;
        const double price = PriceAt(c, D, middle);
        if (price < marketPrice) {
            lower = middle;
        } else {
            upper = middle;
        }
        if (std::fabs(price - marketPrice) <= kPriceTolerance) {
            sigma = middle;
            return true;
        }
    }
    return false;
}

}  // namespace OptionPricing
