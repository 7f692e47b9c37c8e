#include "host/Records.h"
#include "kora/interface/FieldIds.h"

#include <cstdio>

namespace Terminal::Records {

using Market::Instrument;

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string PriceText(const Instrument& instrument, int64_t units) {
    return Fixed(instrument.ToPrice(units), instrument.decimals);
}

Kora::Interface::QuoteKey KeyOf(const Instrument& instrument) {
    Kora::Interface::QuoteKey key;
    key.marketId = instrument.marketId;
    key.code = QString::fromStdString(instrument.code);
    return key;
}

Json::Value Account(const Market::TradingAccount& account, bool loggedIn) {
    Json::Value record(Json::objectValue);
    record["EAccountID"] = account.eAccountId;
    record["VAccountID"] = account.vAccountId;
    record[Field::kAccountText] = account.number;
    record["Category"] = account.category;
    record["Identity"] = account.identity;
    record["AccountName"] = account.name;
    record["LoggedIn"] = loggedIn;
    return record;
}

namespace {

const char* ProductClass(const Instrument& instrument) {
    switch (instrument.kind) {
        case Market::InstrumentKind::Future:
            return "期货";
        case Market::InstrumentKind::FutureOption:
        case Market::InstrumentKind::StockOption:
            return "期权";
        case Market::InstrumentKind::Fund:
            return "基金";
        case Market::InstrumentKind::Stock:
            return "股票";
    }
    return "";
}

}  // namespace

std::string TimeText(uint32_t hhmmss) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", hhmmss / 10000, hhmmss / 100 % 100, hhmmss % 100);
    return text;
}

Json::Value Contract(const Instrument& instrument, const Kora::Interface::QuoteSnapshot& snapshot,
                     const Instrument* underlying) {
    Json::Value record(Json::objectValue);
    record[Field::kExchangeCode] = instrument.exchange;
    record[Field::kContractCode] = instrument.code;
    record[Field::kContractName] = instrument.name;
    record[Field::kMultiplier] = std::to_string(instrument.multiplier);
    record[Field::kTickSize] = PriceText(instrument, instrument.tick);
    record[Field::kMinTradeUnit] = std::to_string(instrument.minTradeUnit);
    record["ExchangeCode"] = instrument.exchange;
    record["ContractCode"] = instrument.code;
    record["Name"] = instrument.name;
    record["MarketID"] = instrument.marketId;
    record["PriceDivisor"] = instrument.priceDivisor;
    record["PriceDecimals"] = instrument.decimals;
    record["UpperLimit"] = instrument.ToPrice(snapshot.upperLimit);
    record["LowerLimit"] = instrument.ToPrice(snapshot.lowerLimit);
    record["ReferencePrice"] = instrument.ToPrice(snapshot.referencePrice);
    record["IsOption"] = instrument.IsOption();
    record["ProductClass"] = ProductClass(instrument);
    if (instrument.option) {
        const Market::OptionTerms& terms = *instrument.option;
        record["OptionClass"] = std::string(1, terms.classLetter);
        record["CallPut"] = terms.isPut ? "认沽" : "认购";
        record["StrikePrice"] = instrument.ToPrice(terms.strike);
        const QDate expiry = terms.expiry.toOffsetFromUtc(8 * 3600).date();
        record["ExpireDate"] = expiry.year() * 10000 + expiry.month() * 100 + expiry.day();
        if (underlying) {
            record["UnderlyingExchange"] = underlying->exchange;
            record["UnderlyingCode"] = underlying->code;
        }
    }
    return record;
}

Json::Value Ticket(const Market::OrderTicket& t, const Instrument& instrument) {
    Json::Value record(Json::objectValue);
    for (const auto& [key, value] : t.fields) {
        record[key] = value;
    }
    record["EAccountID"] = t.accountId;
    record[Field::kExchangeCode] = instrument.exchange;
    record[Field::kContractCode] = instrument.code;
    record[Field::kContractName] = instrument.name;
    record[Field::kDirection] = std::string(1, t.direction);
    record[Field::kOffsetFlag] = std::string(1, t.offset);
    record[Field::kHedgeFlag] = std::string(1, t.hedge);
    record[Field::kCoveredFlag] = std::string(1, t.covered);
    record[Field::kPriceType] = t.priceKind == Market::PriceKind::Market ? "1" : "2";
    record[Field::kTimeCondition] = t.condition == Market::TimeCondition::Day ? "3" : "1";
    record[Field::kVolumeCondition] = t.condition == Market::TimeCondition::FillOrKill ? "3" : "1";
    record[Field::kOrderPrice] =
        t.priceKind == Market::PriceKind::Market ? "0" : PriceText(instrument, t.price);
    record[Field::kOrderVolume] = std::to_string(t.volume);
    return record;
}

