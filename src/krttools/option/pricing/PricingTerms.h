#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// The building blocks of every valuation routine. Each formula lives here once and the separate
// routines, the fused routine and the volatility search all assemble them, so their results
// agree to the last bit. Internal to the pricing library.
namespace OptionPricing::Terms {

// Written with these twelve decimals; the tools' prices have always been computed with it.
inline constexpr double kTwoPi = 6.283185307178;

// Results of the routines for inputs they cannot value.
inline constexpr double kOutOfRangePrice = -1.0;
inline constexpr double kOutOfRangeDelta = 1.0;
inline constexpr double kOutOfRangeOther = 0.0;

inline bool IsPositiveFinite(double x) {
    return x > 0 && x < std::numeric_limits<double>::infinity();
}

// Anything the formulas cannot turn into a finite number (overflowing extremes) counts as out
// of range, so callers never see NaN or infinity.
inline double FiniteOr(double value, double fallback) {
    return std::isfinite(value) ? value : fallback;
}

inline double Density(double x) {
    return std::exp(-x * x / 2) / std::sqrt(kTwoPi);
}

// N(a) for a ≥ 0 (Abramowitz and Stegun 26.2.17), with the density n(a) it used.
struct UpperCdf {
    double value;
    double density;
};

inline UpperCdf CdfOfMagnitude(double a) {
    const double n = Density(a);
    const double k = 1 / (1 + 0.2316419 * a);
    const double k2 = k * k;
    const double k3 = k2 * k;
    const double k4 = k3 * k;
    const double k5 = k4 * k;
    return {
        1 - n * (0.31938153 * k - 0.356563782 * k2 + 1.781477937 * k3 - 1.821255978 * k4 + 1.330274429 * k5),
        n};
}

// N(x) for negative x is 1 − N(−x), so N(x) + N(−x) is exactly 1 for every x but 0.
inline double Cdf(double x) {
    const double upper = CdfOfMagnitude(std::fabs(x)).value;
    return x < 0 ? 1 - upper : upper;
}

// N(x), N(−x) and n(x) from one evaluation, equal to Cdf(x), Cdf(−x) and Density(x).
struct CdfPair {
    double atX;
    double atMinusX;
    double density;
};

inline CdfPair CdfBothSides(double x) {
    const UpperCdf upper = CdfOfMagnitude(std::fabs(x));
    return {x < 0 ? 1 - upper.value : upper.value, -x < 0 ? 1 - upper.value : upper.value, upper.density};
}

// What does not depend on the volatility: one option on one underlying at one moment.
struct Contract {
    bool put;
    bool forward;  // Black-76 on a forward or futures price instead of Black–Scholes on spot
    double S;
    double K;
    double r;
    double T;
    double sqrtT;
    double logMoneyness;
};

// The rate has no range of its own but must be a number.
inline bool IsValuableContract(double S, double K, double r, double T) {
    return IsPositiveFinite(S) && IsPositiveFinite(K) && IsPositiveFinite(T) && std::isfinite(r);
}

inline bool IsValuable(double S, double K, double sigma, double r, double T) {
    return IsValuableContract(S, K, r, T) && IsPositiveFinite(sigma);
}

inline Contract MakeContract(int32_t put, int32_t optionType, double S, double K, double r, double T) {
    return {put != 0, optionType != 0, S, K, r, T, std::sqrt(T), std::log(S / K)};
}

inline double Discount(const Contract& c) {
    return std::exp(-c.r * c.T);
}

struct D1D2 {
    double d1;
    double d2;
};

inline D1D2 D1AndD2(const Contract& c, double sigma) {
    const double drift = c.forward ? sigma * sigma / 2 : c.r + sigma * sigma / 2;
    const double d1 = (c.logMoneyness + drift * c.T) / (sigma * c.sqrtT);
    return {d1, d1 - sigma * c.sqrtT};
}

// The formulas proper. Arguments named Nd1/Nd2 are N(d1)/N(d2), Nmd1/Nmd2 are N(−d1)/N(−d2),
// nd1 is n(d1); D is the discount factor e^(−r·T).

inline double CallPrice(const Contract& c, double D, double Nd1, double Nd2) {
    return c.forward ? D * (c.S * Nd1 - c.K * Nd2) : c.S * Nd1 - c.K * D * Nd2;
}

inline double PutPrice(const Contract& c, double D, double Nmd1, double Nmd2) {
    return c.forward ? D * (c.K * Nmd2 - c.S * Nmd1) : c.K * D * Nmd2 - c.S * Nmd1;
}

inline double Delta(const Contract& c, double D, double Nd1) {
    if (c.forward) {
        return c.put ? D * (Nd1 - 1) : D * Nd1;
    }
    return c.put ? Nd1 - 1 : Nd1;
}

inline double Gamma(const Contract& c, double sigma, double D, double nd1) {
    return c.forward ? D * nd1 / (c.S * sigma * c.sqrtT) : nd1 / (c.S * sigma * c.sqrtT);
}

inline double Vega(const Contract& c, double D, double nd1) {
    return c.forward ? D * c.S * c.sqrtT * nd1 : c.S * c.sqrtT * nd1;
}

inline double CallTheta(const Contract& c, double sigma, double D, double nd1, double Nd1, double Nd2) {
    const double r = c.r;
    if (c.forward) {
        return -D * c.S * nd1 * sigma / (2 * c.sqrtT) + r * D * c.S * Nd1 - r * D * c.K * Nd2;
    }
    return -c.S * nd1 * sigma / (2 * c.sqrtT) - r * c.K * D * Nd2;
}

inline double PutTheta(const Contract& c, double sigma, double D, double nd1, double Nmd1, double Nmd2) {
    const double r = c.r;
    if (c.forward) {
        return -D * c.S * nd1 * sigma / (2 * c.sqrtT) - r * D * c.S * Nmd1 + r * D * c.K * Nmd2;
    }
    return -c.S * nd1 * sigma / (2 * c.sqrtT) + r * c.K * D * Nmd2;
}

inline double CallRho(const Contract& c, double D, double Nd2) {
    return c.K * c.T * D * Nd2;
}

inline double PutRho(const Contract& c, double D, double Nmd2) {
    return -c.K * c.T * D * Nmd2;
}

// The price at one volatility; the out-of-range price when sigma cannot be valued.
inline double PriceAt(const Contract& c, double D, double sigma) {
    if (!IsPositiveFinite(sigma)) {
        return kOutOfRangePrice;
    }
    const D1D2 d = D1AndD2(c, sigma);
    const double price =
        c.put ? PutPrice(c, D, Cdf(-d.d1), Cdf(-d.d2)) : CallPrice(c, D, Cdf(d.d1), Cdf(d.d2));
    return FiniteOr(price, kOutOfRangePrice);
}

}  // namespace OptionPricing::Terms
