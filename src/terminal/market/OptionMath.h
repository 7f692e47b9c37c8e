#pragma once

namespace Terminal::Market {

// The terminal's own option valuation (European, closed form): Black-Scholes on a spot
// underlying, Black-76 on a futures underlying. The chain's figures (premium, Greeks) and the
// simulated option prices come from here.
struct OptionInputs {
    bool isPut = false;
    bool onFuture = false;  // Black-76 when true
    double underlying = 0;  // S or F
    double strike = 0;
    double volatility = 0;  // fraction per year
    double rate = 0;        // fraction per year
    double years = 0;       // time to expiry
};

// Sensitivities in the units the chain shows: theta per calendar day, vega and rho per
// percentage point.
struct OptionFigures {
    double price = 0;
    double delta = 0, gamma = 0, theta = 0, vega = 0, rho = 0;
};

// With no time or volatility left (or a non-positive price input) the option is worth its
// discounted intrinsic value and its Greeks are those of the limit.
OptionFigures ValueOption(const OptionInputs& in);

double NormalCdf(double x);

}  // namespace Terminal::Market
