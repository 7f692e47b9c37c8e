// A volatility library for the provider's tests: answers a value that shows what it was given.

#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/QuoteKey.h"
#include "kora/utility/Export.h"
#include "kora/utility/Handle.h"

// fallback + 0.25 + marketId / 1000, plus 1 when a service came along.
extern "C" KORA_API double C_CalcHisVolatility(
    Kora::Utility::Handle<Kora::Interface::BaseQuoteDataSvcI> service, const Kora::Interface::QuoteKey* key,
    double fallback) {
    return fallback + 0.25 + key->marketId / 1000.0 + (service ? 1.0 : 0.0);
}
