// Cost of one valuation through the routines and through QuantLib's Black calculator, over the
// same spread of options. Each benchmark's time is per call (per option).

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <ql/option.hpp>
#include <ql/pricingengines/blackcalculator.hpp>
#include <random>
#include <vector>

#include "option/pricing/ImpliedVolatility.h"
#include "option/pricing/OptionGreeks.h"
#include "option/pricing/OptionPricing.h"

namespace {

struct Inputs {
    int32_t put;
    int32_t optionType;
    double S;
    double K;
    double sigma;
    double r;
    double T;
    double marketPrice;  // the price at sigma, for the volatility search
};

constexpr std::size_t kSpread = 1024;  // a power of two, so cycling through it is a mask

// Calls and puts of both families on underlyings from 2 (fund options) to 5000 (index and
// commodity options), evenly spread in magnitude, with rates 0–6 % and a week to two years to
// expiry. Fixed seed: every run sees the same options.
std::vector<Inputs> MakeSpread(double lowestMoneyness, double highestMoneyness, double lowestSigma,
                               double highestSigma) {
    std::mt19937_64 random(20240607);
    std::uniform_real_distribution<double> moneyness(lowestMoneyness, highestMoneyness);
    std::uniform_real_distribution<double> sigma(lowestSigma, highestSigma);
    std::uniform_real_distribution<double> rate(0.0, 0.06);
    std::uniform_real_distribution<double> time(7.0 / 365, 2.0);
    std::uniform_real_distribution<double> logSpot(std::log(2.0), std::log(5000.0));
    std::vector<Inputs> spread;
    for (std::size_t i = 0; i < kSpread; ++i) {
        Inputs in{};
        in.put = static_cast<int32_t>(i % 2);
        in.optionType = static_cast<int32_t>(i / 2 % 2);
        in.S = std::exp(logSpot(random));
        in.sigma = sigma(random);
        in.r = rate(random);
        in.T = time(random);
        in.K = in.S * moneyness(random);
        in.marketPrice = OptionPricing::OptionPrice(in.put, in.optionType, in.S, in.K, in.sigma, in.r, in.T);
        spread.push_back(in);
    }
    return spread;
}

// Strikes 80–120 % of the underlying, volatilities 10–60 %.
const std::vector<Inputs>& Spread() {
    static const std::vector<Inputs> spread = MakeSpread(0.8, 1.2, 0.1, 0.6);
    return spread;
}

// Strikes 95–105 % of the underlying, volatilities 15–35 %: a start of 30 % is a few points off.
const std::vector<Inputs>& AtTheMoneySpread() {
    static const std::vector<Inputs> spread = MakeSpread(0.95, 1.05, 0.15, 0.35);
    return spread;
}

template <class Valuation>
void Run(benchmark::State& state, const std::vector<Inputs>& spread, Valuation valuation) {
    std::size_t i = 0;
    for (auto _ : state) {
        valuation(spread[i++ & (kSpread - 1)]);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_OptionPrice(benchmark::State& state) {
    Run(state, Spread(), [](const Inputs& in) {
        benchmark::DoNotOptimize(
            OptionPricing::OptionPrice(in.put, in.optionType, in.S, in.K, in.sigma, in.r, in.T));
    });
}

void BM_SeparateGreeks(benchmark::State& state) {
    using namespace OptionPricing;
    Run(state, Spread(), [](const Inputs& in) {
        benchmark::DoNotOptimize(OptionPrice(in.put, in.optionType, in.S, in.K, in.sigma, in.r, in.T));
        benchmark::DoNotOptimize(OptionDelta(in.put, in.optionType, in.S, in.K, in.sigma, in.r, in.T));
        benchmark::DoNotOptimize(OptionGamma(in.optionType, in.S, in.K, in.sigma, in.r, in.T));
        benchmark::DoNotOptimize(OptionTheta(in.put, in.optionType, in.S, in.K, in.sigma, in.r, in.T));
        benchmark::DoNotOptimize(OptionVega(in.optionType, in.S, in.K, in.sigma, in.r, in.T));
        benchmark::DoNotOptimize(OptionRho(in.put, in.optionType, in.S, in.K, in.sigma, in.r, in.T));
    });
}

void BM_FusedGreeks(benchmark::State& state) {
    Run(state, Spread(), [](const Inputs& in) {
        benchmark::DoNotOptimize(
            OptionPricing::OptionPriceAndGreeks(in.put, in.optionType, in.S, in.K, in.sigma, in.r, in.T));
    });
}

void BM_ImpliedVolatility(benchmark::State& state) {
    Run(state, AtTheMoneySpread(), [](const Inputs& in) {
        double sigma = 0;
        benchmark::DoNotOptimize(OptionPricing::ImpliedVolatility(in.put, in.optionType, in.S, in.K, 0.3,
                                                                  in.r, in.T, in.marketPrice, sigma));
        benchmark::DoNotOptimize(sigma);
    });
}

// The same six numbers: spot options on the forward S/D with spot sensitivities, forward
// options on S with forward ones.
void BM_QuantLibGreeks(benchmark::State& state) {
    Run(state, Spread(), [](const Inputs& in) {
        const double D = std::exp(-in.r * in.T);
        const double forward = in.optionType ? in.S : in.S / D;
        const QuantLib::BlackCalculator black(in.put ? QuantLib::Option::Put : QuantLib::Option::Call, in.K,
                                              forward, in.sigma * std::sqrt(in.T), D);
        benchmark::DoNotOptimize(black.value());
        benchmark::DoNotOptimize(in.optionType ? black.deltaForward() : black.delta(in.S));
        benchmark::DoNotOptimize(in.optionType ? black.gammaForward() : black.gamma(in.S));
        benchmark::DoNotOptimize(black.theta(in.S, in.T));
        benchmark::DoNotOptimize(black.vega(in.T));
        benchmark::DoNotOptimize(black.rho(in.T));
    });
}

}  // namespace

BENCHMARK(BM_OptionPrice);
BENCHMARK(BM_SeparateGreeks);
BENCHMARK(BM_FusedGreeks);
BENCHMARK(BM_ImpliedVolatility);
BENCHMARK(BM_QuantLibGreeks);

BENCHMARK_MAIN();
