#include "kernel/ContractQuery.h"

#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"

namespace Kora::Kernel {

Json::Value ContractQueryOfKey(const Interface::QuoteKey& key) {
    Handle<Interface::BaseQuoteDataSvcI> quotes = GetService<Interface::BaseQuoteDataSvcI>();
    Interface::ContractInfo info;
    if (!key.IsValid() || !quotes || !quotes->GetContractInfo(key, info)) {
        return {};
    }
    Json::Value query(Json::objectValue);
    query["ExchangeCode"] = info.exchangeCode.toStdString();
    query["ContractCode"] = info.contractCode.toStdString();
    return query;
}

}  // namespace Kora::Kernel
