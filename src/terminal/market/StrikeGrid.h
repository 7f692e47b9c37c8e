#pragma once

#include <cstdint>
#include <vector>

namespace Terminal::Market {

// The strikes an exchange lists for a family of options, in the options' price units: bands of
// equal steps, each up to and including its bound. Fund options (divisor 10000) step 0.05 up to
// 3, 0.1 up to 5, 0.25 up to 10, 0.5 up to 20 and 1 beyond; futures and index options step
// evenly. Every strike is a multiple of its band's step.
class StrikeGrid {
public:
    struct Band {
        int64_t upTo;  // the highest strike of the band (INT64_MAX for the last)
        int64_t step;
    };

    explicit StrikeGrid(std::vector<Band> bands);
    static StrikeGrid Fund();
    static StrikeGrid Even(int64_t step);

    // The listed strike nearest to price (the higher of two equally near).
    int64_t Nearest(int64_t price) const;
    int64_t Above(int64_t strike) const;
    // 0 when there is no positive strike below.
    int64_t Below(int64_t strike) const;
    // The strike nearest to price and `each` strikes on either side of it, ascending (fewer below
    // when the grid reaches zero).
    std::vector<int64_t> Around(int64_t price, int each) const;
    // The step of the band a strike (or a price) falls in.
    int64_t StepAt(int64_t strike) const;

private:
    std::vector<Band> m_bands;
};

}  // namespace Terminal::Market
