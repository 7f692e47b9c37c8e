#include "market/OptionMargin.h"

#include <algorithm>

namespace Terminal::Market {

double ShortOptionMargin(const Instrument& option, const Instrument& underlying, double optionPrice,
                         double underlyingPrice) {
    const OptionTerms& terms = *option.option;
    const double k = option.ToPrice(terms.strike);
    const double s = underlyingPrice;
    const double p = optionPrice;
    const double unit = option.multiplier;
    const double outOfTheMoney = terms.isPut ? std::max(s - k, 0.0) : std::max(k - s, 0.0);
    if (option.kind == InstrumentKind::FutureOption) {
        const double futureMargin = s * unit * underlying.marginRate;
        return p * unit + std::max(futureMargin - 0.5 * outOfTheMoney * unit, 0.5 * futureMargin);
    }
    if (terms.isPut) {
        return std::min(p + std::max(0.12 * s - outOfTheMoney, 0.07 * k), k) * unit;
    }
    return (p + std::max(0.12 * s - outOfTheMoney, 0.07 * s)) * unit;
}

}  // namespace Terminal::Market
