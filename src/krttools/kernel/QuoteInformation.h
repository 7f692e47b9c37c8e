#pragma once

#include <json/value.h>

#include "kora/interface/QuotePush.h"

namespace Kora::Kernel {

// The quote information handed with a quote push (30001): {"IsNewStatic", "IsNewTick",
// "IsNewQuote"} plus "ExtData" when the push carries extended data; a flash push gives only
// {"FlashFlag"}, whatever its other flags say.
Json::Value BuildQuoteInformation(const Interface::QuotePushRecord& record);

}  // namespace Kora::Kernel
