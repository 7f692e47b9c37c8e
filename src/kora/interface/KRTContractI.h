#pragma once

#include <json/value.h>

#include "kora/interface/QuoteSnapshot.h"
#include "kora/interface/ServiceInterfaceI.h"

namespace Kora::Interface {

// Tradable contracts: records keyed by field numbers ("54" exchange, "63" code, "64" name,
// "244" multiplier, "245" tick size, "1008" minimum trading unit, "PriceDecimals",
// "PriceDivisor", "UpperLimit", "LowerLimit", "MarketID", "IsOption" ...).
class KORA_API KRTContractI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.KRTContract"); }

    // {"ExchangeCode", "ContractCode"} → the record; null when unknown.
    virtual Json::Value GetContract(const Json::Value& query) = 0;
    // Every contract whose code is the given one (all exchanges), as an array.
    virtual Json::Value EnumContractByCode(const QString& code) = 0;
    // The contracts an account may trade (a futures account's futures ...), as an array.
    virtual Json::Value GetContractsOfAccount(const Json::Value& account) = 0;
    virtual bool IsContractOfAccount(const Json::Value& account, const Json::Value& contract) = 0;
    // Whether the contract admits the arbitrage hedge flag ("套利").
    virtual bool AllowsArbitrage(const Json::Value& contract) = 0;
    // The quote snapshot of {"ExchangeCode", "ContractCode"}; false when unknown.
    virtual bool GetSnapshot(const Json::Value& contract, QuoteSnapshot& snapshot) = 0;
};

}  // namespace Kora::Interface
