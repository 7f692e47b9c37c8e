#pragma once

#include <QDateTime>
#include <cstdint>

#include "market/Instrument.h"
#include "market/OptionMath.h"
#include "market/VolatilitySurface.h"

namespace Terminal::Market {

// How the market makers quote an option from its family's volatility surface.
//
// The model price is the closed-form value (OptionMath.h) at the surface's volatility for the
// option's strike and expiry, with the chain's risk-free rate. The quote straddles the model
// price rounded to the tick by a half-spread of whole ticks: 0.2 % of the model price, widened
// by 3 × |ln(K / F)| / √T away from the money, and never below one tick, so cheap options are
// quoted a tick or more either side. A bid that would be below one tick is left out; the quote
// never goes above the upper limit.

// Years from `now` to the option's expiry, 0 once it has passed.
double YearsToExpiry(const OptionTerms& terms, const QDateTime& now);

// Log-moneyness ln(K / F) of the option against its underlying's price (the forward of a spot
// underlying at the chain's rate).
double LogMoneyness(const Instrument& option, double underlying, double years);

// The surface's volatility for the option (a fraction).
double SurfaceVolatility(const Instrument& option, const VolatilitySurface& surface, double underlying,
                         double years);

// Price and sensitivities (in the units of OptionMath.h) at the surface's volatility.
OptionFigures ModelFigures(const Instrument& option, const VolatilitySurface& surface, double underlying,
                           double years);

struct OptionQuote {
    double model = 0;  // the model price in price units, unrounded
    int64_t bid = 0;   // price units; 0 when there is no bid
    int64_t ask = 0;
};

OptionQuote QuoteOption(const Instrument& option, const VolatilitySurface& surface, double underlying,
                        double years, int64_t upperLimit);

}  // namespace Terminal::Market
