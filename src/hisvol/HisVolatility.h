#pragma once

#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/QuoteKey.h"
#include "kora/utility/Export.h"
#include "kora/utility/Handle.h"

// The historical volatility of a contract, for the option tools, which load this library at
// run time and look this function up by name.
//
// Series: the closes of the service's "KLine_Day" history of *key (oldest first). A bar whose
// "Close" is missing, not a number or not positive is skipped, so a return then spans from the
// previous usable close.
// Window: the last 20 daily close-to-close log returns ln(Cᵢ / Cᵢ₋₁), taken from the last 21
// usable closes, or every return when the history holds fewer.
// Estimate: the standard deviation of those returns about their mean, with divisor n (the
// number of returns; one return gives 0), annualised by √252 trading days per year. The result
// is a fraction per year (0.2 is 20 %).
// fallback when service or key is missing, the service holds no such history, or fewer than
// two usable closes remain.
extern "C" KORA_API double C_CalcHisVolatility(
    Kora::Utility::Handle<Kora::Interface::BaseQuoteDataSvcI> service, const Kora::Interface::QuoteKey* key,
    double fallback);
