#pragma once

#include <QDate>

#include "host/HostRuntime.h"

// Every scripted market of the tests trades on this day, so contract codes are fixed: DCE m2408
// (futures, options 2403-2406), CFFEX IF2403 (the nearest index future), SHSE-A 510050 (options
// on SHQQ-A 2403, 2404, 2406, 2409), SHFE rb2405: market/Listing.h.
inline const QDate kTradingDay(2024, 3, 15);

// The simulated terminal, scripted, on that day.
inline Terminal::HostOptions ScriptedOptions() {
    Terminal::HostOptions options;
    options.tradingDay = kTradingDay;
    return options;
}
