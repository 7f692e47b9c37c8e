#pragma once

#include <cstdint>

namespace OptionPricing {

// The price and the five sensitivities of one option, in the units of OptionPricing.h.
struct OptionGreeks {
    double price;
    double delta;
    double gamma;
    double theta;
    double vega;
    double rho;
};

// Everything OptionPrice, OptionDelta, OptionGamma, OptionTheta, OptionVega and OptionRho give
// for the same arguments, equal to them bit for bit (out-of-range results included), from one
// evaluation of the terms they share: for tables and risk sums that need all six.
OptionGreeks OptionPriceAndGreeks(int32_t put, int32_t optionType, double S, double K, double sigma, double r,
                                  double T);

}  // namespace OptionPricing
