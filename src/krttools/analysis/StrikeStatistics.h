#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "kora/interface/OptionRecord.h"
#include "option/pricing/MaxPain.h"

// The trading figures of one side (call or put) of a strike, for today.
struct SideStatistics {
    // The host's contract service knows the contract; an unknown one counts nowhere.
    bool known = false;
    double volume = 0;  // the volume field ÷ the contract's volume unit
    double turnover = 0;
    double netBuying = 0;  // active buying − the rest of the volume, in the same unit
    double openInterest = 0;
    double openInterestChange = 0;  // against the last trading day before today
    double impliedVolatility = 0;   // a fraction, as the options data service gives it
};

struct StrikeStatistics {
    int64_t strike = 0;   // integer price
    int32_t divisor = 1;  // of the strike's contracts
    double price = 0;     // strike ÷ divisor
    SideStatistics call;
    SideStatistics put;
};

// Today's figures of each row of an option chain, from the host: the quote snapshot and the
// contract record of each contract through the contract service, its daily history through the
// base quote data service (today being the exchange's date by the time service), its implied
// volatility through the options data service. A row neither of whose contracts the host knows
// has no price to be shown at and is left out; missing services leave the figures at 0.
std::vector<StrikeStatistics> LoadStrikeStatistics(const std::vector<Kora::Interface::OptionChainRow>& rows);

// The maximum-pain analysis of the rows (open interest rounded to whole contracts; an unknown
// contract or an open interest that is not a sane count adds nothing). Empty only for rows
// beyond the routine's limits.
std::optional<OptionPricing::MaxPainResult> MaxPainOf(const std::vector<StrikeStatistics>& rows);
