#include "FastMouseLadderModel.h"

#include <cmath>

bool FastMouseLadderModel::Build(double lower, double upper, double tick, int decimals, double reference) {
    Clear();
    if (!(tick > 0) || !std::isfinite(lower) || !std::isfinite(upper) || lower > upper) {
        return false;
    }
    m_tick = tick;
    const int64_t upperTicks = TicksOf(upper);
    const int64_t rows = upperTicks - TicksOf(lower) + 1;
    if (rows < 1 || rows > kMaxRows) {
        m_tick = 0;
        return false;
    }
    m_upperTicks = upperTicks;
    m_rows = static_cast<int>(rows);
    m_decimals = std::max(0, decimals);
    m_referenceRow = RowOf(reference);
    return true;
}

void FastMouseLadderModel::Clear() {
    m_rows = 0;
    m_upperTicks = 0;
    m_tick = 0;
    m_decimals = 0;
    m_referenceRow = -1;
    m_lastRow = -1;
    m_depth = {};
    for (auto& side : m_orders) {
        side.clear();
    }
}

int64_t FastMouseLadderModel::TicksOf(double price) const {
    return std::llround(price / m_tick);
}

double FastMouseLadderModel::PriceOf(int row) const {
    return row >= 0 && row < m_rows ? static_cast<double>(m_upperTicks - row) * m_tick : 0.0;
}

QString FastMouseLadderModel::PriceText(int row) const {
    return row >= 0 && row < m_rows ? QString::number(PriceOf(row), 'f', m_decimals) : QString();
}

int FastMouseLadderModel::RowOf(double price) const {
    if (m_rows == 0 || !(price > 0) || !std::isfinite(price)) {
        return -1;
    }
    const int64_t row = m_upperTicks - TicksOf(price);
    return row >= 0 && row < m_rows ? static_cast<int>(row) : -1;
}

void FastMouseLadderModel::SetLastPrice(double price, std::vector<int>& changed) {
    const int row = RowOf(price);
    if (row == m_lastRow) {
        return;
    }
    changed.push_back(m_lastRow);
    changed.push_back(row);
    m_lastRow = row;
}

void FastMouseLadderModel::SetDepth(const Depth& depth, std::vector<int>& changed) {
    for (int side : {kBuySide, kSellSide}) {
        const auto& levels = side == kBuySide ? depth.bids : depth.asks;
        Ladder next{};
        for (int i = 0; i < kLevels; ++i) {
            if (levels[i].volume > 0) {
                next[i] = {RowOf(levels[i].price), levels[i].volume};
            }
        }
        Ladder& current = m_depth[side];
        for (int i = 0; i < kLevels; ++i) {
            if (current[i].row != next[i].row || current[i].volume != next[i].volume) {
                changed.push_back(current[i].row);
                changed.push_back(next[i].row);
            }
        }
        current = next;
    }
}

void FastMouseLadderModel::SetOrders(const std::vector<Order>& orders, std::vector<int>& changed) {
    std::array<std::map<int, int64_t>, 2> next;
    for (const Order& order : orders) {
        const int row = RowOf(order.price);
        if (row >= 0 && order.volume > 0 && (order.side == kBuySide || order.side == kSellSide)) {
            next[order.side][row] += order.volume;
        }
    }
    for (int side : {kBuySide, kSellSide}) {
        for (const auto& [row, volume] : m_orders[side]) {
            auto found = next[side].find(row);
            if (found == next[side].end() || found->second != volume) {
                changed.push_back(row);
            }
        }
        for (const auto& [row, volume] : next[side]) {
            if (!m_orders[side].contains(row)) {
                changed.push_back(row);
            }
        }
    }
    m_orders = std::move(next);
}

int64_t FastMouseLadderModel::DepthAt(int row, int side) const {
    const int level = LevelAt(row, side);
    return level >= 0 ? m_depth[side][level].volume : 0;
}

int FastMouseLadderModel::LevelAt(int row, int side) const {
    if (row < 0 || (side != kBuySide && side != kSellSide)) {
        return -1;
    }
    for (int i = 0; i < kLevels; ++i) {
        if (m_depth[side][i].row == row) {
            return i;
        }
    }
    return -1;
}

int FastMouseLadderModel::BestRow(int side) const {
    return side == kBuySide || side == kSellSide ? m_depth[side][0].row : -1;
}

int64_t FastMouseLadderModel::OrdersAt(int row, int side) const {
    if (side != kBuySide && side != kSellSide) {
        return 0;
    }
    auto found = m_orders[side].find(row);
    return found == m_orders[side].end() ? 0 : found->second;
}
