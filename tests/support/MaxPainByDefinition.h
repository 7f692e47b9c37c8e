#pragma once

#include <algorithm>
#include <numeric>
#include <vector>

#include "option/pricing/MaxPain.h"

// The maximum-pain analysis as it is defined, every candidate strike against every strike
// (quadratic), for checking the fast routine. The pains are summed exactly as multiples of
// 1 / the divisors' least common multiple, which callers keep small.
inline OptionPricing::MaxPainResult MaxPainByDefinition(std::vector<OptionPricing::MaxPainStrike> strikes) {
    std::stable_sort(strikes.begin(), strikes.end(),
                     [](const auto& a, const auto& b) { return a.strike < b.strike; });
    int64_t common = 1;
    for (const auto& s : strikes) {
        common = std::lcm(common, int64_t{s.divisor});
    }
    OptionPricing::MaxPainResult result;
    __int128 least = 0;
    for (const auto& candidate : strikes) {
        const int64_t x = candidate.strike;
        __int128 callPain = 0;
        __int128 putPain = 0;
        for (const auto& s : strikes) {
            const int64_t scale = common / s.divisor;
            if (s.strike < x && s.callOpenInterest) {
                callPain += __int128{x - s.strike} * *s.callOpenInterest * scale;
            }
            if (s.strike > x && s.putOpenInterest) {
                putPain += __int128{s.strike - x} * *s.putOpenInterest * scale;
            }
        }
        const double price = double(x) / candidate.divisor;
        result.points.push_back(
            {x, price, double(callPain) / double(common), double(putPain) / double(common)});
        if (result.points.size() == 1 || callPain + putPain < least) {
            least = callPain + putPain;
            result.price = price;
        }
    }
    return result;
}
