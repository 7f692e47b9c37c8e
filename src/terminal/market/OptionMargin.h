#pragma once

#include "market/Instrument.h"

namespace Terminal::Market {

// The margin a seller holds for one short option, in currency, marked to the option's price P
// and its underlying's price S (real prices), with K the strike and the contract unit the
// option's multiplier:
//
//   fund call     (P + max(12 % × S − out-of-the-money amount, 7 % × S)) × unit
//   fund put      min(P + max(12 % × S − out-of-the-money amount, 7 % × K), K) × unit
//   on a future   P × unit + max(m − ½ × out-of-the-money amount × unit, ½ × m),
//                 m = S × unit × the future's margin rate
//
// where the out-of-the-money amount is max(K − S, 0) for a call and max(S − K, 0) for a put.
double ShortOptionMargin(const Instrument& option, const Instrument& underlying, double optionPrice,
                         double underlyingPrice);

}  // namespace Terminal::Market
