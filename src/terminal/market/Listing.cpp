#include "market/Listing.h"

#include <QString>

#include "market/MarketIds.h"

namespace Terminal::Market::Listing {

namespace {

constexpr int kIndexMonthDiscount = 70;  // price units (7 points) each month further out

std::string YearMonth(const QDate& date) {
    return date.toString(QStringLiteral("yyMM")).toStdString();
}

int64_t RoundToTick(double units, int64_t tick) {
    return int64_t(std::llround(units / double(tick))) * tick;
}

void SetLimits(Instrument& instrument) {
    const double fraction = instrument.limitFraction;
    instrument.upperLimit = RoundToTick(double(instrument.reference) * (1.0 + fraction), instrument.tick);
    instrument.lowerLimit = RoundToTick(double(instrument.reference) * (1.0 - fraction), instrument.tick);
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
    s.limitFraction = limit;
    s.commissionRate = kind == InstrumentKind::Fund ? 0.0001 : 0.0003;
    s.stampDutyRate = kind == InstrumentKind::Fund ? 0.0 : 0.0005;
    s.annualVolatility = kind == InstrumentKind::Fund ? 0.18 : 0.30;
    SetLimits(s);
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
    f.limitFraction = limit;
    SetLimits(f);
    return f;
}

// Current, next, and the next two quarterly months after the next.
std::vector<QDate> QuarterlyMonths(const QDate& first) {
    std::vector<QDate> months{first, first.addMonths(1)};
    for (QDate m = first.addMonths(2); months.size() < 4; m = m.addMonths(1)) {
        if (m.month() % 3 == 0) {
            months.push_back(m);
        }
    }
    return months;
}

Instrument IndexFuture(const QDate& month, int monthsOut) {
    const std::string ym = YearMonth(month);
    Instrument index = Future("CFFEX", "IF" + ym, "股指期货" + ym, 10, 1, 2, 300,
                              35000 - kIndexMonthDiscount * int64_t(monthsOut), 0.10);
    index.marginRate = 0.12;
    index.commissionRate = 0.000023;
    index.annualVolatility = 0.22;
    index.futureExpiry = ExpiryOfMonth(month.year(), month.month());
    return index;
}

// The commodity future delivers five months after the first option month.
std::string MealCode(const QDate& tradingDay) {
    return "m" + YearMonth(FirstExpiryMonth(tradingDay).addMonths(5));
}

}  // namespace

QDateTime ExpiryOfMonth(int year, int month) {
    const QDate first(year, month, 1);
    const int toWednesday = (3 - first.dayOfWeek() + 7) % 7;
    const QDate fourthWednesday = first.addDays(toWednesday + 21);
    return QDateTime(fourthWednesday, QTime(15, 0), Qt::OffsetFromUTC, 8 * 3600).toUTC();
}

QDate FirstExpiryMonth(const QDate& tradingDay) {
    QDate month(tradingDay.year(), tradingDay.month(), 1);
    if (ExpiryOfMonth(month.year(), month.month()).toOffsetFromUtc(8 * 3600).date() < tradingDay) {
        month = month.addMonths(1);
    }
    return month;
}

std::vector<Instrument> IndexFutures(const QDate& tradingDay) {
    std::vector<Instrument> futures;
    for (const QDate& month : QuarterlyMonths(FirstExpiryMonth(tradingDay))) {
        futures.push_back(IndexFuture(month, int(futures.size())));
    }
    return futures;
}

std::vector<Instrument> Contracts(const QDate& tradingDay) {
    const QDate first = FirstExpiryMonth(tradingDay);
    const std::vector<Instrument> index = IndexFutures(tradingDay);

    const std::string mealMonth = YearMonth(first.addMonths(5));
    Instrument meal = Future("DCE", MealCode(tradingDay), "豆粕" + mealMonth, 1, 0, 1, 10, 3000, 0.07);
    meal.marginRate = 0.10;
    meal.commissionPerLot = 1.5;
    meal.annualVolatility = 0.20;

    const std::string steelMonth = YearMonth(first.addMonths(2));
    Instrument steel = Future("SHFE", "rb" + steelMonth, "螺纹钢" + steelMonth, 1, 0, 1, 10, 3600, 0.06);
    steel.marginRate = 0.10;
    steel.commissionPerLot = 2.0;
    steel.annualVolatility = 0.18;

    return {meal,
            index[0],
            Security(InstrumentKind::Fund, "SHSE-A", "510050", "蓝筹ETF", 2.5, 3, 0.10),
            Security(InstrumentKind::Stock, "SHSE-A", "600000", "申江银行", 7.50, 2, 0.10),
            Security(InstrumentKind::Stock, "SHSE-A", "600519", "赤水酒业", 1650.00, 2, 0.10),
            Security(InstrumentKind::Stock, "SHSE-A", "601988", "华东能源", 4.20, 2, 0.10),
            Security(InstrumentKind::Stock, "SZSE-A", "000001", "鹏城银行", 10.50, 2, 0.10),
            Security(InstrumentKind::Stock, "SZSE-A", "300750", "宁江电池", 180.00, 2, 0.20),
            Security(InstrumentKind::Fund, "SHSE-A", "510300", "核心ETF", 3.6, 3, 0.10),
            index[1],
            index[2],
            index[3],
            steel};
}

std::vector<OptionSeries> Series(const QDate& tradingDay) {
    auto fund = [](int surface, const char* code, SurfaceParameters base) {
        return OptionSeries{.surface = surface,
                            .exchange = "SHQQ-A",
                            .classLetter = 'o',
                            .exerciseStyle = 0,
                            .divisor = 10000,
                            .decimals = 4,
                            .tick = 1,
                            .multiplier = 10000,
                            .commissionPerLot = 1.7,
                            .limitFraction = 0.10,
                            .consecutiveMonths = false,
                            .underlyingCode = code,
                            .underlyingExchange = "SHSE-A",
                            .grid = StrikeGrid::Fund(),
                            .surfaceBase = base};
    };
    return {
        OptionSeries{.surface = 0,
                     .exchange = "DCE",
                     .classLetter = 'n',
                     .exerciseStyle = 1,
                     .divisor = 10,
                     .decimals = 1,
                     .tick = 5,
                     .multiplier = 10,
                     .commissionPerLot = 1.0,
                     .limitFraction = 0.07,
                     .consecutiveMonths = true,
                     .underlyingCode = MealCode(tradingDay),
                     .underlyingExchange = "DCE",
                     .grid = StrikeGrid::Even(500),
                     .surfaceBase = {0.22, 0.0, 0.05, 0.6}},
        fund(1, "510050", {0.20, 0.02, -0.25, 0.8}),
        fund(2, "510300", {0.19, 0.02, -0.22, 0.8}),
        OptionSeries{.surface = 3,
                     .exchange = "CFFEX",
                     .classLetter = 'n',
                     .exerciseStyle = 0,
                     .divisor = 10,
                     .decimals = 1,
                     .tick = 2,
                     .multiplier = 100,
                     .commissionPerLot = 15.0,
                     .limitFraction = 0.10,
                     .consecutiveMonths = false,
                     .underlyingCode = "",
                     .underlyingExchange = "CFFEX",
                     .grid = StrikeGrid::Even(500),
                     .surfaceBase = {0.21, 0.01, -0.35, 0.9}},
    };
}

std::vector<QDate> Months(const OptionSeries& series, const QDate& tradingDay) {
    const QDate first = FirstExpiryMonth(tradingDay);
    if (!series.consecutiveMonths) {
        return QuarterlyMonths(first);
    }
    return {first, first.addMonths(1), first.addMonths(2), first.addMonths(3)};
}

std::string UnderlyingCode(const OptionSeries& series, const QDate& month) {
    return series.underlyingCode.empty() ? "IF" + YearMonth(month) : series.underlyingCode;
}

Instrument Option(const OptionSeries& series, const Instrument& underlying, const QDate& month,
                  int64_t strike, bool isPut, int fundSerial) {
    Instrument option;
    option.kind = series.classLetter == 'n' ? InstrumentKind::FutureOption : InstrumentKind::StockOption;
    option.exchange = series.exchange;
    option.marketId = MarketIdOfExchange(series.exchange);
    option.priceDivisor = series.divisor;
    option.decimals = series.decimals;
    option.tick = series.tick;
    option.multiplier = series.multiplier;
    option.marginRate = 0.10;
    option.commissionPerLot = series.commissionPerLot;
    option.limitFraction = series.limitFraction;
    option.annualVolatility = 0.45;

    OptionTerms terms;
    terms.underlying = underlying.index;
    terms.isPut = isPut;
    terms.strike = strike;
    terms.expiry = ExpiryOfMonth(month.year(), month.month());
    terms.month = YearMonth(month);
    terms.classLetter = series.classLetter;
    terms.exerciseStyle = series.exerciseStyle;
    terms.surface = series.surface;
    option.option = terms;

    const std::string kind = isPut ? "沽" : "购";
    const std::string monthText = std::to_string(month.month()) + "月";
    const double strikePrice = option.ToPrice(strike);
    if (series.exchange == "SHQQ-A") {
        option.code = QStringLiteral("1000%1").arg(fundSerial, 4, 10, QChar('0')).toStdString();
        option.name = underlying.name + kind + monthText + std::to_string(std::lround(strikePrice * 1000));
    } else if (series.underlyingCode.empty()) {
        const std::string k = std::to_string(std::lround(strikePrice));
        option.code = "IO" + YearMonth(month) + (isPut ? "-P-" : "-C-") + k;
        option.name = "股指期权" + kind + monthText + k;
    } else {
        const std::string k = std::to_string(std::lround(strikePrice));
        option.code = underlying.code + "-" + month.toString(QStringLiteral("MM")).toStdString() +
                      (isPut ? "-P-" : "-C-") + k;
        option.name = underlying.name + kind + monthText + k;
    }
    return option;
}

}  // namespace Terminal::Market::Listing
