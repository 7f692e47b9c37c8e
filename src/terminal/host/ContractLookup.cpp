#include "host/ContractLookup.h"

#include "kora/interface/QuoteKey.h"
#include "kora/utility/JsonAccess.h"

namespace Terminal {

using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;
using Kora::Utility::Member;

const Market::Instrument* FindInstrument(const Market::InstrumentCatalogue& catalogue,
                                         const Json::Value& spec) {
    if (spec.isString()) {
        const Kora::Interface::QuoteKey key =
            Kora::Interface::QuoteKey::FromText(QString::fromStdString(spec.asString()));
        return catalogue.FindByKey(key.marketId, key.code.toStdString());
    }
    if (!spec.isObject()) {
        return nullptr;
    }
    if (Member(spec, "Contract").isObject()) {
        return FindInstrument(catalogue, spec["Contract"]);
    }
    std::string exchange = JsonText(spec, "ExchangeCode");
    std::string code = JsonText(spec, "ContractCode");
    if (exchange.empty()) {
        exchange = JsonText(spec, "54");
    }
    if (code.empty()) {
        code = JsonText(spec, "63");
    }
    if (!exchange.empty() && !code.empty()) {
        return catalogue.Find(exchange, code);
    }
    const std::string quoteCode = JsonText(spec, "KRCode");
    if (!quoteCode.empty()) {
        return catalogue.FindByKey(int32_t(JsonInt(spec, "MarketID", -1)), quoteCode);
    }
    if (!code.empty() && exchange.empty()) {
        auto found = catalogue.FindByCode(code);
        return found.size() == 1 ? found.front() : nullptr;
    }
    return nullptr;
}

}  // namespace Terminal
