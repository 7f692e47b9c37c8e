#include "ladder/BestLevelMarks.h"

namespace {

using Rows = std::array<int, BestLevelMarks::kLevels>;

Rows RowsOf(const std::vector<LadderLevel>& levels, double bestPrice, const LadderRowScale& scale) {
    Rows rows = BestLevelMarks::kNoRows;
    if (levels.empty()) {
        rows[0] = bestPrice > 0 ? scale.RowOf(bestPrice) : -1;
        return rows;
    }
    for (size_t level = 0; level < rows.size() && level < levels.size(); ++level) {
        // An empty level (no price or no volume) marks nothing.
        if (levels[level].price > 0 && levels[level].volume > 0) {
            rows[level] = scale.RowOf(levels[level].price);
        }
    }
    return rows;
}

void RecordMoves(const Rows& before, const Rows& after, LadderChanges& changes) {
    for (size_t level = 0; level < before.size(); ++level) {
        if (before[level] != after[level]) {
            changes.AddRow(before[level]);
            changes.AddRow(after[level]);
        }
    }
}

}  // namespace

void BestLevelMarks::Update(const LadderBestQuote& quote, const LadderRowScale& scale,
                            LadderChanges& changes) {
    Place(RowsOf(quote.askLevels, quote.askPrice, scale), RowsOf(quote.bidLevels, quote.bidPrice, scale),
          changes);
}

void BestLevelMarks::Clear(LadderChanges& changes) {
    Place(kNoRows, kNoRows, changes);
}

void BestLevelMarks::Place(const Rows& asks, const Rows& bids, LadderChanges& changes) {
    RecordMoves(m_askRows, asks, changes);
    RecordMoves(m_bidRows, bids, changes);
    m_askRows = asks;
    m_bidRows = bids;
}

int BestLevelMarks::LevelAt(int row, int side) const {
    if (row < 0) {
        return -1;
    }
    const Rows& rows = LevelRows(side);
    for (int level = 0; level < kLevels; ++level) {
        if (rows[level] == row) {
            return level;
        }
    }
    return -1;
}

QString BestLevelMarks::Label(int side, int level) {
    static const QString kBest[2] = {QStringLiteral("买"), QStringLiteral("卖")};
    static const QString kDeeper[4] = {QStringLiteral("二"), QStringLiteral("三"), QStringLiteral("四"),
                                       QStringLiteral("五")};
    if (level == 0) {
        return kBest[side == 0 ? 0 : 1];
    }
    return level > 0 && level < kLevels ? kDeeper[level - 1] : QString();
}
