// Listing contracts: their place in the catalogue, their first quote, their history.

#include <algorithm>
#include <set>

#include "market/OptionQuoting.h"
#include "market/Simulator.h"

namespace Terminal::Market {

namespace {

QDate PreviousWeekday(const QDate& day) {
    QDate d = day.addDays(-1);
    while (d.dayOfWeek() > 5) {
        d = d.addDays(-1);
    }
    return d;
}

QDate MonthOfText(const std::string& yyMM) {
    return QDate(2000 + std::stoi(yyMM.substr(0, 2)), std::stoi(yyMM.substr(2, 2)), 1);
}

}  // namespace

int Simulator::List(Instrument instrument, bool withHistory, double openingInterest) {
    if (instrument.option) {
        // An option's reference is its value at yesterday's close of the underlying, on the
        // surface the series starts from (as its history is valued).
        const Instrument& underlying = *m_catalogue.At(instrument.option->underlying);
        const double s = underlying.ToPrice(m_contracts[size_t(underlying.index)].snapshot.referencePrice);
        const VolatilitySurface surface(m_series[size_t(instrument.option->surface)].surfaceBase);
        instrument.reference =
            instrument.ToUnits(OptionCloseValue(instrument, surface, s, PreviousWeekday(m_tradingDay)));
        instrument.lowerLimit = instrument.tick;
        instrument.upperLimit = instrument.RoundToTick(
            double(instrument.reference) + s * instrument.limitFraction * instrument.priceDivisor);
    }
    const int index = m_catalogue.Add(std::move(instrument));
    if (index < 0) {
        return -1;
    }
    m_contracts.emplace_back();
    m_contracts.back().historyMade = !withHistory;
    InitialiseContract(index, openingInterest);
    if (m_listener) {
        m_events.emplace_back(Listed{index});
    }
    return index;
}

void Simulator::InitialiseContract(int instrument, double openingInterest) {
    const Instrument& subject = *m_catalogue.At(instrument);
    ContractState& contract = m_contracts[size_t(instrument)];
    Kora::Interface::QuoteSnapshot& s = contract.snapshot;
    const int32_t reference = int32_t(subject.reference);
    s.referencePrice = reference;
    s.open = s.high = s.low = s.last = s.average = reference;
    s.upperLimit = int32_t(subject.upperLimit);
    s.lowerLimit = int32_t(subject.lowerLimit);
    s.preSettlement = subject.IsDerivative() ? reference : 0;
    s.priceDivisor = subject.priceDivisor;
    s.decimals = subject.decimals;
    s.time = NowHhmmss();
    s.date = DateNumber(m_tradingDay);
    s.tradingDay = DateNumber(m_tradingDay);
    if (subject.IsDerivative()) {
        s.openInterest = openingInterest;
        s.preOpenInterest = openingInterest;
    }
    contract.openingInterest = openingInterest;
    if (!contract.historyMade) {
        contract.weights = GenerateWeightData(subject, HistoryDates(m_firstDay, m_historyDays), m_seed);
    }
    if (subject.option) {
        QuoteOption(instrument);
    } else {
        ShapeBook(instrument, subject.reference);
    }
}

void Simulator::ListDay(const QDate& day, bool withHistory) {
    for (Instrument& contract : Listing::Contracts(day)) {
        if (!m_catalogue.Find(contract.exchange, contract.code)) {
            const double interest = withHistory ? OpeningOpenInterest(contract, 0.0, 0, 0, m_rng) : 0.0;
            List(std::move(contract), withHistory, interest);
        }
    }
    // The series keep the underlyings of the first day: the commodity options stay on its future
    // when later months of that future are listed.
    if (m_series.empty()) {
        m_series = Listing::Series(day);
        for (const Listing::OptionSeries& each : m_series) {
            m_surfaces.emplace_back(each.surfaceBase);
        }
    }
    const std::vector<Listing::OptionSeries>& series = m_series;
    for (size_t s = 0; s < series.size(); ++s) {
        const std::vector<QDate> months = Listing::Months(series[s], day);
        for (size_t rank = 0; rank < months.size(); ++rank) {
            const Instrument* underlying = m_catalogue.Find(series[s].underlyingExchange,
                                                            Listing::UnderlyingCode(series[s], months[rank]));
            if (!underlying) {
                continue;
            }
            ContractState& contract = m_contracts[size_t(underlying->index)];
            contract.surface = series[s].surface;
            contract.series = int(s);
            std::vector<int>& family = m_surfaceUnderlyings[series[s].surface];
            if (std::find(family.begin(), family.end(), underlying->index) == family.end()) {
                family.push_back(underlying->index);
            }
            ListMonth(int(s), underlying->index, months[rank], withHistory, int(rank));
        }
    }
}

void Simulator::ListMonth(int series, int underlying, const QDate& month, bool withHistory, int monthRank) {
    const Listing::OptionSeries& family = m_series[size_t(series)];
    const std::string monthText = month.toString(QStringLiteral("yyMM")).toStdString();
    std::set<std::pair<int64_t, bool>> listed;
    for (int option : m_catalogue.Options(underlying, monthText)) {
        const OptionTerms& terms = *m_catalogue.At(option)->option;
        listed.insert({terms.strike, terms.isPut});
    }
    const double price = MarkPriceLocked(underlying);
    const int64_t units = std::llround(price * family.divisor);
    for (int64_t strike : family.grid.Around(units, Listing::kStrikesEachSide)) {
        for (bool isPut : {false, true}) {
            if (listed.contains({strike, isPut})) {
                continue;
            }
            Instrument option =
                Listing::Option(family, *m_catalogue.At(underlying), month, strike, isPut, m_nextFundOption);
            const double interest =
                withHistory ? OpeningOpenInterest(option, price, family.grid.StepAt(strike), monthRank, m_rng)
                            : 0.0;
            if (List(std::move(option), withHistory, interest) >= 0 && family.exchange == "SHQQ-A") {
                ++m_nextFundOption;
            }
        }
    }
    m_contracts[size_t(underlying)].listedAround = family.grid.Nearest(units);
}

void Simulator::ListStrikesAround(int underlying) {
    const int series = m_contracts[size_t(underlying)].series;
    if (series < 0) {
        return;
    }
    const Listing::OptionSeries& family = m_series[size_t(series)];
    const int64_t centre = family.grid.Nearest(std::llround(MarkPriceLocked(underlying) * family.divisor));
    if (centre == m_contracts[size_t(underlying)].listedAround) {
        return;
    }
    for (const std::string& month : m_catalogue.Months(underlying)) {
        ListMonth(series, underlying, MonthOfText(month), false, 0);
    }
}

}  // namespace Terminal::Market
