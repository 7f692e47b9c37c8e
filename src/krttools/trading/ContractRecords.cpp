#include "trading/ContractRecords.h"

#include "kernel/ContractQuery.h"
#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTContractI.h"
#include "kora/utility/JsonAccess.h"

using Kora::Kernel::GetService;
using Kora::Utility::JsonText;
namespace I = Kora::Interface;

namespace ContractRecords {

Json::Value Query(const Json::Value& contract) {
    Json::Value query(Json::objectValue);
    query["ExchangeCode"] = JsonText(contract, Field::kExchangeCode);
    query["ContractCode"] = JsonText(contract, Field::kContractCode);
    return query;
}

Json::Value Query(const QString& exchangeCode, const QString& contractCode) {
    Json::Value query(Json::objectValue);
    query["ExchangeCode"] = exchangeCode.toStdString();
    query["ContractCode"] = contractCode.toStdString();
    return query;
}

bool Same(const Json::Value& a, const Json::Value& b) {
    return JsonText(a, Field::kExchangeCode) == JsonText(b, Field::kExchangeCode) &&
           JsonText(a, Field::kContractCode) == JsonText(b, Field::kContractCode);
}

Json::Value OfKey(const I::QuoteKey& key) {
    Kora::Utility::Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    const Json::Value query = Kora::Kernel::ContractQueryOfKey(key);
    return contracts && query.isObject() ? contracts->GetContract(query) : Json::Value();
}

}  // namespace ContractRecords
