#include "market/Simulator.h"

#include <algorithm>
#include <type_traits>

namespace Terminal::Market {

namespace {

constexpr int kBeijingOffset = 8 * 3600;

uint32_t DateNumber(const QDate& d) {
    return uint32_t(d.year() * 10000 + d.month() * 100 + d.day());
}

const char* StatusText(char status) {
    switch (status) {
        case OrderStatus::kFilled:
            return "全部成交";
        case OrderStatus::kPartlyFilled:
            return "部分成交";
        case OrderStatus::kWorking:
            return "未成交";
        case OrderStatus::kCancelled:
            return "已撤单";
        default:
            return "已拒绝";
    }
}

}  // namespace

Simulator::Simulator(SimulatorOptions options)
    : m_seed(options.seed),
      m_tradingDay(options.tradingDay.isValid() ? options.tradingDay : QDate::currentDate()),
      m_catalogue(InstrumentCatalogue::Build(m_tradingDay)) {
    std::seed_seq sequence{uint32_t(m_seed), uint32_t(m_seed >> 32), 0x6d6b7431u};
    m_rng.seed(sequence);
    const QDate day = m_tradingDay;
    m_clock = [day] { return QDateTime(day, QTime(9, 30), Qt::OffsetFromUTC, kBeijingOffset); };

    m_contracts.resize(size_t(m_catalogue.Size()));
    for (const Instrument& instrument : m_catalogue.All()) {
        Kora::Interface::QuoteSnapshot& s = m_contracts[size_t(instrument.index)].snapshot;
        const int32_t reference = int32_t(instrument.reference);
        s.referencePrice = reference;
        s.open = s.high = s.low = s.last = s.average = reference;
        s.upperLimit = int32_t(instrument.upperLimit);
        s.lowerLimit = int32_t(instrument.lowerLimit);
        s.preSettlement = instrument.IsDerivative() ? reference : 0;
        s.priceDivisor = instrument.priceDivisor;
        s.decimals = instrument.decimals;
        s.time = 93000;
        s.date = DateNumber(m_tradingDay);
        s.tradingDay = DateNumber(m_tradingDay);
        std::uniform_int_distribution<int> lots(200, 5000);
        s.volume = double(lots(m_rng)) * (instrument.IsSecurity() ? 100.0 : 1.0);
        s.turnover = instrument.Notional(instrument.reference, int64_t(s.volume));
        s.activeBuyVolume = std::floor(s.volume * 0.5);
        s.activeSellVolume = s.volume - s.activeBuyVolume;
        if (instrument.IsDerivative()) {
            s.openInterest = double(lots(m_rng)) * 4.0;
            s.preOpenInterest = s.openInterest;
        }
        ShapeBook(instrument.index, instrument.reference);
    }
    for (const Instrument& instrument : m_catalogue.All()) {
        m_history.push_back(
            GenerateHistory(m_catalogue, instrument.index, m_tradingDay, m_seed, options.historyDays));
        m_weights.push_back(
            GenerateWeightData(m_catalogue, instrument.index, m_tradingDay, m_seed, options.historyDays));
    }
    for (TradingAccount& account : options.accounts) {
        m_accounts.emplace_back(std::move(account));
    }
}

Simulator::~Simulator() = default;

void Simulator::Dispatch(std::vector<Event>& events) {
    MarketListener* listener;
    {
        std::lock_guard lock(m_lock);
        listener = m_listener;
    }
    if (!listener) {
        return;
    }
    for (Event& event : events) {
        std::visit(
            [listener](auto& e) {
                using T = std::decay_t<decltype(e)>;
                if constexpr (std::is_same_v<T, OrderUpdate>) {
                    listener->OnOrderUpdated(e.order, e.fill ? &*e.fill : nullptr);
                } else if constexpr (std::is_same_v<T, PositionsChanged>) {
                    listener->OnPositionsChanged(e.accountId);
                } else if constexpr (std::is_same_v<T, QuoteEvent>) {
                    listener->OnQuote(e);
                } else {
                    listener->OnStaticChanged(e.instrument);
                }
            },
            event);
    }
}

void Simulator::SetListener(MarketListener* listener) {
    std::lock_guard dispatch(m_dispatchLock);
    std::lock_guard lock(m_lock);
    m_listener = listener;
}

void Simulator::SetClock(std::function<QDateTime()> clock) {
    std::lock_guard lock(m_lock);
    if (clock) {
        m_clock = std::move(clock);
    }
}

uint32_t Simulator::NowHhmmss() const {
    const QTime t = m_clock().toOffsetFromUtc(kBeijingOffset).time();
    return uint32_t(t.hour() * 10000 + t.minute() * 100 + t.second());
}

AccountLedger* Simulator::Ledger(std::string_view accountId) {
    for (AccountLedger& ledger : m_accounts) {
        if (ledger.Account().eAccountId == accountId) {
            return &ledger;
        }
    }
    return nullptr;
}

const AccountLedger* Simulator::Ledger(std::string_view accountId) const {
    return const_cast<Simulator*>(this)->Ledger(accountId);
}

double Simulator::MarkPriceLocked(int instrument) const {
    const Instrument* subject = m_catalogue.At(instrument);
    if (!subject) {
        return 0.0;
    }
    const Kora::Interface::QuoteSnapshot& s = m_contracts[size_t(instrument)].snapshot;
    return subject->ToPrice(s.last > 0 ? s.last : s.referencePrice);
}

PriceOf Simulator::Prices() const {
    return [this](int instrument) { return MarkPriceLocked(instrument); };
}

// ---- accounts

std::vector<TradingAccount> Simulator::Accounts() const {
    std::lock_guard lock(m_lock);
    std::vector<TradingAccount> accounts;
    for (const AccountLedger& ledger : m_accounts) {
        accounts.push_back(ledger.Account());
    }
    return accounts;
}

std::optional<TradingAccount> Simulator::Account(std::string_view accountId) const {
    std::lock_guard lock(m_lock);
    const AccountLedger* ledger = Ledger(accountId);
    return ledger ? std::optional(ledger->Account()) : std::nullopt;
}

std::optional<TradingAccount> Simulator::AccountWhere(
    const std::function<bool(const TradingAccount&)>& match) const {
    std::lock_guard lock(m_lock);
    for (const AccountLedger& ledger : m_accounts) {
        if (match(ledger.Account())) {
            return ledger.Account();
        }
    }
    return std::nullopt;
}

std::optional<TradingAccount> Simulator::AccountByVirtualId(std::string_view virtualId) const {
    return AccountWhere(
        [virtualId](const TradingAccount& account) { return account.vAccountId == virtualId; });
}

std::optional<TradingAccount> Simulator::AccountByNumber(std::string_view number) const {
    return AccountWhere([number](const TradingAccount& account) { return account.number == number; });
}

bool Simulator::IsLoggedIn(std::string_view accountId) const {
    std::lock_guard lock(m_lock);
    const AccountLedger* ledger = Ledger(accountId);
    return ledger && ledger->loggedIn;
}

bool Simulator::SetLoggedIn(std::string_view accountId, bool loggedIn) {
    std::lock_guard lock(m_lock);
    AccountLedger* ledger = Ledger(accountId);
    if (!ledger) {
        return false;
    }
    ledger->loggedIn = loggedIn;
    return true;
}

// ---- events

void Simulator::ReportOrder(OrderState& order, const std::optional<Fill>& fill) {
    order.view.statusText = StatusText(order.view.status);
    if (m_listener) {
        m_events.emplace_back(OrderUpdate{order.view, fill});
    }
}

void Simulator::ReportQuote(int instrument, bool traded) {
    if (m_listener) {
        m_events.emplace_back(QuoteEvent{instrument, m_contracts[size_t(instrument)].snapshot, traded});
    }
}

// ---- trading

SubmitResult Simulator::Submit(const OrderTicket& ticket) {
    return Mutate([&]() -> SubmitResult {
        const Instrument* instrument = m_catalogue.At(ticket.instrument);
        AccountLedger* ledger = Ledger(ticket.accountId);
        if (!instrument || !ledger) {
            return {{}, OrderStatus::kRejected, "账号或合约不存在"};
        }
        const int index = int(m_orders.size());
        OrderState& order = m_orders.emplace_back();
        order.view.sequence = m_nextOrder++;
        order.view.id = std::to_string(100000 + order.view.sequence);
        order.view.exchangeOrderId = std::to_string(700000000 + order.view.sequence);
        order.view.ticket = ticket;
        order.view.time = NowHhmmss();
        m_orderIndex[order.view.id] = index;

        const Kora::Interface::QuoteSnapshot& snapshot = m_contracts[size_t(ticket.instrument)].snapshot;
        const bool isLimit = ticket.priceKind == PriceKind::Limit;
        order.effect = AccountLedger::Classify(ledger->Account(), *instrument, ticket);
        std::string refusal = order.effect.reason;
        if (refusal.empty() && ticket.volume <= 0) {
            refusal = "委托数量无效";
        } else if (refusal.empty() && isLimit && (ticket.price <= 0 || !instrument->IsOnTick(ticket.price))) {
            refusal = "委托价格无效";
        } else if (refusal.empty() && isLimit &&
                   (ticket.price > snapshot.upperLimit || ticket.price < snapshot.lowerLimit)) {
            refusal = "委托价格超出涨跌停板";
        } else if (refusal.empty() && instrument->IsSecurity() && order.effect.opens &&
                   ticket.volume % instrument->minTradeUnit != 0) {
            refusal = "委托数量必须是" + std::to_string(instrument->minTradeUnit) + "的整数倍";
        }
        if (refusal.empty()) {
            const bool buy = IsBuyDirection(ticket.direction);
            const int64_t reservePrice =
                isLimit ? ticket.price : (buy ? snapshot.upperLimit : snapshot.lowerLimit);
            refusal =
                ledger->Reserve(*instrument, order.effect, ticket, reservePrice, Prices(), order.reservation);
        }
        if (!refusal.empty()) {
            order.view.status = OrderStatus::kRejected;
            order.view.rejectReason = refusal;
            ReportOrder(order, std::nullopt);
            return {order.view.id, OrderStatus::kRejected, refusal};
        }

        order.view.status = OrderStatus::kWorking;
        ReportOrder(order, std::nullopt);
        if (!order.effect.opens && m_listener) {
            m_events.emplace_back(PositionsChanged{ticket.accountId});
        }

        const int64_t filledBefore = order.view.filled;
        if (ticket.condition == TimeCondition::FillOrKill && !CrossesBook(order)) {
            ReleaseAndReport(order, OrderStatus::kCancelled, "未能全部成交");
        } else {
            MatchAgainstBook(order);
            if (order.view.Remaining() > 0) {
                if (!isLimit || ticket.condition != TimeCondition::Day) {
                    ReleaseAndReport(order, OrderStatus::kCancelled, "剩余撤单");
                } else {
                    m_contracts[size_t(ticket.instrument)].resting.push_back(index);
                }
            }
        }
        if (order.view.filled > filledBefore) {
            SyncBook(ticket.instrument);
            ReportQuote(ticket.instrument, true);
        }
        return {order.view.id, order.view.status, {}};
    });
}

bool Simulator::CrossesBook(const OrderState& order) const {
    const OrderTicket& t = order.view.ticket;
    const Book& book = m_contracts[size_t(t.instrument)].book;
    const bool buy = IsBuyDirection(t.direction);
    const auto& levels = buy ? book.asks : book.bids;
    int64_t available = 0;
    for (const BookLevel& level : levels) {
        if (level.volume <= 0) {
            break;
        }
        const bool within =
            t.priceKind == PriceKind::Market || (buy ? level.price <= t.price : level.price >= t.price);
        if (!within) {
            break;
        }
        available += level.volume;
    }
    return available >= order.view.Remaining();
}

void Simulator::MatchAgainstBook(OrderState& order) {
    const OrderTicket& t = order.view.ticket;
    Book& book = m_contracts[size_t(t.instrument)].book;
    const bool buy = IsBuyDirection(t.direction);
    auto& levels = buy ? book.asks : book.bids;
    while (order.view.Remaining() > 0 && levels[0].volume > 0) {
        const BookLevel best = levels[0];
        if (t.priceKind == PriceKind::Limit && (buy ? best.price > t.price : best.price < t.price)) {
            break;
        }
        const int64_t volume = std::min(order.view.Remaining(), best.volume);
        Book::Consume(levels, volume);
        ApplyFill(order, best.price, volume, true);
    }
}

void Simulator::ApplyFill(OrderState& order, int64_t price, int64_t volume, bool aggressor,
                          bool recordTrade) {
    const OrderTicket& t = order.view.ticket;
    const Instrument& instrument = *m_catalogue.At(t.instrument);
    AccountLedger* ledger = Ledger(t.accountId);
    ledger->Fill(instrument, order.effect, order.reservation, price, volume, Prices());
    order.view.filled += volume;
    order.view.fillValue += double(price) * double(volume);
    order.view.status = order.view.Remaining() > 0 ? OrderStatus::kPartlyFilled : OrderStatus::kFilled;
    if (recordTrade) {
        RecordTrade(t.instrument, price, volume, aggressor == IsBuyDirection(t.direction));
    }
    if (instrument.IsDerivative()) {
        double& interest = m_contracts[size_t(t.instrument)].snapshot.openInterest;
        interest = std::max(0.0, interest + (order.effect.opens ? double(volume) : -double(volume)));
    }
    ReportOrder(order, Fill{price, volume});
    if (m_listener) {
        m_events.emplace_back(PositionsChanged{t.accountId});
    }
}

void Simulator::RecordTrade(int instrument, int64_t price, int64_t volume, bool buyerInitiated) {
    const Instrument& subject = *m_catalogue.At(instrument);
    Kora::Interface::QuoteSnapshot& s = m_contracts[size_t(instrument)].snapshot;
    const int32_t p = int32_t(price);
    s.last = p;
    s.lastVolume = double(volume);
    s.volume += double(volume);
    s.turnover += subject.Notional(price, volume);
    s.open = s.open > 0 ? s.open : p;
    s.high = std::max(s.high, p);
    s.low = s.low > 0 ? std::min(s.low, p) : p;
    if (s.volume > 0) {
        s.average =
            int32_t(std::llround(s.turnover / (s.volume * subject.multiplier) * subject.priceDivisor));
    }
    (buyerInitiated ? s.activeBuyVolume : s.activeSellVolume) += double(volume);
    s.changeOfInterest = s.openInterest - s.preOpenInterest;
    s.time = NowHhmmss();
}

void Simulator::ReleaseAndReport(OrderState& order, char status, std::string text) {
    AccountLedger* ledger = Ledger(order.view.ticket.accountId);
    ledger->ReleaseRemaining(order.reservation, order.effect, order.view.Remaining());
    order.view.status = status;
    order.view.rejectReason = std::move(text);
    ReportOrder(order, std::nullopt);
    if (!order.effect.opens && m_listener) {
        m_events.emplace_back(PositionsChanged{order.view.ticket.accountId});
    }
}

void Simulator::RemoveResting(int instrument, int orderIndex) {
    auto& resting = m_contracts[size_t(instrument)].resting;
    resting.erase(std::remove(resting.begin(), resting.end(), orderIndex), resting.end());
}

std::vector<int> Simulator::RestingByPriority(int instrument, bool buys) const {
    std::vector<int> orders;
    for (int index : m_contracts[size_t(instrument)].resting) {
        if (IsBuyDirection(m_orders[size_t(index)].view.ticket.direction) == buys) {
            orders.push_back(index);
        }
    }
    std::sort(orders.begin(), orders.end(), [this, buys](int a, int b) {
        const OrderView& x = m_orders[size_t(a)].view;
        const OrderView& y = m_orders[size_t(b)].view;
        if (x.ticket.price != y.ticket.price) {
            return buys ? x.ticket.price > y.ticket.price : x.ticket.price < y.ticket.price;
        }
        return x.sequence < y.sequence;
    });
    return orders;
}

void Simulator::FillRestingAgainstBook(int instrument) {
    Book& book = m_contracts[size_t(instrument)].book;
    for (bool buys : {true, false}) {
        auto& levels = buys ? book.asks : book.bids;
        for (int index : RestingByPriority(instrument, buys)) {
            OrderState& order = m_orders[size_t(index)];
            while (order.view.Remaining() > 0 && levels[0].volume > 0 &&
                   (buys ? levels[0].price <= order.view.ticket.price
                         : levels[0].price >= order.view.ticket.price)) {
                const int64_t volume = std::min(order.view.Remaining(), levels[0].volume);
                Book::Consume(levels, volume);
                ApplyFill(order, order.view.ticket.price, volume, false);
            }
            if (order.view.Remaining() == 0) {
                RemoveResting(instrument, index);
            }
        }
    }
}

int64_t Simulator::FillRestingAgainstTrade(int instrument, int64_t price, int64_t volume) {
    int64_t left = volume > 0 ? volume : INT64_MAX;
    int64_t filled = 0;
    for (bool buys : {true, false}) {
        for (int index : RestingByPriority(instrument, buys)) {
            OrderState& order = m_orders[size_t(index)];
            const int64_t limit = order.view.ticket.price;
            if (left <= 0 || (buys ? limit < price : limit > price)) {
                break;
            }
            const int64_t fill = std::min(order.view.Remaining(), left);
            left -= fill;
            filled += fill;
            // The market's trade is recorded once by the caller, at its own price.
            ApplyFill(order, limit, fill, false, false);
            if (order.view.Remaining() == 0) {
                RemoveResting(instrument, index);
            }
        }
    }
    return filled;
}

std::string Simulator::Cancel(std::string_view accountId, std::string_view orderId) {
    return Mutate([&]() -> std::string {
        auto it = m_orderIndex.find(std::string(orderId));
        if (it == m_orderIndex.end()) {
            return "委托不存在";
        }
        OrderState& order = m_orders[size_t(it->second)];
        if (!accountId.empty() && order.view.ticket.accountId != accountId) {
            return "委托不属于该账号";
        }
        if (!OrderStatus::IsWorking(order.view.status)) {
            return "委托已" + std::string(StatusText(order.view.status)) + "，不能撤单";
        }
        RemoveResting(order.view.ticket.instrument, it->second);
        ReleaseAndReport(order, OrderStatus::kCancelled, {});
        return {};
    });
}

std::optional<OrderView> Simulator::FindOrder(std::string_view orderId) const {
    std::lock_guard lock(m_lock);
    auto it = m_orderIndex.find(std::string(orderId));
    return it == m_orderIndex.end() ? std::nullopt : std::optional(m_orders[size_t(it->second)].view);
}

std::vector<OrderView> Simulator::Orders(std::string_view accountId) const {
    std::lock_guard lock(m_lock);
    std::vector<OrderView> orders;
    for (const OrderState& order : m_orders) {
        if (order.view.ticket.accountId == accountId) {
            orders.push_back(order.view);
        }
    }
    return orders;
}

std::vector<PositionView> Simulator::Positions(std::string_view accountId) const {
    std::lock_guard lock(m_lock);
    const AccountLedger* ledger = Ledger(accountId);
    return ledger ? ledger->Positions(Prices()) : std::vector<PositionView>{};
}

std::optional<MoneyView> Simulator::Money(std::string_view accountId) const {
    std::lock_guard lock(m_lock);
    const AccountLedger* ledger = Ledger(accountId);
    return ledger ? std::optional(ledger->Money(Prices())) : std::nullopt;
}

int64_t Simulator::MaxVolume(const OrderTicket& ticket) const {
    std::lock_guard lock(m_lock);
    const Instrument* instrument = m_catalogue.At(ticket.instrument);
    const AccountLedger* ledger = Ledger(ticket.accountId);
    if (!instrument || !ledger) {
        return 0;
    }
    const OrderEffect effect = AccountLedger::Classify(ledger->Account(), *instrument, ticket);
    if (!effect.valid) {
        return 0;
    }
    if (!effect.opens) {
        return ledger->Closable(*instrument, {ticket.instrument, effect.side, ticket.hedge}, ticket.offset);
    }
    const int64_t price = ticket.priceKind == PriceKind::Limit && ticket.price > 0
                              ? ticket.price
                              : instrument->ToUnits(MarkPriceLocked(ticket.instrument));
    return ledger->MaxOpenVolume(*instrument, effect, price, Prices(), ticket.direction);
}

std::vector<OrderTicket> Simulator::ResolveNetPosition(const OrderTicket& ticket) const {
    std::lock_guard lock(m_lock);
    const Instrument* instrument = m_catalogue.At(ticket.instrument);
    const AccountLedger* ledger = Ledger(ticket.accountId);
    if (!instrument || !ledger || instrument->IsSecurity()) {
        return {ticket};
    }
    const PositionSide opposite = ticket.direction == '0' ? PositionSide::Short : PositionSide::Long;
    const int64_t closable = ledger->Closable(*instrument, {ticket.instrument, opposite, ticket.hedge}, '1');
    const int64_t closing = std::min(std::max<int64_t>(ticket.volume, 0), closable);
    std::vector<OrderTicket> tickets;
    if (closing > 0) {
        OrderTicket close = ticket;
        close.offset = '1';
        close.volume = closing;
        tickets.push_back(close);
    }
    if (ticket.volume - closing > 0 || tickets.empty()) {
        OrderTicket open = ticket;
        open.offset = '0';
        open.volume = ticket.volume - closing;
        tickets.push_back(open);
    }
    return tickets;
}

// ---- quotes

Kora::Interface::QuoteSnapshot Simulator::Snapshot(int instrument) const {
    std::lock_guard lock(m_lock);
    return m_catalogue.At(instrument) ? m_contracts[size_t(instrument)].snapshot
                                      : Kora::Interface::QuoteSnapshot{};
}

Book Simulator::GetBook(int instrument) const {
    std::lock_guard lock(m_lock);
    return m_catalogue.At(instrument) ? m_contracts[size_t(instrument)].book : Book{};
}

double Simulator::MarkPrice(int instrument) const {
    std::lock_guard lock(m_lock);
    return MarkPriceLocked(instrument);
}

std::vector<DailyBar> Simulator::History(int instrument) const {
    std::lock_guard lock(m_lock);
    return m_catalogue.At(instrument) ? m_history[size_t(instrument)] : std::vector<DailyBar>{};
}

std::vector<WeightEvent> Simulator::WeightData(int instrument) const {
    std::lock_guard lock(m_lock);
    return m_catalogue.At(instrument) ? m_weights[size_t(instrument)] : std::vector<WeightEvent>{};
}

void Simulator::SetHistory(int instrument, std::vector<DailyBar> bars) {
    std::lock_guard lock(m_lock);
    if (m_catalogue.At(instrument)) {
        m_history[size_t(instrument)] = std::move(bars);
    }
}

void Simulator::SyncBook(int instrument) {
    ContractState& contract = m_contracts[size_t(instrument)];
    for (size_t i = 0; i < contract.book.bids.size(); ++i) {
        auto& row = contract.snapshot.book[i];
        row.bid.price = int32_t(contract.book.bids[i].price);
        row.bid.volume = double(contract.book.bids[i].volume);
        row.ask.price = int32_t(contract.book.asks[i].price);
        row.ask.volume = double(contract.book.asks[i].volume);
    }
}

void Simulator::PurgeFinishedOrders() {
    std::lock_guard lock(m_lock);
    std::vector<OrderState> kept;
    std::vector<int> remap(m_orders.size(), -1);
    for (size_t i = 0; i < m_orders.size(); ++i) {
        if (OrderStatus::IsWorking(m_orders[i].view.status)) {
            remap[i] = int(kept.size());
            kept.push_back(std::move(m_orders[i]));
        }
    }
    m_orders = std::move(kept);
    m_orderIndex.clear();
    for (size_t i = 0; i < m_orders.size(); ++i) {
        m_orderIndex[m_orders[i].view.id] = int(i);
    }
    for (ContractState& contract : m_contracts) {
        for (int& index : contract.resting) {
            index = remap[size_t(index)];
        }
    }
}

}  // namespace Terminal::Market
