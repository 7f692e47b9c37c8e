#pragma once

#include <cstdint>
#include <random>

#include "market/Instrument.h"

namespace Terminal::Market {

// Open interest as the market builds it.
//
// An option starts the day with open interest by moneyness: a bell around the money in
// log-moneyness (width 0.08), half again at round strikes (a multiple of ten grid steps) and a
// quarter more at the middling ones (five steps), scaled down for later months (monthRank 0 is
// the nearest: 1, 0.6, 0.35, 0.2) and by ±20 % of noise. Futures start with a few tens of
// thousands of lots.
double OpeningOpenInterest(const Instrument& instrument, double underlying, int64_t gridStep, int monthRank,
                           std::mt19937_64& rng);

// What a trade between two market participants does to open interest: part of its volume opens
// on both sides (the interest grows by it), part closes on both sides (it shrinks, never below
// zero), the rest changes hands.
struct InterestChange {
    int64_t opened = 0;
    int64_t closed = 0;
    int64_t Net() const { return opened - closed; }
};
InterestChange SplitMarketTrade(int64_t volume, double openInterest, std::mt19937_64& rng);

}  // namespace Terminal::Market
