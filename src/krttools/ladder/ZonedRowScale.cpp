#include "ladder/ZonedRowScale.h"

#include <algorithm>

std::vector<int64_t> ZonedRowScale::MiddleTicks(const LadderTickGrid& grid,
                                                const std::vector<double>& prices) {
    std::vector<int64_t> ticks;
    for (double price : prices) {
        const std::optional<int64_t> tick = grid.TickOf(price, LadderTickGrid::Rounding::Nearest);
        if (tick && *tick >= 0 && *tick < grid.TickCount()) {
            ticks.push_back(*tick);
        }
    }
    std::sort(ticks.begin(), ticks.end());
    ticks.erase(std::unique(ticks.begin(), ticks.end()), ticks.end());
    return ticks;
}

ZonedRowScale::ZonedRowScale(const LadderTickGrid& grid, int ticksPerRow, std::vector<int64_t> middle)
    : LadderRowScale(grid), m_ticksPerRow(std::max(ticksPerRow, 1)), m_middle(std::move(middle)) {
    if (m_middle.empty()) {
        return;
    }
    const int64_t below = m_grid.TickCount() - 1 - m_middle.back();
    m_upperSteps = static_cast<int>(m_middle.front() / m_ticksPerRow);
    m_lowerSteps = static_cast<int>(below / m_ticksPerRow);
    m_rows = m_upperSteps + static_cast<int>(m_middle.size()) + m_lowerSteps +
             (below % m_ticksPerRow != 0 ? 1 : 0);
}

int64_t ZonedRowScale::TickOfRow(int row) const {
    const int middleEnd = m_upperSteps + static_cast<int>(m_middle.size());
    if (row <= m_upperSteps) {
        return m_middle.front() - (m_upperSteps - row) * m_ticksPerRow;
    }
    if (row < middleEnd) {
        return m_middle[row - m_upperSteps];
    }
    if (row < middleEnd + m_lowerSteps) {
        return m_middle.back() + (row - middleEnd + 1) * m_ticksPerRow;
    }
    return m_grid.TickCount() - 1;
}

int ZonedRowScale::RowAtOrBelow(int64_t tick) const {
    if (tick <= m_middle.front()) {
        const int64_t stepsUp = (m_middle.front() - tick) / m_ticksPerRow;
        return static_cast<int>(std::max<int64_t>(m_upperSteps - stepsUp, 0));
    }
    if (tick <= m_middle.back()) {
        const auto entry = std::lower_bound(m_middle.begin(), m_middle.end(), tick);
        return m_upperSteps + static_cast<int>(entry - m_middle.begin());
    }
    const int64_t steps = (tick - m_middle.back() + m_ticksPerRow - 1) / m_ticksPerRow;
    const int middleEnd = m_upperSteps + static_cast<int>(m_middle.size());
    return steps <= m_lowerSteps ? middleEnd - 1 + static_cast<int>(steps) : m_rows - 1;
}
