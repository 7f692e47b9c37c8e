#pragma once

#include <optional>

#include "market/Simulator.h"
#include "support/ScriptedOptions.h"

namespace MarketTest {

using namespace Terminal::Market;

// An order as the market receives it: a limit order for the day unless changed.
inline OrderTicket Ticket(const char* account, int instrument, char direction, char offset, int64_t price,
                          int64_t volume, char covered = '0') {
    OrderTicket t;
    t.accountId = account;
    t.instrument = instrument;
    t.direction = direction;
    t.offset = offset;
    t.price = price;
    t.volume = volume;
    t.covered = covered;
    return t;
}

inline int IndexOf(const Simulator& sim, const char* exchange, const char* code) {
    return sim.Catalogue().Find(exchange, code)->index;
}

// The option of an underlying, month, strike (real price) and kind; -1 when none is listed.
inline int OptionOf(const Simulator& sim, int underlying, const char* month, double strike, bool put) {
    for (int option : sim.Catalogue().Options(underlying, month)) {
        const Instrument& o = *sim.Catalogue().At(option);
        if (o.option->isPut == put && o.option->strike == o.ToUnits(strike)) {
            return option;
        }
    }
    return -1;
}

inline std::optional<PositionView> Held(const Simulator& sim, const char* account, int instrument,
                                        PositionSide side, bool covered = false) {
    for (const PositionView& p : sim.Positions(account)) {
        if (p.instrument == instrument && p.side == side && p.covered == covered) {
            return p;
        }
    }
    return std::nullopt;
}

}  // namespace MarketTest
