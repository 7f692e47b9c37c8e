#pragma once

#include "ladder/LadderRowScale.h"

// N ticks a row from the top price down (N = 1: one tick a row). When the grid's lowest tick
// falls between two steps it gets a last row of its own, so the bottom price keeps a row.
class SteppedRowScale : public LadderRowScale {
public:
    // A step below one tick is taken as one tick.
    SteppedRowScale(const LadderTickGrid& grid, int ticksPerRow);

protected:
    int64_t TickOfRow(int row) const override;
    int RowAtOrBelow(int64_t tick) const override;

private:
    int64_t m_ticksPerRow = 1;
    int m_stepRows = 0;
};
