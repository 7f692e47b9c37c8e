#pragma once

#include <QString>
#include <set>
#include <vector>

// Which column of a ladder plays which part. The owner may change them before building; the
// two extra columns are absent (kAbsent) on the futures ladder.
struct LadderColumns {
    static constexpr int kAbsent = -100;

    int buyVolume = 1;
    int sellVolume = 3;
    int buyOrders = 0;
    int sellOrders = 4;
    int firstExtra = kAbsent;
    int secondExtra = kAbsent;
    int price = 2;

    // 0 for the buy-order column, 1 for the sell-order column, -1 otherwise.
    int OrderSide(int column) const;
    int OrderColumn(int side) const { return side == 0 ? buyOrders : sellOrders; }
    // 0 on the buy-volume column, 1 on the sell-volume column, -1 otherwise.
    int VolumeSide(int column) const;
    // The side a column belongs to for hover frames: 0 buy, 1 sell, -1 neither.
    int SideOf(int column) const;
    // Where orders of a side may be dropped: its order and volume columns, the price and its
    // own extra column.
    bool IsDropTarget(int side, int column) const;
};

// One working order as the owner hands it over.
struct LadderOrder {
    QString id;
    int side = 0;  // 0 buy, 1 sell
    double price = 0;
    int volume = 0;
};

// The working orders of one side at one row, shown as one cell with their summed volume.
struct OrderGroup {
    int volume = 0;
    int row = -1;
    int side = 0;
    double price = 0;
    QString firstId;
    std::set<QString> ids;
};

struct LadderLevel {
    double price = 0;
    int volume = 0;
};

// The best quote of the ladder's contract. The level lists, best first, are the owner's depth;
// the futures ladder marks the first five of each side.
struct LadderBestQuote {
    double askPrice = 0;
    int askVolume = 0;
    double bidPrice = 0;
    int bidVolume = 0;
    double high = 0;
    double low = 0;
    std::vector<LadderLevel> askLevels;
    std::vector<LadderLevel> bidLevels;
};

// A position marker: drawn as a bar in the volume cell of its side at its price's row.
struct PositionMark {
    enum class Tone { Profit, Loss, Even };
    int row = -1;
    int side = 0;  // 0 long, 1 short
    Tone tone = Tone::Even;

    bool operator==(const PositionMark&) const = default;
    auto operator<=>(const PositionMark&) const = default;
};

// What the pointer is over, for the hover frames.
struct LadderHover {
    enum class Kind { None, BuySide, SellSide, CancelIcon };
    Kind kind = Kind::None;
    int row = -1;
    int column = -1;

    bool operator==(const LadderHover&) const = default;
};

// Rows (and header, or everything) that a change made stale and that must be repainted.
class LadderChanges {
public:
    void AddRow(int row);
    void AddHeader() { m_header = true; }
    void AddAll() { m_all = true; }
    void Merge(const LadderChanges& other);

    // Each changed row once, ascending.
    std::vector<int> Rows() const;
    bool Header() const { return m_header; }
    bool All() const { return m_all; }
    bool Empty() const { return m_rows.empty() && !m_header && !m_all; }
    void Clear();

private:
    std::vector<int> m_rows;
    bool m_header = false;
    bool m_all = false;
};
