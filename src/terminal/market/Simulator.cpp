#include "market/Simulator.h"

#include <algorithm>
#include <type_traits>

#include "market/OpenInterest.h"

namespace Terminal::Market {

namespace {

constexpr int kBeijingOffset = 8 * 3600;

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
      m_historyDays(options.historyDays),
      m_firstDay(options.tradingDay.isValid() ? options.tradingDay : QDate::currentDate()),
      m_tradingDay(m_firstDay) {
    std::seed_seq sequence{uint32_t(m_seed), uint32_t(m_seed >> 32), 0x6d6b7431u};
    m_rng.seed(sequence);
    // The day's opening, on whichever day the market has reached (read under the lock).
    m_clock = [this] { return QDateTime(m_tradingDay, QTime(9, 30), Qt::OffsetFromUTC, kBeijingOffset); };
    for (TradingAccount& account : options.accounts) {
        m_accounts.emplace_back(std::move(account), m_catalogue);
    }
    ListDay(m_tradingDay, true);
}

Simulator::~Simulator() = default;

QDate Simulator::TradingDay() const {
    std::lock_guard lock(m_lock);
    return m_tradingDay;
}

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
                } else if constexpr (std::is_same_v<T, StaticChanged>) {
                    listener->OnStaticChanged(e.instrument);
                } else {
                    listener->OnInstrumentListed(e.instrument);
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
    if (!subject || size_t(instrument) >= m_contracts.size()) {
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
        if (refusal.empty() && !m_catalogue.IsListed(ticket.instrument)) {
            refusal = "合约已到期";
        } else if (refusal.empty() && ticket.volume <= 0) {
            refusal = "委托数量无效";
        } else if (refusal.empty() && isLimit && (ticket.price <= 0 || !instrument->IsOnTick(ticket.price))) {
            refusal = "委托价格无效";
        } else if (refusal.empty() && isLimit &&
                   (ticket.price > snapshot.upperLimit || ticket.price < snapshot.lowerLimit)) {
            refusal = "委托价格超出涨跌停价格范围";
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
                    Rest(index);
                }
            }
        }
        SyncBook(ticket.instrument);
        ReportQuote(ticket.instrument, order.view.filled > filledBefore);
        return {order.view.id, order.view.status, {}};
    });
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
    int64_t interestChange = 0;
    if (instrument.IsDerivative()) {
        // The other side of the trade is taken to open or close as the account does.
        ContractState& contract = m_contracts[size_t(t.instrument)];
        double& interest = contract.snapshot.openInterest;
        if (order.effect.opens) {
            contract.interest.opened += volume;
            interestChange = volume;
        } else {
            const int64_t closed = std::min<int64_t>(volume, int64_t(interest));
            contract.interest.closed += closed;
            interestChange = -closed;
        }
        interest += double(interestChange);
    }
    if (recordTrade) {
        RecordTrade(t.instrument, price, volume, aggressor == IsBuyDirection(t.direction), interestChange);
    }
    ReportOrder(order, Fill{price, volume});
    if (m_listener) {
        m_events.emplace_back(PositionsChanged{t.accountId});
    }
}

int64_t Simulator::ChangeInterestByMarket(int instrument, int64_t volume) {
    const Instrument& subject = *m_catalogue.At(instrument);
    ContractState& contract = m_contracts[size_t(instrument)];
    if (!subject.IsDerivative() || volume <= 0) {
        return 0;
    }
    const InterestChange change = SplitMarketTrade(volume, contract.snapshot.openInterest, m_rng);
    contract.interest.opened += change.opened;
    contract.interest.closed += change.closed;
    contract.snapshot.openInterest += double(change.Net());
    return change.Net();
}

void Simulator::RecordTrade(int instrument, int64_t price, int64_t volume, bool buyerInitiated,
                            int64_t interestChange) {
    const Instrument& subject = *m_catalogue.At(instrument);
    ContractState& contract = m_contracts[size_t(instrument)];
    Kora::Interface::QuoteSnapshot& s = contract.snapshot;
    const int32_t p = int32_t(price);
    // Before its first trade a day shows the reference as its open, high and low.
    const bool first = s.volume <= 0;
    s.last = p;
    s.lastVolume = double(volume);
    s.volume += double(volume);
    s.turnover += subject.Notional(price, volume);
    s.open = first ? p : s.open;
    s.high = first ? p : std::max(s.high, p);
    s.low = first ? p : std::min(s.low, p);
    if (s.volume > 0) {
        s.average =
            int32_t(std::llround(s.turnover / (s.volume * subject.multiplier) * subject.priceDivisor));
    }
    (buyerInitiated ? s.activeBuyVolume : s.activeSellVolume) += double(volume);
    s.changeOfInterest = s.openInterest - s.preOpenInterest;
    s.time = NowHhmmss();
    contract.tape.Record({s.time, price, volume, buyerInitiated, interestChange});
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
        const int instrument = order.view.ticket.instrument;
        RemoveResting(instrument, it->second);
        ReleaseAndReport(order, OrderStatus::kCancelled, {});
        SyncBook(instrument);
        ReportQuote(instrument, false);
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
        return ledger->Closable(*instrument, {ticket.instrument, effect.side, ticket.hedge, effect.covered},
                                ticket.offset);
    }
    const int64_t price = ticket.priceKind == PriceKind::Limit && ticket.price > 0
                              ? ticket.price
                              : instrument->ToUnits(MarkPriceLocked(ticket.instrument));
    return ledger->MaxOpenVolume(*instrument, effect, price, Prices());
}

