#include "ladder/SteppedRowScale.h"

#include <algorithm>

SteppedRowScale::SteppedRowScale(const LadderTickGrid& grid, int ticksPerRow)
    : LadderRowScale(grid), m_ticksPerRow(std::max(ticksPerRow, 1)) {
    const int64_t lowest = m_grid.TickCount() - 1;
    if (lowest < 0) {
        return;
    }
    m_stepRows = static_cast<int>(lowest / m_ticksPerRow + 1);
    m_rows = m_stepRows + (lowest % m_ticksPerRow != 0 ? 1 : 0);
}

int64_t SteppedRowScale::TickOfRow(int row) const {
    return row < m_stepRows ? row * m_ticksPerRow : m_grid.TickCount() - 1;
}

int SteppedRowScale::RowAtOrBelow(int64_t tick) const {
    const int64_t row = (tick + m_ticksPerRow - 1) / m_ticksPerRow;
    return row < m_stepRows ? static_cast<int>(row) : m_rows - 1;
}
