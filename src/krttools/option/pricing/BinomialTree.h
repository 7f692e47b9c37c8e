#pragma once

#include <cstdint>

namespace OptionPricing {

// Cox–Ross–Rubinstein binomial value of an option over `steps` periods (1 to 20; more are taken
// as 20, as the calculator's layer count is). With earlyExercise the holder may exercise at every
// node, which values American (and, without their schedule, Bermudan) options. optionType
// chooses the family as the closed forms do: 0 a spot underlying growing at r, anything else a
// forward (futures) underlying with no drift. Out-of-range inputs (S, K, sigma or T not positive
// finite, steps below 1) give -1.0, as the closed-form price does; every valid option gets a
// price, even where the Cox–Ross–Rubinstein odds would leave (0, 1) (then the moves are centred
// on the drift with even odds).
//
// The last period is valued in closed form instead of from the two payoffs below each node
// (Broadie and Detemple's smoothing): a plain tree of 20 steps misprices an at-the-money option
// by more than 1 % and zig-zags as the step count changes, while the smoothed one stays within
// a few hundredths of a percent and still exercises early at every node.
double BinomialPrice(int32_t put, int32_t optionType, double S, double K, double sigma, double r, double T,
                     int steps, bool earlyExercise);

}  // namespace OptionPricing
