// The cost of one sum of the position risk window: the totals of both sets and the curves of
// 200 positions on the chosen underlying over one axis (100 points, five Greeks each, through
// the fused valuation routine), as the window recomputes it on every quote and every change.

#include <benchmark/benchmark.h>

#include <random>

#include "analysis/CSumAnalyzeData.h"

namespace {

Kora::Interface::QuoteKey Underlying() {
    Kora::Interface::QuoteKey key;
    key.marketId = 1;
    key.code = QStringLiteral("510050");
    return key;
}

// Calls and puts, long and short, 1 to 10 lots, strikes 70 % to 130 % of the underlying, a week
// to a year left; a fixed seed, so every run sums the same book.
Json::Value Book(int positions) {
    std::mt19937 random(20240315);
    std::uniform_int_distribution<int> coin(0, 1);
    std::uniform_int_distribution<int> lots(1, 10);
    std::uniform_int_distribution<int> days(7, 365);
    std::uniform_int_distribution<int> strike(210, 390);
    Json::Value records(Json::arrayValue);
    for (int i = 0; i < positions; ++i) {
        Json::Value record(Json::objectValue);
        record["Check"] = "1";
        record["112"] = coin(random) ? "0" : "1";
        record["135"] = std::to_string(lots(random));
        record["138"] = "0.1";
        record["Subject"] = Underlying().ToJson();
        record["OptionType"] = "0";
        record["PutCall"] = std::to_string(coin(random));
        record["ExercisePrice"] = QString::number(strike(random) / 100.0).toStdString();
        record["MaturityDays"] = std::to_string(days(random));
        records.append(record);
    }
    return records;
}

void BM_SumOverPositions(benchmark::State& state) {
    const auto axis = static_cast<RiskCurves::Axis>(state.range(1));
    UnderlyingParameters parameters;
    AnalyzeParameters market;
    market.Bdjg = 3.0f;
    market.Lsbdl = 0.22f;
    market.lv = 0.025f;
    parameters.Set(Underlying(), market);
    CPositionAnalyzeData real(parameters, nullptr);
    CPositionAnalyzeData simulated(parameters, nullptr);
    CSumAnalyzeData sum(parameters, nullptr, real, simulated);
    real.SetRecords(Book(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        sum.Sum(Underlying(), axis);
        benchmark::DoNotOptimize(sum.Total());
    }
}
// Arguments: positions, axis (0 price, 3 days left).
BENCHMARK(BM_SumOverPositions)->Args({200, 0})->Args({200, 1})->Args({200, 3})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
