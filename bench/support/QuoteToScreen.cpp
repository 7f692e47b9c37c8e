#include "QuoteToScreen.h"

#include <malloc.h>

#include <unistd.h>
#include <QDir>
#include <QEvent>
#include <chrono>
#include <fstream>

#include "Percentile.h"
#include "RunMeters.h"
#include "SteadyPusher.h"
#include "frame/ThisComponent.h"

namespace Bench {

namespace {

using Clock = std::chrono::steady_clock;

double HeapInUseKb() {
    return double(mallinfo2().uordblks) / 1024;
}

long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int64_t paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

}  // namespace

std::unique_ptr<Terminal::HostRuntime> StartHost() {
    // The terminal works in the run layout's bin folder: the tools find their images and
    // settings relative to it (and write theirs there).
    QDir::setCurrent(QStringLiteral(KRT_DIST_BIN));
    Terminal::HostOptions options;
    options.tradingDay = QDate(2024, 3, 15);
    auto host = std::make_unique<Terminal::HostRuntime>(options);
    host->LoadComponent([](auto h) { return new ThisComponent(h.Get()); }, [](auto* c) { delete c; });
    return host;
}

void MeasureQuoteToScreen(benchmark::State& state, Terminal::HostRuntime& host,
                          const Terminal::Market::Instrument& instrument, const QuoteWindow& window) {
    const int rate = static_cast<int>(state.range(0));
    const auto duration = std::chrono::seconds(state.range(1));
    host.Market().SetBestQuote(instrument.index, instrument.reference - instrument.tick, 10,
                               instrument.reference + instrument.tick, 10);
    host.Settle();
    RunEventLoopFor(std::chrono::milliseconds(200));

    PaintCounter ladderPaints(window.ladderViewport);
    std::vector<double> latencies;
    latencies.reserve(size_t(duration.count()) * 1000);
    window.setQuoteShownObserver(
        [&latencies](int64_t enqueuedNs) { latencies.push_back((NowNs() - enqueuedNs) / 1e6); });

    for (auto _ : state) {
        // A walk over 40 ticks, so every quote moves the last-price row.
        SteadyPusher pusher(rate, [&host, &instrument](int64_t step) {
            host.Market().UpdateSnapshot(instrument.index, [&](Kora::Interface::QuoteSnapshot& s) {
                s.last = static_cast<int32_t>(instrument.reference + WalkOffset(step) * instrument.tick);
            });
        });
        RunEventLoopFor(std::chrono::seconds(1));
        latencies.clear();
        const long residentAfterFirstSecond = ResidentKb();
        const double heapAfterFirstSecond = HeapInUseKb();
        const double processCpu = ProcessCpuSeconds();
        const double uiCpu = ThreadCpuSeconds();
        const int64_t pushedBefore = pusher.Pushed();
        const uint64_t shownAfterFirstSecond = window.quotesShown();
        const uint64_t receivedAfterFirstSecond = window.quotesReceived();
        const int64_t paintsAfterFirstSecond = ladderPaints.paints;
        const auto start = Clock::now();
        RunEventLoopFor(duration);
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        state.counters["process_cpu_pct"] = 100 * (ProcessCpuSeconds() - processCpu) / wall;
        state.counters["ui_cpu_pct"] = 100 * (ThreadCpuSeconds() - uiCpu) / wall;
        state.counters["pushes_per_s"] = double(pusher.Pushed() - pushedBefore) / wall;
        state.counters["received_per_s"] = double(window.quotesReceived() - receivedAfterFirstSecond) / wall;
        state.counters["shown_per_s"] = double(window.quotesShown() - shownAfterFirstSecond) / wall;
        state.counters["ladder_paints_per_s"] = double(ladderPaints.paints - paintsAfterFirstSecond) / wall;
        state.counters["rss_growth_kb"] = double(ResidentKb() - residentAfterFirstSecond);
        state.counters["heap_growth_kb"] = HeapInUseKb() - heapAfterFirstSecond;
    }
    window.setQuoteShownObserver({});
    state.counters["p50_ms"] = Percentile(latencies, 0.50);
    state.counters["p99_ms"] = Percentile(latencies, 0.99);
    state.counters["max_ms"] = Percentile(latencies, 1.0);
}

}  // namespace Bench
