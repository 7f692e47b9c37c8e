#pragma once

namespace Terminal::Market {

// The shape of an implied volatility surface, all as fractions per year.
struct SurfaceParameters {
    // At-the-money volatility of an expiry three months out.
    double level = 0.2;
    // Change of the at-the-money volatility per year of expiry beyond (or before) three months.
    double term = 0;
    // Slope of the smile in log-moneyness x = ln(K / F) at three months (negative: puts dearer);
    // it steepens for nearer expiries as 1 / √(T / 0.25).
    double skew = 0;
    // Curvature of the smile in x, scaled like the skew.
    double smile = 0;

    bool operator==(const SurfaceParameters&) const = default;
};

// The implied volatility of one family of options (one underlying, or the index options of every
// month) at a strike and an expiry:
//
//   atm(T)  = level + term × (T − 0.25)
//   σ(x, T) = atm(T) + (skew × x + smile × x²) / √(T / 0.25),   x = ln(K / F), F the forward
//
// held within [kFloor, kCeiling]. Expiries nearer than a day count as a day.
class VolatilitySurface {
public:
    static constexpr double kFloor = 0.03;
    static constexpr double kCeiling = 3.0;

    explicit VolatilitySurface(SurfaceParameters base = {});

    const SurfaceParameters& Parameters() const { return m_now; }
    // Sets the surface as it is now; the walk keeps returning towards the base.
    void Set(const SurfaceParameters& parameters) { m_now = parameters; }

    double Volatility(double logMoneyness, double years) const;

    // One step of the live walk after the underlying moved by a log return: the level moves
    // against the underlying (a fall lifts it), drifts back towards its base, and takes a small
    // shock (a standard normal draw).
    void Walk(double underlyingReturn, double shock);

private:
    SurfaceParameters m_base;
    SurfaceParameters m_now;
};

}  // namespace Terminal::Market
