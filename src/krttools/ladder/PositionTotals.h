#pragma once

#include <json/value.h>

#include <QString>

// What the long and short position panels of the futures window show, summed over the
// positions of one contract and hedge type.
struct PositionSideTotals {
    int64_t firstTotal = 0;   // "135": the position
    int64_t secondTotal = 0;  // "137": what of it can be closed
    double profit = 0;        // floating profit at the current price
    double cost = 0;          // Σ "136" × "135": what the position cost at its average prices

    // Empty without a position, "%d" when both totals agree, "%d(%d)" otherwise.
    QString VolumeText() const;
    // The number a double click on the panel takes as the order volume.
    QString SecondText() const { return QString::number(secondTotal); }
    // The profit with `decimals` decimals; empty without a position.
    QString ProfitText(int decimals) const;
    // The average price of the whole side; 0 without a position.
    double AveragePrice() const { return firstTotal != 0 ? cost / static_cast<double>(firstTotal) : 0.0; }
};

struct PositionTotals {
    PositionSideTotals longSide;
    PositionSideTotals shortSide;
};

// Sums the position records ("112" "0" long, "1" short; "135", "137", "136" average price) and
// values them at `currentPrice`: a long side gains (current − average) × multiplier × volume, a
// short side the opposite. Records of another direction count on neither side.
PositionTotals SumPositions(const Json::Value& positions, double currentPrice, double multiplier);
