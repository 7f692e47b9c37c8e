#include "option/OptionStepModes.h"

#include <algorithm>
#include <cmath>

#include "ladder/LadderModel.h"

namespace OptionStepModes {

namespace {

bool Holds(const std::vector<double>& middle, double price) {
    return price <= 0 || std::any_of(middle.begin(), middle.end(), [price](double entry) {
               return std::abs(entry - price) <= LadderModel::kPriceEpsilon;
           });
}

}  // namespace

std::vector<double> MiddleList(const LadderBestQuote& quote, double lastPrice) {
    std::vector<double> prices;
    const auto take = [&prices](double price) {
        if (price > 0 && std::isfinite(price)) {
            prices.push_back(price);
        }
    };
    // Five levels a side at most, whatever the depth the quote carries.
    for (size_t level = 0; level < 5; ++level) {
        take(level < quote.bidLevels.size() ? quote.bidLevels[level].price
                                            : (level == 0 && quote.bidLevels.empty() ? quote.bidPrice : 0));
        take(level < quote.askLevels.size() ? quote.askLevels[level].price
                                            : (level == 0 && quote.askLevels.empty() ? quote.askPrice : 0));
    }
    // A last price away from the book would hide every price between the two: an order there
    // would show on a row of another price. It joins only inside the book's span.
    const auto [low, high] = std::minmax_element(prices.begin(), prices.end());
    if (prices.empty() ||
        (lastPrice >= *low - LadderModel::kPriceEpsilon && lastPrice <= *high + LadderModel::kPriceEpsilon)) {
        take(lastPrice);
    }
    std::sort(prices.begin(), prices.end(), std::greater<>());
    prices.erase(
        std::unique(prices.begin(), prices.end(),
                    [](double a, double b) { return std::abs(a - b) <= LadderModel::kPriceEpsilon; }),
        prices.end());
    return prices;
}

bool HoldsBestPrices(const std::vector<double>& middle, const LadderBestQuote& quote) {
    return Holds(middle, quote.bidPrice) && Holds(middle, quote.askPrice);
}

LadderLayout LayoutOf(const StepMode& mode, std::vector<double> middle) {
    return mode.zoned ? LadderLayout::Zones(mode.ticksPerRow, std::move(middle))
                      : LadderLayout::Steps(mode.ticksPerRow);
}

}  // namespace OptionStepModes
