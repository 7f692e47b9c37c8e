#pragma once

#include <cstdint>

#include "kora/interface/QuoteSnapshot.h"
#include "ladder/LadderTypes.h"

// A quote of a ladder window's contract in real prices, as the ladder and the position
// panels use it.
struct LadderQuote {
    double lastPrice = 0;     // 0 before the first trade
    double currentPrice = 0;  // what positions are valued at: the last price, else the reference
    bool hasBook = false;     // false: the ladder's best quote is cleared
    LadderBestQuote best;     // best prices and volumes, the day's range and five levels a side
};

// Reads a snapshot whose integer prices are `divisor` units per 1.0. `last` overrides the
// snapshot's last price (a push's own latest price). A divisor below 1 gives an empty quote.
LadderQuote ReadLadderQuote(const Kora::Interface::QuoteSnapshot& snapshot, int32_t divisor, int64_t last);
