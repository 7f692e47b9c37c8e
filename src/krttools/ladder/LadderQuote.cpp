#include "ladder/LadderQuote.h"

LadderQuote ReadLadderQuote(const Kora::Interface::QuoteSnapshot& snapshot, int32_t divisor, int64_t last) {
    LadderQuote quote;
    if (divisor < 1) {
        return quote;
    }
    const double unit = static_cast<double>(divisor);
    quote.lastPrice = static_cast<double>(last) / unit;
    quote.currentPrice = last != 0 ? quote.lastPrice : static_cast<double>(snapshot.referencePrice) / unit;
    const auto& top = snapshot.book[0];
    quote.hasBook = top.bid.price > 0 || top.ask.price > 0;
    if (!quote.hasBook) {
        return quote;
    }
    LadderBestQuote& best = quote.best;
    best.bidPrice = top.bid.price / unit;
    best.bidVolume = static_cast<int>(top.bid.volume);
    best.askPrice = top.ask.price / unit;
    best.askVolume = static_cast<int>(top.ask.volume);
    best.high = snapshot.high / unit;
    best.low = snapshot.low / unit;
    for (const auto& row : snapshot.book) {
        if (row.bid.price > 0) {
            best.bidLevels.push_back({row.bid.price / unit, static_cast<int>(row.bid.volume)});
        }
        if (row.ask.price > 0) {
            best.askLevels.push_back({row.ask.price / unit, static_cast<int>(row.ask.volume)});
        }
    }
    return quote;
}
