// The live walk of the simulated market.
//
// Each step, about half of the futures, funds and stocks trade: a market participant's order of
// 1 to 50 lots takes the best levels of one side (buyers more likely while the price is below
// its reference, sellers while above, which keeps the walk within the day's range), the
// quantities of the levels drift by up to 15 %, and the book closes up behind the trade: the
// aggressor's side steps into a gap more often than not, and both sides are topped up to five
// levels within the limits. The surfaces walk with their leading underlying (the nearest index
// future for the index options); every option of an underlying that moved is quoted afresh
// from its surface and trades now and then.

#include <algorithm>
#include <cmath>

#include "market/Simulator.h"

namespace Terminal::Market {

namespace {

constexpr double kDrift = 0.15;

}  // namespace

int64_t Simulator::RandomLevelVolume(const Instrument& subject) {
    std::uniform_int_distribution<int64_t> lots(1, subject.IsOption() ? 120 : 200);
    return lots(m_rng) * (subject.IsSecurity() ? subject.minTradeUnit : 1);
}

void Simulator::Replenish(int instrument, bool buyAggressor) {
    const Instrument& subject = *m_catalogue.At(instrument);
    ContractState& contract = m_contracts[size_t(instrument)];
    Book& book = contract.book;
    const int64_t tick = subject.tick;
    const int64_t floor = std::max<int64_t>(contract.snapshot.lowerLimit, tick);
    const int64_t ceiling = contract.snapshot.upperLimit;
    if (book.bids[0].volume <= 0 && book.asks[0].volume <= 0) {
        const int64_t last = contract.snapshot.last > 0 ? contract.snapshot.last : subject.reference;
        ShapeBook(instrument, last);
        return;
    }
    auto pushFront = [&](std::array<BookLevel, 5>& side, int64_t price) {
        std::copy_backward(side.begin(), side.end() - 1, side.end());
        side[0] = {price, RandomLevelVolume(subject)};
    };
    std::uniform_int_distribution<int> percent(0, 99);
    const int64_t bid = book.bids[0].volume > 0 ? book.bids[0].price : 0;
    const int64_t ask = book.asks[0].volume > 0 ? book.asks[0].price : 0;
    // The side that was taken empties the other way: the aggressor's side follows into the gap.
    if (buyAggressor && ask > 0 && ask - tick >= floor && (bid == 0 || ask - bid > tick) &&
        (bid == 0 || percent(m_rng) < 60)) {
        pushFront(book.bids, ask - tick);
    } else if (!buyAggressor && bid > 0 && bid + tick <= ceiling && (ask == 0 || ask - bid > tick) &&
               (ask == 0 || percent(m_rng) < 60)) {
        pushFront(book.asks, bid + tick);
    }
    if (book.asks[0].volume <= 0 && book.bids[0].price + tick <= ceiling) {
        book.asks[0] = {book.bids[0].price + tick, RandomLevelVolume(subject)};
    }
    if (book.bids[0].volume <= 0 && book.asks[0].price - tick >= floor) {
        book.bids[0] = {book.asks[0].price - tick, RandomLevelVolume(subject)};
    }
    for (bool bids : {true, false}) {
        auto& side = bids ? book.bids : book.asks;
        for (size_t k = 1; k < side.size(); ++k) {
            if (side[k].volume > 0 || side[k - 1].volume <= 0) {
                continue;
            }
            const int64_t price = side[k - 1].price + (bids ? -tick : tick);
            if (price < floor || price > ceiling) {
                break;
            }
            side[k] = {price, RandomLevelVolume(subject)};
        }
    }
}

void Simulator::StepContract(const Instrument& subject) {
    const int i = subject.index;
    const int64_t unit = subject.IsSecurity() ? subject.minTradeUnit : 1;
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_real_distribution<double> drift(-kDrift, kDrift);
    std::uniform_int_distribution<int64_t> lots(1, 50);

    {
        ContractState& contract = m_contracts[size_t(i)];
        for (auto* side : {&contract.book.bids, &contract.book.asks}) {
            for (BookLevel& level : *side) {
                if (level.volume > 0) {
                    const int64_t units = level.volume / unit;
                    level.volume =
                        std::max<int64_t>(1, units + std::llround(double(units) * drift(m_rng))) * unit;
                }
            }
        }
    }
    CapQueues(i);

    const Kora::Interface::QuoteSnapshot& s = m_contracts[size_t(i)].snapshot;
    const int64_t last = s.last > 0 ? s.last : s.referencePrice;
    const double stretch = double(last - s.referencePrice) / (double(s.referencePrice) * 0.02);
    const bool buy = percent(m_rng) < std::clamp(50.0 - 15.0 * stretch, 10.0, 90.0);
    const double interestBefore = s.openInterest;
    const Sweep sweep = SweepDepth(i, buy, lots(m_rng) * unit);
    Replenish(i, buy);
    FillRestingAgainstBook(i);
    if (sweep.volume > 0) {
        ChangeInterestByMarket(i, sweep.volume - sweep.ownVolume);
        RecordTrade(i, sweep.lastPrice, sweep.volume, buy,
                    int64_t(m_contracts[size_t(i)].snapshot.openInterest - interestBefore));
    }
    SyncBook(i);
    ReportQuote(i, sweep.volume > 0);
}

void Simulator::Step() {
    Mutate([&] {
        std::uniform_int_distribution<int> percent(0, 99);
        std::normal_distribution<double> shock(0.0, 1.0);
        std::vector<double> before(m_contracts.size(), 0.0);
        for (const Instrument& subject : m_catalogue.All()) {
            if (subject.option || !m_catalogue.IsListed(subject.index) || percent(m_rng) < 50) {
                continue;
            }
            before[size_t(subject.index)] = MarkPriceLocked(subject.index);
            StepContract(subject);
        }
        for (auto& [surface, underlyings] : m_surfaceUnderlyings) {
            const int leader = underlyings.front();
            if (before[size_t(leader)] > 0) {
                m_surfaces[size_t(surface)].Walk(std::log(MarkPriceLocked(leader) / before[size_t(leader)]),
                                                 shock(m_rng));
            }
            for (int underlying : underlyings) {
                if (before[size_t(underlying)] > 0 || before[size_t(leader)] > 0) {
                    RequoteChain(underlying, true);
                }
            }
        }
    });
}

}  // namespace Terminal::Market
