#pragma once

#include <cstdint>

namespace OptionPricing {

// The volatility at which OptionPrice(put, optionType, S, K, σ, r, T) meets marketPrice within
// 0.00005 (a tolerance on the price, not on σ). Starts from sigma0 — a historical or last
// volatility; 0 when there is none — brackets the answer by doubling (σ ← 2σ + 0.0001, found
// within 29 doublings) and bisects (at most 1000 halvings): at most 1031 price evaluations.
//
// True with sigma written, or false with sigma untouched (callers preset it). A market price
// that no volatility can produce fails at once instead of running the search into one of its
// ends: at or below the family's discounted intrinsic value (zero when that is negative), or at
// or above its value at unbounded volatility — S for a spot call, D·S for a forward call, the
// discounted strike K·D for a put. So do S, K or T that are not positive finite numbers and a
// rate or market price that is not finite. Pure and reentrant; never allocates.
bool ImpliedVolatility(int32_t put, int32_t optionType, double S, double K, double sigma0, double r, double T,
                       double marketPrice, double& sigma);

}  // namespace OptionPricing
