#pragma once

#include <QDate>
#include <QDateTime>
#include <functional>
#include <map>
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
#include "market/Listing.h"
#include "market/MarketEvents.h"
#include "market/OpenInterest.h"
#include "market/OptionQuoting.h"
#include "market/TradeTape.h"
#include "market/VolatilitySurface.h"

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

// A net-position ticket resolved into the tickets that do its work, or why it cannot be.
struct NetPositionResolution {
    std::vector<OrderTicket> tickets;
    std::string error;
    bool Ok() const { return error.empty(); }
};

// The simulated market: the contracts listed (market/Listing.h; their market identifiers per
// exchange in MarketIds.h) with a book each, the accounts (Accounts.h) with their orders,
// positions and money (AccountLedger.h), each contract's daily history, the latest trades and
// the volatility surfaces the options are quoted from.
//
// Books. Each contract keeps the market's own five levels a side between changes: quantities
// drift, levels move when the price moves, and a trade of the market takes them from the best
// level on. The depth shown in the quote (snapshot bytes 160 on) is the market's levels with the
// accounts' resting orders added at their prices, five levels a side.
//
// Matching. A limit order that crosses the book fills at once against the market's levels, each
// at the level's price, as far as its limit and the levels' volumes go; a market order takes
// what the book has. What remains rests (Day), or is cancelled (FillAndKill, market orders); a
// FillOrKill order that the book cannot fill completely is cancelled whole. The market's volume
// taken by an order leaves the book. A resting order joins the queue of its price behind the
// market's volume already there: a trade of the market at that price fills the volume ahead
// first, then the order, partly when it trades less than the queue ahead plus the order; a
// trade through its price, or a new book that crosses it, fills it whole at its own price.
// Orders of the accounts never match one another. Prices outside the day's limits
// ("委托价格超出涨跌停价格范围"), off the tick, missing money, credit, shares to borrow or to cover
// with, or closable position reject the order (status '5').
//
// Options are quoted from their family's surface (OptionQuoting.h) around the model price
// whenever the walk moves their underlying, a script moves it (TradeAt, SetBook,
// SetBestQuote, UpdateSnapshot) or the surface is set; the trader's own orders in the
// underlying do not requote the chain. Strikes are listed as the underlying moves (Listing.h).
//
// Open interest starts each day at the last figure of the contract's daily history. Every
// trade changes it: an account's fill by its own effect (an opening adds, a closing takes
// away, taking the other side to do the same), a trade between market participants by a mix of
// openings and closings; Interest() keeps the day's openings and closings, so today's figure
// less the history's last is their difference. Volume, turnover and the active buying and
// selling volumes (bytes 120 and 128, by the aggressor of each trade) add up through the day;
// the day starts with none.
//
// Scripted use: nothing moves unless the caller moves it; every change is reported to the
// listener. The live walk (Step) moves prices from a generator seeded with `seed`, so the same
// seed and trading day give the same market step by step. RollDay ends the trading day.
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
    QDate TradingDay() const;
    uint64_t Seed() const { return m_seed; }

    // The listener must outlive the simulator or be replaced by null first.
    void SetListener(MarketListener* listener);
    // Time of orders, quotes and option values; by default the trading day at 09:30 Beijing time.
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
    // How many units the ticket could have: for an opening ticket what the money (the credit
    // line, the shares to borrow or to cover with) pays at its price (the last price for a
    // market order), for a closing one what is closable.
    int64_t MaxVolume(const OrderTicket& ticket) const;
    // A net-position ticket (offset '3') as the tickets that do its work: closing tickets for
    // what the opposite position allows (where today's close is separate: yesterday's with '1',
    // then today's with '2'), an opening one for the rest. Securities pass unchanged. It cannot
    // be resolved (error set) for an unknown account or contract, a direction other than buy or
    // sell, or an opening part the money does not pay.
    NetPositionResolution ResolveNetPosition(const OrderTicket& ticket) const;
    // The credit account's quantities of a stock ("可买", "可融", "可卖", short-sellable) come
    // from MaxVolume with direction '0', 'a', '1' and 'b'.

    // Quotes and history. Unknown instruments answer a zeroed snapshot, an empty book and history.
    Kora::Interface::QuoteSnapshot Snapshot(int instrument) const;
    // The depth as the quote shows it: the market's levels and the resting orders.
    Book GetBook(int instrument) const;
    // The market's own levels alone.
    Book MarketBook(int instrument) const;
    // The price positions are valued at: the last price, or the reference price before any trade.
    double MarkPrice(int instrument) const;
    // Previous trading days, oldest first (today's figures are in the snapshot).
    std::vector<DailyBar> History(int instrument) const;
    std::vector<WeightEvent> WeightData(int instrument) const;
    void SetHistory(int instrument, std::vector<DailyBar> bars);
    // The contract's latest trades, oldest first (at most TradeTape::kCapacity).
    std::vector<TradePrint> Trades(int instrument) const;
    // Volume opened and closed today by trades (what moved the open interest).
    InterestChange Interest(int instrument) const;

    // Volatility. The surface of an underlying's options (of an index future: of every month's
    // index options); null parameters for an instrument without options.
    std::optional<SurfaceParameters> Surface(int underlying) const;
    // Sets the surface now and requotes its options. False without options.
    bool SetSurface(int underlying, const SurfaceParameters& parameters);
    // An option's implied volatility now: its surface's value at its strike and expiry for the
    // underlying's price (a fraction); 0 for anything else.
    double ImpliedVolatility(int option) const;
    // Its model price now (real price) at that volatility; 0 for anything else.
    double ModelPrice(int option) const;

    // Scripted market. Each change is pushed as a quote.
    // The market's new levels; resting orders that they cross fill at their own price.
    void SetBook(int instrument, const Book& book);
    // A book of five levels a side stepping by the tick from the given best prices.
    void SetBestQuote(int instrument, int64_t bid, int64_t bidVolume, int64_t ask, int64_t askVolume);
    // A trade of the market at price for volume (0: without limit). Resting orders through the
    // price fill first, best first; at the price, the market's volume queued ahead of an order
    // trades before it, and what the trade takes of the market's level there leaves the book.
    // Without a limit every resting order at or through the price fills.
    void TradeAt(int instrument, int64_t price, int64_t volume = 0);
    void SetLimits(int instrument, int64_t upperLimit, int64_t lowerLimit);
    // Edits the snapshot's figures (not the book: use SetBook) and pushes the quote.
    void UpdateSnapshot(int instrument, const std::function<void(Kora::Interface::QuoteSnapshot&)>& edit);
    void PublishQuote(int instrument);
    // Fills a working order by volume (capped at what remains) at price (default its limit
    // price, or the book's opposite best for a market order). False when it is not working.
    bool FillOrder(std::string_view orderId, int64_t volume, std::optional<int64_t> price = {});
    // A position held from before; covered: a covered call locking the account's coverable
    // shares (false when there are too few).
    bool AddPosition(std::string_view accountId, int instrument, PositionSide side, int64_t volume,
                     int64_t price, bool today = false, char hedge = '1', bool covered = false);
    bool SetCash(std::string_view accountId, double cash);
    // Forgets filled, cancelled and rejected orders (housekeeping between sessions).
    void PurgeFinishedOrders();

    // Ends the trading day and opens the next weekday: working orders are cancelled
    // ("当日委托撤单"); each listed contract settles (derivatives at the day's average price, or the
    // last price, or the reference without a trade; securities close at the last price) and
    // its day is appended to its daily history; contracts past their last trading time are
    // delisted, their positions exercised, lapsed or settled (AccountLedger::SettleExpired);
    // positions become yesterday's; the new day's reference prices are the settlements, its
    // limits follow, open interest carries over and the day's figures start at zero; the months
    // and strikes the new day lists are listed. Every contract's quote is pushed. Answers the
    // new trading day.
    QDate RollDay();

    // One step of the live walk.
    void Step();

