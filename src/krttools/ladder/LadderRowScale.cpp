#include "ladder/LadderRowScale.h"

int LadderRowScale::ReferenceRow() const {
    const int64_t tick = m_grid.ReferenceTick();
    if (tick < 0 || m_rows <= 0) {
        return -1;
    }
    const int row = RowAtOrBelow(tick);
    return TickOfRow(row) == tick ? row : -1;
}

int LadderRowScale::RowOf(double price, Rounding rounding) const {
    const std::optional<int64_t> tick = m_grid.TickOf(price, rounding);
    if (!tick || *tick < 0 || *tick >= m_grid.TickCount() || m_rows <= 0) {
        return -1;
    }
    return RowAtOrBelow(*tick);
}

std::optional<std::pair<int, int>> LadderRowScale::RowsBetween(double high, double low) const {
    const std::optional<int64_t> highTick = m_grid.TickOf(high);
    const std::optional<int64_t> lowTick = m_grid.TickOf(low);
    const int64_t ticks = m_grid.TickCount();
    if (!highTick || !lowTick || m_rows <= 0 || *highTick >= ticks || *lowTick < 0) {
        return std::nullopt;
    }
    const int first = *highTick < 0 ? 0 : RowAtOrBelow(*highTick);
    const int last = *lowTick >= ticks ? m_rows - 1 : RowAtOrBelow(*lowTick);
    if (first > last) {
        return std::nullopt;
    }
    return std::pair{first, last};
}
