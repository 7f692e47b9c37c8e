#include "option/pricing/MaxPain.h"

#include <algorithm>
#include <numeric>

namespace OptionPricing {

namespace {

using Exact = __int128;

// The divisor every strike's sums are scaled to; empty when it would pass the limit.
std::optional<int64_t> CommonDivisor(const std::vector<MaxPainStrike>& strikes) {
    int64_t common = 1;
    for (const MaxPainStrike& s : strikes) {
        common = common / std::gcd(common, int64_t{s.divisor}) * s.divisor;
        if (common > kMaxPainDivisorLimit) {
            return std::nullopt;
        }
    }
    return common;
}

}  // namespace

bool IsWithinMaxPainLimits(const MaxPainStrike& s) {
    const auto interestWithin = [](const std::optional<int64_t>& interest) {
        return !interest || (*interest >= 0 && *interest <= kMaxPainOpenInterestLimit);
    };
    return s.strike >= -kMaxPainStrikeLimit && s.strike <= kMaxPainStrikeLimit && s.divisor >= 1 &&
           s.divisor <= kMaxPainDivisorLimit && interestWithin(s.callOpenInterest) &&
           interestWithin(s.putOpenInterest);
}

std::optional<MaxPainResult> MaxPain(std::vector<MaxPainStrike> strikes) {
    if (strikes.size() > kMaxPainStrikeCountLimit ||
        !std::all_of(strikes.begin(), strikes.end(), IsWithinMaxPainLimits)) {
        return std::nullopt;
    }
    const std::optional<int64_t> common = CommonDivisor(strikes);
    if (!common) {
        return std::nullopt;
    }
    const auto byStrike = [](const MaxPainStrike& a, const MaxPainStrike& b) { return a.strike < b.strike; };
    if (!std::is_sorted(strikes.begin(), strikes.end(), byStrike)) {
        std::stable_sort(strikes.begin(), strikes.end(), byStrike);
    }
    const auto weight = [&](const std::optional<int64_t>& interest, int32_t divisor) -> Exact {
        return interest ? Exact{*interest} * (*common / divisor) : 0;
    };

    // Running sums of weight and of strike × weight: the calls' over the strikes passed, the
    // puts' over the strikes still ahead.
    Exact callWeight = 0, callMoment = 0, putWeight = 0, putMoment = 0;
    for (const MaxPainStrike& s : strikes) {
        const Exact w = weight(s.putOpenInterest, s.divisor);
        putWeight += w;
        putMoment += w * s.strike;
    }

    MaxPainResult result;
    result.points.reserve(strikes.size());
    Exact least = 0;
    for (size_t first = 0; first < strikes.size();) {
        const int64_t x = strikes[first].strike;
        size_t end = first;
        for (; end < strikes.size() && strikes[end].strike == x; ++end) {
            const Exact w = weight(strikes[end].putOpenInterest, strikes[end].divisor);
            putWeight -= w;
            putMoment -= w * x;
        }
        const Exact callPain = x * callWeight - callMoment;
        const Exact putPain = putMoment - x * putWeight;
        const Exact total = callPain + putPain;
        for (size_t i = first; i < end; ++i) {
            const double price = double(x) / strikes[i].divisor;
            result.points.push_back(
                {x, price, double(callPain) / double(*common), double(putPain) / double(*common)});
            if (result.points.size() == 1 || total < least) {
                least = total;
                result.price = price;
            }
        }
        for (size_t i = first; i < end; ++i) {
            const Exact w = weight(strikes[i].callOpenInterest, strikes[i].divisor);
            callWeight += w;
            callMoment += w * x;
        }
        first = end;
    }
    return result;
}

}  // namespace OptionPricing