Json::Value Order(const Market::OrderView& order, const Instrument& instrument,
                  const Market::TradingAccount& account) {
    Json::Value record = Ticket(order.ticket, instrument);
    record["OrderID"] = order.id;
    record["VAccountID"] = account.vAccountId;
    record[Field::kTradedVolume] = std::to_string(order.filled);
    record[Field::kOrderStatus] = std::string(1, order.status);
    record["StatusText"] = order.statusText;
    record[Field::kExchangeOrderId] = order.exchangeOrderId;
    record[Field::kOrderReference] = order.id;
    record[Field::kAccountNumber] = account.number;
    record[Field::kSession] = "1";
    record["SmartOrderId"] = order.ticket.smartOrderId;
    record["OrderTime"] = TimeText(order.time);
    record["AvgTradePrice"] =
        Fixed(order.AverageFillUnits() / instrument.priceDivisor, instrument.decimals + 2);
    if (!order.rejectReason.empty()) {
        record["ErrorMsg"] = order.rejectReason;
    }
    return record;
}

Json::Value Position(const Market::PositionView& position, const Instrument& instrument) {
    const bool isLong = position.side == Market::PositionSide::Long;
    Json::Value record(Json::objectValue);
    record["EAccountID"] = position.accountId;
    record[Field::kExchangeCode] = instrument.exchange;
    record[Field::kContractCode] = instrument.code;
    record[Field::kContractName] = instrument.name;
    record[Field::kDirection] = isLong ? "0" : "1";
    record[Field::kDirectionText] = isLong ? "买入" : "卖出";
    record[Field::kHedgeFlag] = std::string(1, position.hedge);
    record[Field::kCoveredFlag] = position.covered ? "1" : "0";
    record[Field::kOptionKind] = instrument.option ? (instrument.option->isPut ? "P" : "C") : "";
    record[Field::kPositionVolume] = std::to_string(position.total);
    record[Field::kClosableVolume] = std::to_string(position.closable);
    record[Field::kTodayClosableVolume] = std::to_string(position.closableToday);
    record[Field::kAveragePrice] = Fixed(position.averagePrice, instrument.decimals + 2);
    record[Field::kLatestPrice] = Fixed(position.lastPrice, instrument.decimals);
    record[Field::kFloatingProfit] = Fixed(position.floatingProfit, 2);
    record[Field::kMultiplier] = std::to_string(instrument.multiplier);
    record["TodayVolume"] = Json::Int64(position.today);
    record["HistoryVolume"] = Json::Int64(position.history);
    record["Margin"] = Fixed(position.margin, 2);
    if (position.covered) {
        record["LockedShares"] = Json::Int64(position.lockedShares);
    }
    return record;
}

Json::Value Money(const Market::MoneyView& money) {
    Json::Value record(Json::objectValue);
    record["EAccountID"] = money.accountId;
    record[Field::kCurrency] = money.currency;
    record[Field::kAvailable] = Fixed(money.available, 2);
    record[Field::kWithdrawable] = Fixed(money.withdrawable, 2);
    record[Field::kTotalAsset] = Fixed(money.totalAsset, 2);
    record[Field::kCash] = Fixed(money.cash, 2);
    record[Field::kRiskDegree] = Fixed(money.riskDegree, 2);
    record[Field::kMargin] = Fixed(money.margin, 2);
    record["Frozen"] = Fixed(money.frozen, 2);
    record["Commission"] = Fixed(money.commission, 2);
    record["CloseProfit"] = Fixed(money.closeProfit, 2);
    record["PositionProfit"] = Fixed(money.positionProfit, 2);
    record["PreBalance"] = Fixed(money.preBalance, 2);
    record["Financed"] = Fixed(money.financed, 2);
    record["CreditAvailable"] = Fixed(money.creditAvailable, 2);
    return record;
}

}  // namespace Terminal::Records
