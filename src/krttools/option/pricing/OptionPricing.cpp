#include "option/pricing/OptionPricing.h"

#include "option/pricing/PricingTerms.h"

namespace OptionPricing {

using namespace Terms;

double OptionPrice(int32_t put, int32_t optionType, double S, double K, double sigma, double r, double T) {
    if (!IsValuable(S, K, sigma, r, T)) {
        return kOutOfRangePrice;
    }
    const Contract c = MakeContract(put, optionType, S, K, r, T);
    return PriceAt(c, Discount(c), sigma);
}

double OptionDelta(int32_t put, int32_t optionType, double S, double K, double sigma, double r, double T) {
    if (!IsValuable(S, K, sigma, r, T)) {
        return kOutOfRangeDelta;
    }
    const Contract c = MakeContract(put, optionType, S, K, r, T);
    // The spot family needs no discount factor; skipping its exponential is most of the saving.
    const double D = c.forward ? Discount(c) : 1.0;
    return FiniteOr(Delta(c, D, Cdf(D1AndD2(c, sigma).d1)), kOutOfRangeDelta);
}

double OptionGamma(int32_t optionType, double S, double K, double sigma, double r, double T) {
    if (!IsValuable(S, K, sigma, r, T)) {
        return kOutOfRangeOther;
    }
    const Contract c = MakeContract(0, optionType, S, K, r, T);
    const double D = c.forward ? Discount(c) : 1.0;
    return FiniteOr(Gamma(c, sigma, D, Density(D1AndD2(c, sigma).d1)), kOutOfRangeOther);
}

double OptionTheta(int32_t put, int32_t optionType, double S, double K, double sigma, double r, double T) {
    if (!IsValuable(S, K, sigma, r, T)) {
        return kOutOfRangeOther;
    }
    const Contract c = MakeContract(put, optionType, S, K, r, T);
    const double D = Discount(c);
    const D1D2 d = D1AndD2(c, sigma);
    const double nd1 = Density(d.d1);
    const double theta = c.put ? PutTheta(c, sigma, D, nd1, Cdf(-d.d1), Cdf(-d.d2))
                               : CallTheta(c, sigma, D, nd1, Cdf(d.d1), Cdf(d.d2));
    return FiniteOr(theta, kOutOfRangeOther);
}

double OptionVega(int32_t optionType, double S, double K, double sigma, double r, double T) {
    if (!IsValuable(S, K, sigma, r, T)) {
        return kOutOfRangeOther;
    }
    const Contract c = MakeContract(0, optionType, S, K, r, T);
    const double D = c.forward ? Discount(c) : 1.0;
    return FiniteOr(Vega(c, D, Density(D1AndD2(c, sigma).d1)), kOutOfRangeOther);
}

double OptionRho(int32_t put, int32_t optionType, double S, double K, double sigma, double r, double T) {
    if (!IsValuable(S, K, sigma, r, T)) {
        return kOutOfRangeOther;
    }
    const Contract c = MakeContract(put, optionType, S, K, r, T);
    const double D = Discount(c);
    const D1D2 d = D1AndD2(c, sigma);
    const double rho = c.put ? PutRho(c, D, Cdf(-d.d2)) : CallRho(c, D, Cdf(d.d2));
    return FiniteOr(rho, kOutOfRangeOther);
}

}  // namespace OptionPricing
