#pragma once

#include "host/ServiceBase.h"
#include "kora/interface/KRTContractI.h"
#include "market/Simulator.h"

namespace Terminal::Services {

// "Kora.Platform.Service.KRTContract": contract records (Records::Contract) for any way a
// caller names a contract (ContractLookup), which contracts an account trades (securities for
// categories 0 and 5, fund options for 6, futures and futures options for 8), arbitrage (futures
// only) and snapshots. Unknown contracts and accounts answer null, empty arrays or false.
class KRTContractService : public ServiceBase<Kora::Interface::KRTContractI> {
public:
    explicit KRTContractService(Market::Simulator& market);

    Json::Value GetContract(const Json::Value& query) override;
    Json::Value EnumContractByCode(const QString& code) override;
    Json::Value GetContractsOfAccount(const Json::Value& account) override;
    bool IsContractOfAccount(const Json::Value& account, const Json::Value& contract) override;
    bool AllowsArbitrage(const Json::Value& contract) override;
    bool GetSnapshot(const Json::Value& contract, Kora::Interface::QuoteSnapshot& snapshot) override;

private:
    Json::Value Record(const Market::Instrument& instrument) const;
    std::optional<Market::TradingAccount> AccountOf(const Json::Value& account) const;

    Market::Simulator& m_market;
};

}  // namespace Terminal::Services
