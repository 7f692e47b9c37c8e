#include "market/History.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "market/OptionQuoting.h"

namespace Terminal::Market {

namespace {

double RoundTo(double value, int decimals) {
    double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

std::mt19937_64 Generator(uint64_t seed, int instrument) {
    std::seed_seq sequence{uint32_t(seed), uint32_t(seed >> 32), uint32_t(instrument), 0x6b6c696eu};
    return std::mt19937_64(sequence);
}

}  // namespace

uint32_t DateNumber(const QDate& date) {
    return uint32_t(date.year() * 10000 + date.month() * 100 + date.day());
}

std::vector<QDate> HistoryDates(const QDate& tradingDay, int days) {
    std::vector<QDate> dates;
    for (QDate d = tradingDay.addDays(-1); int(dates.size()) < days; d = d.addDays(-1)) {
        if (d.dayOfWeek() <= 5) {
            dates.push_back(d);
        }
    }
    std::reverse(dates.begin(), dates.end());
    return dates;
}

// Closes walk backwards from the reference price, so the last bar meets today's reference.
std::vector<DailyBar> GenerateHistory(const Instrument& instrument, const std::vector<QDate>& dates,
                                      uint64_t seed, double closingOpenInterest) {
    auto rng = Generator(seed, instrument.index);
    std::normal_distribution<double> shock(0.0, 1.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double dailyVol = instrument.annualVolatility / std::sqrt(250.0);
    const double floor = instrument.ToPrice(instrument.tick);

    std::vector<DailyBar> bars(dates.size());
    double close = instrument.ToPrice(instrument.reference);
    double openInterest = instrument.IsDerivative() ? closingOpenInterest : 0.0;
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

double OptionCloseValue(const Instrument& option, const VolatilitySurface& surface, double underlying,
                        const QDate& day) {
    const QDateTime close(day, QTime(15, 0), Qt::OffsetFromUTC, 8 * 3600);
    const double years = YearsToExpiry(*option.option, close);
    const double value = ModelFigures(option, surface, underlying, years).price;
    return std::max(option.ToPrice(option.RoundToTick(value * option.priceDivisor)),
                    option.ToPrice(option.tick));
}

std::vector<DailyBar> GenerateOptionHistory(const Instrument& option,
                                            const std::vector<DailyBar>& underlyingBars,
                                            const VolatilitySurface& surface, uint64_t seed,
                                            double closingOpenInterest) {
    auto rng = Generator(seed, option.index);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<DailyBar> bars(underlyingBars.size());
    // Interest builds up towards the last day: walking back, it shrinks a little each day.
    double openInterest = closingOpenInterest;
    for (size_t i = bars.size(); i-- > 0;) {
        const DailyBar& u = underlyingBars[i];
        const QDate day = QDate(int(u.date / 10000), int(u.date / 100 % 100), int(u.date % 100));
        DailyBar& bar = bars[i];
        bar.date = u.date;
        bar.open = OptionCloseValue(option, surface, u.open, day);
        bar.close = OptionCloseValue(option, surface, u.close, day);
        const double atHigh = OptionCloseValue(option, surface, u.high, day);
        const double atLow = OptionCloseValue(option, surface, u.low, day);
        bar.high = std::max({bar.open, bar.close, atHigh, atLow});
        bar.low = std::min({bar.open, bar.close, atHigh, atLow});
        bar.volume = std::round(std::max(1.0, closingOpenInterest) * (0.05 + 0.15 * unit(rng)));
        bar.openInterest = std::round(openInterest);
        openInterest = std::max(0.0, openInterest * (0.97 - 0.02 * unit(rng)));
    }
    return bars;
}

std::vector<WeightEvent> GenerateWeightData(const Instrument& instrument, const std::vector<QDate>& dates,
                                            uint64_t seed) {
    if (instrument.kind != InstrumentKind::Stock || dates.empty()) {
        return {};
    }
    auto rng = Generator(seed, instrument.index + 7919);
    std::uniform_int_distribution<size_t> day(0, dates.size() - 1);
    std::uniform_real_distribution<double> share(0.01, 0.04);
    WeightEvent event;
    event.date = DateNumber(dates[day(rng)]);
    event.cashDividend = RoundTo(instrument.ToPrice(instrument.reference) * share(rng), 3);
    return {event};
}

}  // namespace Terminal::Market
