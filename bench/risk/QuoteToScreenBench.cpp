// How long a quote of the chosen underlying takes to reach the screen of the position risk
// window holding 200 option positions on it: each push revalues every position, sums both sets
// over the charts' axis and redraws both lists and both charts.
//
// The component runs in this process as the terminal loads it (its window made through the
// content-window service, shown offscreen at its usual size) on the stock-option account, which
// holds 200 positions on the fund's options (every option of every month, long and short, in
// more than one hedge class until there are 200); a market thread moves the fund's last price at
// the rate given. Each quote handled is timed from the push's stamp (taken as it enters the
// centre) to the end of the last of the four paints that follow it. Counters:
//   p50_ms, p99_ms, max_ms  push-to-screen latency of the quotes handled
//   pushes_per_s            quotes the market pushed, received_per_s those that reached the window,
//                           shown_per_s those handled and painted (later pushes replace one not yet
//                           handled)
//   positions               rows of the account's positions (without the total row)

#include <benchmark/benchmark.h>

#include <chrono>

#include "Percentile.h"
#include "RunMeters.h"
#include "SteadyPusher.h"
#include "analysis/CDlgPositionAnalyze.h"
#include "frame/ThisComponent.h"
#include "frame/ToolWindows.h"
#include "host/HostRuntime.h"
#include "support/ScriptedOptions.h"

namespace {

constexpr int kPositions = 200;
const char* const kAccount = "E1006";

// Holds kPositions positions on the underlying's options, one or two lots each at the option's
// mark price: returns how many were taken.
int HoldOptions(Terminal::Market::Simulator& market, int underlying) {
    const Terminal::Market::InstrumentCatalogue& catalogue = market.Catalogue();
    int held = 0;
    for (char hedge : {'1', '2', '3'}) {
        for (const std::string& month : catalogue.Months(underlying)) {
            for (int option : catalogue.Options(underlying, month)) {
                for (auto side :
                     {Terminal::Market::PositionSide::Long, Terminal::Market::PositionSide::Short}) {
                    if (held == kPositions) {
                        return held;
                    }
                    const auto& instrument = *catalogue.At(option);
                    const int64_t price = std::max<int64_t>(1, instrument.ToUnits(market.MarkPrice(option)));
                    held += market.AddPosition(kAccount, option, side, 1 + held % 2, price, false, hedge);
                }
            }
        }
    }
    return held;
}

void BM_QuoteToScreen(benchmark::State& state) {
    const int rate = static_cast<int>(state.range(0));
    const auto duration = std::chrono::seconds(state.range(1));
    Terminal::HostRuntime host(ScriptedOptions());
    const int fund = host.Market().Catalogue().Underlyings()[1];
    if (HoldOptions(host.Market(), fund) != kPositions) {
        state.SkipWithError("the fund has too few options for the positions asked");
        return;
    }
    host.Engine().SetCurrentAccount(kAccount);
    host.LoadComponent([](auto h) { return new ThisComponent(h.Get()); }, [](auto* c) { delete c; });
    auto window = host.ContentWindows().CreateContentWindow(QStringLiteral("PositionAnalyze"), {});
    auto* dialog = dynamic_cast<CDlgPositionAnalyze*>(dynamic_cast<ToolWindow&>(*window).Dialog());
    window->Move(0, 0, 1180, 820);
    window->Show(true);
    host.Settle();
    Bench::RunEventLoopFor(std::chrono::milliseconds(300));
    state.counters["positions"] = dialog->RealSet().RowCount() - 1;

    std::vector<double> latencies;
    latencies.reserve(size_t(duration.count()) * size_t(rate));
    dialog->SetQuoteShownObserver(
        [&latencies](int64_t enqueuedNs) { latencies.push_back((Bench::NowNs() - enqueuedNs) / 1e6); });
    const auto& underlying = *host.Market().Catalogue().At(fund);
    for (auto _ : state) {
        Bench::SteadyPusher pusher(rate, [&host, &underlying](int64_t step) {
            host.Market().UpdateSnapshot(underlying.index, [&](Kora::Interface::QuoteSnapshot& s) {
                s.last =
                    static_cast<int32_t>(underlying.reference + Bench::WalkOffset(step) * underlying.tick);
            });
        });
        Bench::RunEventLoopFor(std::chrono::seconds(1));
        latencies.clear();
        const int64_t pushedBefore = pusher.Pushed();
        const uint64_t receivedBefore = dialog->QuotesReceived();
        const auto start = std::chrono::steady_clock::now();
        Bench::RunEventLoopFor(duration);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["pushes_per_s"] = double(pusher.Pushed() - pushedBefore) / wall;
        state.counters["received_per_s"] = double(dialog->QuotesReceived() - receivedBefore) / wall;
        state.counters["shown_per_s"] = double(latencies.size()) / wall;
    }
    dialog->SetQuoteShownObserver({});
    state.counters["p50_ms"] = Bench::Percentile(latencies, 0.50);
    state.counters["p99_ms"] = Bench::Percentile(latencies, 0.99);
    state.counters["max_ms"] = Bench::Percentile(latencies, 1.0);
    host.ContentWindows().DestroyContentWindow(window);
}
// Arguments: pushes per second, seconds measured (after one second of warm-up).
BENCHMARK(BM_QuoteToScreen)->Args({50, 10})->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
