#pragma once

#include <vector>

#include "ladder/LadderRowScale.h"

// Three zones: N-tick steps from near the top down to U, an explicit middle list of ticks from U
// to L, and N-tick steps below L, where U and L are the list's first and last entries. With n
// the number of steps from the top down to U and m the list's length, row r ≤ n shows
// U + (n − r) steps, row n < r < n + m shows list entry r − n, and row r ≥ n + m shows
// L − (r − n − m + 1) steps. Each list price thus appears on exactly one row. When the lowest
// tick falls between two steps it gets a last row of its own.
class ZonedRowScale : public LadderRowScale {
public:
    // The prices of a middle list as the grid's ticks: each on its nearest tick, those off the
    // grid dropped, then the distinct ticks from the top down.
    static std::vector<int64_t> MiddleTicks(const LadderTickGrid& grid, const std::vector<double>& prices);

    // `middle` as MiddleTicks answers it and not empty. A step below one tick is taken as one.
    ZonedRowScale(const LadderTickGrid& grid, int ticksPerRow, std::vector<int64_t> middle);

protected:
    int64_t TickOfRow(int row) const override;
    int RowAtOrBelow(int64_t tick) const override;

private:
    int64_t m_ticksPerRow = 1;
    std::vector<int64_t> m_middle;
    int m_upperSteps = 0;  // n: the upper zone holds rows 0 … n
    int m_lowerSteps = 0;  // rows of the lower zone, without the last row of the lowest tick
};
