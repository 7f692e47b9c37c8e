#include "option/pricing/MaxPain.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace OptionPricing {

namespace {

using Exact = __int128;

// The divisor every strike's sums are scaled to; empty when it would pass the limit.
std::optional<int64_t> CommonDivisor(const std::vector<MaxPainStrike>& strikes) {
    int64_t common = 1;
    int32_t last = 1;
    for (const MaxPainStrike& s : strikes) {
        // A chain's strikes mostly share one divisor; Euclid runs only when it changes.
        if (s.divisor == last) {
            continue;
        }
        last = s.divisor;
        common = common / std::gcd(common, int64_t{s.divisor}) * s.divisor;
        if (common > kMaxPainDivisorLimit) {
            return std::nullopt;
        }
    }
    return common;
}

// The nearest double, by the cheap 64-bit conversion whenever the value fits (the same result).
double ToDouble(Exact value) {
    constexpr Exact kLow = std::numeric_limits<int64_t>::min();
    constexpr Exact kHigh = std::numeric_limits<int64_t>::max();
    return value >= kLow && value <= kHigh ? double(int64_t(value)) : double(value);
}

// The analysis of `count` strikes in ascending order, the k-th being at(k).
template <class StrikeAt>
MaxPainResult Analyse(size_t count, const StrikeAt& at, int64_t common) {
    // Open interest weighs in units of 1 / the common divisor. The divisor seldom changes from
    // one strike to the next, so its scale is divided out only when it does.
    int32_t lastDivisor = 0;
    int64_t lastScale = 0;
    const auto weight = [&](const std::optional<int64_t>& interest, int32_t divisor) -> Exact {
        if (!interest) {
            return 0;
        }
        if (divisor != lastDivisor) {
            lastDivisor = divisor;
            lastScale = common / divisor;
        }
        return Exact{*interest} * lastScale;
    };
    const double scale = double(common);

    // Running sums of weight and of strike × weight: the calls' over the strikes passed, the
    // puts' over the strikes still ahead.
    Exact callWeight = 0, callMoment = 0, putWeight = 0, putMoment = 0;
    for (size_t i = 0; i < count; ++i) {
        const Exact w = weight(at(i).putOpenInterest, at(i).divisor);
        putWeight += w;
        putMoment += w * at(i).strike;
    }

    MaxPainResult result;
    result.points.reserve(count);
    Exact least = 0;
    for (size_t first = 0; first < count;) {
        const int64_t x = at(first).strike;
        size_t end = first;
        for (; end < count && at(end).strike == x; ++end) {
            const Exact w = weight(at(end).putOpenInterest, at(end).divisor);
            putWeight -= w;
            putMoment -= w * x;
        }
        const Exact callPain = x * callWeight - callMoment;
        const Exact putPain = putMoment - x * putWeight;
        const Exact total = callPain + putPain;
        const double callValue = ToDouble(callPain) / scale;
        const double putValue = ToDouble(putPain) / scale;
        for (size_t i = first; i < end; ++i) {
            const double price = double(x) / at(i).divisor;
            result.points.push_back({x, price, callValue, putValue});
            if (result.points.size() == 1 || total < least) {
                least = total;
                result.price = price;
            }
        }
        for (size_t i = first; i < end; ++i) {
            const Exact w = weight(at(i).callOpenInterest, at(i).divisor);
            callWeight += w;
            callMoment += w * x;
        }
        first = end;
    }
    return result;
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

std::optional<MaxPainResult> MaxPain(const std::vector<MaxPainStrike>& strikes) {
    if (strikes.size() > kMaxPainStrikeCountLimit ||
        !std::all_of(strikes.begin(), strikes.end(), IsWithinMaxPainLimits)) {
        return std::nullopt;
    }
    const std::optional<int64_t> common = CommonDivisor(strikes);
    if (!common) {
        return std::nullopt;
    }
    // Chains mostly come in ascending order already and are then read where they lie; others
    // through their order, equal strikes as given.
    const size_t count = strikes.size();
    if (std::is_sorted(strikes.begin(), strikes.end(),
                       [](const MaxPainStrike& a, const MaxPainStrike& b) { return a.strike < b.strike; })) {
        return Analyse(
            count, [&](size_t k) -> const MaxPainStrike& { return strikes[k]; }, *common);
    }
    // Sorted as single integers, strike above position, so ties keep their given order: within
    // the limits a strike takes 41 bits and a position 20.
    static_assert(kMaxPainStrikeLimit < (int64_t{1} << 40) && kMaxPainStrikeCountLimit <= (size_t{1} << 20));
    std::vector<uint64_t> order(count);
    for (size_t i = 0; i < count; ++i) {
        order[i] = uint64_t(strikes[i].strike + (int64_t{1} << 40)) << 20 | i;
    }
    std::sort(order.begin(), order.end());
    return Analyse(
        count, [&](size_t k) -> const MaxPainStrike& { return strikes[order[k] & ((1u << 20) - 1)]; },
        *common);
}

}  // namespace OptionPricing
