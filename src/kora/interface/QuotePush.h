#pragma once

#include <QString>
#include <cstdint>

#include "kora/interface/QuoteKey.h"
#include "kora/interface/QuoteSnapshot.h"

namespace Kora::Interface {

// Numbers of the quote pushes on the high-performance message centre.
enum QuotePushNumber : uint32_t {
    kPushQuote = 30001,       // a new quote (the record below)
    kPushTick = 30002,        // a trade of the contract
    kPushHistory = 30003,     // a history answer ("KLine_Day"): historyType says which
    kPushWeightData = 30004,  // a weighting-data answer ("WeightData")
    kPushStatic = 30005,      // static data of the contract changed (limits, names)
};

// What the host hands with every quote push; the pointer is valid only during delivery.
struct QuotePushRecord {
    QuoteKey key;

    bool isNewStatic = false;
    bool isNewTick = false;
    bool isNewQuote = false;
    // Non-zero marks a flash push; the value is its flash flag.
    int32_t flashFlag = 0;

    bool hasExtData = false;
    struct ExtData {
        double volume = 0;
        int64_t now = 0;        // latest price, integer price units
        int64_t buyPrice = 0;   // best bid
        int64_t sellPrice = 0;  // best ask
        double buyVolume = 0;
        double sellVolume = 0;
    } ext;

    int32_t priceDivisor = 1;
    QuoteSnapshot snapshot{};

    // For history and weighting-data answers: the kind requested ("KLine_Day", "WeightData").
    QString historyType;

    // Host's monotonic stamp (ns) of the moment the push entered the message centre; lets tools
    // measure quote-to-screen latency.
    int64_t enqueuedNs = 0;
};

}  // namespace Kora::Interface
