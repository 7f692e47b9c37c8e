#include "market/OptionQuoting.h"

#include <algorithm>
#include <cmath>

#include "market/InstrumentCatalogue.h"

namespace Terminal::Market {

namespace {

constexpr double kYear = 365.0 * 86400.0;
constexpr double kSpreadRate = 0.002;
constexpr double kWidening = 3.0;
constexpr double kShortestYears = 1.0 / 365.0;

double Rate() {
    return InstrumentCatalogue::kRiskFreeRatePercent / 100.0;
}

bool OnFuture(const Instrument& option) {
    return option.kind == InstrumentKind::FutureOption;
}

}  // namespace

double YearsToExpiry(const OptionTerms& terms, const QDateTime& now) {
    return std::max(0.0, double(now.secsTo(terms.expiry)) / kYear);
}

double LogMoneyness(const Instrument& option, double underlying, double years) {
    if (underlying <= 0) {
        return 0;
    }
    const double forward = OnFuture(option) ? underlying : underlying * std::exp(Rate() * years);
    return std::log(option.ToPrice(option.option->strike) / forward);
}

double SurfaceVolatility(const Instrument& option, const VolatilitySurface& surface, double underlying,
                         double years) {
    return surface.Volatility(LogMoneyness(option, underlying, years), years);
}

OptionFigures ModelFigures(const Instrument& option, const VolatilitySurface& surface, double underlying,
                           double years) {
    const OptionTerms& terms = *option.option;
    return ValueOption({terms.isPut, OnFuture(option), underlying, option.ToPrice(terms.strike),
                        SurfaceVolatility(option, surface, underlying, years), Rate(), years});
}

OptionQuote QuoteOption(const Instrument& option, const VolatilitySurface& surface, double underlying,
                        double years, int64_t upperLimit) {
    OptionQuote quote;
    quote.model = ModelFigures(option, surface, underlying, years).price * option.priceDivisor;
    const double x = LogMoneyness(option, underlying, years);
    const double widening = 1.0 + kWidening * std::abs(x) / std::sqrt(std::max(years, kShortestYears));
    const int64_t halfTicks =
        std::max<int64_t>(1, std::llround(quote.model * kSpreadRate * widening / double(option.tick)));
    const int64_t mid = std::max<int64_t>(0, option.RoundToTick(quote.model));
    const int64_t half = halfTicks * option.tick;
    quote.ask = std::min(std::max(mid + half, option.tick), upperLimit);
    quote.bid = mid - half >= option.tick ? std::min(mid - half, quote.ask - option.tick) : 0;
    return quote;
}

}  // namespace Terminal::Market
