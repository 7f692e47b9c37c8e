#include "market/OptionMath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Terminal::Market {

namespace {

double NormalPdf(double x) {
    return std::exp(-0.5 * x * x) / std::sqrt(2.0 * std::numbers::pi);
}

OptionFigures AtLimit(const OptionInputs& in) {
    OptionFigures out;
    double discount = in.onFuture ? std::exp(-in.rate * std::max(in.years, 0.0)) : 1.0;
    double intrinsic = in.isPut ? in.strike - in.underlying : in.underlying - in.strike;
    out.price = std::max(intrinsic, 0.0) * discount;
    if (intrinsic > 0) {
        out.delta = (in.isPut ? -1.0 : 1.0) * discount;
    }
    return out;
}

}  // namespace

double NormalCdf(double x) {
    return 0.5 * std::erfc(-x / std::numbers::sqrt2);
}

OptionFigures ValueOption(const OptionInputs& in) {
    if (in.years <= 0 || in.volatility <= 0 || in.underlying <= 0 || in.strike <= 0) {
        return AtLimit(in);
    }
    const double s = in.underlying;
    const double k = in.strike;
    const double r = in.rate;
    const double t = in.years;
    const double sqrtT = std::sqrt(t);
    const double volT = in.volatility * sqrtT;
    const double d1 =
        (std::log(s / k) +
         (in.onFuture ? 0.5 * in.volatility * in.volatility : r + 0.5 * in.volatility * in.volatility) * t) /
        volT;
    const double d2 = d1 - volT;
    const double discount = std::exp(-r * t);
    const double carry = in.onFuture ? discount : 1.0;  // discount on the underlying's leg

    OptionFigures out;
    if (in.isPut) {
        out.price = k * discount * NormalCdf(-d2) - s * carry * NormalCdf(-d1);
        out.delta = -carry * NormalCdf(-d1);
        out.rho = in.onFuture ? -t * out.price : -k * t * discount * NormalCdf(-d2);
    } else {
        out.price = s * carry * NormalCdf(d1) - k * discount * NormalCdf(d2);
        out.delta = carry * NormalCdf(d1);
        out.rho = in.onFuture ? -t * out.price : k * t * discount * NormalCdf(d2);
    }
    out.gamma = carry * NormalPdf(d1) / (s * volT);
    out.vega = s * carry * NormalPdf(d1) * sqrtT;
    double decay = -s * carry * NormalPdf(d1) * in.volatility / (2.0 * sqrtT);
    if (in.onFuture) {
        out.theta = decay + r * out.price;
    } else if (in.isPut) {
        out.theta = decay + r * k * discount * NormalCdf(-d2);
    } else {
        out.theta = decay - r * k * discount * NormalCdf(d2);
    }
    out.theta /= 365.0;
    out.vega /= 100.0;
    out.rho /= 100.0;
    return out;
}

}  // namespace Terminal::Market
