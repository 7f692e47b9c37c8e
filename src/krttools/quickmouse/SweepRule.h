#pragma once

// Sweep mode of the stock ladder ("扫单"): an order must cross or improve the book, never rest
// behind it. A buy must be above the best bid, a sell below the best ask; when that side of the
// book is empty, the last price stands in for it. A click that fails the rule sends nothing.
namespace SweepRule {

// The price a sweep order of the side must beat; 0 when there is neither the level nor a last
// price (then every price passes).
double Reference(bool buy, double bestBid, double bestAsk, double last);
// Whether a price passes for the side. Prices within half a tick count as equal.
bool Passes(bool buy, double price, double reference, double tick);

}  // namespace SweepRule
