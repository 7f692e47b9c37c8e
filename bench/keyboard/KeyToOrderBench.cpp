// Key-to-order latency of the keyboard order mode: from a key event entering the terminal's
// application to the order having reached the host's engine (the engine has journalled it).
// The terminal's main window runs offscreen with the real component loaded from the run
// layout, keyboard order mode on and orders sent without confirmation; F1 ("买入开仓") is
// pressed 1,000 times per run. A key enters the application at the main window's native window,
// as the window system delivers it; from there the whole road is synchronous on the UI thread,
// so the time spent delivering the key-down is the latency.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <vector>

#include "Percentile.h"
#include "host/HostRuntime.h"
#include "support/ScriptedOptions.h"
#include "ui/MainWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

void BM_KeyToOrder(benchmark::State& state) {
    Terminal::HostRuntime host(ScriptedOptions());
    host.Settings().SetValue(QStringLiteral("公共参数键盘下单设置"), QStringLiteral("下单无需确认"), true);
    host.Market().SetCash("E1008", 1e12);
    if (!host.LoadComponentLibrary(QStringLiteral(KRT_DIST_BIN "/libKRTTools.so"))) {
        state.SkipWithError(host.LastError().toStdString().c_str());
        return;
    }
    const Terminal::Market::Instrument& future = host.Instrument("DCE", "m2408");
    host.Market().SetBestQuote(future.index, future.ToUnits(3000), 10000, future.ToUnits(3001), 10000);
    Terminal::Ui::MainWindow window(host);
    window.show();
    window.RunInstruct(QStringLiteral("OpenShortcutTrade"));
    host.Settle();
    QApplication::processEvents();

    std::vector<double> samples;
    for (auto _ : state) {
        const size_t journalled = host.GetJournal().Size();
        QKeyEvent down(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        const auto start = Clock::now();
        QApplication::sendEvent(window.windowHandle(), &down);
        const auto end = Clock::now();
        if (host.GetJournal().Size() != journalled + 1) {
            state.SkipWithError("the key press sent no order");
            break;
        }
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(window.windowHandle(), &up);
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        samples.push_back(seconds * 1e3);
        // Answers to the orders are delivered between presses, as the event loop would.
        host.Settle();
    }
    if (!samples.empty()) {
        state.counters["p50_ms"] = Bench::Percentile(samples, 0.50);
        state.counters["p99_ms"] = Bench::Percentile(samples, 0.99);
        state.counters["max_ms"] = *std::max_element(samples.begin(), samples.end());
    }
}
BENCHMARK(BM_KeyToOrder)->UseManualTime()->Iterations(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
