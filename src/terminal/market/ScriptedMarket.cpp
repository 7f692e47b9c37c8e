// The scripted side of the simulated market: what tests and tools set by hand.

#include <algorithm>

#include "market/Simulator.h"

namespace Terminal::Market {

void Simulator::SetBook(int instrument, const Book& book) {
    Mutate([&] {
        if (!m_catalogue.At(instrument)) {
            return;
        }
        Book& target = m_contracts[size_t(instrument)].book;
        target = book;
        Book::Compact(target.bids);
        Book::Compact(target.asks);
        CapQueues(instrument);
        FillRestingAgainstBook(instrument);
        SyncBook(instrument);
        ReportQuote(instrument, false);
    });
}

void Simulator::SetBestQuote(int instrument, int64_t bid, int64_t bidVolume, int64_t ask, int64_t askVolume) {
    const Instrument* subject = m_catalogue.At(instrument);
    if (!subject) {
        return;
    }
    Book book;
    for (size_t i = 0; i < book.bids.size(); ++i) {
        const int64_t step = int64_t(i) * subject->tick;
        if (bid > 0 && bidVolume > 0 && bid - step > 0) {
            book.bids[i] = {bid - step, bidVolume};
        }
        if (ask > 0 && askVolume > 0) {
            book.asks[i] = {ask + step, askVolume};
        }
    }
    SetBook(instrument, book);
}

void Simulator::TradeAt(int instrument, int64_t price, int64_t volume) {
    Mutate([&] {
        if (!m_catalogue.At(instrument) || price <= 0) {
            return;
        }
        ContractState& contract = m_contracts[size_t(instrument)];
        const int32_t previous = contract.snapshot.last;
        const double interestBefore = contract.snapshot.openInterest;
        const bool unlimited = volume <= 0;
        int64_t left = unlimited ? INT64_MAX : volume;
        int64_t ownFilled = 0;
        for (bool buys : {true, false}) {
            for (int index : RestingByPriority(instrument, buys)) {
                OrderState& order = m_orders[size_t(index)];
                const int64_t limit = order.view.ticket.price;
                const bool through = buys ? limit > price : limit < price;
                if (left <= 0 || !(through || (unlimited && limit == price))) {
                    break;
                }
                // Through its price (or without a limit), an order fills whole at its own price.
                const int64_t fill = std::min(order.view.Remaining(), left);
                left -= fill;
                ownFilled += fill;
                ApplyFill(order, limit, fill, false, false);
                if (order.view.Remaining() == 0) {
                    RemoveResting(instrument, index);
                }
            }
            if (!unlimited && left > 0) {
                left -= TradeQueue(instrument, buys, price, left, ownFilled);
            }
        }
        const int64_t traded = unlimited ? std::max<int64_t>(ownFilled, 1) : volume;
        ChangeInterestByMarket(instrument, traded - ownFilled);
        RecordTrade(instrument, price, traded, price >= previous,
                    int64_t(contract.snapshot.openInterest - interestBefore));
        SyncBook(instrument);
        ReportQuote(instrument, true);
        RequoteChainIfMoved(instrument);
    });
}

void Simulator::SetLimits(int instrument, int64_t upperLimit, int64_t lowerLimit) {
    Mutate([&] {
        if (!m_catalogue.At(instrument)) {
            return;
        }
        Kora::Interface::QuoteSnapshot& s = m_contracts[size_t(instrument)].snapshot;
        s.upperLimit = int32_t(upperLimit);
        s.lowerLimit = int32_t(lowerLimit);
        if (m_listener) {
            m_events.emplace_back(StaticChanged{instrument});
        }
        ReportQuote(instrument, false);
    });
}

void Simulator::UpdateSnapshot(int instrument,
                               const std::function<void(Kora::Interface::QuoteSnapshot&)>& edit) {
    Mutate([&] {
        if (!m_catalogue.At(instrument) || !edit) {
            return;
        }
        edit(m_contracts[size_t(instrument)].snapshot);
        SyncBook(instrument);
        ReportQuote(instrument, false);
        RequoteChainIfMoved(instrument);
    });
}

void Simulator::PublishQuote(int instrument) {
    Mutate([&] {
        if (m_catalogue.At(instrument)) {
            ReportQuote(instrument, false);
        }
    });
}

bool Simulator::SetSurface(int underlying, const SurfaceParameters& parameters) {
    return Mutate([&]() -> bool {
        const Instrument* subject = m_catalogue.At(underlying);
        const int surface = subject ? m_contracts[size_t(underlying)].surface : -1;
        if (surface < 0) {
            return false;
        }
        m_surfaces[size_t(surface)].Set(parameters);
        for (int each : m_surfaceUnderlyings[surface]) {
            RequoteChain(each);
        }
        return true;
    });
}

bool Simulator::AddPosition(std::string_view accountId, int instrument, PositionSide side, int64_t volume,
                            int64_t price, bool today, char hedge, bool covered) {
    return Mutate([&]() -> bool {
        const Instrument* subject = m_catalogue.At(instrument);
        AccountLedger* ledger = Ledger(accountId);
        if (!subject || !ledger || volume <= 0 || price <= 0 ||
            !ledger->AddPosition(*subject, side, volume, price, today, hedge, covered)) {
            return false;
        }
        if (m_listener) {
            m_events.emplace_back(PositionsChanged{std::string(accountId)});
        }
        return true;
    });
}

bool Simulator::SetCash(std::string_view accountId, double cash) {
    std::lock_guard lock(m_lock);
    AccountLedger* ledger = Ledger(accountId);
    if (!ledger) {
        return false;
    }
    ledger->SetCash(cash);
    return true;
}

bool Simulator::FillOrder(std::string_view orderId, int64_t volume, std::optional<int64_t> price) {
    return Mutate([&]() -> bool {
        auto it = m_orderIndex.find(std::string(orderId));
        if (it == m_orderIndex.end()) {
            return false;
        }
        OrderState& order = m_orders[size_t(it->second)];
        if (!OrderStatus::IsWorking(order.view.status)) {
            return false;
        }
        const int instrument = order.view.ticket.instrument;
        int64_t at = order.view.ticket.price;
        if (price) {
            at = *price;
        } else if (order.view.ticket.priceKind == PriceKind::Market) {
            at = m_contracts[size_t(instrument)].snapshot.last;
        }
        const int64_t fill = volume > 0 ? std::min(volume, order.view.Remaining()) : order.view.Remaining();
        ApplyFill(order, at, fill, false);
        if (order.view.Remaining() == 0) {
            RemoveResting(instrument, it->second);
        }
        SyncBook(instrument);
        ReportQuote(instrument, true);
        return true;
    });
}

}  // namespace Terminal::Market
