#pragma once

#include <QString>
#include <array>

#include "ladder/LadderRowScale.h"
#include "ladder/LadderTypes.h"

// The rows of the five best ask and five best bid levels, which the futures ladder labels
// "卖"/"买", "二" … "五" in the price column.
class BestLevelMarks {
public:
    static constexpr int kLevels = 5;
    using Rows = std::array<int, kLevels>;
    static constexpr Rows kNoRows{-1, -1, -1, -1, -1};

    // Places the levels of the quote (its level lists, or its best prices when a list is
    // empty) and records every row whose label changed.
    void Update(const LadderBestQuote& quote, const LadderRowScale& scale, LadderChanges& changes);
    void Clear(LadderChanges& changes);

    // The level (0 = best) of the side at the row, -1 when the row carries none.
    int LevelAt(int row, int side) const;
    // The rows of a side's levels, best first; 0 or less where the level is empty.
    const Rows& LevelRows(int side) const { return side == 0 ? m_bidRows : m_askRows; }

    // "卖" or "买" for the best level, then "二", "三", "四", "五".
    static QString Label(int side, int level);

private:
    void Place(const Rows& asks, const Rows& bids, LadderChanges& changes);

    Rows m_askRows = kNoRows;
    Rows m_bidRows = kNoRows;
};
