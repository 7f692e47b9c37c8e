#pragma once

#include "market/Orders.h"

namespace MarketTest {

// An order as the market receives it: a limit order for the day unless changed.
inline Terminal::Market::OrderTicket Ticket(const char* account, int instrument, char direction, char offset,
                                            int64_t price, int64_t volume, char covered = '0') {
    Terminal::Market::OrderTicket t;
    t.accountId = account;
    t.instrument = instrument;
    t.direction = direction;
    t.offset = offset;
    t.price = price;
    t.volume = volume;
    t.covered = covered;
    return t;
}

}  // namespace MarketTest
