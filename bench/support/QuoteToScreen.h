#pragma once

// How long a quote takes from the terminal's high-performance centre to a quick-mouse window's
// ladder on screen, and what the terminal spends on it, while the simulated market pushes
// quotes of the window's contract at a steady rate (the first benchmark argument, pushes per
// second; the second, the seconds measured after one second of warm-up).
//
// A market thread moves the contract's last price over 40 ticks; each quote the window shows is timed from
// the push's stamp (taken as it enters the centre) to the end of the ladder's next paint. Counters:
//   p50_ms, p99_ms, max_ms  quote-to-screen latency of the quotes shown
//   process_cpu_pct         the whole process (market thread, centre, window) over wall time,
//                           in percent of one core
//   ui_cpu_pct              the window's thread alone
//   pushes_per_s            quotes the market pushed, received_per_s those that reached the window
//   shown_per_s             quotes the window showed; ladder_paints_per_s the ladder's paints
//   rss_growth_kb           resident memory at the end less that after the first second
//   heap_growth_kb          the same for the heap in use (without the allocator's spare pages)

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QEvent>
#include <QWidget>
#include <chrono>
#include <fstream>

#include "Percentile.h"
#include "RunMeters.h"
#include "SteadyPusher.h"
#include "frame/ThisComponent.h"
#include "host/HostRuntime.h"
#include "support/ScriptedOptions.h"

namespace Bench {

using Clock = std::chrono::steady_clock;

inline double HeapInUseKb() {
    return double(mallinfo2().uordblks) / 1024;
}

inline long ResidentKb() {
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

// The scripted terminal of 15 March 2024 with the component loaded in this process as the
// terminal loads it, and one of its windows made through the content-window service for an
// account (also made the terminal's current one, which the stock window trades on), shown
// offscreen.
class WindowOnHost {
public:
    WindowOnHost(const QString& type, const QString& account) : m_host(ScriptedOptions()) {
        m_host.LoadComponent([](auto h) { return new ThisComponent(h.Get()); }, [](auto* c) { delete c; });
        m_host.Engine().SetCurrentAccount(account.toStdString());
        window = m_host.ContentWindows().CreateContentWindow(type, {{QStringLiteral("EAccountID"), account}});
        window->Move(0, 0, 560, 640);
        window->Show(true);
    }
    ~WindowOnHost() { m_host.ContentWindows().DestroyContentWindow(window); }
    Terminal::HostRuntime& Host() { return m_host; }

    Kora::Utility::Handle<Kora::Interface::ContentWindowI> window;

private:
    Terminal::HostRuntime m_host;
};

// Measures a shown window: anything with Ladder().viewport(), SetQuoteShownObserver(),
// QuotesShown() and QuotesReceived().
template <class Window>
void MeasureQuoteToScreen(benchmark::State& state, Terminal::HostRuntime& host, Window& window,
                          const Terminal::Market::Instrument& instrument) {
    const int rate = static_cast<int>(state.range(0));
    const auto duration = std::chrono::seconds(state.range(1));
    host.Settle();
    RunEventLoopFor(std::chrono::milliseconds(200));

    PaintCounter ladderPaints(window.Ladder().viewport());
    std::vector<double> latencies;
    latencies.reserve(size_t(duration.count()) * 1000);
    window.SetQuoteShownObserver(
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
        const uint64_t shownAfterFirstSecond = window.QuotesShown();
        const uint64_t receivedAfterFirstSecond = window.QuotesReceived();
        const int64_t paintsAfterFirstSecond = ladderPaints.paints;
        const auto start = Clock::now();
        RunEventLoopFor(duration);
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        state.counters["process_cpu_pct"] = 100 * (ProcessCpuSeconds() - processCpu) / wall;
        state.counters["ui_cpu_pct"] = 100 * (ThreadCpuSeconds() - uiCpu) / wall;
        state.counters["pushes_per_s"] = double(pusher.Pushed() - pushedBefore) / wall;
        state.counters["received_per_s"] = double(window.QuotesReceived() - receivedAfterFirstSecond) / wall;
        state.counters["shown_per_s"] = double(window.QuotesShown() - shownAfterFirstSecond) / wall;
        state.counters["ladder_paints_per_s"] = double(ladderPaints.paints - paintsAfterFirstSecond) / wall;
        state.counters["rss_growth_kb"] = double(ResidentKb() - residentAfterFirstSecond);
        state.counters["heap_growth_kb"] = HeapInUseKb() - heapAfterFirstSecond;
    }
    window.SetQuoteShownObserver({});
    state.counters["p50_ms"] = Percentile(latencies, 0.50);
    state.counters["p99_ms"] = Percentile(latencies, 0.99);
    state.counters["max_ms"] = Percentile(latencies, 1.0);
}

}  // namespace Bench
