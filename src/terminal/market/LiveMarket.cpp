// The live walk of the simulated market, and the shape of its books.

#include <algorithm>
#include <cmath>

#include "market/OptionMath.h"
#include "market/Simulator.h"

namespace Terminal::Market {

void Simulator::ShapeBook(int instrument, int64_t last) {
    const Instrument& subject = *m_catalogue.At(instrument);
    ContractState& contract = m_contracts[size_t(instrument)];
    const int64_t floor = std::max<int64_t>(contract.snapshot.lowerLimit, subject.tick);
    const int64_t unit = subject.IsSecurity() ? subject.minTradeUnit : 1;
    std::uniform_int_distribution<int64_t> lots(1, 200);
    Book book;
    for (size_t k = 0; k < book.bids.size(); ++k) {
        const int64_t offset = int64_t(k + 1) * subject.tick;
        if (last - offset >= floor) {
            book.bids[k] = {last - offset, lots(m_rng) * unit};
        }
        if (last + offset <= contract.snapshot.upperLimit) {
            book.asks[k] = {last + offset, lots(m_rng) * unit};
        }
    }
    Book::Compact(book.bids);
    Book::Compact(book.asks);
    contract.book = book;
    SyncBook(instrument);
}

void Simulator::Step() {
    Mutate([&] {
        std::uniform_int_distribution<int> percent(0, 99);
        std::uniform_int_distribution<int64_t> lots(1, 50);
        std::vector<bool> moved(m_contracts.size(), false);

        for (const Instrument& subject : m_catalogue.All()) {
            if (subject.option || percent(m_rng) < 50) {
                continue;
            }
            const int i = subject.index;
            const Kora::Interface::QuoteSnapshot& s = m_contracts[size_t(i)].snapshot;
            const int64_t last = s.last > 0 ? s.last : subject.reference;
            // Drift back towards the reference price keeps the walk inside the day's range.
            const double stretch = double(last - subject.reference) / (double(subject.reference) * 0.02);
            const bool up = percent(m_rng) < std::clamp(50.0 - 15.0 * stretch, 10.0, 90.0);
            const int64_t move = (1 + percent(m_rng) % 2) * subject.tick;
            const int64_t next =
                std::clamp(up ? last + move : last - move, int64_t(s.lowerLimit), int64_t(s.upperLimit));
            ShapeBook(i, next);
            FillRestingAgainstBook(i);
            const int64_t volume = lots(m_rng) * (subject.IsSecurity() ? subject.minTradeUnit : 1);
            FillRestingAgainstTrade(i, next, volume);
            RecordTrade(i, next, volume, up);
            ReportQuote(i, true);
            moved[size_t(i)] = true;
        }

        const QDateTime now = m_clock();
        for (const Instrument& subject : m_catalogue.All()) {
            if (!subject.option || !moved[size_t(subject.option->underlying)]) {
                continue;
            }
            const OptionTerms& terms = *subject.option;
            const int i = subject.index;
            const Kora::Interface::QuoteSnapshot& s = m_contracts[size_t(i)].snapshot;
            OptionInputs inputs{terms.isPut,
                                subject.kind == InstrumentKind::FutureOption,
                                MarkPriceLocked(terms.underlying),
                                subject.ToPrice(terms.strike),
                                terms.impliedVolatility,
                                InstrumentCatalogue::kRiskFreeRatePercent / 100.0,
                                double(now.secsTo(terms.expiry)) / (365.0 * 86400.0)};
            const double units = ValueOption(inputs).price * subject.priceDivisor;
            const int64_t noise = (percent(m_rng) % 3 - 1) * subject.tick;
            const int64_t fair = int64_t(std::llround(units / double(subject.tick))) * subject.tick + noise;
            const int64_t next = std::clamp(fair, int64_t(s.lowerLimit), int64_t(s.upperLimit));
            ShapeBook(i, next);
            FillRestingAgainstBook(i);
            const bool traded = percent(m_rng) < 30;
            if (traded) {
                const int64_t volume = lots(m_rng);
                FillRestingAgainstTrade(i, next, volume);
                RecordTrade(i, next, volume, next >= s.last);
            }
            ReportQuote(i, traded);
        }
    });
}

}  // namespace Terminal::Market
