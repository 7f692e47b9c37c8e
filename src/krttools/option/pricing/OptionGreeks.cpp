#include "option/pricing/OptionGreeks.h"

#include "option/pricing/PricingTerms.h"

namespace OptionPricing {

using namespace Terms;

OptionGreeks OptionPriceAndGreeks(int32_t put, int32_t optionType, double S, double K, double sigma, double r,
                                  double T) {
    if (!IsValuable(S, K, sigma, r, T)) {
        return {kOutOfRangePrice, kOutOfRangeDelta, kOutOfRangeOther,
                kOutOfRangeOther, kOutOfRangeOther, kOutOfRangeOther};
    }
    const Contract c = MakeContract(put, optionType, S, K, r, T);
    const double D = Discount(c);
    const D1D2 d = D1AndD2(c, sigma);
    const CdfPair n1 = CdfBothSides(d.d1);
    const CdfPair n2 = CdfBothSides(d.d2);

    // Delta, Gamma and Vega of the spot family take no discount factor; their formulas ignore D.
    OptionGreeks g;
    g.delta = FiniteOr(Delta(c, D, n1.atX), kOutOfRangeDelta);
    g.gamma = FiniteOr(Gamma(c, sigma, D, n1.density), kOutOfRangeOther);
    g.vega = FiniteOr(Vega(c, D, n1.density), kOutOfRangeOther);
    if (c.put) {
        g.price = FiniteOr(PutPrice(c, D, n1.atMinusX, n2.atMinusX), kOutOfRangePrice);
        g.theta = FiniteOr(PutTheta(c, sigma, D, n1.density, n1.atMinusX, n2.atMinusX), kOutOfRangeOther);
        g.rho = FiniteOr(PutRho(c, D, n2.atMinusX), kOutOfRangeOther);
    } else {
        g.price = FiniteOr(CallPrice(c, D, n1.atX, n2.atX), kOutOfRangePrice);
        g.theta = FiniteOr(CallTheta(c, sigma, D, n1.density, n1.atX, n2.atX), kOutOfRangeOther);
        g.rho = FiniteOr(CallRho(c, D, n2.atX), kOutOfRangeOther);
    }
    return g;
}

}  // namespace OptionPricing
