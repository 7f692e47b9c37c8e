#pragma once

#include <json/value.h>

#include "kora/interface/QuoteKey.h"

namespace Kora::Kernel {

// How the contract service is asked about a quoted contract: {"ExchangeCode", "ContractCode"}
// of the key, as the base quote data service names it. Null when the key is not valid, the
// service is missing, or it does not know the key.
Json::Value ContractQueryOfKey(const Interface::QuoteKey& key);

}  // namespace Kora::Kernel
