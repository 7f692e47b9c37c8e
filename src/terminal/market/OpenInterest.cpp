#include "market/OpenInterest.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Terminal::Market {

namespace {

constexpr double kWidth = 0.08;
constexpr std::array<double, 4> kMonthWeights{1.0, 0.6, 0.35, 0.2};

// Contracts near the money of the nearest month, by family.
double PeakOf(const Instrument& option) {
    if (option.exchange == "SHQQ-A") {
        return 30000.0;
    }
    return option.exchange == "CFFEX" ? 3000.0 : 8000.0;
}

}  // namespace

double OpeningOpenInterest(const Instrument& instrument, double underlying, int64_t gridStep, int monthRank,
                           std::mt19937_64& rng) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    if (!instrument.option) {
        return instrument.IsDerivative() ? std::round(20000.0 + 30000.0 * unit(rng)) : 0.0;
    }
    const OptionTerms& terms = *instrument.option;
    const double x = underlying > 0 ? std::log(instrument.ToPrice(terms.strike) / underlying) : 0.0;
    double interest = PeakOf(instrument) * std::exp(-x * x / (2 * kWidth * kWidth));
    if (gridStep > 0 && terms.strike % (10 * gridStep) == 0) {
        interest *= 1.5;
    } else if (gridStep > 0 && terms.strike % (5 * gridStep) == 0) {
        interest *= 1.25;
    }
    interest *= kMonthWeights[size_t(std::clamp(monthRank, 0, int(kMonthWeights.size()) - 1))];
    interest *= 0.8 + 0.4 * unit(rng);
    return std::round(interest);
}

InterestChange SplitMarketTrade(int64_t volume, double openInterest, std::mt19937_64& rng) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    InterestChange change;
    change.opened = std::llround(double(volume) * 0.6 * unit(rng));
    change.closed = std::min<int64_t>(std::llround(double(volume - change.opened) * 0.8 * unit(rng)),
                                      int64_t(std::max(0.0, openInterest)));
    return change;
}

}  // namespace Terminal::Market
