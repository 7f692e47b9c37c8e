#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>

#include "kora/interface/QuoteKey.h"

namespace Kora::Interface {

// One listed option as the options data service describes it.
struct OptionRecord {
    // 'n' futures option (futures account), 'o' or 'p' stock or ETF option (stock-option
    // account), 'e' index option.
    char classLetter = 0;
    // Zero or positive for a put ("认沽"), negative for a call ("认购").
    int32_t callPut = 0;
    int64_t strike = 0;  // strike in integer units; divide by strikeDivisor
    int32_t strikeDivisor = 1;
    int32_t exerciseStyle = 0;  // 0 European, 1 American, 2 Bermudan
    QDateTime expiry;           // UTC
    QString month;              // expiry month text, as the chain lists it
    QString seriesName;         // "underlying|month|kind|strike"
    QuoteKey underlying;
    int32_t contractUnit = 1;

    double impliedVolatility = 0;  // fraction
    double riskFreeRate = 0;       // percent
    double premiumRate = 0;
    double leverage = 0;
    double delta = 0, gamma = 0, theta = 0, vega = 0, rho = 0;
    double intrinsicValue = 0;
    double timeValue = 0;

    bool IsPut() const { return callPut >= 0; }
};

// One strike row of the T-shaped option board.
struct OptionChainRow {
    int64_t strike = 0;  // price × the contracts' price divisor
    QuoteKey call;
    QuoteKey put;
};

}  // namespace Kora::Interface
