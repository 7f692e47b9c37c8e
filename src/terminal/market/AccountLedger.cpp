#include "market/AccountLedger.h"

#include <algorithm>
#include <cmath>

namespace Terminal::Market {

namespace {

constexpr double kShortSaleMarginRate = 0.5;
constexpr double kMoneyEpsilon = 1e-6;

double SideSign(PositionSide side) {
    return side == PositionSide::Long ? 1.0 : -1.0;
}

bool IsCredit(const TradingAccount& account) {
    return account.category == 5;
}

}  // namespace

bool IsBuyDirection(char direction) {
    return direction == '0' || direction == 'a' || direction == 'c' || direction == 'g';
}

AccountLedger::AccountLedger(TradingAccount account)
    : m_account(std::move(account)), m_preBalance(m_account.initialCash), m_cash(m_account.initialCash) {}

OrderEffect AccountLedger::Classify(const TradingAccount& account, const Instrument& instrument,
                                    const OrderTicket& ticket) {
    if (!AccountTrades(account, instrument)) {
        return {false, PositionSide::Long, true, "该账号不支持此合约的交易"};
    }
    if (instrument.IsSecurity()) {
        switch (ticket.direction) {
            case '0':
            case 'g':
                return {true, PositionSide::Long, true, {}};
            case '1':
            case 'h':
                return {true, PositionSide::Long, false, {}};
            default:
                break;
        }
        if (IsCredit(account)) {
            switch (ticket.direction) {
                case 'a':
                    return {true, PositionSide::Long, true, {}};
                case 'd':
                    return {true, PositionSide::Long, false, {}};
                case 'b':
                    return {true, PositionSide::Short, true, {}};
                case 'c':
                    return {true, PositionSide::Short, false, {}};
                default:
                    break;
            }
        }
        return {false, PositionSide::Long, true, "不支持的委托方向"};
    }
    if (ticket.direction != '0' && ticket.direction != '1') {
        return {false, PositionSide::Long, true, "不支持的委托方向"};
    }
    const bool buy = ticket.direction == '0';
    switch (ticket.offset) {
        case '0':
            return {true, buy ? PositionSide::Long : PositionSide::Short, true, {}};
        case '1':
        case '2':
        case '6':
            return {true, buy ? PositionSide::Short : PositionSide::Long, false, {}};
        default:
            return {false, PositionSide::Long, true, "不支持的开平标志"};
    }
}

double AccountLedger::Commission(const Instrument& instrument, double notional, int64_t volume) {
    return instrument.commissionPerLot * double(volume) + instrument.commissionRate * notional;
}

double AccountLedger::OpeningMargin(const Instrument& instrument, PositionSide side, double notional,
                                    double underlying, int64_t volume) {
    switch (instrument.kind) {
        case InstrumentKind::Future:
            return notional * instrument.marginRate;
        case InstrumentKind::FutureOption:
        case InstrumentKind::StockOption:
            return side == PositionSide::Short ? notional + underlying * double(volume) *
                                                                instrument.multiplier * instrument.marginRate
                                               : 0.0;
        case InstrumentKind::Stock:
        case InstrumentKind::Fund:
            return side == PositionSide::Short ? notional * kShortSaleMarginRate : 0.0;
    }
    return 0.0;
}

double AccountLedger::OpenCashPerUnit(const Instrument& instrument, PositionSide side, int64_t price,
                                      double underlying) {
    const double notional = instrument.Notional(price, 1);
    const double commission = Commission(instrument, notional, 1);
    const bool paysPrice = instrument.kind != InstrumentKind::Future && side == PositionSide::Long;
    const double margin = OpeningMargin(instrument, side, notional, underlying, 1);
    return (paysPrice ? notional : margin) + commission;
}

AccountLedger::Holding& AccountLedger::HoldingOf(const Instrument& instrument, const PositionKey& key) {
    Holding& holding = m_holdings[key];
    holding.instrument = &instrument;
    return holding;
}

double AccountLedger::Floating(const Holding& holding, PositionSide side, double last) {
    const int64_t total = holding.Total();
    if (total <= 0 || last <= 0) {
        return 0.0;
    }
    return (last * double(total) * holding.instrument->multiplier - holding.cost) * SideSign(side);
}

double AccountLedger::FuturesFloating(const PriceOf& priceOf) const {
    double floating = 0;
    for (const auto& [key, holding] : m_holdings) {
        const InstrumentKind kind = holding.instrument->kind;
        if (kind == InstrumentKind::Future ||
            (holding.instrument->IsSecurity() && key.side == PositionSide::Short)) {
            floating += Floating(holding, key.side, priceOf(key.instrument));
        }
    }
    return floating;
}

double AccountLedger::Available(const PriceOf& priceOf) const {
    return m_cash + FuturesFloating(priceOf) - m_margin - m_frozen;
}

int64_t AccountLedger::Closable(const Instrument& instrument, const PositionKey& key, char offset) const {
    auto it = m_holdings.find(key);
    if (it == m_holdings.end()) {
        return 0;
    }
    const Holding& h = it->second;
    const int64_t history = h.history - h.frozenHistory;
    const int64_t today = h.today - h.frozenToday;
    if (instrument.IsSecurity()) {
        return key.side == PositionSide::Long ? history : history + today;
    }
    return offset == '2' ? today : history + today;
}

std::string AccountLedger::Reserve(const Instrument& instrument, const OrderEffect& effect,
                                   const OrderTicket& ticket, int64_t reservePrice, const PriceOf& priceOf,
                                   Reservation& reservation) {
    reservation.key = {instrument.index, effect.side, ticket.hedge};
    if (effect.opens) {
        const double underlying = instrument.option ? priceOf(instrument.option->underlying) : 0.0;
        reservation.cashPerUnit = OpenCashPerUnit(instrument, effect.side, reservePrice, underlying);
        const double need = reservation.cashPerUnit * double(ticket.volume);
        const double credit = ticket.direction == 'a' ? m_account.creditLine : 0.0;
        if (need > Available(priceOf) + credit + kMoneyEpsilon) {
            return "可用资金不足";
        }
        m_frozen += need;
        return {};
    }
    if (Closable(instrument, reservation.key, ticket.offset) < ticket.volume) {
        return "可平仓位不足";
    }
    Holding& holding = m_holdings[reservation.key];
    int64_t left = ticket.volume;
    if (instrument.IsDerivative() && ticket.offset == '2') {
        reservation.today = left;
    } else {
        reservation.history = std::min(left, holding.history - holding.frozenHistory);
        reservation.today = left - reservation.history;
    }
    holding.frozenHistory += reservation.history;
    holding.frozenToday += reservation.today;
    return {};
}

void AccountLedger::ReleaseRemaining(Reservation& reservation, const OrderEffect& effect, int64_t unfilled) {
    if (effect.opens) {
        m_frozen = std::max(0.0, m_frozen - reservation.cashPerUnit * double(unfilled));
        return;
    }
    auto it = m_holdings.find(reservation.key);
    if (it != m_holdings.end()) {
        it->second.frozenHistory -= reservation.history;
        it->second.frozenToday -= reservation.today;
    }
    reservation.history = 0;
    reservation.today = 0;
}

void AccountLedger::Fill(const Instrument& instrument, const OrderEffect& effect, Reservation& reservation,
                         int64_t price, int64_t volume, const PriceOf& priceOf) {
    const double notional = instrument.Notional(price, volume);
    double commission = Commission(instrument, notional, volume);
    Holding& holding = HoldingOf(instrument, reservation.key);
    const bool isOption = instrument.IsOption();

    if (effect.opens) {
        m_frozen = std::max(0.0, m_frozen - reservation.cashPerUnit * double(volume));
        const double underlying = instrument.option ? priceOf(instrument.option->underlying) : 0.0;
        const double margin = OpeningMargin(instrument, effect.side, notional, underlying, volume);
        holding.today += volume;
        holding.cost += notional;
        holding.margin += margin;
        m_margin += margin;
        if (isOption) {
            m_cash += effect.side == PositionSide::Long ? -notional : notional;
        } else if (instrument.IsSecurity() && effect.side == PositionSide::Long) {
            m_cash -= notional;
        }
        m_cash -= commission;
        m_commission += commission;
        return;
    }

    const int64_t totalBefore = holding.Total();
    const int64_t fromHistory = std::min(reservation.history, volume);
    const int64_t fromToday = volume - fromHistory;
    reservation.history -= fromHistory;
    reservation.today -= fromToday;
    holding.frozenHistory -= fromHistory;
    holding.history -= fromHistory;
    holding.frozenToday -= fromToday;
    holding.today -= fromToday;

    const double share = totalBefore > 0 ? double(volume) / double(totalBefore) : 1.0;
    const double closedCost = holding.cost * share;
    const double releasedMargin = holding.margin * share;
    holding.cost -= closedCost;
    holding.margin -= releasedMargin;
    m_margin = std::max(0.0, m_margin - releasedMargin);
    const double realised = (notional - closedCost) * SideSign(effect.side);
    m_closeProfit += realised;

    if (isOption) {
        m_cash += effect.side == PositionSide::Long ? notional : -notional;
    } else if (instrument.IsSecurity() && effect.side == PositionSide::Long) {
        commission += notional * instrument.stampDutyRate;
        m_cash += notional;
    } else {
        m_cash += realised;
    }
    m_cash -= commission;
    m_commission += commission;

    if (holding.Total() == 0 && holding.frozenHistory == 0 && holding.frozenToday == 0) {
        m_holdings.erase(reservation.key);
    }
}

void AccountLedger::AddPosition(const Instrument& instrument, PositionSide side, int64_t volume,
                                int64_t price, bool today, char hedge, const PriceOf& priceOf) {
    Holding& holding = HoldingOf(instrument, {instrument.index, side, hedge});
    const double notional = instrument.Notional(price, volume);
    const double underlying = instrument.option ? priceOf(instrument.option->underlying) : 0.0;
    const double margin = OpeningMargin(instrument, side, notional, underlying, volume);
    (today ? holding.today : holding.history) += volume;
    holding.cost += notional;
    holding.margin += margin;
    m_margin += margin;
}

void AccountLedger::SetCash(double cash) {
    m_cash = cash;
    m_preBalance = cash;
}

int64_t AccountLedger::MaxOpenVolume(const Instrument& instrument, const OrderEffect& effect, int64_t price,
                                     const PriceOf& priceOf, char direction) const {
    if (!effect.valid || !effect.opens || price <= 0) {
        return 0;
    }
    const double underlying = instrument.option ? priceOf(instrument.option->underlying) : 0.0;
    const double perUnit = OpenCashPerUnit(instrument, effect.side, price, underlying);
    const double money = Available(priceOf) + (direction == 'a' ? m_account.creditLine : 0.0);
    if (perUnit <= 0 || money <= 0) {
        return 0;
    }
    int64_t volume = int64_t(std::floor(money / perUnit + 1e-9));
    if (instrument.IsSecurity() && instrument.minTradeUnit > 1) {
        volume -= volume % instrument.minTradeUnit;
    }
    return volume;
}

MoneyView AccountLedger::Money(const PriceOf& priceOf) const {
    MoneyView money;
    money.accountId = m_account.eAccountId;
    money.preBalance = m_preBalance;
    money.cash = m_cash;
    money.margin = m_margin;
    money.frozen = m_frozen;
    money.commission = m_commission;
    money.closeProfit = m_closeProfit;

    const double futuresFloating = FuturesFloating(priceOf);
    double longValue = 0;
    double shortOptionValue = 0;
    double positionProfit = 0;
    for (const auto& [key, holding] : m_holdings) {
        const double last = priceOf(key.instrument);
        const double value = last * double(holding.Total()) * holding.instrument->multiplier;
        positionProfit += Floating(holding, key.side, last);
        if (holding.instrument->IsOption()) {
            (key.side == PositionSide::Long ? longValue : shortOptionValue) += value;
        } else if (holding.instrument->IsSecurity() && key.side == PositionSide::Long) {
            longValue += value;
        }
    }
    money.positionProfit = positionProfit;
    money.totalAsset = m_cash + futuresFloating + longValue - shortOptionValue;
    money.available = m_cash + futuresFloating - m_margin - m_frozen;
    money.withdrawable = std::max(0.0, std::min(money.available, m_cash - m_margin - m_frozen));
    money.riskDegree = money.totalAsset > 0 ? m_margin / money.totalAsset * 100.0 : 0.0;
    return money;
}

std::vector<PositionView> AccountLedger::Positions(const PriceOf& priceOf) const {
    std::vector<PositionView> views;
    for (const auto& [key, holding] : m_holdings) {
        if (holding.Total() == 0) {
            continue;
        }
        const Instrument& instrument = *holding.instrument;
        PositionView view;
        view.accountId = m_account.eAccountId;
        view.instrument = key.instrument;
        view.side = key.side;
        view.hedge = key.hedge;
        view.total = holding.Total();
        view.today = holding.today;
        view.history = holding.history;
        view.closable = Closable(instrument, key, '1');
        view.closableToday = instrument.IsSecurity() && key.side == PositionSide::Long
                                 ? 0
                                 : holding.today - holding.frozenToday;
        view.averagePrice = holding.cost / (double(view.total) * instrument.multiplier);
        view.lastPrice = priceOf(key.instrument);
        view.floatingProfit = Floating(holding, key.side, view.lastPrice);
        view.margin = holding.margin;
        views.push_back(view);
    }
    return views;
}

}  // namespace Terminal::Market
