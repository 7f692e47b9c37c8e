#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace OptionPricing {

// One strike of an option chain, as the maximum-pain analysis reads it.
struct MaxPainStrike {
    int64_t strike = 0;  // integer price: price × divisor
    int32_t divisor = 1;
    // Open interest of the strike's call and put; empty for a contract the host does not know,
    // which adds nothing to any pain.
    std::optional<int64_t> callOpenInterest;
    std::optional<int64_t> putOpenInterest;
};

// What holders of the chain's options would gain if the underlying settled at one strike.
struct MaxPainPoint {
    int64_t strike = 0;
    double price = 0;     // strike ÷ divisor
    double callPain = 0;  // Σ over lower strikes of (strike − K) × call open interest ÷ divisor
    double putPain = 0;   // Σ over higher strikes of (K − strike) × put open interest ÷ divisor
};

struct MaxPainResult {
    // The price of the strike with the least call pain + put pain; the lowest such strike on a
    // tie; -1 without strikes.
    double price = -1.0;
    std::vector<MaxPainPoint> points;  // one per strike given, ascending strike
};

// Within these limits every sum is kept exactly (in 128-bit integers scaled by the least common
// multiple of the divisors), so equal totals compare equal and the lowest strike truly wins.
inline constexpr int64_t kMaxPainStrikeLimit = 1'000'000'000'000;     // |strike|
inline constexpr int64_t kMaxPainOpenInterestLimit = 10'000'000'000;  // 0 ≤ open interest
inline constexpr int32_t kMaxPainDivisorLimit = 1'000'000'000;        // 1 ≤ divisor, and their LCM
inline constexpr size_t kMaxPainStrikeCountLimit = 1'000'000;

bool IsWithinMaxPainLimits(const MaxPainStrike& strike);

// The maximum-pain analysis of a chain's strikes, in any order (equal strikes are separate
// candidates with equal pains). Linear after sorting: each pain is X × Σw − Σ(K × w) over the
// strikes below (calls) or above (puts), from running sums. Empty when a strike is outside the
// limits, there are too many, or the divisors' least common multiple is above the limit.
std::optional<MaxPainResult> MaxPain(const std::vector<MaxPainStrike>& strikes);

}  // namespace OptionPricing
