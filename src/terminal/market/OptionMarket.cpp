// Options: quoted from their family's volatility surface whenever their underlying moves.

#include <algorithm>
#include <cmath>

#include "market/OptionQuoting.h"
#include "market/Simulator.h"

namespace Terminal::Market {

namespace {

// Trading concentrates near the money: within about this log-moneyness either side.
constexpr double kActiveWidth = 0.08;

}  // namespace

const VolatilitySurface* Simulator::SurfaceOf(int instrument) const {
    const Instrument* subject = m_catalogue.At(instrument);
    if (!subject) {
        return nullptr;
    }
    const int surface = subject->option ? subject->option->surface : m_contracts[size_t(instrument)].surface;
    return surface >= 0 ? &m_surfaces[size_t(surface)] : nullptr;
}

std::optional<SurfaceParameters> Simulator::Surface(int underlying) const {
    std::lock_guard lock(m_lock);
    const VolatilitySurface* surface = SurfaceOf(underlying);
    return surface ? std::optional(surface->Parameters()) : std::nullopt;
}

double Simulator::ImpliedVolatility(int option) const {
    std::lock_guard lock(m_lock);
    return ValueNow(option,
                    [](const Instrument& subject, const VolatilitySurface& surface, double underlying,
                       double years) { return SurfaceVolatility(subject, surface, underlying, years); });
}

double Simulator::ModelPrice(int option) const {
    std::lock_guard lock(m_lock);
    return ValueNow(option,
                    [](const Instrument& subject, const VolatilitySurface& surface, double underlying,
                       double years) { return ModelFigures(subject, surface, underlying, years).price; });
}

void Simulator::QuoteOption(int option) {
    const Instrument& subject = *m_catalogue.At(option);
    ContractState& contract = m_contracts[size_t(option)];
    const OptionQuote quote =
        Market::QuoteOption(subject, *SurfaceOf(option), MarkPriceLocked(subject.option->underlying),
                            YearsToExpiry(*subject.option, m_clock()), contract.snapshot.upperLimit);
    // The makers keep what they showed at prices that are still quoted.
    const Book before = contract.book;
    auto volumeAt = [&](const std::array<BookLevel, 5>& side, int64_t price) {
        for (const BookLevel& level : side) {
            if (level.volume > 0 && level.price == price) {
                return level.volume;
            }
        }
        return RandomLevelVolume(subject);
    };
    const int64_t floor = std::max<int64_t>(contract.snapshot.lowerLimit, subject.tick);
    Book book;
    for (size_t k = 0; k < book.bids.size(); ++k) {
        const int64_t step = int64_t(k) * subject.tick;
        if (quote.bid > 0 && quote.bid - step >= floor) {
            book.bids[k] = {quote.bid - step, volumeAt(before.bids, quote.bid - step)};
        }
        if (quote.ask + step <= contract.snapshot.upperLimit) {
            book.asks[k] = {quote.ask + step, volumeAt(before.asks, quote.ask + step)};
        }
    }
    contract.book = book;
    CapQueues(option);
    FillRestingAgainstBook(option);
    SyncBook(option);
}

void Simulator::RequoteChainIfMoved(int underlying) {
    if (m_contracts[size_t(underlying)].surface >= 0 &&
        MarkPriceLocked(underlying) != m_contracts[size_t(underlying)].quotedAt) {
        RequoteChain(underlying);
    }
}

void Simulator::RequoteChain(int underlying, bool withTrades) {
    ListStrikesAround(underlying);
    const double price = MarkPriceLocked(underlying);
    m_contracts[size_t(underlying)].quotedAt = price;
    const QDateTime now = m_clock();
    for (const std::string& month : m_catalogue.Months(underlying)) {
        for (int option : m_catalogue.Options(underlying, month)) {
            QuoteOption(option);
            bool traded = false;
            if (withTrades) {
                const Instrument& subject = *m_catalogue.At(option);
                const double x = LogMoneyness(subject, price, YearsToExpiry(*subject.option, now));
                traded = TradeOption(option, std::exp(-x * x / (2 * kActiveWidth * kActiveWidth)));
            }
            ReportQuote(option, traded);
        }
    }
}

bool Simulator::TradeOption(int option, double activity) {
    std::uniform_int_distribution<int> percent(0, 99);
    if (percent(m_rng) >= 10 + int(40 * activity)) {
        return false;
    }
    std::uniform_int_distribution<int> side(0, 1);
    std::uniform_int_distribution<int64_t> lots(1, 2 + std::llround(30 * activity));
    const bool buy = side(m_rng) == 1;
    ContractState& contract = m_contracts[size_t(option)];
    const double interestBefore = contract.snapshot.openInterest;
    const Sweep sweep = SweepDepth(option, buy, lots(m_rng));
    if (sweep.volume == 0) {
        return false;
    }
    ChangeInterestByMarket(option, sweep.volume - sweep.ownVolume);
    RecordTrade(option, sweep.lastPrice, sweep.volume, buy,
                int64_t(m_contracts[size_t(option)].snapshot.openInterest - interestBefore));
    SyncBook(option);
    return true;
}

}  // namespace Terminal::Market
