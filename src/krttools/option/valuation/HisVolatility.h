#pragma once

#include "kora/interface/QuoteKey.h"

namespace OptionPricing {

// The historical volatility (a fraction per year) of an underlying, from the sibling library
// "./libControl.so" beside the working folder, which reads the history through the host's base
// quote data service. The library's entry point is looked up on first use and kept for the
// life of the process; until it has been found every call tries again. Without it, the answer
// is fallback. Call on the user-interface thread.
double CalcHisVolatility(const Kora::Interface::QuoteKey& underlying, double fallback);

}  // namespace OptionPricing
