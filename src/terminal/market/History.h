#pragma once

#include <QDate>
#include <cstdint>
#include <vector>

#include "market/InstrumentCatalogue.h"

namespace Terminal::Market {

// One day of a contract's history, in real prices.
struct DailyBar {
    uint32_t date = 0;  // yyyymmdd
    double open = 0, high = 0, low = 0, close = 0;
    double volume = 0;
    double openInterest = 0;
};

// A corporate action of a stock: per share amounts.
struct WeightEvent {
    uint32_t date = 0;  // yyyymmdd, the ex-date
    double cashDividend = 0;
    double bonusShares = 0;
    double rightsShares = 0;
    double rightsPrice = 0;
};

// Daily bars of the `days` weekdays before the trading day, oldest first, ending near the
// instrument's reference price. The same seed gives the same bars. Option bars follow their
// underlying's bars through the chain's volatility.
std::vector<DailyBar> GenerateHistory(const InstrumentCatalogue& catalogue, int instrument,
                                      const QDate& tradingDay, uint64_t seed, int days);

// One cash dividend for each stock within the history; none for other instruments.
std::vector<WeightEvent> GenerateWeightData(const InstrumentCatalogue& catalogue, int instrument,
                                            const QDate& tradingDay, uint64_t seed, int days);

}  // namespace Terminal::Market
