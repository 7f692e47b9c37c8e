#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "kora/interface/QuoteSnapshot.h"
#include "option/OptionBoardChain.h"
#include "option/OptionBoardColumns.h"
#include "option/valuation/ListedOption.h"

// What one refresh of the batch trading board shows: the at-the-money strike, each cell's text
// for the tab chosen, and which cells are in the money. A pure function of the chain, the
// quotes and the market inputs, so it costs the same under a window, a test or a benchmark.
namespace OptionBoard {

// What the cells show.
enum class Tab { kImpliedVolatility = 0, kMarketPrice = 1, kLastPrice = 2, kTimeValue = 3 };

// An option's prices in its price units; `known` is false when the host has no snapshot.
struct Quote {
    bool known = false;
    int32_t bid = 0;
    int32_t ask = 0;
    int32_t last = 0;
};
Quote QuoteOf(const Kora::Interface::QuoteSnapshot& snapshot);

// The quotes of a row: the call's, then the put's.
using RowQuotes = std::array<Quote, 2>;

// What every value of a refresh shares.
struct Market {
    double S = 0;  // the underlying's price
    double r = 0;  // risk-free rate, a fraction
    QDateTime now;
};

// The pricing routines' arguments of an option on the board: its put flag, the spot formulas
// for a class letter the routines do not know, S, its strike, the chain's implied volatility as
// σ, r, and T = (calendar days to expiry + 1) / 365.
OptionValuation::PricingArguments ArgumentsOf(const Kora::Interface::OptionRecord& record,
                                              const Market& market);

struct Frame {
    std::optional<int64_t> atTheMoney;  // the at-the-money strike, in strike units
    int atTheMoneyRow = -1;
    // Per row and column; an empty text shows the board's placeholder.
    std::vector<std::array<QString, kColumnCount>> texts;
    // Per row: whether the call and the put are in the money.
    std::vector<std::array<bool, 2>> inTheMoney;
};

// The strike column shows the strike with the option's decimals, a blank and the row's note
// ("平值" on the at-the-money row). The other cells, by tab: the implied volatility ("%.4lf",
// not below 0) at the best bid for a buy cell and at the best ask for a sell cell; those prices
// themselves; the last price; or the time value at them (the price less the intrinsic value at
// S, not below 0). A price of 0, or a volatility the search cannot find, leaves the cell empty.
// `quotes` holds one entry per row.
Frame ComputeFrame(const std::vector<Row>& rows, const std::vector<RowQuotes>& quotes, Tab tab,
                   const Market& market);

}  // namespace OptionBoard
