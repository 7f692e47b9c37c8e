#pragma once

#include <QDateTime>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace Terminal::Market {

enum class InstrumentKind { Future, FutureOption, Fund, Stock, StockOption };

// What makes an instrument an option.
struct OptionTerms {
    int underlying = -1;  // catalogue index of the underlying
    bool isPut = false;
    int64_t strike = 0;      // in the option's own price units
    QDateTime expiry;        // UTC
    std::string month;       // "yyMM" of the expiry month, as the chain lists it
    char classLetter = 'o';  // 'n' futures and index options (futures account), 'o' fund options
    int exerciseStyle = 0;   // 0 European, 1 American
    int surface = -1;        // the volatility surface the option is priced from
};

// One tradable contract. Prices are integers in price units: divide by priceDivisor.
struct Instrument {
    int index = -1;
    InstrumentKind kind = InstrumentKind::Stock;
    std::string exchange;  // "DCE", "CFFEX", "SHSE-A", ...
    std::string code;
    std::string name;  // UTF-8
    int32_t marketId = -1;
    int32_t priceDivisor = 1;
    int32_t decimals = 0;
    int64_t tick = 1;
    int32_t multiplier = 1;
    int32_t minTradeUnit = 1;  // lots or shares per order step ("1008")
    // The reference price of the day the contract was listed on: previous close (securities) or
    // settlement (derivatives). Later days carry theirs in the quote.
    int64_t reference = 0;
    int64_t upperLimit = 0;
    int64_t lowerLimit = 0;
    // The day's limits around the reference: this fraction of it, for an option this fraction of
    // its underlying's price above the reference (and one tick below).
    double limitFraction = 0.1;
    // The close of a future's last trading day (UTC); invalid when it lies beyond the simulation.
    QDateTime futureExpiry;

    // Trading rules: margin is marginRate of the notional for futures and for the underlying
    // part of a short option; commission is per lot for derivatives, a rate of the turnover
    // for securities and index futures (commissionRate), stamp duty on security sales.
    double marginRate = 0;
    double commissionPerLot = 0;
    double commissionRate = 0;
    double stampDutyRate = 0;
    double annualVolatility = 0.2;  // of the live walk and of the generated history

    std::optional<OptionTerms> option;

    bool IsOption() const { return option.has_value(); }
    bool IsSecurity() const { return kind == InstrumentKind::Stock || kind == InstrumentKind::Fund; }
    bool IsDerivative() const { return !IsSecurity(); }
    // Exchanges where a close ('1') takes yesterday's position only and today's needs its own
    // close-today order ('2').
    bool ClosesTodaySeparately() const { return exchange == "SHFE" || exchange == "INE"; }
    // When the contract stops trading (UTC); invalid for one that does not within the simulation.
    QDateTime LastTradingTime() const { return option ? option->expiry : futureExpiry; }
    double ToPrice(int64_t units) const { return double(units) / priceDivisor; }
    int64_t ToUnits(double price) const { return int64_t(std::llround(price * priceDivisor)); }
    int64_t RoundToTick(double units) const { return int64_t(std::llround(units / double(tick))) * tick; }
    bool IsOnTick(int64_t units) const { return tick > 0 && units % tick == 0; }
    // Notional of a volume at a price, in currency.
    double Notional(int64_t units, int64_t volume) const {
        return ToPrice(units) * double(volume) * multiplier;
    }
};

}  // namespace Terminal::Market
