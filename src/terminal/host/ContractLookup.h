#pragma once

#include <json/value.h>

#include "market/InstrumentCatalogue.h"

namespace Terminal {

// The contract a request names, in any of the forms callers use:
//   {"ExchangeCode", "ContractCode"}, {"54", "63"}, {"MarketID", "KRCode"} (a QuoteKey),
//   {"Contract": <one of these>}, a code alone when only one exchange lists it, or the text
//   form "(marketId,code)". Null when it names none.
const Market::Instrument* FindInstrument(const Market::InstrumentCatalogue& catalogue,
                                         const Json::Value& named);

}  // namespace Terminal
