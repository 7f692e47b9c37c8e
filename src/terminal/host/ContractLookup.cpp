#include "host/ContractLookup.h"

#include "kora/interface/FieldIds.h"
#include "kora/interface/QuoteKey.h"
#include "kora/utility/JsonAccess.h"

namespace Terminal {

using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;
using Kora::Utility::Member;

const Market::Instrument* FindInstrument(const Market::InstrumentCatalogue& catalogue,
                                         const Json::Value& named) {
    if (named.isString()) {
        const Kora::Interface::QuoteKey key =
            Kora::Interface::QuoteKey::FromText(QString::fromStdString(named.asString()));
        return catalogue.FindByKey(key.marketId, key.code.toStdString());
    }
    if (!named.isObject()) {
        return nullptr;
    }
    if (Member(named, "Contract").isObject()) {
        return FindInstrument(catalogue, named["Contract"]);
    }
    std::string exchange = JsonText(named, "ExchangeCode");
    std::string code = JsonText(named, "ContractCode");
    if (exchange.empty()) {
        exchange = JsonText(named, Field::kExchangeCode);
    }
    if (code.empty()) {
        code = JsonText(named, Field::kContractCode);
    }
    if (!exchange.empty() && !code.empty()) {
        return catalogue.Find(exchange, code);
    }
    const std::string quoteCode = JsonText(named, "KRCode");
    if (!quoteCode.empty()) {
        return catalogue.FindByKey(int32_t(JsonInt(named, "MarketID", -1)), quoteCode);
    }
    if (!code.empty() && exchange.empty()) {
        auto found = catalogue.FindByCode(code);
        return found.size() == 1 ? found.front() : nullptr;
    }
    return nullptr;
}

}  // namespace Terminal
