#include "option/pricing/NormalDistribution.h"

#include "option/pricing/PricingTerms.h"

namespace OptionPricing {

double NormalDensity(double x) {
    return Terms::Density(x);
}

double NormalCdf(double x) {
    return Terms::Cdf(x);
}

}  // namespace OptionPricing