private:
    struct OrderState {
        OrderView view;
        OrderEffect effect;
        Reservation reservation;
        // The market's volume queued ahead of a resting order at its price.
        int64_t queueAhead = 0;
    };
    struct ContractState {
        Kora::Interface::QuoteSnapshot snapshot{};
        Book book;                 // the market's own levels
        std::vector<int> resting;  // indexes into m_orders
        TradeTape tape;
        InterestChange interest;
        // The days before the market opened, made when first read, and the days it has rolled.
        mutable std::vector<DailyBar> history;
        mutable bool historyMade = false;
        std::vector<DailyBar> rolled;
        double openingInterest = 0;  // of the first day, where the made history ends
        std::vector<WeightEvent> weights;
        // An underlying's options: their surface and series (-1: none), the underlying price
        // the chain was last quoted at and the strike its listed range is centred on.
        int surface = -1;
        int series = -1;
        double quotedAt = 0;
        int64_t listedAround = 0;
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
    struct Listed {
        int instrument;
    };
    using Event = std::variant<OrderUpdate, PositionsChanged, QuoteEvent, StaticChanged, Listed>;
    // What a trade of the market did.
    struct Sweep {
        int64_t volume = 0;
        int64_t lastPrice = 0;
        int64_t ownVolume = 0;  // of it, the accounts' resting orders
    };

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
    const std::vector<DailyBar>& HistoryLocked(int instrument) const;

    // Listing (MarketListing.cpp). withHistory: listed with the market (a history and open
    // interest of its own) rather than newly during the simulation.
    int List(Instrument instrument, bool withHistory, double openingInterest);
    void InitialiseContract(int instrument, double openingInterest);
    void ListDay(const QDate& day, bool withHistory);
    void ListMonth(int series, int underlying, const QDate& month, bool withHistory, int monthRank);
    void ListStrikesAround(int underlying);

    void ReportOrder(OrderState& order, const std::optional<Fill>& fill);
    void ReportQuote(int instrument, bool traded);
    void ApplyFill(OrderState& order, int64_t price, int64_t volume, bool aggressor, bool recordTrade = true);
    void RecordTrade(int instrument, int64_t price, int64_t volume, bool buyerInitiated,
                     int64_t interestChange);
    // The market-to-market part of a trade's volume changes open interest by a random mix.
    int64_t ChangeInterestByMarket(int instrument, int64_t volume);
    void ReleaseAndReport(OrderState& order, char status, std::string text);

    // Books and queues (Matching.cpp).
    void MatchAgainstBook(OrderState& order);
    bool CrossesBook(const OrderState& order) const;
    void FillRestingAgainstBook(int instrument);
    // Fills the queue at one price for up to `volume` (answers what traded, market included).
    int64_t TradeQueue(int instrument, bool buys, int64_t price, int64_t volume, int64_t& ownFilled);
    // A market participant's order of `volume` against one side of the depth.
    Sweep SweepDepth(int instrument, bool buyAggressor, int64_t volume);
    void Rest(int orderIndex);
    void RemoveResting(int instrument, int orderIndex);
    std::vector<int> RestingByPriority(int instrument, bool buys) const;
    // Own resting orders of a side at exactly one price, oldest first.
    std::vector<int> RestingAt(int instrument, bool buys, int64_t price) const;
    void CapQueues(int instrument);
    void SyncBook(int instrument);
    void ShapeBook(int instrument, int64_t last);

    // Options (OptionMarket.cpp).
    const VolatilitySurface* SurfaceOf(int instrument) const;
    // A figure of an option from its surface, its underlying's price and the time left now; 0
    // for anything that is not an option.
    template <class Figure>
    double ValueNow(int option, Figure figure) const {
        const Instrument* subject = m_catalogue.At(option);
        if (!subject || !subject->option) {
            return 0.0;
        }
        return figure(*subject, *SurfaceOf(option), MarkPriceLocked(subject->option->underlying),
                      YearsToExpiry(*subject->option, m_clock()));
    }
    void QuoteOption(int option);
    void RequoteChainIfMoved(int underlying);
    // Lists the strikes the underlying's price calls for and quotes every option of it; in the
    // walk (withTrades) each option also trades now and then.
    void RequoteChain(int underlying, bool withTrades = false);
    // A market participant's trade in the option, likelier and larger for an activity near 1
    // (at the money) than near 0.
    bool TradeOption(int option, double activity);

    // The walk (LiveMarket.cpp).
    void StepContract(const Instrument& subject);
    void Replenish(int instrument, bool buyAggressor);
    int64_t RandomLevelVolume(const Instrument& subject);

    // The end of the day (DayRoll.cpp).
    double SettlementLocked(int instrument) const;
    void AppendDay(int instrument);
    void OpenDay(int instrument, double settlement);

    mutable std::mutex m_lock;
    std::recursive_mutex m_dispatchLock;
    std::vector<Event> m_events;

    uint64_t m_seed;
    int m_historyDays;
    QDate m_firstDay;
    QDate m_tradingDay;
    InstrumentCatalogue m_catalogue;
    std::vector<ContractState> m_contracts;
    std::vector<Listing::OptionSeries> m_series;           // as the first day listed them
    std::vector<VolatilitySurface> m_surfaces;             // by Listing::OptionSeries::surface
    std::map<int, std::vector<int>> m_surfaceUnderlyings;  // surface → its underlyings
    std::vector<AccountLedger> m_accounts;
    std::vector<OrderState> m_orders;
    std::unordered_map<std::string, int> m_orderIndex;
    uint64_t m_nextOrder = 1;
    int m_nextFundOption = 1;
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
