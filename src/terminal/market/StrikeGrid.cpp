#include "market/StrikeGrid.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace Terminal::Market {

StrikeGrid::StrikeGrid(std::vector<Band> bands) : m_bands(std::move(bands)) {}

StrikeGrid StrikeGrid::Fund() {
    return StrikeGrid({{30000, 500}, {50000, 1000}, {100000, 2500}, {200000, 5000}, {INT64_MAX, 10000}});
}

StrikeGrid StrikeGrid::Even(int64_t step) {
    return StrikeGrid({{INT64_MAX, step}});
}

int64_t StrikeGrid::StepAt(int64_t strike) const {
    for (const Band& band : m_bands) {
        if (strike <= band.upTo) {
            return band.step;
        }
    }
    return m_bands.back().step;
}

int64_t StrikeGrid::Above(int64_t strike) const {
    // A band's bound is its last strike: above it the next band's step applies.
    for (const Band& band : m_bands) {
        if (strike < band.upTo) {
            return std::min(band.upTo, (strike / band.step + 1) * band.step);
        }
    }
    return strike + m_bands.back().step;
}

int64_t StrikeGrid::Below(int64_t strike) const {
    const int64_t step = StepAt(strike - 1);
    const int64_t below = (strike - 1) / step * step;
    return below > 0 ? below : 0;
}

int64_t StrikeGrid::Nearest(int64_t price) const {
    const int64_t step = StepAt(price);
    int64_t low = price / step * step;
    if (low <= 0) {
        low = Above(0);
    }
    const int64_t high = low >= price ? low : Above(low);
    const int64_t lower = low <= price ? low : Below(low);
    if (lower <= 0) {
        return high;
    }
    return price - lower < high - price ? lower : high;
}

std::vector<int64_t> StrikeGrid::Around(int64_t price, int each) const {
    const int64_t centre = Nearest(price);
    std::vector<int64_t> strikes{centre};
    int64_t k = centre;
    for (int i = 0; i < each; ++i) {
        k = Below(k);
        if (k <= 0) {
            break;
        }
        strikes.insert(strikes.begin(), k);
    }
    k = centre;
    for (int i = 0; i < each; ++i) {
        k = Above(k);
        strikes.push_back(k);
    }
    return strikes;
}

}  // namespace Terminal::Market
