#include "market/History.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "market/OptionMath.h"

namespace Terminal::Market {

namespace {

std::vector<QDate> Weekdays(const QDate& tradingDay, int days) {
    std::vector<QDate> dates;
    for (QDate d = tradingDay.addDays(-1); int(dates.size()) < days; d = d.addDays(-1)) {
        if (d.dayOfWeek() <= 5) {
            dates.push_back(d);
        }
    }
    std::reverse(dates.begin(), dates.end());
    return dates;
}

uint32_t DateNumber(const QDate& d) {
    return uint32_t(d.year() * 10000 + d.month() * 100 + d.day());
}

double RoundTo(double value, int decimals) {
    double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

std::mt19937_64 Generator(uint64_t seed, int instrument) {
    std::seed_seq sequence{uint32_t(seed), uint32_t(seed >> 32), uint32_t(instrument), 0x6b6c696eu};
    return std::mt19937_64(sequence);
}

// Closes walk backwards from the reference price, so the last bar meets today's reference.
std::vector<DailyBar> WalkHistory(const Instrument& instrument, const std::vector<QDate>& dates,
                                  uint64_t seed) {
    auto rng = Generator(seed, instrument.index);
    std::normal_distribution<double> shock(0.0, 1.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double dailyVol = instrument.annualVolatility / std::sqrt(250.0);
    const double floor = instrument.ToPrice(instrument.tick);

    std::vector<DailyBar> bars(dates.size());
    double close = instrument.ToPrice(instrument.reference);
    double openInterest = instrument.IsDerivative() ? 20000.0 + 30000.0 * unit(rng) : 0.0;
    for (size_t i = dates.size(); i-- > 0;) {
        DailyBar& bar = bars[i];
        bar.date = DateNumber(dates[i]);
        bar.close = RoundTo(std::max(close, floor), instrument.decimals);
        bar.open =
            RoundTo(std::max(close * std::exp(dailyVol * 0.5 * shock(rng)), floor), instrument.decimals);
        double span = close * dailyVol * (0.3 + unit(rng));
        bar.high = RoundTo(std::max(bar.open, bar.close) + span * unit(rng), instrument.decimals);
        bar.low =
            RoundTo(std::max(std::min(bar.open, bar.close) - span * unit(rng), floor), instrument.decimals);
        bar.volume = std::round((instrument.IsSecurity() ? 1.0e6 : 5.0e4) * (0.5 + unit(rng)));
        bar.openInterest = std::round(openInterest);
        openInterest = std::max(0.0, openInterest * (1.0 + 0.05 * shock(rng)));
        close = close * std::exp(-dailyVol * shock(rng));
    }
    return bars;
}

std::vector<DailyBar> OptionHistory(const Instrument& option, const std::vector<DailyBar>& underlyingBars,
                                    const std::vector<QDate>& dates, uint64_t seed) {
    auto rng = Generator(seed, option.index);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const OptionTerms& terms = *option.option;
    const double strike = option.ToPrice(terms.strike);
    const double floor = option.ToPrice(option.tick);
    auto value = [&](double underlying, const QDate& date) {
        double years =
            double(QDateTime(date, QTime(15, 0), Qt::OffsetFromUTC, 8 * 3600).secsTo(terms.expiry)) /
            (365.0 * 86400.0);
        OptionInputs in{terms.isPut,
                        option.kind == InstrumentKind::FutureOption,
                        underlying,
                        strike,
                        terms.impliedVolatility,
                        InstrumentCatalogue::kRiskFreeRatePercent / 100.0,
                        years};
        return std::max(RoundTo(ValueOption(in).price, option.decimals), floor);
    };
    std::vector<DailyBar> bars(dates.size());
    double openInterest = 2000.0 + 8000.0 * unit(rng);
    for (size_t i = 0; i < dates.size(); ++i) {
        const DailyBar& u = underlyingBars[i];
        DailyBar& bar = bars[i];
        bar.date = u.date;
        bar.open = value(u.open, dates[i]);
        bar.close = value(u.close, dates[i]);
        double atHigh = value(u.high, dates[i]);
        double atLow = value(u.low, dates[i]);
        bar.high = std::max({bar.open, bar.close, atHigh, atLow});
        bar.low = std::min({bar.open, bar.close, atHigh, atLow});
        bar.volume = std::round(3000.0 * (0.2 + unit(rng)));
        openInterest = std::max(0.0, openInterest + 400.0 * (unit(rng) - 0.45));
        bar.openInterest = std::round(openInterest);
    }
    return bars;
}

}  // namespace

std::vector<DailyBar> GenerateHistory(const InstrumentCatalogue& catalogue, int instrument,
                                      const QDate& tradingDay, uint64_t seed, int days) {
    const Instrument* subject = catalogue.At(instrument);
    if (!subject || days <= 0) {
        return {};
    }
    const std::vector<QDate> dates = Weekdays(tradingDay, days);
    if (!subject->option) {
        return WalkHistory(*subject, dates, seed);
    }
    const Instrument& underlying = *catalogue.At(subject->option->underlying);
    return OptionHistory(*subject, WalkHistory(underlying, dates, seed), dates, seed);
}

std::vector<WeightEvent> GenerateWeightData(const InstrumentCatalogue& catalogue, int instrument,
                                            const QDate& tradingDay, uint64_t seed, int days) {
    const Instrument* subject = catalogue.At(instrument);
    if (!subject || subject->kind != InstrumentKind::Stock || days <= 0) {
        return {};
    }
    auto rng = Generator(seed, instrument + 7919);
    std::uniform_int_distribution<int> day(0, days - 1);
    std::uniform_real_distribution<double> share(0.01, 0.04);
    const std::vector<QDate> dates = Weekdays(tradingDay, days);
    WeightEvent event;
    event.date = DateNumber(dates[size_t(day(rng))]);
    event.cashDividend = RoundTo(subject->ToPrice(subject->reference) * share(rng), 3);
    return {event};
}

}  // namespace Terminal::Market
