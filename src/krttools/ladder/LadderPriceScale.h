#pragma once

#include <QString>
#include <cstdint>

// The price axis of a ladder: one row per tick from the top price down to the bottom price.
// Prices are held as 64-bit integers in units of 10^-(decimals+1), so the ladder's rows and the
// row of any price never drift the way repeated floating-point steps would.
class LadderPriceScale {
public:
    // How a price between two ticks picks its row. Working orders, quotes and the day's range
    // lean to the tick above unless within a tenth of a tick of the one below; position
    // prices go to the nearer tick, half-way going up.
    enum class Rounding { Tick, Nearest };

    // Ladders longer than this are refused rather than exhausting memory over a mistyped tick.
    static constexpr int kMaxRows = 1'000'000;

    // Lays the rows out. Equal limits (none known) centre 100 ticks either side of the
    // reference price. Answers the row count, or -1 when the contract cannot be laid out: a
    // tick below 1e-9, more than 9 decimals, a tick finer than the decimals can print, prices
    // too large for the scaled form, or more than kMaxRows rows.
    int Build(int decimals, double lower, double reference, double tick, double upper);
    void Clear();

    int RowCount() const { return m_rows; }
    bool IsRow(int row) const { return row >= 0 && row < m_rows; }
    // The row whose price equals the reference price, -1 when no row does.
    int ReferenceRow() const { return m_referenceRow; }
    int Decimals() const { return m_decimals; }
    double TopPrice() const { return m_topPrice; }
    double BottomPrice() const { return m_bottomPrice; }
    double ReferencePrice() const { return m_referencePrice; }
    double Tick() const { return m_tick; }

    // The row a price belongs to, -1 when it lies outside the ladder (or is not a number).
    int RowOf(double price, Rounding rounding = Rounding::Tick) const;
    // The row's price printed with the ladder's decimals; empty outside the ladder.
    QString PriceText(int row) const;
    double PriceOf(int row) const;
    // Any price printed with the ladder's decimals.
    QString FormatPrice(double price) const;

private:
    int m_decimals = 0;
    int m_rows = 0;
    int m_referenceRow = -1;
    double m_topPrice = 0;
    double m_bottomPrice = 0;
    double m_referencePrice = 0;
    double m_tick = 0;
    // Scaled forms: price × 10^(decimals+1).
    int64_t m_scale = 0;
    int64_t m_top = 0;
    int64_t m_tickScaled = 0;
    // Prices are placed on a grid finer than the scale by m_fineFactor, so a price given to a
    // few more decimals than the contract prints still lands on the right side of a boundary.
    int64_t m_fineFactor = 1;
};
