#pragma once

// The standard normal distribution as every option tool values with it.
namespace OptionPricing {

// n(x) = e^(−x²/2) / √6.283185307178.
double NormalDensity(double x);

// N(x) by the polynomial approximation of Abramowitz and Stegun (26.2.17), absolute error below
// 7.5e-8. N(x) for negative x is 1 − N(−x), so N(x) + N(−x) = 1 exactly for x ≠ 0;
// N(0) = 0.500000000525.
double NormalCdf(double x);

}  // namespace OptionPricing
