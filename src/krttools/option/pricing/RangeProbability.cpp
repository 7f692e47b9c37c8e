#include "option/pricing/RangeProbability.h"

#include <algorithm>
#include <cmath>

#include "option/pricing/OptionPricing.h"
#include "option/pricing/PricingTerms.h"

namespace OptionPricing {

double RangeProbability(int32_t optionType, double S, double upperLevel, double lowerLevel, double sigma,
                        double r, double T) {
    if (!Terms::IsValuable(S, upperLevel, sigma, r, T) || !Terms::IsPositiveFinite(lowerLevel)) {
        return 0.0;
    }
    const double p = std::fabs(OptionDelta(1, optionType, S, upperLevel, sigma, r, T)) +
                     std::fabs(OptionDelta(0, optionType, S, lowerLevel, sigma, r, T)) - 1;
    // With a negative rate the forward family's discount factor exceeds 1 and would carry the
    // estimate past certainty.
    return p > 0 ? std::min(p, 1.0) : 0.0;
}

}  // namespace OptionPricing
