#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "market/Accounts.h"
#include "market/Instrument.h"
#include "market/InstrumentCatalogue.h"
#include "market/Orders.h"

namespace Terminal::Market {

// What an order does to the account's positions.
struct OrderEffect {
    bool valid = false;
    PositionSide side = PositionSide::Long;  // the position opened or closed
    bool opens = true;
    bool covered = false;  // a covered call written or bought back
    char direction = '0';  // the ticket's direction code
    std::string reason;    // why it is not valid
};

// True for the direction codes that buy ('0', 'a', 'c', 'g').
bool IsBuyDirection(char direction);

struct PositionKey {
    int instrument = -1;
    PositionSide side = PositionSide::Long;
    char hedge = '1';
    bool covered = false;
    auto operator<=>(const PositionKey&) const = default;
};

// What a working order holds back: cash per unit (and credit line per unit for a financed buy)
// for an opening order, position quantities (yesterday's and today's) for a closing one, and
// shares per unit for a covered call or a short sale.
struct Reservation {
    PositionKey key;
    double cashPerUnit = 0;
    double creditPerUnit = 0;
    int64_t sharesPerUnit = 0;
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
//   options        a buyer pays the premium; a seller receives it and holds the margin of
//                  OptionMargin.h, marked to the latest prices of the option and its underlying;
//                  a covered call (stock-option accounts) holds no margin but locks the contract
//                  unit of the underlying's shares from the account's coverable shares
//   securities     a purchase pays notional and commission; a sale receives notional less
//                  commission and stamp duty; shares bought today close from tomorrow (T+1)
//   credit         a financed buy ('a') borrows its notional against the credit line (the
//                  commission is paid in cash); a sale to repay ('d') pays the debt back from its
//                  proceeds first; a short sale ('b') borrows shares from the account's lendable
//                  shares and holds half the notional as margin; buying back ('c') returns them
// Closing on exchanges that close today's positions separately: '1' closes yesterday's only,
// '2' today's only; elsewhere '2' closes today's and '1' yesterday's first, then today's.
// Money, valued at the current prices:
//   total asset ("97") = cash + futures floating profit + long option and security value
//                        − short option value − financing debt
//   margin ("346")     = held futures and short-sale margin + short option margin now
//   available ("93")   = cash + futures floating profit − margin − frozen
//   withdrawable ("95")= max(0, min(available, cash − margin − frozen))
//   risk degree ("345")= margin ÷ total asset × 100
class AccountLedger {
public:
    AccountLedger(TradingAccount account, const InstrumentCatalogue& catalogue);

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

    // A position held from before (no cash moves; futures margin is held as for an opening, a
    // covered call locks its shares). False when a covered position finds too few shares.
    bool AddPosition(const Instrument& instrument, PositionSide side, int64_t volume, int64_t price,
                     bool today, char hedge, bool covered);
    void SetCash(double cash);

    int64_t MaxOpenVolume(const Instrument& instrument, const OrderEffect& effect, int64_t price,
                          const PriceOf& priceOf) const;
    // Volume closable now on a position by a close of that offset.
    int64_t Closable(const Instrument& instrument, const PositionKey& key, char offset) const;
    // Volume closable of today's and of yesterday's positions.
    int64_t ClosableToday(const PositionKey& key) const;
    int64_t ClosableHistory(const PositionKey& key) const;
    MoneyView Money(const PriceOf& priceOf) const;
    std::vector<PositionView> Positions(const PriceOf& priceOf) const;

    // Credit line not yet used or held back by working financed buys.
    double CreditAvailable() const;
    // Shares of a stock the account may still borrow, or of an underlying it may still cover
    // calls with.
    int64_t LendableShares(const std::string& code) const;
    int64_t CoverableShares(const std::string& code) const;

    // The end of the trading day, after every working order is finished: positions opened today
    // become yesterday's; futures are marked to their settlement price (the difference is paid
    // or received and the margin held anew at it); the day's figures start again.
    void RollDay(const PriceOf& settlementOf);
    // A contract that stopped trading: options in the money are exercised for their intrinsic
    // value at the underlying's settlement (paid to the holder, by the writer; a covered call
    // delivers its shares at the strike), the others lapse; futures settle in cash.
    void SettleExpired(const Instrument& instrument, double settlement, double underlyingSettlement);

private:
    struct Holding {
        const Instrument* instrument = nullptr;
        int64_t today = 0;
        int64_t history = 0;
        int64_t frozenToday = 0;
        int64_t frozenHistory = 0;
        double cost = 0;    // Σ real price × volume × multiplier of what is held
        double margin = 0;  // futures and short sales; options are marked when valued
        int64_t Total() const { return today + history; }
    };

    double Available(const PriceOf& priceOf) const;
    double TotalMargin(const PriceOf& priceOf) const;
    double PositionMargin(const PositionKey& key, const Holding& holding, const PriceOf& priceOf) const;
    // Floating profit of futures and of credit short sales: it counts towards available money.
    double FuturesFloating(const PriceOf& priceOf) const;
    static double Floating(const Holding& holding, PositionSide side, double last);
    Holding& HoldingOf(const Instrument& instrument, const PositionKey& key);
    const Instrument* UnderlyingOf(const Instrument& instrument) const;
    // Cash held back per unit of an opening at a price.
    double OpenCashPerUnit(const Instrument& instrument, const OrderEffect& effect, int64_t price,
                           const PriceOf& priceOf) const;
    static double Commission(const Instrument& instrument, double notional, int64_t volume);
    // Margin held at opening for futures and short sales (0 for the rest).
    static double HeldMargin(const Instrument& instrument, PositionSide side, double notional);
    void ReleaseShares(const Instrument& instrument, const OrderEffect& effect, int64_t shares);

    TradingAccount m_account;
    const InstrumentCatalogue& m_catalogue;
    double m_preBalance = 0;
    double m_cash = 0;
    double m_frozen = 0;
    double m_heldMargin = 0;  // Σ Holding::margin
    double m_commission = 0;
    double m_closeProfit = 0;
    double m_financed = 0;                      // debt of financed buys
    double m_creditFrozen = 0;                  // credit held back by working financed buys
    std::map<std::string, int64_t> m_borrowed;  // shares borrowed or held back for short sales
    std::map<std::string, int64_t> m_covering;  // shares locked by covered calls and their orders
    std::map<PositionKey, Holding> m_holdings;
};

}  // namespace Terminal::Market
