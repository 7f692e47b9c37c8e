#include "services/BaseQuoteDataService.h"

#include "host/Records.h"

namespace Terminal::Services {

using namespace Kora::Interface;

BaseQuoteDataService::BaseQuoteDataService(Market::Simulator& market)
    : ServiceBase(QStringLiteral("基础行情数据")), m_market(market) {}

const Market::Instrument* BaseQuoteDataService::Find(const QuoteKey& key) const {
    return m_market.Catalogue().FindByKey(key.marketId, key.code.toStdString());
}

bool BaseQuoteDataService::GetContractInfo(const QuoteKey& key, ContractInfo& info) {
    const Market::Instrument* instrument = Find(key);
    if (!instrument) {
        return false;
    }
    info.name = QString::fromStdString(instrument->name);
    info.exchangeCode = QString::fromStdString(instrument->exchange);
    info.contractCode = QString::fromStdString(instrument->code);
    info.priceDivisor = instrument->priceDivisor;
    info.decimals = instrument->decimals;
    info.tickSize = instrument->ToPrice(instrument->tick);
    info.multiplier = instrument->multiplier;
    info.isOption = instrument->IsOption();
    return true;
}

bool BaseQuoteDataService::GetSnapshot(const QuoteKey& key, QuoteSnapshot& snapshot) {
    const Market::Instrument* instrument = Find(key);
    if (!instrument) {
        return false;
    }
    snapshot = m_market.Snapshot(instrument->index);
    return true;
}

bool BaseQuoteDataService::GetHistory(const QuoteKey& key, const QString& kind, Json::Value& history) {
    const Market::Instrument* instrument = Find(key);
    if (!instrument) {
        return false;
    }
    Json::Value rows(Json::arrayValue);
    if (kind == QStringLiteral("KLine_Day")) {
        for (const Market::DailyBar& bar : m_market.History(instrument->index)) {
            Json::Value row(Json::objectValue);
            row["Date"] = bar.date;
            row["Open"] = bar.open;
            row["High"] = bar.high;
            row["Low"] = bar.low;
            row["Close"] = bar.close;
            row["Volume"] = bar.volume;
            row["OpenInterest"] = bar.openInterest;
            rows.append(row);
        }
    } else if (kind == QStringLiteral("WeightData")) {
        for (const Market::WeightEvent& event : m_market.WeightData(instrument->index)) {
            Json::Value row(Json::objectValue);
            row["Date"] = event.date;
            row["CashDividend"] = event.cashDividend;
            row["BonusShares"] = event.bonusShares;
            row["RightsShares"] = event.rightsShares;
            row["RightsPrice"] = event.rightsPrice;
            rows.append(row);
        }
    }
    if (rows.empty()) {
        return false;
    }
    history = rows;
    return true;
}

QuoteKey BaseQuoteDataService::FindKey(const QString& exchangeCode, const QString& contractCode) {
    const Market::Instrument* instrument =
        m_market.Catalogue().Find(exchangeCode.toStdString(), contractCode.toStdString());
    return instrument ? Records::KeyOf(*instrument) : QuoteKey{};
}

std::vector<QuoteKey> BaseQuoteDataService::EnumContracts() {
    std::vector<QuoteKey> keys;
    for (const Market::Instrument& instrument : m_market.Catalogue().All()) {
        keys.push_back(Records::KeyOf(instrument));
    }
    return keys;
}

}  // namespace Terminal::Services
