#include "market/VolatilitySurface.h"

#include <algorithm>
#include <cmath>

namespace Terminal::Market {

namespace {

constexpr double kReferenceYears = 0.25;
constexpr double kShortestYears = 1.0 / 365.0;
// How strongly the level answers the underlying: a 1 % fall lifts it by about 2.5 %.
constexpr double kSpotElasticity = 2.5;
constexpr double kReversion = 0.02;
constexpr double kLevelNoise = 0.002;

}  // namespace

VolatilitySurface::VolatilitySurface(SurfaceParameters base) : m_base(base), m_now(base) {}

double VolatilitySurface::Volatility(double logMoneyness, double years) const {
    const double t = std::max(years, kShortestYears);
    const double atm = m_now.level + m_now.term * (t - kReferenceYears);
    const double shape = (m_now.skew * logMoneyness + m_now.smile * logMoneyness * logMoneyness) /
                         std::sqrt(t / kReferenceYears);
    return std::clamp(atm + shape, kFloor, kCeiling);
}

void VolatilitySurface::Walk(double underlyingReturn, double shock) {
    const double moved = m_now.level * std::exp(-kSpotElasticity * underlyingReturn + kLevelNoise * shock);
    m_now.level = std::clamp(moved + kReversion * (m_base.level - moved), kFloor, kCeiling);
}

}  // namespace Terminal::Market
