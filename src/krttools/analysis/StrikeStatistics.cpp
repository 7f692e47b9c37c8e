#include "analysis/StrikeStatistics.h"

#include <QDateTime>
#include <cmath>

#include "kernel/ContractQuery.h"
#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTContractI.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "kora/interface/TimeServiceI.h"
#include "kora/utility/JsonAccess.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
using Kora::Utility::JsonDouble;
using Kora::Utility::JsonInt;
namespace I = Kora::Interface;

namespace {

// The exchanges date their trading days in Beijing time.
constexpr int kExchangeUtcOffset = 8 * 3600;

int64_t ExchangeToday() {
    Handle<I::TimeServiceI> time = GetService<I::TimeServiceI>();
    const QDate date = (time ? time->GetCurrentTime() : QDateTime::currentDateTimeUtc())
                           .toOffsetFromUtc(kExchangeUtcOffset)
                           .date();
    return date.year() * 10000 + date.month() * 100 + date.day();
}

// The open interest at the close of the last trading day before today, from daily bars in any
// order (a host may already hold a bar for today); empty without such a bar.
std::optional<double> PreviousOpenInterest(const Json::Value& bars, int64_t today) {
    std::optional<double> interest;
    int64_t latest = 0;
    if (!bars.isArray()) {
        return interest;
    }
    for (const Json::Value& bar : bars) {
        const int64_t date = JsonInt(bar, "Date", 0);
        if (date > latest && date < today) {
            latest = date;
            interest = JsonDouble(bar, "OpenInterest", 0.0);
        }
    }
    return interest;
}

struct Services {
    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
};

// The side's figures; `divisor` is set when the host knows the contract.
SideStatistics LoadSide(const Services& host, const I::QuoteKey& key, int64_t today, int32_t& divisor) {
    SideStatistics side;
    I::ContractInfo info;
    const Json::Value query = Kora::Kernel::ContractQueryOfKey(key);
    I::QuoteSnapshot snapshot{};
    if (!query.isObject() || !host.quotes || !host.contracts || !host.quotes->GetContractInfo(key, info) ||
        info.priceDivisor <= 0) {
        return side;
    }
    const Json::Value record = host.contracts->GetContract(query);
    if (!record.isObject() || !host.contracts->GetSnapshot(query, snapshot)) {
        return side;
    }
    side.known = true;
    divisor = info.priceDivisor;
    // Volumes count in the contract's trading unit (lots of shares for a stock, 1 for options).
    int64_t unit = JsonInt(record, I::Field::kMinTradeUnit, 1);
    unit = unit > 0 ? unit : 1;
    side.volume = snapshot.volume / double(unit);
    side.turnover = snapshot.turnover;
    side.netBuying = (2 * snapshot.activeBuyVolume - snapshot.volume) / double(unit);
    side.openInterest = snapshot.openInterest;
    Json::Value bars;
    if (host.quotes->GetHistory(key, QStringLiteral("KLine_Day"), bars)) {
        if (const std::optional<double> previous = PreviousOpenInterest(bars, today)) {
            side.openInterestChange = snapshot.openInterest - *previous;
        }
    }
    I::OptionRecord option;
    if (host.options && host.options->GetOptionRecord(key, option)) {
        side.impliedVolatility = option.impliedVolatility;
    }
    return side;
}

std::optional<int64_t> WholeContracts(const SideStatistics& side) {
    if (!side.known || !std::isfinite(side.openInterest) || side.openInterest < 0 ||
        side.openInterest > double(OptionPricing::kMaxPainOpenInterestLimit)) {
        return std::nullopt;
    }
    return std::llround(side.openInterest);
}

}  // namespace

std::vector<StrikeStatistics> LoadStrikeStatistics(const std::vector<I::OptionChainRow>& rows) {
    std::vector<StrikeStatistics> statistics;
    const Services host;
    const int64_t today = ExchangeToday();
    for (const I::OptionChainRow& row : rows) {
        StrikeStatistics strike;
        int32_t callDivisor = 0;
        int32_t putDivisor = 0;
        strike.call = LoadSide(host, row.call, today, callDivisor);
        strike.put = LoadSide(host, row.put, today, putDivisor);
        if (!strike.call.known && !strike.put.known) {
            continue;
        }
        strike.strike = row.strike;
        strike.divisor = strike.call.known ? callDivisor : putDivisor;
        strike.price = double(row.strike) / strike.divisor;
        statistics.push_back(strike);
    }
    return statistics;
}

std::optional<OptionPricing::MaxPainResult> MaxPainOf(const std::vector<StrikeStatistics>& rows) {
    std::vector<OptionPricing::MaxPainStrike> strikes;
    strikes.reserve(rows.size());
    for (const StrikeStatistics& row : rows) {
        strikes.push_back({row.strike, row.divisor, WholeContracts(row.call), WholeContracts(row.put)});
    }
    return OptionPricing::MaxPain(strikes);
}
