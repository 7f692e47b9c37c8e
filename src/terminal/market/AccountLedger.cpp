#include "market/AccountLedger.h"

#include <algorithm>
#include <cmath>

#include "market/OptionMargin.h"

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

OrderEffect Valid(PositionSide side, bool opens, char direction, bool covered = false) {
    return {true, side, opens, covered, direction, {}};
}

OrderEffect Invalid(const char* reason) {
    return {false, PositionSide::Long, true, false, 0, reason};
}

int64_t FreeOf(const std::map<std::string, int64_t>& limits, const std::map<std::string, int64_t>& used,
               const std::string& code) {
    auto limit = limits.find(code);
    auto taken = used.find(code);
    return std::max<int64_t>(
        0, (limit == limits.end() ? 0 : limit->second) - (taken == used.end() ? 0 : taken->second));
}

}  // namespace

bool IsBuyDirection(char direction) {
    return direction == '0' || direction == 'a' || direction == 'c' || direction == 'g';
}

AccountLedger::AccountLedger(TradingAccount account, const InstrumentCatalogue& catalogue)
    : m_account(std::move(account)),
      m_catalogue(catalogue),
      m_preBalance(m_account.initialCash),
      m_cash(m_account.initialCash) {}

OrderEffect AccountLedger::Classify(const TradingAccount& account, const Instrument& instrument,
                                    const OrderTicket& ticket) {
    if (!AccountTrades(account, instrument)) {
        return Invalid("该账号不支持此合约的交易");
    }
    const char d = ticket.direction;
    if (instrument.IsSecurity()) {
        switch (d) {
            case '0':
            case 'g':
                return Valid(PositionSide::Long, true, d);
            case '1':
            case 'h':
                return Valid(PositionSide::Long, false, d);
            default:
                break;
        }
        if (IsCredit(account)) {
            switch (d) {
                case 'a':
                    return Valid(PositionSide::Long, true, d);
                case 'd':
                    return Valid(PositionSide::Long, false, d);
                case 'b':
                    return Valid(PositionSide::Short, true, d);
                case 'c':
                    return Valid(PositionSide::Short, false, d);
                default:
                    break;
            }
        }
        return Invalid("不支持的委托方向");
    }
    if (d != '0' && d != '1') {
        return Invalid("不支持的委托方向");
    }
    const bool buy = d == '0';
    const bool opens = ticket.offset == '0';
    if (ticket.offset != '0' && ticket.offset != '1' && ticket.offset != '2' && ticket.offset != '6') {
        return Invalid("不支持的开平标志");
    }
    if (ticket.covered == '1') {
        // Only a call written against the underlying's shares, and its buying back.
        const bool writesCall = !buy && opens;
        const bool buysBack = buy && !opens;
        if (account.category != 6 || !instrument.option || instrument.option->isPut ||
            !(writesCall || buysBack)) {
            return Invalid("不支持的备兑委托");
        }
        return Valid(PositionSide::Short, opens, d, true);
    }
    if (opens) {
        return Valid(buy ? PositionSide::Long : PositionSide::Short, true, d);
    }
    return Valid(buy ? PositionSide::Short : PositionSide::Long, false, d);
}

double AccountLedger::Commission(const Instrument& instrument, double notional, int64_t volume) {
    return instrument.commissionPerLot * double(volume) + instrument.commissionRate * notional;
}

double AccountLedger::HeldMargin(const Instrument& instrument, PositionSide side, double notional) {
    if (instrument.kind == InstrumentKind::Future) {
        return notional * instrument.marginRate;
    }
    if (instrument.IsSecurity() && side == PositionSide::Short) {
        return notional * kShortSaleMarginRate;
    }
    return 0.0;
}

const Instrument* AccountLedger::UnderlyingOf(const Instrument& instrument) const {
    return instrument.option ? m_catalogue.At(instrument.option->underlying) : nullptr;
}

