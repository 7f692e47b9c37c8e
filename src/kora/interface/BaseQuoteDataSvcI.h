#pragma once

#include <json/value.h>

#include <vector>

#include "kora/interface/ContractInfo.h"
#include "kora/interface/QuoteKey.h"
#include "kora/interface/QuoteSnapshot.h"
#include "kora/interface/ServiceInterfaceI.h"

namespace Kora::Interface {

// Quote data the host holds: static contract information, snapshots and history.
class KORA_API BaseQuoteDataSvcI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.BaseQuoteDataSvc"); }

    virtual bool GetContractInfo(const QuoteKey& key, ContractInfo& info) = 0;
    virtual bool GetSnapshot(const QuoteKey& key, QuoteSnapshot& snapshot) = 0;
    // History of a kind ("KLine_Day": an array of {"Date": yyyymmdd, "Open", "High", "Low",
    // "Close", "Volume", "OpenInterest"} in real prices, oldest first; "WeightData").
    // False when the host holds none.
    virtual bool GetHistory(const QuoteKey& key, const QString& kind, Json::Value& history) = 0;
    // The key of an exchange's contract; marketId -1 when unknown.
    virtual QuoteKey FindKey(const QString& exchangeCode, const QString& contractCode) = 0;
    // Every contract the host quotes.
    virtual std::vector<QuoteKey> EnumContracts() = 0;
};

}  // namespace Kora::Interface
