#pragma once

#include <json/value.h>

#include <functional>
#include <optional>
#include <vector>

#include "option/OptionBoardFrame.h"

// The risk the batch trading board sums: the Vega and Delta bought and sold, valued by the
// pricing routines at the chain's implied volatility (ArgumentsOf), and the premium spread.
namespace OptionBoard {

struct RiskSums {
    double buyVega = 0;
    double buyDelta = 0;
    double sellVega = 0;
    double sellDelta = 0;
    // The last prices of the sold options less those of the bought ones.
    double premium = 0;

    // The premium sum in ten-thousandths, as the board shows it.
    double PremiumSpread() const { return premium * 10000.0; }
};

// One ticked cell: its option (null when its row has none on that side) and quote.
struct Leg {
    const Option* option = nullptr;
    Quote quote;
    bool sell = false;

    // Whether the leg can be valued and sent: its option, the contract service's record of it
    // and its quote are all there.
    bool IsComplete() const;
};

// The ticked cells: each complete leg's Vega and Delta times the quantity on its side, and its
// last price (over its divisor) taken from the premium when bought and added when sold, whatever
// the quantity. Incomplete legs count for nothing.
RiskSums TrialSums(const std::vector<Leg>& legs, int quantity, const Market& market);

// The option record of a contract named by exchange and code when it is an option the sums
// take in; nothing otherwise.
using OptionLookup =
    std::function<std::optional<Kora::Interface::OptionRecord>(const QString& exchange, const QString& code)>;

// The options of the chain's underlying, of every month: those on the board from the chain,
// the others from the host.
OptionLookup OptionsOf(const Chain& chain);

// Working orders (records with "54", "63", "112", "113", "130", "156"): each one still working
// whose contract the lookup knows counts with its remaining volume ("130" less "113"), a buy
// order in the buy sums and a sell order in the sell sums. The premium is left at 0.
RiskSums WorkingOrderSums(const Json::Value& orders, const OptionLookup& lookup, const Market& market);

}  // namespace OptionBoard