NetPositionResolution Simulator::ResolveNetPosition(const OrderTicket& ticket) const {
    std::lock_guard lock(m_lock);
    const Instrument* instrument = m_catalogue.At(ticket.instrument);
    const AccountLedger* ledger = Ledger(ticket.accountId);
    if (!instrument || !ledger) {
        return {{}, "账号或合约不存在"};
    }
    if (instrument->IsSecurity()) {
        return {{ticket}, {}};
    }
    if (ticket.direction != '0' && ticket.direction != '1') {
        return {{}, "不支持的委托方向"};
    }
    // The opposite position: a covered call is bought back by a covered buy.
    const PositionKey opposite{ticket.instrument,
                               ticket.direction == '0' ? PositionSide::Short : PositionSide::Long,
                               ticket.hedge, ticket.covered == '1'};
    int64_t left = std::max<int64_t>(ticket.volume, 0);
    std::vector<OrderTicket> tickets;
    auto close = [&](char offset, int64_t available) {
        const int64_t volume = std::min(left, available);
        if (volume > 0) {
            OrderTicket part = ticket;
            part.offset = offset;
            part.volume = volume;
            tickets.push_back(part);
            left -= volume;
        }
    };
    if (instrument->ClosesTodaySeparately()) {
        close('1', ledger->ClosableHistory(opposite));
        close('2', ledger->ClosableToday(opposite));
    } else {
        close('1', ledger->Closable(*instrument, opposite, '1'));
    }
    if (left > 0 || tickets.empty()) {
        OrderTicket open = ticket;
        open.offset = '0';
        open.volume = left;
        const OrderEffect effect = AccountLedger::Classify(ledger->Account(), *instrument, open);
        if (!effect.valid) {
            return {{}, effect.reason};
        }
        const int64_t price = ticket.priceKind == PriceKind::Limit && ticket.price > 0
                                  ? ticket.price
                                  : instrument->ToUnits(MarkPriceLocked(ticket.instrument));
        if (left > ledger->MaxOpenVolume(*instrument, effect, price, Prices())) {
            return {{}, "可用资金不足"};
        }
        tickets.push_back(open);
    }
    return {tickets, {}};
}

// ---- quotes

Kora::Interface::QuoteSnapshot Simulator::Snapshot(int instrument) const {
    std::lock_guard lock(m_lock);
    return size_t(instrument) < m_contracts.size() && instrument >= 0
               ? m_contracts[size_t(instrument)].snapshot
               : Kora::Interface::QuoteSnapshot{};
}

Book Simulator::GetBook(int instrument) const {
    std::lock_guard lock(m_lock);
    if (instrument < 0 || size_t(instrument) >= m_contracts.size()) {
        return Book{};
    }
    const Kora::Interface::QuoteSnapshot& s = m_contracts[size_t(instrument)].snapshot;
    Book book;
    for (size_t i = 0; i < book.bids.size(); ++i) {
        book.bids[i] = {s.book[i].bid.price, int64_t(s.book[i].bid.volume)};
        book.asks[i] = {s.book[i].ask.price, int64_t(s.book[i].ask.volume)};
    }
    return book;
}

Book Simulator::MarketBook(int instrument) const {
    std::lock_guard lock(m_lock);
    return instrument >= 0 && size_t(instrument) < m_contracts.size() ? m_contracts[size_t(instrument)].book
                                                                      : Book{};
}

double Simulator::MarkPrice(int instrument) const {
    std::lock_guard lock(m_lock);
    return MarkPriceLocked(instrument);
}

const std::vector<DailyBar>& Simulator::HistoryLocked(int instrument) const {
    const ContractState& contract = m_contracts[size_t(instrument)];
    if (!contract.historyMade) {
        const Instrument& subject = *m_catalogue.At(instrument);
        if (subject.option) {
            contract.history = GenerateOptionHistory(
                subject, HistoryLocked(subject.option->underlying),
                VolatilitySurface(m_series[size_t(subject.option->surface)].surfaceBase), m_seed,
                contract.openingInterest);
        } else {
            contract.history = GenerateHistory(subject, HistoryDates(m_firstDay, m_historyDays), m_seed,
                                               contract.openingInterest);
        }
        contract.historyMade = true;
    }
    return contract.history;
}

std::vector<DailyBar> Simulator::History(int instrument) const {
    std::lock_guard lock(m_lock);
    if (!m_catalogue.At(instrument)) {
        return {};
    }
    std::vector<DailyBar> bars = HistoryLocked(instrument);
    const std::vector<DailyBar>& rolled = m_contracts[size_t(instrument)].rolled;
    bars.insert(bars.end(), rolled.begin(), rolled.end());
    return bars;
}

std::vector<WeightEvent> Simulator::WeightData(int instrument) const {
    std::lock_guard lock(m_lock);
    return m_catalogue.At(instrument) ? m_contracts[size_t(instrument)].weights : std::vector<WeightEvent>{};
}

void Simulator::SetHistory(int instrument, std::vector<DailyBar> bars) {
    std::lock_guard lock(m_lock);
    if (m_catalogue.At(instrument)) {
        m_contracts[size_t(instrument)].history = std::move(bars);
        m_contracts[size_t(instrument)].historyMade = true;
        m_contracts[size_t(instrument)].rolled.clear();
    }
}

std::vector<TradePrint> Simulator::Trades(int instrument) const {
    std::lock_guard lock(m_lock);
    return m_catalogue.At(instrument) ? m_contracts[size_t(instrument)].tape.Latest()
                                      : std::vector<TradePrint>{};
}

InterestChange Simulator::Interest(int instrument) const {
    std::lock_guard lock(m_lock);
    return m_catalogue.At(instrument) ? m_contracts[size_t(instrument)].interest : InterestChange{};
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
