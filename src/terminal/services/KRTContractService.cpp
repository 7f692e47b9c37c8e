#include "services/KRTContractService.h"

#include "host/ContractLookup.h"
#include "host/Records.h"
#include "kora/utility/JsonAccess.h"

namespace Terminal::Services {

using Kora::Utility::JsonText;

KRTContractService::KRTContractService(Market::Simulator& market)
    : ServiceBase(QStringLiteral("合约服务")), m_market(market) {}

Json::Value KRTContractService::Record(const Market::Instrument& instrument) const {
    const Market::Instrument* underlying =
        instrument.option ? m_market.Catalogue().At(instrument.option->underlying) : nullptr;
    return Records::Contract(instrument, m_market.Snapshot(instrument.index), underlying);
}

std::optional<Market::TradingAccount> KRTContractService::AccountOf(const Json::Value& account) const {
    const std::string id = account.isString() ? account.asString() : JsonText(account, "EAccountID");
    return id.empty() ? std::nullopt : m_market.Account(id);
}

Json::Value KRTContractService::GetContract(const Json::Value& query) {
    const Market::Instrument* instrument = FindInstrument(m_market.Catalogue(), query);
    return instrument ? Record(*instrument) : Json::Value();
}

Json::Value KRTContractService::EnumContractByCode(const QString& code) {
    Json::Value records(Json::arrayValue);
    for (const Market::Instrument* instrument : m_market.Catalogue().FindByCode(code.toStdString())) {
        records.append(Record(*instrument));
    }
    return records;
}

Json::Value KRTContractService::GetContractsOfAccount(const Json::Value& account) {
    Json::Value records(Json::arrayValue);
    const auto trader = AccountOf(account);
    if (!trader) {
        return records;
    }
    for (const Market::Instrument& instrument : m_market.Catalogue().All()) {
        if (Market::AccountTrades(*trader, instrument)) {
            records.append(Record(instrument));
        }
    }
    return records;
}

bool KRTContractService::IsContractOfAccount(const Json::Value& account, const Json::Value& contract) {
    const auto trader = AccountOf(account);
    const Market::Instrument* instrument = FindInstrument(m_market.Catalogue(), contract);
    return trader && instrument && Market::AccountTrades(*trader, *instrument);
}

bool KRTContractService::AllowsArbitrage(const Json::Value& contract) {
    const Market::Instrument* instrument = FindInstrument(m_market.Catalogue(), contract);
    return instrument && instrument->kind == Market::InstrumentKind::Future;
}

bool KRTContractService::GetSnapshot(const Json::Value& contract, Kora::Interface::QuoteSnapshot& snapshot) {
    const Market::Instrument* instrument = FindInstrument(m_market.Catalogue(), contract);
    if (!instrument) {
        return false;
    }
    snapshot = m_market.Snapshot(instrument->index);
    return true;
}

}  // namespace Terminal::Services
