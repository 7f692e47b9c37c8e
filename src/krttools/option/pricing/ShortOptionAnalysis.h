#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace OptionPricing {

// What a trader who considers writing an option sees: the option's implied volatility at the
// planned selling price, its value and sensitivities at the historical volatility, and the
// profit of the short position over a ladder of underlying prices at expiry, each with the
// chance that the underlying ends near that price under three volatility regimes.

// The three regimes, in table order: "波动趋平" (calmer than the historical volatility),
// "正常波动" (the historical volatility), "波动加剧" (wilder).
inline constexpr int kRegimes = 3;

// The ladder of prices and the regimes. Rows are S × (1 + stepPercent/100 × k) for k from
// rowsEachSide down to −rowsEachSide, highest first; each row's band reaches half a step of the
// strike (stepPercent × K / 100 × 0.5) either side of its price. The regimes' volatilities are
// σh × (1 − calmerPercent/100), σh and σh × (1 + wilderPercent/100).
struct SellLadder {
    double stepPercent = 10;
    int rowsEachSide = 4;
    double calmerPercent = 5;
    double wilderPercent = 5;
};

inline constexpr int kMaxRowsEachSide = 20;

// Why a ladder cannot be used: the step is not above 0; fewer rows than 1 or more than
// kMaxRowsEachSide each side; step × rows reaches 100 %, so that the lowest row's price is at or
// below 0; a regime's percent below 0 or at or above 100.
enum class SellLadderFault { kNone, kStep, kRows, kReach, kCalmer, kWilder };
SellLadderFault CheckSellLadder(const SellLadder& ladder);

// The option and the planned sale. put and optionType as the closed forms take them;
// exerciseStyle 0 European, 1 American (valued on the tree), anything else like European.
// dayCount is the remaining days plus one; T = dayCount / 365.
struct ShortOption {
    int32_t put = 0;
    int32_t optionType = 0;
    int32_t exerciseStyle = 0;
    double S = 0;
    double K = 0;
    double historicalVolatility = 0;
    double r = 0;
    int32_t dayCount = 0;
    double sellPrice = 0;
    int32_t quantity = 0;
};

struct ProfitRow {
    double price;  // of the underlying at expiry
    // Of the short position at that price: (selling price − the option's intrinsic value there)
    // × quantity, the same in every regime.
    float profit;
    // That the underlying, now at S, ends within the row's band, per regime.
    std::array<float, kRegimes> probability;
};

struct ShortOptionAnalysis {
    double impliedVolatility = 0;  // 0 when no volatility prices the option at the selling price
    // The binomial tree's value (20 steps, early exercise) for an American option, the closed
    // form otherwise; −1 when the inputs are out of range.
    double theoreticalPrice = 0;
    // At the historical volatility, with T rounded to single precision.
    double delta = 0, gamma = 0, theta = 0, vega = 0, rho = 0;
    double intrinsicValue = 0;  // at S
    double timeValue = 0;       // selling price less the intrinsic value, not below 0
    std::vector<ProfitRow> rows;
    // Σ(profit × probability) / Σ probability over the rows, per regime; 0 when the
    // probabilities add up to no more than 0.000001.
    std::array<double, kRegimes> averageProfit{};
};

// The whole analysis. Out-of-range inputs give the routines' fixed results (a zero historical
// volatility: price −1, Delta 1, the other sensitivities 0, every probability 0). The ladder is
// taken as it is: check it first.
ShortOptionAnalysis AnalyseShortOption(const ShortOption& option, const SellLadder& ladder);

// A row's price as the profit table labels it: with the contract's decimals (0 to 15).
std::string PriceLabel(double price, int decimals);

}  // namespace OptionPricing
