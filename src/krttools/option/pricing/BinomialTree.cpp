#include "option/pricing/BinomialTree.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "option/pricing/OptionPricing.h"

namespace OptionPricing {

namespace {
constexpr int kMaxSteps = 20;

bool PositiveFinite(double v) {
    return std::isfinite(v) && v > 0.0;
}

struct Lattice {
    double up;
    double down;
    double upProbability;
};

// The moves of one period whose log spread is 2·sigma·sqrt(dt) and whose mean is the growth.
// The Cox–Ross–Rubinstein moves are symmetric around today's price, so when the growth of one
// period outruns the up move (a low volatility, few periods, a positive rate) no probability
// can make them fair. The moves are then centred on the growth instead, with even odds: up and
// down stay apart by the same log spread and average exactly to the growth, at any volatility.
Lattice ChooseLattice(double spread, double growth) {
    const double up = std::exp(spread);
    const double down = 1.0 / up;
    const double p = (growth - down) / (up - down);
    if (p > 0.0 && p < 1.0) {
        return {up, down, p};
    }
    const double half = std::tanh(spread);
    return {growth * (1.0 + half), growth * (1.0 - half), 0.5};
}
}  // namespace

double BinomialPrice(int32_t put, int32_t optionType, double S, double K, double sigma, double r, double T,
                     int steps, bool earlyExercise) {
    if (!PositiveFinite(S) || !PositiveFinite(K) || !PositiveFinite(sigma) || !PositiveFinite(T) ||
        !std::isfinite(r) || steps < 1) {
        return -1.0;
    }
    const int n = std::min(steps, kMaxSteps);
    const double dt = T / n;
    const double growth = optionType == 0 ? std::exp(r * dt) : 1.0;
    const double discount = std::exp(-r * dt);
    const Lattice lattice = ChooseLattice(sigma * std::sqrt(dt), growth);
    const double up = lattice.up;
    const double down = lattice.down;
    const double p = lattice.upProbability;
    auto payoff = [&](double spot) { return put ? std::max(0.0, K - spot) : std::max(0.0, spot - K); };

    auto node = [&](int step, int j) { return S * std::pow(up, j) * std::pow(down, step - j); };
    std::array<double, kMaxSteps + 1> values{};
    for (int j = 0; j < n; ++j) {
        double held = OptionPrice(put, optionType, node(n - 1, j), K, sigma, r, dt);
        values[j] = earlyExercise ? std::max(held, payoff(node(n - 1, j))) : held;
    }
    for (int step = n - 2; step >= 0; --step) {
        for (int j = 0; j <= step; ++j) {
            double held = discount * (p * values[j + 1] + (1.0 - p) * values[j]);
            values[j] = earlyExercise ? std::max(held, payoff(node(step, j))) : held;
        }
    }
    return values[0];
}

}  // namespace OptionPricing
