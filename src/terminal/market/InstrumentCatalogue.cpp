#include "market/InstrumentCatalogue.h"

#include <algorithm>
#include <cmath>

#include "market/MarketIds.h"
#include "market/OptionMath.h"

namespace Terminal::Market {

namespace {

constexpr int kOptionMonths = 3;
constexpr int kStrikesEachSide = 4;

int64_t RoundToTick(double units, int64_t tick) {
    return int64_t(std::llround(units / double(tick))) * tick;
}

void SetLimits(Instrument& instrument, double fraction) {
    instrument.upperLimit = RoundToTick(double(instrument.reference) * (1.0 + fraction), instrument.tick);
    instrument.lowerLimit = RoundToTick(double(instrument.reference) * (1.0 - fraction), instrument.tick);
}

std::string YearMonth(const QDate& date) {
    return date.toString(QStringLiteral("yyMM")).toStdString();
}

// The first expiry month whose expiry lies after the trading day.
QDate FirstExpiryMonth(const QDate& tradingDay) {
    QDate month(tradingDay.year(), tradingDay.month(), 1);
    if (InstrumentCatalogue::ExpiryOfMonth(month.year(), month.month()).date() <= tradingDay) {
        month = month.addMonths(1);
    }
    return month;
}

Instrument Security(InstrumentKind kind, const char* exchange, const char* code, const char* name,
                    double price, int decimals, double limit) {
    Instrument s;
    s.kind = kind;
    s.exchange = exchange;
    s.code = code;
    s.name = name;
    s.marketId = MarketIdOfExchange(exchange);
    s.decimals = decimals;
    s.priceDivisor = decimals == 3 ? 1000 : 100;
    s.tick = 1;
    s.multiplier = 1;
    s.minTradeUnit = 100;
    s.reference = s.ToUnits(price);
    s.commissionRate = kind == InstrumentKind::Fund ? 0.0001 : 0.0003;
    s.stampDutyRate = kind == InstrumentKind::Fund ? 0.0 : 0.0005;
    s.annualVolatility = kind == InstrumentKind::Fund ? 0.18 : 0.30;
    SetLimits(s, limit);
    return s;
}

Instrument Future(const char* exchange, std::string code, std::string name, int32_t divisor, int decimals,
                  int64_t tick, int32_t multiplier, int64_t reference, double limit) {
    Instrument f;
    f.kind = InstrumentKind::Future;
    f.exchange = exchange;
    f.code = std::move(code);
    f.name = std::move(name);
    f.marketId = MarketIdOfExchange(exchange);
    f.priceDivisor = divisor;
    f.decimals = decimals;
    f.tick = tick;
    f.multiplier = multiplier;
    f.reference = reference;
    SetLimits(f, limit);
    return f;
}

struct OptionSeries {
    const char* exchange;
    char classLetter;
    int exerciseStyle;
    int32_t divisor;
    int decimals;
    int64_t tick;
    int32_t multiplier;
    double firstStrike;  // in underlying price
    double strikeStep;
    double baseVolatility;
    double commissionPerLot;
    double limitFraction;  // upper limit: price plus this fraction of the underlying
};

}  // namespace

QDateTime InstrumentCatalogue::ExpiryOfMonth(int year, int month) {
    QDate first(year, month, 1);
    int toWednesday = (3 - first.dayOfWeek() + 7) % 7;
    QDate fourthWednesday = first.addDays(toWednesday + 21);
    return QDateTime(fourthWednesday, QTime(15, 0), Qt::OffsetFromUTC, 8 * 3600).toUTC();
}

int InstrumentCatalogue::Add(Instrument instrument) {
    instrument.index = int(m_all.size());
    m_byExchange[{instrument.exchange, instrument.code}] = instrument.index;
    m_byKey[{instrument.marketId, instrument.code}] = instrument.index;
    m_all.push_back(std::move(instrument));
    return int(m_all.size()) - 1;
}

InstrumentCatalogue InstrumentCatalogue::Build(const QDate& tradingDay) {
    InstrumentCatalogue catalogue;
    const QDate firstMonth = FirstExpiryMonth(tradingDay);

    const std::string mealMonth = YearMonth(firstMonth.addMonths(kOptionMonths + 2));
    Instrument meal = Future("DCE", "m" + mealMonth, "豆粕" + mealMonth, 1, 0, 1, 10, 3000, 0.07);
    meal.marginRate = 0.10;
    meal.commissionPerLot = 1.5;
    meal.annualVolatility = 0.20;
    const int mealIndex = catalogue.Add(meal);

    Instrument index = Future("CFFEX", "IF" + YearMonth(firstMonth), "股指期货" + YearMonth(firstMonth), 10,
                              1, 2, 300, 35000, 0.10);
    index.marginRate = 0.12;
    index.commissionRate = 0.000023;
    index.annualVolatility = 0.22;
    catalogue.Add(index);

    const int fundIndex =
        catalogue.Add(Security(InstrumentKind::Fund, "SHSE-A", "510050", "蓝筹ETF", 2.5, 3, 0.10));
    catalogue.Add(Security(InstrumentKind::Stock, "SHSE-A", "600000", "申江银行", 7.50, 2, 0.10));
    catalogue.Add(Security(InstrumentKind::Stock, "SHSE-A", "600519", "赤水酒业", 1650.00, 2, 0.10));
    catalogue.Add(Security(InstrumentKind::Stock, "SHSE-A", "601988", "华东能源", 4.20, 2, 0.10));
    catalogue.Add(Security(InstrumentKind::Stock, "SZSE-A", "000001", "鹏城银行", 10.50, 2, 0.10));
    catalogue.Add(Security(InstrumentKind::Stock, "SZSE-A", "300750", "宁江电池", 180.00, 2, 0.20));

    const OptionSeries mealOptions{"DCE", 'n', 1, 10, 1, 5, 10, 2800, 50, 0.22, 1.0, 0.07};
    const OptionSeries fundOptions{"SHQQ-A", 'o', 0, 10000, 4, 1, 10000, 2.30, 0.05, 0.20, 1.7, 0.10};
    int fundOptionSerial = 1;
    const QDateTime pricingTime(tradingDay, QTime(0, 0), Qt::UTC);

    for (const auto& [underlyingIndex, series] :
         {std::pair{mealIndex, mealOptions}, std::pair{fundIndex, fundOptions}}) {
        const Instrument underlying = catalogue.m_all[underlyingIndex];
        const double spot = underlying.ToPrice(underlying.reference);
        for (int m = 0; m < kOptionMonths; ++m) {
            const QDate month = firstMonth.addMonths(m);
            const QDateTime expiry = ExpiryOfMonth(month.year(), month.month());
            const double years = double(pricingTime.secsTo(expiry)) / (365.0 * 86400.0);
            for (int s = 0; s <= 2 * kStrikesEachSide; ++s) {
                const double strike = series.firstStrike + s * series.strikeStep;
                for (bool isPut : {false, true}) {
                    Instrument option;
                    option.kind = series.classLetter == 'n' ? InstrumentKind::FutureOption
                                                            : InstrumentKind::StockOption;
                    option.exchange = series.exchange;
                    option.marketId = MarketIdOfExchange(series.exchange);
                    option.priceDivisor = series.divisor;
                    option.decimals = series.decimals;
                    option.tick = series.tick;
                    option.multiplier = series.multiplier;
                    option.marginRate = 0.10;
                    option.commissionPerLot = series.commissionPerLot;
                    option.annualVolatility = 0.45;

                    OptionTerms terms;
                    terms.underlying = underlyingIndex;
                    terms.isPut = isPut;
                    terms.strike = option.ToUnits(strike);
                    terms.expiry = expiry;
                    terms.month = YearMonth(month);
                    terms.classLetter = series.classLetter;
                    terms.exerciseStyle = series.exerciseStyle;
                    const double moneyness = std::log(strike / spot);
                    terms.impliedVolatility =
                        series.baseVolatility + 0.8 * moneyness * moneyness + (isPut ? 0.005 : 0.0);

                    const QString monthText = QString::number(month.month());
                    if (series.classLetter == 'n') {
                        option.code = underlying.code + "-" +
                                      month.toString(QStringLiteral("MM")).toStdString() +
                                      (isPut ? "-P-" : "-C-") + std::to_string(int(strike));
                        option.name = underlying.name + (isPut ? "沽" : "购") + monthText.toStdString() +
                                      "月" + std::to_string(int(strike));
                    } else {
                        option.code =
                            QStringLiteral("1000%1").arg(fundOptionSerial++, 4, 10, QChar('0')).toStdString();
                        option.name = underlying.name + (isPut ? "沽" : "购") + monthText.toStdString() +
                                      "月" + std::to_string(int(std::lround(strike * 1000)));
                    }

                    OptionInputs inputs{isPut,  series.classLetter == 'n', spot,
                                        strike, terms.impliedVolatility,   kRiskFreeRatePercent / 100.0,
                                        years};
                    const double value = ValueOption(inputs).price;
                    option.reference =
                        std::max(RoundToTick(value * option.priceDivisor, option.tick), option.tick);
                    option.lowerLimit = option.tick;
                    option.upperLimit = RoundToTick(
                        double(option.reference) + spot * series.limitFraction * option.priceDivisor,
                        option.tick);
                    option.option = terms;
                    catalogue.Add(std::move(option));
                }
            }
        }
    }
    return catalogue;
}

const Instrument* InstrumentCatalogue::At(int index) const {
    return index >= 0 && index < int(m_all.size()) ? &m_all[index] : nullptr;
}

const Instrument* InstrumentCatalogue::Find(std::string_view exchange, std::string_view code) const {
    auto it = m_byExchange.find({std::string(exchange), std::string(code)});
    return it == m_byExchange.end() ? nullptr : &m_all[it->second];
}

const Instrument* InstrumentCatalogue::FindByKey(int32_t marketId, std::string_view code) const {
    auto it = m_byKey.find({marketId, std::string(code)});
    return it == m_byKey.end() ? nullptr : &m_all[it->second];
}

std::vector<const Instrument*> InstrumentCatalogue::FindByCode(std::string_view code) const {
    std::vector<const Instrument*> found;
    for (const Instrument& instrument : m_all) {
        if (instrument.code == code) {
            found.push_back(&instrument);
        }
    }
    return found;
}

std::vector<int> InstrumentCatalogue::Underlyings() const {
    std::vector<int> underlyings;
    for (const Instrument& instrument : m_all) {
        if (instrument.option && std::find(underlyings.begin(), underlyings.end(),
                                           instrument.option->underlying) == underlyings.end()) {
            underlyings.push_back(instrument.option->underlying);
        }
    }
    std::sort(underlyings.begin(), underlyings.end());
    return underlyings;
}

std::vector<std::string> InstrumentCatalogue::Months(int underlying) const {
    std::vector<std::pair<QDateTime, std::string>> months;
    for (const Instrument& instrument : m_all) {
        if (instrument.option && instrument.option->underlying == underlying) {
            std::pair entry{instrument.option->expiry, instrument.option->month};
            if (std::find(months.begin(), months.end(), entry) == months.end()) {
                months.push_back(entry);
            }
        }
    }
    std::sort(months.begin(), months.end());
    std::vector<std::string> texts;
    for (auto& [expiry, text] : months) {
        texts.push_back(text);
    }
    return texts;
}

std::vector<int> InstrumentCatalogue::Options(int underlying, std::string_view month) const {
    std::vector<int> options;
    for (const Instrument& instrument : m_all) {
        if (instrument.option && instrument.option->underlying == underlying &&
            instrument.option->month == month) {
            options.push_back(instrument.index);
        }
    }
    std::stable_sort(options.begin(), options.end(), [this](int a, int b) {
        const OptionTerms& x = *m_all[a].option;
        const OptionTerms& y = *m_all[b].option;
        return std::pair(x.strike, x.isPut) < std::pair(y.strike, y.isPut);
    });
    return options;
}

}  // namespace Terminal::Market
