#pragma once

#include <cstdint>

// Closed-form option values shared by every option tool.
//
// put: non-zero values the put, zero the call. optionType: 0 selects the spot formulas
// (Black–Scholes), any other value the forward formulas (Black-76, everything discounted by
// D = e^(−r·T)). S underlying price, K strike, sigma volatility per year (0.2 is 20 %), r the
// continuously compounded rate per year, T years to expiry.
//
// Sensitivities are per unit of their variable and per year: Theta per year, Vega per 1.00 of
// volatility, Rho per 1.00 of rate. Rho takes each family's own d2.
//
// Out of range — S, K, sigma or T not a positive finite number, r not finite, or a result the
// formulas cannot produce as a finite number — gives fixed results and never NaN: price −1.0,
// Delta 1.0, the others 0.0. Rates may be zero or negative.
//
// All routines are pure and reentrant and never allocate.
namespace OptionPricing {

double OptionPrice(int32_t put, int32_t optionType, double S, double K, double sigma, double r, double T);
double OptionDelta(int32_t put, int32_t optionType, double S, double K, double sigma, double r, double T);
double OptionGamma(int32_t optionType, double S, double K, double sigma, double r, double T);
double OptionTheta(int32_t put, int32_t optionType, double S, double K, double sigma, double r, double T);
double OptionVega(int32_t optionType, double S, double K, double sigma, double r, double T);
double OptionRho(int32_t put, int32_t optionType, double S, double K, double sigma, double r, double T);

}  // namespace OptionPricing
