#include "option/pricing/ShortOptionAnalysis.h"

#include <algorithm>
#include <cstdio>

#include "option/pricing/BinomialTree.h"
#include "option/pricing/ImpliedVolatility.h"
#include "option/pricing/OptionGreeks.h"
#include "option/pricing/OptionPricing.h"
#include "option/pricing/RangeProbability.h"

namespace OptionPricing {

namespace {

constexpr int kTreeSteps = 20;
constexpr double kLeastProbability = 0.000001;

bool IsPercent(double value) {
    return value >= 0 && value < 100;
}

double IntrinsicValue(bool put, double underlying, double K) {
    if (put) {
        return underlying < K ? K - underlying : 0.0;
    }
    return underlying > K ? underlying - K : 0.0;
}

}  // namespace

SellLadderFault CheckSellLadder(const SellLadder& ladder) {
    if (!(ladder.stepPercent > 0)) {
        return SellLadderFault::kStep;
    }
    if (ladder.rowsEachSide < 1 || ladder.rowsEachSide > kMaxRowsEachSide) {
        return SellLadderFault::kRows;
    }
    if (ladder.stepPercent * ladder.rowsEachSide >= 100) {
        return SellLadderFault::kReach;
    }
    if (!IsPercent(ladder.calmerPercent)) {
        return SellLadderFault::kCalmer;
    }
    if (!IsPercent(ladder.wilderPercent)) {
        return SellLadderFault::kWilder;
    }
    return SellLadderFault::kNone;
}

ShortOptionAnalysis AnalyseShortOption(const ShortOption& o, const SellLadder& ladder) {
    ShortOptionAnalysis a;
    const double T = o.dayCount / 365.0;
    const double sigma = o.historicalVolatility;

    OptionPricing::ImpliedVolatility(o.put, o.optionType, o.S, o.K, sigma, o.r, T, o.sellPrice,
                                     a.impliedVolatility);
    a.theoreticalPrice = o.exerciseStyle == 1
                             ? BinomialPrice(o.put, o.optionType, o.S, o.K, sigma, o.r, T, kTreeSteps, true)
                             : OptionPrice(o.put, o.optionType, o.S, o.K, sigma, o.r, T);
    const OptionGreeks greeks =
        OptionPriceAndGreeks(o.put, o.optionType, o.S, o.K, sigma, o.r, static_cast<float>(T));
    a.delta = greeks.delta;
    a.gamma = greeks.gamma;
    a.theta = greeks.theta;
    a.vega = greeks.vega;
    a.rho = greeks.rho;
    a.intrinsicValue = IntrinsicValue(o.put != 0, o.S, o.K);
    a.timeValue = std::max(0.0, o.sellPrice - a.intrinsicValue);

    const double step = ladder.stepPercent / 100;
    const double halfBand = ladder.stepPercent * o.K / 100 * 0.5;
    const std::array<double, kRegimes> volatility = {sigma * (1 - ladder.calmerPercent / 100), sigma,
                                                     sigma * (1 + ladder.wilderPercent / 100)};
    std::array<double, kRegimes> weighted{};
    std::array<double, kRegimes> total{};
    for (int k = ladder.rowsEachSide; k >= -ladder.rowsEachSide; --k) {
        ProfitRow row;
        row.price = o.S * (1 + step * k);
        row.profit =
            static_cast<float>((o.sellPrice - IntrinsicValue(o.put != 0, row.price, o.K)) * o.quantity);
        for (int regime = 0; regime < kRegimes; ++regime) {
            row.probability[regime] = static_cast<float>(RangeProbability(
                o.optionType, o.S, row.price + halfBand, row.price - halfBand, volatility[regime], o.r, T));
            weighted[regime] += double(row.profit) * row.probability[regime];
            total[regime] += row.probability[regime];
        }
        a.rows.push_back(row);
    }
    for (int regime = 0; regime < kRegimes; ++regime) {
        a.averageProfit[regime] = total[regime] > kLeastProbability ? weighted[regime] / total[regime] : 0.0;
    }
    return a;
}

std::string PriceLabel(double price, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, 15), price);
    return text;
}

}  // namespace OptionPricing
