// How quickly the terminal's UI thread answers while the market is busy: the main window with
// all six tool windows of the real component open (floating, all visible) and linked, the live market stepped
// so that about 2,000 quotes a second are pushed across all contracts, and a probe thread posting an event to
// the UI thread every 2 ms. The figure is the time from posting a probe to its handling (p50, p99, max), with
// the quote rate actually pushed.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QPoint>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "Percentile.h"
#include "host/HostRuntime.h"
#include "kernel/HostAccess.h"
#include "kernel/QuoteSubscriber.h"
#include "ui/MainWindow.h"
#include "ui/MarketWatch.h"
#include "ui/ToolDock.h"

using namespace Terminal;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kQuotesPerSecond = 2000;
constexpr int kProbeEveryMs = 2;
constexpr int kDriveEveryMs = 5;
constexpr int kMeasureMs = 1000;  // per iteration
constexpr int kWarmUpMs = 500;
constexpr QPoint kToolOrigin{40, 40};
constexpr QPoint kToolSpacing{420, 480};

// Counts the quotes the market pushes, on the high-performance centre's thread.
class QuoteCounter : public Kora::Kernel::QuoteSubscriber {
public:
    std::atomic<int64_t> quotes{0};

protected:
    void Dispatch(int kind, const Kora::Interface::QuotePushRecord&, const Json::Value&) override {
        if (kind == 1) {  // a quote (30001)
            quotes.fetch_add(1, std::memory_order_relaxed);
        }
    }
};

class ProbeEvent : public QEvent {
public:
    static inline const QEvent::Type kType = QEvent::Type(QEvent::registerEventType());
    ProbeEvent() : QEvent(kType), posted(Clock::now()) {}
    Clock::time_point posted;
};

class ProbeSink : public QObject {
public:
    std::vector<double> latenciesMs;

protected:
    void customEvent(QEvent* event) override {
        if (event->type() == ProbeEvent::kType) {
            const auto waited = Clock::now() - static_cast<ProbeEvent*>(event)->posted;
            latenciesMs.push_back(std::chrono::duration<double, std::milli>(waited).count());
        }
    }
};

void BM_UiEventLoopLatencyUnderQuoteLoad(benchmark::State& state) {
    HostOptions options;
    options.workDir = QStringLiteral(KRT_DIST_BIN);
    HostRuntime host(options);  // scripted: the market moves only as this program steps it
    if (!host.LoadComponentLibrary(QStringLiteral(KRT_DIST_BIN "/libKRTTools.so"))) {
        state.SkipWithError(host.LastError().toUtf8().constData());
        return;
    }
    Ui::MainWindow window(host);
    window.show();
    // Every tool floats beside the others, so all six are visible and paint.
    if (const auto types = host.ContentWindows().GetWindowTypes()) {
        int placed = 0;
        for (const Kora::Utility::WStringMap& entry : *types) {
            if (Ui::ToolDock* dock = window.OpenTool(entry.at(QStringLiteral("Type")))) {
                dock->setFloating(true);
                dock->move(kToolOrigin +
                           QPoint(placed % 3 * kToolSpacing.x(), placed / 3 * kToolSpacing.y()));
                ++placed;
            }
        }
    }
    window.Watch()->Choose(0);  // links the tools to the commodity future

    Kora::Kernel::SetHost(host.Host().Get());
    Kora::Utility::Handle<QuoteCounter> counter(new QuoteCounter);
    Kora::Interface::QuoteKeySet every;
    for (const Market::Instrument& instrument : host.Market().Catalogue().All()) {
        every.insert(host.KeyOf(instrument));
    }
    counter->AddQuoteKeys(every);
    counter->Start();

    // The market is stepped on the UI thread, as the terminal's live market is, as often as
    // keeps the pushed quotes at the rate wanted (the count trails the steps a little, so the
    // steps due are judged by the quotes a step has pushed on average so far).
    QElapsedTimer running;
    running.start();
    int64_t steps = 0;
    QTimer drive;
    QObject::connect(&drive, &QTimer::timeout, [&] {
        const int64_t counted = counter->quotes.load();
        const double perStep = steps > 0 && counted > 0 ? double(counted) / double(steps) : 50.0;
        const int64_t due = running.elapsed() * kQuotesPerSecond / 1000;
        const int64_t expected = int64_t(double(steps) * perStep);
        for (int64_t step = 0; step < (due - expected) / std::max<int64_t>(1, int64_t(perStep)); ++step) {
            host.Market().Step();
            ++steps;
        }
    });
    drive.start(kDriveEveryMs);
    // The first layout and paint of every window are not what a trader waits on later.
    QEventLoop loop;
    QTimer::singleShot(kWarmUpMs, &loop, &QEventLoop::quit);
    loop.exec();

    ProbeSink sink;
    std::atomic<bool> probing{true};
    std::thread prober([&] {
        while (probing.load()) {
            QCoreApplication::postEvent(&sink, new ProbeEvent);
            std::this_thread::sleep_for(std::chrono::milliseconds(kProbeEveryMs));
        }
    });

    for (auto _ : state) {
        QTimer::singleShot(kMeasureMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    probing.store(false);
    prober.join();
    drive.stop();
    const double seconds = double(running.elapsed()) / 1000.0;
    counter->Stop();
    QCoreApplication::processEvents();

    state.counters["p50_ms"] = Bench::Percentile(sink.latenciesMs, 0.50);
    state.counters["p99_ms"] = Bench::Percentile(sink.latenciesMs, 0.99);
    state.counters["max_ms"] = Bench::Percentile(sink.latenciesMs, 1.0);
    state.counters["probes"] = double(sink.latenciesMs.size());
    state.counters["quotes_per_s"] = double(counter->quotes.load()) / seconds;
    window.CloseAllTools();
}
BENCHMARK(BM_UiEventLoopLatencyUnderQuoteLoad)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
