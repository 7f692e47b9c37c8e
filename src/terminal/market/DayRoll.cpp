// The end of a trading day and the opening of the next.

#include <algorithm>

#include "market/Simulator.h"

namespace Terminal::Market {

namespace {

constexpr int kBeijingOffset = 8 * 3600;

QDate NextWeekday(const QDate& day) {
    QDate next = day.addDays(1);
    while (next.dayOfWeek() > 5) {
        next = next.addDays(1);
    }
    return next;
}

}  // namespace

double Simulator::SettlementLocked(int instrument) const {
    const Instrument& subject = *m_catalogue.At(instrument);
    const Kora::Interface::QuoteSnapshot& s = m_contracts[size_t(instrument)].snapshot;
    if (subject.IsDerivative() && s.volume > 0 && s.average > 0) {
        return subject.ToPrice(s.average);
    }
    return MarkPriceLocked(instrument);
}

void Simulator::AppendDay(int instrument) {
    const Instrument& subject = *m_catalogue.At(instrument);
    ContractState& contract = m_contracts[size_t(instrument)];
    const Kora::Interface::QuoteSnapshot& s = contract.snapshot;
    DailyBar bar;
    bar.date = DateNumber(m_tradingDay);
    bar.open = subject.ToPrice(s.open);
    bar.high = subject.ToPrice(s.high);
    bar.low = subject.ToPrice(s.low);
    bar.close = MarkPriceLocked(instrument);
    bar.volume = s.volume;
    bar.openInterest = s.openInterest;
    contract.rolled.push_back(bar);
}

void Simulator::OpenDay(int instrument, double settlement) {
    const Instrument& subject = *m_catalogue.At(instrument);
    ContractState& contract = m_contracts[size_t(instrument)];
    Kora::Interface::QuoteSnapshot& s = contract.snapshot;
    const int64_t reference = subject.ToUnits(settlement);
    s.referencePrice = int32_t(reference);
    s.preSettlement = subject.IsDerivative() ? int32_t(reference) : 0;
    s.settlement = 0;
    s.close = 0;
    if (subject.option) {
        const double underlying = MarkPriceLocked(subject.option->underlying);
        s.lowerLimit = int32_t(subject.tick);
        s.upperLimit = int32_t(subject.RoundToTick(double(reference) + underlying * subject.limitFraction *
                                                                           subject.priceDivisor));
    } else {
        s.upperLimit = int32_t(subject.RoundToTick(double(reference) * (1.0 + subject.limitFraction)));
        s.lowerLimit = int32_t(subject.RoundToTick(double(reference) * (1.0 - subject.limitFraction)));
    }
    s.open = s.high = s.low = s.last = s.average = int32_t(reference);
    s.volume = s.turnover = s.lastVolume = 0;
    s.activeBuyVolume = s.activeSellVolume = 0;
    s.preOpenInterest = s.openInterest;
    s.changeOfInterest = 0;
    s.date = s.tradingDay = DateNumber(m_tradingDay);
    s.time = NowHhmmss();
    contract.interest = {};
    contract.tape.Clear();
    contract.quotedAt = 0;
    if (!subject.option) {
        ShapeBook(instrument, reference);
    }
}

QDate Simulator::RollDay() {
    return Mutate([&]() -> QDate {
        for (size_t i = 0; i < m_orders.size(); ++i) {
            OrderState& order = m_orders[i];
            if (OrderStatus::IsWorking(order.view.status)) {
                RemoveResting(order.view.ticket.instrument, int(i));
                ReleaseAndReport(order, OrderStatus::kCancelled, "当日委托撤单");
            }
        }

        const int size = m_catalogue.Size();
        std::vector<double> settlement(size_t(size), 0.0);
        for (int i = 0; i < size; ++i) {
            if (m_catalogue.IsListed(i)) {
                settlement[size_t(i)] = SettlementLocked(i);
                m_contracts[size_t(i)].snapshot.settlement =
                    int32_t(m_catalogue.At(i)->ToUnits(settlement[size_t(i)]));
                AppendDay(i);
            }
        }
        const QDateTime close(m_tradingDay, QTime(15, 0), Qt::OffsetFromUTC, kBeijingOffset);
        for (int expired : m_catalogue.DelistExpired(close)) {
            const Instrument& subject = *m_catalogue.At(expired);
            const double underlying = subject.option ? settlement[size_t(subject.option->underlying)] : 0.0;
            for (AccountLedger& ledger : m_accounts) {
                ledger.SettleExpired(subject, settlement[size_t(expired)], underlying);
            }
        }
        for (auto& [surface, underlyings] : m_surfaceUnderlyings) {
            std::erase_if(underlyings, [this](int u) { return !m_catalogue.IsListed(u); });
        }
        const PriceOf settled = [&](int i) { return i < size ? settlement[size_t(i)] : MarkPriceLocked(i); };
        for (AccountLedger& ledger : m_accounts) {
            ledger.RollDay(settled);
            if (m_listener) {
                m_events.emplace_back(PositionsChanged{ledger.Account().eAccountId});
            }
        }

        m_tradingDay = NextWeekday(m_tradingDay);
        for (int i = 0; i < size; ++i) {
            if (m_catalogue.IsListed(i) && !m_catalogue.At(i)->option) {
                OpenDay(i, settlement[size_t(i)]);
            }
        }
        for (int i = 0; i < size; ++i) {
            if (m_catalogue.IsListed(i) && m_catalogue.At(i)->option) {
                OpenDay(i, settlement[size_t(i)]);
            }
        }
        ListDay(m_tradingDay, false);
        for (int i = 0; i < m_catalogue.Size(); ++i) {
            if (!m_catalogue.IsListed(i)) {
                continue;
            }
            if (m_contracts[size_t(i)].surface >= 0) {
                RequoteChain(i);
            }
            if (m_listener) {
                m_events.emplace_back(StaticChanged{i});
            }
            if (!m_catalogue.At(i)->option) {
                ReportQuote(i, false);
            }
        }
        return m_tradingDay;
    });
}

}  // namespace Terminal::Market
