#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <vector>

// What the stock ladder shows, without pixels: one row per tick from the day's upper limit
// (row 0) down to the lower limit, the last price, five levels of depth a side, and the
// account's working orders summed by row and side. Prices are held as whole ticks, so a price
// and its row never disagree through rounding.
//
// Every update answers the rows whose look changed, for the widget to repaint only those.
class FastMouseLadderModel {
public:
    enum Side { kBuySide = 0, kSellSide = 1 };
    static constexpr int kLevels = 5;
    // A day's range wider than this many ticks is not laid out (a bad tick or limits).
    static constexpr int64_t kMaxRows = 500'000;

    struct Level {
        double price = 0;  // 0: no level
        int64_t volume = 0;
    };
    struct Depth {
        std::array<Level, kLevels> bids{};  // best first
        std::array<Level, kLevels> asks{};  // best first
    };
    struct Order {
        double price = 0;
        int side = kBuySide;
        int64_t volume = 0;
    };

    // Lays out the rows; false (and no rows) for a range that cannot be laid out: a tick not
    // above 0, a lower limit above the upper one, or too many rows.
    bool Build(double lower, double upper, double tick, int decimals, double reference);
    void Clear();

    int RowCount() const { return m_rows; }
    int Decimals() const { return m_decimals; }
    double PriceOf(int row) const;
    // The price printed with the contract's decimals; empty for a row outside the ladder.
    QString PriceText(int row) const;
    // The row of the tick nearest the price; -1 outside the ladder.
    int RowOf(double price) const;
    int ReferenceRow() const { return m_referenceRow; }
    int LastRow() const { return m_lastRow; }

    void SetLastPrice(double price, std::vector<int>& changed);
    void SetDepth(const Depth& depth, std::vector<int>& changed);
    void SetOrders(const std::vector<Order>& orders, std::vector<int>& changed);

    // The depth volume a side shows at a row (0 when none), and its level (0 best, -1 none).
    int64_t DepthAt(int row, int side) const;
    int LevelAt(int row, int side) const;
    // The row of a side's best level; -1 when that side of the book is empty.
    int BestRow(int side) const;
    // The account's working volume at a row on a side (0 when none).
    int64_t OrdersAt(int row, int side) const;
    bool HasOrders(int side) const { return !m_orders[side].empty(); }

private:
    struct RowLevel {
        int row = -1;
        int64_t volume = 0;
    };
    using Ladder = std::array<RowLevel, kLevels>;

    int64_t TicksOf(double price) const;

    int m_rows = 0;
    int64_t m_upperTicks = 0;
    double m_tick = 0;
    int m_decimals = 0;
    int m_referenceRow = -1;
    int m_lastRow = -1;
    std::array<Ladder, 2> m_depth{};
    std::array<std::map<int, int64_t>, 2> m_orders;
};
