#pragma once

#include <QDate>
#include <QDateTime>
#include <string>
#include <vector>

#include "market/Instrument.h"
#include "market/StrikeGrid.h"
#include "market/VolatilitySurface.h"

namespace Terminal::Market::Listing {

// What the exchanges list on a trading day.
//
// Contracts, in catalogue order (the first eight keep their places whatever else is listed):
//
//   index  exchange  code        name            kind
//   0      DCE       m<yyMM>     豆粕<yyMM>      commodity future, 3000, tick 1, ×10, limits ±7 %
//   1      CFFEX     IF<yyMM>    股指期货<yyMM>  index future of the current month, 3500.0, tick 0.2,
//                                                ×300, limits ±10 %
//   2      SHSE-A    510050      蓝筹ETF         fund 2.500
//   3      SHSE-A    600000      申江银行        stock 7.50
//   4      SHSE-A    600519      赤水酒业        stock 1650.00
//   5      SHSE-A    601988      华东能源        stock 4.20
//   6      SZSE-A    000001      鹏城银行        stock 10.50
//   7      SZSE-A    300750      宁江电池        stock 180.00 (limits ±20 %)
//   8      SHSE-A    510300      核心ETF         fund 3.600
//   9-11   CFFEX     IF<yyMM>    股指期货<yyMM>  the next month and the next two quarterly months,
//                                                each a little below the one before
//   12     SHFE      rb<yyMM>    螺纹钢<yyMM>    commodity future, 3600, tick 1, ×10, limits ±6 %;
//                                                close-today and close are separate offsets there
//   13...  the options, series by series (below), then whatever is listed later
//
// Stocks and funds trade in lots of 100 shares with limits of ±10 % unless said otherwise.
//
// Option series: every option expires on the fourth Wednesday of its month at 15:00 Beijing
// time; an expiry month is listed from the first trading day after the previous expiry.
//
//   underlying   exchange  class  style     months                   strikes      ×      tick
//   m<yyMM>      DCE       'n'    American  four consecutive         50           10     0.5
//   510050       SHQQ-A    'o'    European  current, next, and the   fund grid    10000  0.0001
//   510300       SHQQ-A    'o'    European  next two quarterly       fund grid    10000  0.0001
//   IF<yyMM>     CFFEX     'n'    European  the future's own month   50           100    0.2
//
// Their surfaces start at (level, term, skew, smile): the commodity (0.22, 0, 0.05, 0.6), 510050
// (0.20, 0.02, −0.25, 0.8), 510300 (0.19, 0.02, −0.22, 0.8), the index (0.21, 0.01, −0.35, 0.9).
//
// The index options of a month are written on the index future of that month (so they are
// valued with the forward formulas on it); their volatility is one surface for all months.
// Each month lists the strike nearest the underlying and kStrikesEachSide strikes on either
// side of it; when the underlying moves, the strikes that bring the range back around it are
// listed too (strikes are never withdrawn before expiry).
//
// Codes and names: "m2408-03-C-3000" "豆粕2408购3月3000"; fund options "1000nnnn" in listing
// order, "蓝筹ETF购3月2500" (the strike in thousandths); "IO2403-C-3500" "股指期权购3月3500".
inline constexpr int kStrikesEachSide = 10;

// The futures, funds and stocks of the day, in catalogue order; options excluded.
std::vector<Instrument> Contracts(const QDate& tradingDay);

// The index futures of the months of the day (IF of the current, next and two quarterly
// months), as Contracts() lists them.
std::vector<Instrument> IndexFutures(const QDate& tradingDay);

struct OptionSeries {
    int surface;  // the volatility surface of the series
    std::string exchange;
    char classLetter;
    int exerciseStyle;
    int32_t divisor;
    int decimals;
    int64_t tick;
    int32_t multiplier;
    double commissionPerLot;
    double limitFraction;
    bool consecutiveMonths;      // four consecutive months; otherwise current, next and two quarterly
    std::string underlyingCode;  // empty: the index future of each month
    std::string underlyingExchange;
    StrikeGrid grid;
    SurfaceParameters surfaceBase;  // where the series' volatility surface starts and returns to
};

// The series of the day (the commodity options on the day's commodity future).
std::vector<OptionSeries> Series(const QDate& tradingDay);

// The first day of each expiry month the series lists on the day, nearest first.
std::vector<QDate> Months(const OptionSeries& series, const QDate& tradingDay);

// The code of the underlying of a series' month.
std::string UnderlyingCode(const OptionSeries& series, const QDate& month);

// An option of the series, ready to be listed but for its index, reference and limits.
// fundSerial numbers the fund options' codes.
Instrument Option(const OptionSeries& series, const Instrument& underlying, const QDate& month,
                  int64_t strike, bool isPut, int fundSerial);

// Fourth Wednesday of the month at 15:00 Beijing time, in UTC.
QDateTime ExpiryOfMonth(int year, int month);

// The first expiry month whose expiry is not before the trading day.
QDate FirstExpiryMonth(const QDate& tradingDay);

}  // namespace Terminal::Market::Listing
