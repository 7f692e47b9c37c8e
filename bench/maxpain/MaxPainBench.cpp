// The maximum-pain analysis of a 400-strike chain, as the trade statistics window and
// `krt-optcalc maxpain` run it. Every input is first checked against the definition (every
// strike against every strike); a benchmark whose result differs reports an error instead of
// a time.
//
//   build/bench/bench_max_pain

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "option/pricing/MaxPain.h"
#include "support/MaxPainByDefinition.h"

namespace {

using OptionPricing::MaxPainStrike;

constexpr int kStrikes = 400;

// A chain of evenly spaced strikes (ETF-like: 0.05 apart, divisor 10000) whose open interest
// peaks near the money, an unknown contract now and then, in ascending order or shuffled.
std::vector<MaxPainStrike> Chain(uint64_t seed, bool shuffled) {
    std::mt19937_64 random(seed);
    std::vector<MaxPainStrike> strikes;
    for (int i = 0; i < kStrikes; ++i) {
        const double distance = std::abs(i - kStrikes / 2) / double(kStrikes / 2);
        const auto interest = [&]() -> std::optional<int64_t> {
            if (random() % 50 == 0) {
                return std::nullopt;
            }
            return int64_t((1.0 - distance) * 20000) + int64_t(random() % 3000);
        };
        strikes.push_back({20000 + i * 500, 10000, interest(), interest()});
    }
    if (shuffled) {
        std::shuffle(strikes.begin(), strikes.end(), random);
    }
    return strikes;
}

bool SameResult(const OptionPricing::MaxPainResult& a, const OptionPricing::MaxPainResult& b) {
    return a.price == b.price && a.points.size() == b.points.size() &&
           std::equal(a.points.begin(), a.points.end(), b.points.begin(), [](const auto& x, const auto& y) {
               return x.strike == y.strike && x.price == y.price && x.callPain == y.callPain &&
                      x.putPain == y.putPain;
           });
}

void MaxPainOf400Strikes(benchmark::State& state) {
    const bool shuffled = state.range(1) != 0;
    const std::vector<MaxPainStrike> chain = Chain(uint64_t(state.range(0)), shuffled);
    const auto fast = OptionPricing::MaxPain(chain);
    if (!fast || !SameResult(*fast, MaxPainByDefinition(chain))) {
        state.SkipWithError("differs from the definition");
        return;
    }
    for (auto _ : state) {
        auto result = OptionPricing::MaxPain(chain);
        benchmark::DoNotOptimize(result);
    }
    state.SetLabel(shuffled ? "shuffled" : "ascending");
}

BENCHMARK(MaxPainOf400Strikes)
    ->ArgsProduct({{1, 2, 3}, {0, 1}})
    ->ArgNames({"seed", "shuffled"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
