#pragma once

#include <QDate>
#include <cstdint>
#include <vector>

#include "market/Instrument.h"
#include "market/VolatilitySurface.h"

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

// The `days` weekdays before the trading day, oldest first.
std::vector<QDate> HistoryDates(const QDate& tradingDay, int days);

// Daily bars of a future, fund or stock over the dates, ending at its reference price and, for
// a future, at the given open interest (the day's opening figure). The same seed gives the same
// bars.
std::vector<DailyBar> GenerateHistory(const Instrument& instrument, const std::vector<QDate>& dates,
                                      uint64_t seed, double closingOpenInterest);

// An option's bars follow its underlying's: each price is the option's value at the surface's
// volatility (closes at 15:00 of their day), so on the surface its series starts from the last
// close is what the option settled at.
// Open interest grows towards the given closing figure.
std::vector<DailyBar> GenerateOptionHistory(const Instrument& option,
                                            const std::vector<DailyBar>& underlyingBars,
                                            const VolatilitySurface& surface, uint64_t seed,
                                            double closingOpenInterest);

// The option's value (real price, on its tick, at least one tick) at an underlying price at 15:00
// of a day.
double OptionCloseValue(const Instrument& option, const VolatilitySurface& surface, double underlying,
                        const QDate& day);

// One cash dividend for each stock within the history; none for other instruments.
std::vector<WeightEvent> GenerateWeightData(const Instrument& instrument, const std::vector<QDate>& dates,
                                            uint64_t seed);

uint32_t DateNumber(const QDate& date);

}  // namespace Terminal::Market
