#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "market/Accounts.h"
#include "market/Instrument.h"
#include "market/Orders.h"

namespace Terminal::Market {

// What an order does to the account's positions.
struct OrderEffect {
    bool valid = false;
    PositionSide side = PositionSide::Long;  // the position opened or closed
    bool opens = true;
    std::string reason;  // why it is not valid
};

// True for the direction codes that buy ('0', 'a', 'c', 'g').
bool IsBuyDirection(char direction);

struct PositionKey {
    int instrument = -1;
    PositionSide side = PositionSide::Long;
    char hedge = '1';
    auto operator<=>(const PositionKey&) const = default;
};

// What a working order holds back: cash per unit for an opening order, position quantities
// (yesterday's and today's) for a closing one.
struct Reservation {
    PositionKey key;
    double cashPerUnit = 0;
    int64_t history = 0;
    int64_t today = 0;
};

// The price of every instrument now (real price), for valuing positions.
using PriceOf = std::function<double(int instrument)>;

// One account's money and positions, and the rules that move them.
//
// Openings hold back cash (margin or premium or the purchase, plus commission) until they fill
// or are cancelled; closings hold back position. On a fill:
//   futures        margin = notional × margin rate; commission per lot or of the turnover;
//                  closing realises (price − average) × volume × multiplier × side
//   options        a buyer pays the premium; a seller receives it and holds margin of the
//                  premium plus the underlying's notional × margin rate
//   securities     a purchase pays notional and commission; a sale receives notional less
//                  commission and stamp duty; shares bought today close from tomorrow (T+1);
//                  credit short sales hold half the notional as margin
// Money, valued at the current prices:
//   total asset ("97") = cash + futures floating profit + long option and security value
//                        − short option value
//   available ("93")   = cash + futures floating profit − margin − frozen
//   withdrawable ("95")= max(0, min(available, cash − margin − frozen))
//   risk degree ("345")= margin ÷ total asset × 100
class AccountLedger {
public:
    explicit AccountLedger(TradingAccount account);

    const TradingAccount& Account() const { return m_account; }
    bool loggedIn = true;

    static OrderEffect Classify(const TradingAccount& account, const Instrument& instrument,
                                const OrderTicket& ticket);

    // Holds back what a new order needs; answers an empty text, or the reason it cannot.
    std::string Reserve(const Instrument& instrument, const OrderEffect& effect, const OrderTicket& ticket,
                        int64_t reservePrice, const PriceOf& priceOf, Reservation& reservation);
    // Gives back what is still held for the unfilled volume of a finished order.
    void ReleaseRemaining(Reservation& reservation, const OrderEffect& effect, int64_t unfilled);
    void Fill(const Instrument& instrument, const OrderEffect& effect, Reservation& reservation,
              int64_t price, int64_t volume, const PriceOf& priceOf);

    // A position held from before (no cash moves; margin is held as for an opening).
    void AddPosition(const Instrument& instrument, PositionSide side, int64_t volume, int64_t price,
                     bool today, char hedge, const PriceOf& priceOf);
    void SetCash(double cash);

    int64_t MaxOpenVolume(const Instrument& instrument, const OrderEffect& effect, int64_t price,
                          const PriceOf& priceOf, char direction) const;
    // Volume closable now on a position.
    int64_t Closable(const Instrument& instrument, const PositionKey& key, char offset) const;
    MoneyView Money(const PriceOf& priceOf) const;
    std::vector<PositionView> Positions(const PriceOf& priceOf) const;

private:
    struct Holding {
        const Instrument* instrument = nullptr;
        int64_t today = 0;
        int64_t history = 0;
        int64_t frozenToday = 0;
        int64_t frozenHistory = 0;
        double cost = 0;  // Σ real price × volume × multiplier of what is held
        double margin = 0;
        int64_t Total() const { return today + history; }
    };

    double Available(const PriceOf& priceOf) const;
    // Floating profit of futures and of credit short sales: it counts towards available money.
    double FuturesFloating(const PriceOf& priceOf) const;
    static double Floating(const Holding& holding, PositionSide side, double last);
    Holding& HoldingOf(const Instrument& instrument, const PositionKey& key);
    static double OpenCashPerUnit(const Instrument& instrument, PositionSide side, int64_t price,
                                  double underlying);
    static double Commission(const Instrument& instrument, double notional, int64_t volume);
    static double OpeningMargin(const Instrument& instrument, PositionSide side, double notional,
                                double underlying, int64_t volume);

    TradingAccount m_account;
    double m_preBalance = 0;
    double m_cash = 0;
    double m_frozen = 0;
    double m_margin = 0;
    double m_commission = 0;
    double m_closeProfit = 0;
    std::map<PositionKey, Holding> m_holdings;
};

}  // namespace Terminal::Market
