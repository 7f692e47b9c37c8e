#pragma once

#include <QString>
#include <optional>
#include <utility>

#include "ladder/LadderTickGrid.h"

// How a ladder's rows map to prices. Every layout shows ticks of one grid (LadderTickGrid), in
// descending order, each tick on at most one row, and covers the grid: its first row is the top
// tick or lies within one step below it, and its last row is the grid's lowest tick. A price
// goes to its tick by the grid's rounding, then shows on the row of the highest row price not
// above that tick, so a working order at any price of the contract is on some row, where it can
// be cancelled or dragged.
//
// The layouts (see LadderLayout, which lays them out):
// - stepped: every N-th tick from the top (N = 1: one tick a row, the futures ladder);
// - zoned: an upper zone of N-tick steps down to a price U, an explicit middle list of prices
//   with U its first entry and L its last, and a lower zone of N-tick steps below L.
//
// Best-level marks ("卖", "二" … on the futures ladder) label the rows that show the levels'
// prices; they never add rows. A coarse ladder that must show the levels at their own prices
// lists them as the zoned layout's middle list. Row numbers therefore depend on the layout
// alone.
class LadderRowScale {
public:
    using Rounding = LadderTickGrid::Rounding;

    explicit LadderRowScale(const LadderTickGrid& grid) : m_grid(grid) {}
    virtual ~LadderRowScale() = default;

    const LadderTickGrid& Grid() const { return m_grid; }
    int RowCount() const { return m_rows; }
    bool IsRow(int row) const { return row >= 0 && row < m_rows; }
    int Decimals() const { return m_grid.Decimals(); }
    double TopPrice() const { return m_grid.TopPrice(); }
    double BottomPrice() const { return m_grid.BottomPrice(); }
    double ReferencePrice() const { return m_grid.ReferencePrice(); }
    double Tick() const { return m_grid.Tick(); }
    // The row whose price equals the reference price, -1 when no row does.
    int ReferenceRow() const;

    // The row a price shows on, -1 when it lies outside the ladder (or is not a number).
    int RowOf(double price, Rounding rounding = Rounding::Tick) const;
    // The rows from the one showing `high` down to the one showing `low`, each end clamped to
    // the ladder: a high above the top starts at the first row, a low below the bottom ends at
    // the last. Nothing when the range lies wholly above or below the ladder.
    std::optional<std::pair<int, int>> RowsBetween(double high, double low) const;
    // The row's price, and its text printed with the grid's decimals; 0 and empty off the ladder.
    double PriceOf(int row) const { return IsRow(row) ? m_grid.PriceOfTick(TickOfRow(row)) : 0; }
    QString PriceText(int row) const { return IsRow(row) ? m_grid.TextOfTick(TickOfRow(row)) : QString(); }
    // Any price printed with the grid's decimals.
    QString FormatPrice(double price) const { return m_grid.FormatPrice(price); }

protected:
    // The tick a row shows; `row` is a row of the ladder.
    virtual int64_t TickOfRow(int row) const = 0;
    // The first row whose tick is `tick` or below it; `tick` is a tick of the grid.
    virtual int RowAtOrBelow(int64_t tick) const = 0;

    LadderTickGrid m_grid;
    int m_rows = 0;
};