double AccountLedger::OpenCashPerUnit(const Instrument& instrument, const OrderEffect& effect, int64_t price,
                                      const PriceOf& priceOf) const {
    const double notional = instrument.Notional(price, 1);
    const double commission = Commission(instrument, notional, 1);
    if (effect.covered || effect.direction == 'a') {
        return commission;  // the shares or the credit line stand in for the money
    }
    if (instrument.option && effect.side == PositionSide::Short) {
        const Instrument* underlying = UnderlyingOf(instrument);
        return ShortOptionMargin(instrument, *underlying, instrument.ToPrice(price),
                                 priceOf(underlying->index)) +
               commission;
    }
    const bool paysPrice = instrument.kind != InstrumentKind::Future && effect.side == PositionSide::Long;
    return (paysPrice ? notional : HeldMargin(instrument, effect.side, notional)) + commission;
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

double AccountLedger::PositionMargin(const PositionKey& key, const Holding& holding,
                                     const PriceOf& priceOf) const {
    const Instrument& instrument = *holding.instrument;
    if (!instrument.option) {
        return holding.margin;
    }
    if (key.side == PositionSide::Long || key.covered || holding.Total() == 0) {
        return 0.0;
    }
    const Instrument* underlying = UnderlyingOf(instrument);
    return ShortOptionMargin(instrument, *underlying, priceOf(key.instrument), priceOf(underlying->index)) *
           double(holding.Total());
}

double AccountLedger::TotalMargin(const PriceOf& priceOf) const {
    double margin = 0;
    for (const auto& [key, holding] : m_holdings) {
        margin += PositionMargin(key, holding, priceOf);
    }
    return margin;
}

double AccountLedger::Available(const PriceOf& priceOf) const {
    return m_cash + FuturesFloating(priceOf) - TotalMargin(priceOf) - m_frozen;
}

int64_t AccountLedger::ClosableToday(const PositionKey& key) const {
    auto it = m_holdings.find(key);
    return it == m_holdings.end() ? 0 : it->second.today - it->second.frozenToday;
}

int64_t AccountLedger::ClosableHistory(const PositionKey& key) const {
    auto it = m_holdings.find(key);
    return it == m_holdings.end() ? 0 : it->second.history - it->second.frozenHistory;
}

int64_t AccountLedger::Closable(const Instrument& instrument, const PositionKey& key, char offset) const {
    const int64_t history = ClosableHistory(key);
    const int64_t today = ClosableToday(key);
    if (instrument.IsSecurity()) {
        return key.side == PositionSide::Long ? history : history + today;
    }
    if (offset == '2') {
        return today;
    }
    return instrument.ClosesTodaySeparately() ? history : history + today;
}

double AccountLedger::CreditAvailable() const {
    return std::max(0.0, m_account.creditLine - m_financed - m_creditFrozen);
}

int64_t AccountLedger::LendableShares(const std::string& code) const {
    return FreeOf(m_account.lendableShares, m_borrowed, code);
}

int64_t AccountLedger::CoverableShares(const std::string& code) const {
    return FreeOf(m_account.coverableShares, m_covering, code);
}

std::string AccountLedger::Reserve(const Instrument& instrument, const OrderEffect& effect,
                                   const OrderTicket& ticket, int64_t reservePrice, const PriceOf& priceOf,
                                   Reservation& reservation) {
    reservation.key = {instrument.index, effect.side, ticket.hedge, effect.covered};
    if (effect.opens) {
        reservation.cashPerUnit = OpenCashPerUnit(instrument, effect, reservePrice, priceOf);
        const double need = reservation.cashPerUnit * double(ticket.volume);
        if (need > Available(priceOf) + kMoneyEpsilon) {
            return "可用资金不足";
        }
        if (effect.direction == 'a') {
            reservation.creditPerUnit = instrument.Notional(reservePrice, 1);
            if (reservation.creditPerUnit * double(ticket.volume) > CreditAvailable() + kMoneyEpsilon) {
                return "可融资金不足";
            }
            m_creditFrozen += reservation.creditPerUnit * double(ticket.volume);
        }
        if (effect.covered) {
            const std::string& code = UnderlyingOf(instrument)->code;
            reservation.sharesPerUnit = instrument.multiplier;
            if (reservation.sharesPerUnit * ticket.volume > CoverableShares(code)) {
                return "可用备兑证券不足";
            }
            m_covering[code] += reservation.sharesPerUnit * ticket.volume;
        }
        if (effect.direction == 'b') {
            reservation.sharesPerUnit = 1;
            if (ticket.volume > LendableShares(instrument.code)) {
                return "可融券数量不足";
            }
            m_borrowed[instrument.code] += ticket.volume;
        }
        m_frozen += need;
        return {};
    }
    if (Closable(instrument, reservation.key, ticket.offset) < ticket.volume) {
        return "可平仓位不足";
    }
    Holding& holding = m_holdings[reservation.key];
    const int64_t volume = ticket.volume;
    if (instrument.IsDerivative() && ticket.offset == '2') {
        reservation.today = volume;
    } else if (instrument.IsDerivative() && instrument.ClosesTodaySeparately()) {
        reservation.history = volume;
    } else {
        reservation.history = std::min(volume, holding.history - holding.frozenHistory);
        reservation.today = volume - reservation.history;
    }
    holding.frozenHistory += reservation.history;
    holding.frozenToday += reservation.today;
    return {};
}

void AccountLedger::ReleaseShares(const Instrument& instrument, const OrderEffect& effect, int64_t shares) {
    if (shares <= 0) {
        return;
    }
    if (effect.covered) {
        m_covering[UnderlyingOf(instrument)->code] -= shares;
    } else if (effect.direction == 'b' || effect.direction == 'c') {
        m_borrowed[instrument.code] -= shares;
    }
}

void AccountLedger::ReleaseRemaining(Reservation& reservation, const OrderEffect& effect, int64_t unfilled) {
    if (effect.opens) {
        m_frozen = std::max(0.0, m_frozen - reservation.cashPerUnit * double(unfilled));
        m_creditFrozen = std::max(0.0, m_creditFrozen - reservation.creditPerUnit * double(unfilled));
        if (const Instrument* instrument = m_catalogue.At(reservation.key.instrument)) {
            ReleaseShares(*instrument, effect, reservation.sharesPerUnit * unfilled);
        }
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
        const double margin = HeldMargin(instrument, effect.side, notional);
        holding.today += volume;
        holding.cost += notional;
        holding.margin += margin;
        m_heldMargin += margin;
        if (isOption) {
            m_cash += effect.side == PositionSide::Long ? -notional : notional;
        } else if (effect.direction == 'a') {
            m_creditFrozen = std::max(0.0, m_creditFrozen - reservation.creditPerUnit * double(volume));
            m_financed += notional;
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
    m_heldMargin = std::max(0.0, m_heldMargin - releasedMargin);
    const double realised = (notional - closedCost) * SideSign(effect.side);
    m_closeProfit += realised;

    if (isOption) {
        m_cash += effect.side == PositionSide::Long ? notional : -notional;
        if (effect.covered) {
            m_covering[UnderlyingOf(instrument)->code] -= instrument.multiplier * volume;
        }
    } else if (instrument.IsSecurity() && effect.side == PositionSide::Long) {
        commission += notional * instrument.stampDutyRate;
        m_cash += notional;
        if (effect.direction == 'd') {
            const double repaid = std::min(m_financed, notional - commission);
            m_financed -= repaid;
            m_cash -= repaid;
        }
    } else {
        m_cash += realised;
        if (instrument.IsSecurity()) {
            m_borrowed[instrument.code] -= volume;  // the borrowed shares go back
        }
    }
    m_cash -= commission;
    m_commission += commission;

    if (holding.Total() == 0 && holding.frozenHistory == 0 && holding.frozenToday == 0) {
        m_holdings.erase(reservation.key);
    }
}

bool AccountLedger::AddPosition(const Instrument& instrument, PositionSide side, int64_t volume,
                                int64_t price, bool today, char hedge, bool covered) {
    if (covered) {
        const Instrument* underlying = UnderlyingOf(instrument);
        const int64_t shares = instrument.multiplier * volume;
        if (!underlying || shares > CoverableShares(underlying->code)) {
            return false;
        }
        m_covering[underlying->code] += shares;
    }
    Holding& holding = HoldingOf(instrument, {instrument.index, side, hedge, covered});
    const double notional = instrument.Notional(price, volume);
    const double margin = HeldMargin(instrument, side, notional);
    (today ? holding.today : holding.history) += volume;
    holding.cost += notional;
    holding.margin += margin;
    m_heldMargin += margin;
    return true;
}

void AccountLedger::SetCash(double cash) {
    m_cash = cash;
    m_preBalance = cash;
}

int64_t AccountLedger::MaxOpenVolume(const Instrument& instrument, const OrderEffect& effect, int64_t price,
                                     const PriceOf& priceOf) const {
    if (!effect.valid || !effect.opens || price <= 0) {
        return 0;
    }
    const double perUnit = OpenCashPerUnit(instrument, effect, price, priceOf);
    const double money = Available(priceOf);
    if (perUnit <= 0 || money <= 0) {
        return 0;
    }
    int64_t volume = int64_t(std::floor(money / perUnit + 1e-9));
    if (effect.direction == 'a') {
        volume =
            std::min(volume, int64_t(std::floor(CreditAvailable() / instrument.Notional(price, 1) + 1e-9)));
    } else if (effect.direction == 'b') {
        volume = std::min(volume, LendableShares(instrument.code));
    } else if (effect.covered) {
        volume = std::min(volume, CoverableShares(UnderlyingOf(instrument)->code) / instrument.multiplier);
    }
    if (instrument.IsSecurity() && instrument.minTradeUnit > 1) {
        volume -= volume % instrument.minTradeUnit;
    }
    return std::max<int64_t>(volume, 0);
}

MoneyView AccountLedger::Money(const PriceOf& priceOf) const {
    MoneyView money;
    money.accountId = m_account.eAccountId;
    money.preBalance = m_preBalance;
    money.cash = m_cash;
    money.margin = TotalMargin(priceOf);
    money.frozen = m_frozen;
    money.commission = m_commission;
    money.closeProfit = m_closeProfit;
    money.financed = m_financed;
    money.creditAvailable = m_account.creditLine > 0 ? CreditAvailable() : 0.0;

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
    money.totalAsset = m_cash + futuresFloating + longValue - shortOptionValue - m_financed;
    money.available = m_cash + futuresFloating - money.margin - m_frozen;
    money.withdrawable = std::max(0.0, std::min(money.available, m_cash - money.margin - m_frozen));
    money.riskDegree = money.totalAsset > 0 ? money.margin / money.totalAsset * 100.0 : 0.0;
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
        view.covered = key.covered;
        view.total = holding.Total();
        view.today = holding.today;
        view.history = holding.history;
        view.closable = ClosableHistory(key) +
                        (instrument.IsSecurity() && key.side == PositionSide::Long ? 0 : ClosableToday(key));
        view.closableToday =
            instrument.IsSecurity() && key.side == PositionSide::Long ? 0 : ClosableToday(key);
        view.averagePrice = holding.cost / (double(view.total) * instrument.multiplier);
        view.lastPrice = priceOf(key.instrument);
        view.floatingProfit = Floating(holding, key.side, view.lastPrice);
        view.margin = PositionMargin(key, holding, priceOf);
        if (key.covered) {
            view.lockedShares = instrument.multiplier * view.total;
        }
        views.push_back(view);
    }
    return views;
}

void AccountLedger::RollDay(const PriceOf& settlementOf) {
    for (auto& [key, holding] : m_holdings) {
        holding.history += holding.today;
        holding.today = 0;
        holding.frozenHistory += holding.frozenToday;
        holding.frozenToday = 0;
        if (holding.instrument->kind != InstrumentKind::Future || holding.Total() == 0) {
            continue;
        }
        const double marked =
            settlementOf(key.instrument) * double(holding.Total()) * holding.instrument->multiplier;
        if (marked <= 0) {
            continue;
        }
        m_cash += (marked - holding.cost) * SideSign(key.side);
        holding.cost = marked;
        m_heldMargin -= holding.margin;
        holding.margin = HeldMargin(*holding.instrument, key.side, marked);
        m_heldMargin += holding.margin;
    }
    m_preBalance = Money(settlementOf).totalAsset;
    m_commission = 0;
    m_closeProfit = 0;
}

void AccountLedger::SettleExpired(const Instrument& instrument, double settlement,
                                  double underlyingSettlement) {
    for (auto it = m_holdings.begin(); it != m_holdings.end();) {
        const auto& [key, holding] = *it;
        if (key.instrument != instrument.index) {
            ++it;
            continue;
        }
        const double units = double(holding.Total()) * instrument.multiplier;
        double value = settlement * units;  // a future's worth at its settlement
        if (instrument.option) {
            const OptionTerms& terms = *instrument.option;
            const double strike = instrument.ToPrice(terms.strike);
            const double intrinsic =
                std::max(0.0, terms.isPut ? strike - underlyingSettlement : underlyingSettlement - strike);
            value = intrinsic * units;
            if (key.covered) {
                const std::string& code = UnderlyingOf(instrument)->code;
                const int64_t shares = instrument.multiplier * holding.Total();
                m_covering[code] -= shares;
                if (intrinsic > 0) {
                    // The shares go to the holder at the strike.
                    m_account.coverableShares[code] -= shares;
                    m_cash += strike * units;
                }
            } else {
                m_cash += key.side == PositionSide::Long ? value : -value;
            }
        } else {
            m_cash += (value - holding.cost) * SideSign(key.side);
        }
        m_closeProfit += (value - holding.cost) * SideSign(key.side);
        m_heldMargin = std::max(0.0, m_heldMargin - holding.margin);
        it = m_holdings.erase(it);
    }
}

}  // namespace Terminal::Market
