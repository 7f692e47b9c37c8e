#pragma once

#include <cstddef>
#include <cstdint>

namespace Kora::Interface {

// The host's 960-byte quote snapshot of one contract. Prices are 32-bit integers in the
// contract's price units (divide by the contract's price divisor); volumes and amounts are
// doubles. The byte offsets are part of the contract with the host and are pinned below.
struct QuoteSnapshot {
    struct Level {
        int32_t price;
        int32_t reserved;
        double volume;
    };
    struct BookRow {
        Level bid;
        Level ask;
    };

    int32_t referencePrice;   // 0: previous close (stocks) or previous settlement (futures)
    int32_t open;             // 4
    int32_t high;             // 8
    int32_t low;              // 12
    int32_t upperLimit;       // 16
    int32_t lowerLimit;       // 20
    int32_t preSettlement;    // 24
    int32_t settlement;       // 28
    int32_t average;          // 32
    int32_t close;            // 36
    uint32_t time;            // 40: hhmmss of the last update
    int32_t last;             // 44: latest price
    int32_t priceDivisor;     // 48: copy of the contract's divisor
    int32_t decimals;         // 52
    double volume;            // 56: day volume
    double openInterest;      // 64
    double turnover;          // 72
    double preOpenInterest;   // 80
    double lastVolume;        // 88: volume of the latest trade
    uint32_t date;            // 96: yyyymmdd
    uint32_t tradingDay;      // 100
    double changeOfInterest;  // 104
    double reserved112;       // 112
    double activeBuyVolume;   // 120
    double activeSellVolume;  // 128
    double reserved136[3];    // 136
    // 160: five book rows; the best bid price is at byte 160, the best ask price at byte 176.
    BookRow book[5];
    uint8_t reserved320[960 - 320];
};

static_assert(sizeof(QuoteSnapshot) == 960);
static_assert(offsetof(QuoteSnapshot, referencePrice) == 0);
static_assert(offsetof(QuoteSnapshot, last) == 44);
static_assert(offsetof(QuoteSnapshot, volume) == 56);
static_assert(offsetof(QuoteSnapshot, openInterest) == 64);
static_assert(offsetof(QuoteSnapshot, turnover) == 72);
static_assert(offsetof(QuoteSnapshot, activeBuyVolume) == 120);
static_assert(offsetof(QuoteSnapshot, book) == 160);
static_assert(offsetof(QuoteSnapshot, book[0].ask) == 176);
static_assert(offsetof(QuoteSnapshot, book[1].bid) == 192);

}  // namespace Kora::Interface
