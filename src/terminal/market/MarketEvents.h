#pragma once

#include <string>

#include "kora/interface/QuoteSnapshot.h"
#include "market/Orders.h"

namespace Terminal::Market {

// A trade of one order.
struct Fill {
    int64_t price = 0;
    int64_t volume = 0;
};

struct QuoteEvent {
    int instrument = -1;
    Kora::Interface::QuoteSnapshot snapshot{};
    bool traded = false;  // the quote carries a new trade
};

// Receives what happens in the market, in the order it happened, after the market has
// released its lock: a listener may query the simulator (and even trade) from its callbacks.
// Callbacks run on the thread that caused the event (a caller of Submit, the live walk ...).
class MarketListener {
public:
    virtual ~MarketListener() = default;
    // An order was accepted, rejected, filled (fill set) or cancelled.
    virtual void OnOrderUpdated(const OrderView& order, const Fill* fill) = 0;
    // Positions of the account changed: a fill, or position held back or given back by a
    // closing order.
    virtual void OnPositionsChanged(const std::string& accountId) = 0;
    virtual void OnQuote(const QuoteEvent& quote) = 0;
    // Static data of the contract (its limits) changed.
    virtual void OnStaticChanged(int instrument) = 0;
    // A contract was listed (a new strike or month); its index is the catalogue's new last.
    virtual void OnInstrumentListed(int instrument) {}
};

}  // namespace Terminal::Market
