#pragma once

#include <QDate>
#include <QDateTime>
#include <functional>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <variant>
#include <vector>

#include "kora/interface/QuoteSnapshot.h"
#include "market/AccountLedger.h"
#include "market/Book.h"
#include "market/History.h"
#include "market/InstrumentCatalogue.h"
#include "market/MarketEvents.h"

namespace Terminal::Market {

struct SimulatorOptions {
    uint64_t seed = 1;
    QDate tradingDay;  // invalid: today
    int historyDays = 120;
    std::vector<TradingAccount> accounts = DefaultAccounts();
};

struct SubmitResult {
    std::string orderId;  // empty when the ticket named no known account or instrument
    char status = OrderStatus::kRejected;
    std::string reason;  // why it was rejected
    bool Accepted() const { return status != OrderStatus::kRejected; }
};

// The simulated market: the catalogue's contracts (InstrumentCatalogue.h; their market
// identifiers per exchange in MarketIds.h) with a 5-level book each, the accounts (Accounts.h)
// with their orders, positions and money (AccountLedger.h), and each contract's daily history.
//
// Matching. A limit order that crosses the book fills at once against the book's levels, each
// at the level's (resting) price, as far as its limit and the levels' volumes go; a market order
// takes what the book has. What remains rests (Day), or is cancelled (FillAndKill, market
// orders); a FillOrKill order that the book cannot fill completely is cancelled whole. The
// market's own volume taken by an order leaves the book. A resting order fills at its own price
// when the market trades at or through it (TradeAt, the live walk) or when a new book crosses it
// (SetBook). Orders of the accounts never match one another. Prices outside the day's limits or
// off the tick, missing money or closable position reject the order (status '5').
//
// Scripted use: nothing moves unless the caller moves it; every change is reported to the
// listener. The live walk (Step) moves prices from a generator seeded with `seed`, so the same
// seed and trading day give the same market step by step.
//
// Every operation is safe from any thread; events reach the listener after the lock is released,
// in the order they happened.
class Simulator {
public:
    explicit Simulator(SimulatorOptions options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    const InstrumentCatalogue& Catalogue() const { return m_catalogue; }
    const QDate& TradingDay() const { return m_tradingDay; }
    uint64_t Seed() const { return m_seed; }

    // The listener must outlive the simulator or be replaced by null first.
    void SetListener(MarketListener* listener);
    // Time of orders and quotes; by default the trading day at 09:30 Beijing time.
    void SetClock(std::function<QDateTime()> clock);

    // Accounts (by EAccountID unless said otherwise); null when unknown.
    std::vector<TradingAccount> Accounts() const;
    std::optional<TradingAccount> Account(std::string_view accountId) const;
    std::optional<TradingAccount> AccountByVirtualId(std::string_view virtualId) const;
    std::optional<TradingAccount> AccountByNumber(std::string_view number) const;
    bool IsLoggedIn(std::string_view accountId) const;
    bool SetLoggedIn(std::string_view accountId, bool loggedIn);

    // Trading.
    SubmitResult Submit(const OrderTicket& ticket);
    // Answers an empty text, or why the order cannot be cancelled.
    std::string Cancel(std::string_view accountId, std::string_view orderId);
    std::optional<OrderView> FindOrder(std::string_view orderId) const;
    std::vector<OrderView> Orders(std::string_view accountId) const;
    std::vector<PositionView> Positions(std::string_view accountId) const;
    std::optional<MoneyView> Money(std::string_view accountId) const;
    // How many units the ticket could have: for an opening ticket what the money pays at its
    // price (the last price for a market order), for a closing one what is closable.
    int64_t MaxVolume(const OrderTicket& ticket) const;
    // A net-position ticket (offset '3') as the tickets that do its work: a closing one for what
    // the opposite position allows, an opening one for the rest. Securities pass unchanged.
    std::vector<OrderTicket> ResolveNetPosition(const OrderTicket& ticket) const;

    // Quotes and history. Unknown instruments answer a zeroed snapshot, an empty book and history.
    Kora::Interface::QuoteSnapshot Snapshot(int instrument) const;
    Book GetBook(int instrument) const;
    // The price positions are valued at: the last price, or the reference price before any trade.
    double MarkPrice(int instrument) const;
    std::vector<DailyBar> History(int instrument) const;
    std::vector<WeightEvent> WeightData(int instrument) const;
    void SetHistory(int instrument, std::vector<DailyBar> bars);

    // Scripted market. Each change is pushed as a quote.
    // A new book; resting orders that it crosses fill at their own price.
    void SetBook(int instrument, const Book& book);
    // A book of five levels a side stepping by the tick from the given best prices.
    void SetBestQuote(int instrument, int64_t bid, int64_t bidVolume, int64_t ask, int64_t askVolume);
    // A trade of the market at price: resting orders at or through it fill at their own price,
    // best first, up to volume (0: all of them).
    void TradeAt(int instrument, int64_t price, int64_t volume = 0);
    void SetLimits(int instrument, int64_t upperLimit, int64_t lowerLimit);
    // Edits the snapshot's figures (not the book: use SetBook) and pushes the quote.
    void UpdateSnapshot(int instrument, const std::function<void(Kora::Interface::QuoteSnapshot&)>& edit);
    void PublishQuote(int instrument);
    // Fills a working order by volume (capped at what remains) at price (default its limit
    // price, or the book's opposite best for a market order). False when it is not working.
    bool FillOrder(std::string_view orderId, int64_t volume, std::optional<int64_t> price = {});
    bool AddPosition(std::string_view accountId, int instrument, PositionSide side, int64_t volume,
                     int64_t price, bool today = false, char hedge = '1');
    bool SetCash(std::string_view accountId, double cash);
    // Forgets filled, cancelled and rejected orders (housekeeping between sessions).
    void PurgeFinishedOrders();

    // One step of the live walk.
    void Step();

private:
    struct OrderState {
        OrderView view;
        OrderEffect effect;
        Reservation reservation;
    };
    struct ContractState {
        Kora::Interface::QuoteSnapshot snapshot{};
        Book book;
        std::vector<int> resting;  // indexes into m_orders
    };
    struct OrderUpdate {
        OrderView order;
        std::optional<Fill> fill;
    };
    struct PositionsChanged {
        std::string accountId;
    };
    struct StaticChanged {
        int instrument;
    };
    using Event = std::variant<OrderUpdate, PositionsChanged, QuoteEvent, StaticChanged>;

    // Runs a change under the lock, then hands its events to the listener.
    template <class Change>
    auto Mutate(Change&& change);
    void Dispatch(std::vector<Event>& events);

    std::optional<TradingAccount> AccountWhere(const std::function<bool(const TradingAccount&)>& match) const;
    AccountLedger* Ledger(std::string_view accountId);
    const AccountLedger* Ledger(std::string_view accountId) const;
    PriceOf Prices() const;
    double MarkPriceLocked(int instrument) const;
    uint32_t NowHhmmss() const;

    void ReportOrder(OrderState& order, const std::optional<Fill>& fill);
    void ReportQuote(int instrument, bool traded);
    void ApplyFill(OrderState& order, int64_t price, int64_t volume, bool aggressor, bool recordTrade = true);
    void RecordTrade(int instrument, int64_t price, int64_t volume, bool buyerInitiated);
    void MatchAgainstBook(OrderState& order);
    bool CrossesBook(const OrderState& order) const;
    void FillRestingAgainstBook(int instrument);
    // Answers the volume filled.
    int64_t FillRestingAgainstTrade(int instrument, int64_t price, int64_t volume);
    void RemoveResting(int instrument, int orderIndex);
    std::vector<int> RestingByPriority(int instrument, bool buys) const;
    void SyncBook(int instrument);
    void ShapeBook(int instrument, int64_t last);
    void ReleaseAndReport(OrderState& order, char status, std::string text);

    mutable std::mutex m_lock;
    std::recursive_mutex m_dispatchLock;
    std::vector<Event> m_events;

    uint64_t m_seed;
    QDate m_tradingDay;
    InstrumentCatalogue m_catalogue;
    std::vector<ContractState> m_contracts;
    std::vector<std::vector<DailyBar>> m_history;
    std::vector<std::vector<WeightEvent>> m_weights;
    std::vector<AccountLedger> m_accounts;
    std::vector<OrderState> m_orders;
    std::unordered_map<std::string, int> m_orderIndex;
    uint64_t m_nextOrder = 1;
    std::mt19937_64 m_rng;
    MarketListener* m_listener = nullptr;
    std::function<QDateTime()> m_clock;
};

template <class Change>
auto Simulator::Mutate(Change&& change) {
    std::lock_guard dispatch(m_dispatchLock);
    // The change's events are swapped out of the shared buffer for dispatch, and the buffer goes
    // back afterwards: events are large (a quote carries its whole snapshot), and a change that
    // allocated a fresh buffer each time would cost more than the matching itself.
    std::vector<Event> events;
    auto recycle = [&] {
        events.clear();
        std::lock_guard lock(m_lock);
        if (m_events.empty()) {
            m_events.swap(events);
        }
    };
    if constexpr (std::is_void_v<std::invoke_result_t<Change>>) {
        {
            std::lock_guard lock(m_lock);
            change();
            events.swap(m_events);
        }
        Dispatch(events);
        recycle();
    } else {
        auto result = [&] {
            std::lock_guard lock(m_lock);
            auto answer = change();
            events.swap(m_events);
            return answer;
        }();
        Dispatch(events);
        recycle();
        return result;
    }
}

}  // namespace Terminal::Market
