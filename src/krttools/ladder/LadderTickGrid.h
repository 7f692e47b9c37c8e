#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The prices a ladder can show: every tick of the contract from the top price down to the
// bottom price, numbered from 0 at the top. Prices are held as 64-bit integers in units of
// 10^-(decimals+1), so ticks never drift the way repeated floating-point steps would, and every
// tick prints as its exact price: a contract that states fewer decimals than its tick needs
// (tick 0.5 with 0 decimals) is printed with the tick's decimals.
class LadderTickGrid {
public:
    // How a price between two ticks picks its tick. Working orders, quotes and the day's range
    // lean to the tick above unless within a tenth of a tick of the one below; position prices
    // go to the nearer tick, half-way going up.
    enum class Rounding { Tick, Nearest };

    // Grids longer than this are refused rather than exhausting memory over a mistyped tick.
    static constexpr int64_t kMaxTicks = 1'000'000;

    // Equal limits (none known) centre 100 ticks either side of the reference price. False (and
    // an empty grid) when the contract cannot be laid out: a tick below 1e-9 or one that no count
    // of up to 9 decimals prints exactly, more than 9 decimals, prices too large for the scaled
    // form, or more than kMaxTicks ticks.
    bool Build(int decimals, double lower, double reference, double tick, double upper);

    // Ticks from the top price down to the lowest tick not below the bottom price; 0 when empty.
    int64_t TickCount() const { return m_ticks; }
    bool Empty() const { return m_ticks == 0; }
    int Decimals() const { return m_decimals; }
    double TopPrice() const { return m_topPrice; }
    double BottomPrice() const { return m_bottomPrice; }
    double ReferencePrice() const { return m_referencePrice; }
    double Tick() const { return m_tick; }
    // The reference price's tick, -1 when it lies between ticks or off the grid.
    int64_t ReferenceTick() const { return m_referenceTick; }

    // The tick a price belongs to, counted from the top: negative above the top, TickCount() or
    // more below the bottom; nothing for a price that is not a number or absurdly large.
    std::optional<int64_t> TickOf(double price, Rounding rounding = Rounding::Tick) const;
    // The tick's price, and its text printed with the grid's decimals; the grid must not be empty.
    double PriceOfTick(int64_t tick) const;
    QString TextOfTick(int64_t tick) const;
    // Any price printed with the grid's decimals.
    QString FormatPrice(double price) const;

private:
    int m_decimals = 0;
    int64_t m_ticks = 0;
    int64_t m_referenceTick = -1;
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
