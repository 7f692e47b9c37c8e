#pragma once

#include <cstdint>

namespace OptionPricing {

// The chance that the underlying ends between lowerLevel and upperLevel, estimated from two
// deltas: |Δ put struck at upperLevel| + |Δ call struck at lowerLevel| − 1, kept within [0, 1].
// The forward family's deltas carry the discount factor, and so does the estimate. 0.0 when S,
// either level, sigma or T is not a positive finite number or r is not finite.
double RangeProbability(int32_t optionType, double S, double upperLevel, double lowerLevel, double sigma,
                        double r, double T);

}  // namespace OptionPricing
