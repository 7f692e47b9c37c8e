#include "QuoteToScreen.h"

#include <malloc.h>
#include <sys/resource.h>

#include <time.h>
#include <unistd.h>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "Percentile.h"
#include "frame/ThisComponent.h"

namespace Bench {

namespace {

using Clock = std::chrono::steady_clock;

int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double ThreadCpuSeconds() {
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return time.tv_sec + time.tv_nsec / 1e9;
}

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

// Moves the contract's last price `rate` times a second, in batches of a millisecond or more.
class MarketPusher {
public:
    MarketPusher(Terminal::Market::Simulator& market, const Terminal::Market::Instrument& instrument,
                 int rate)
        : m_thread([this, &market, &instrument, rate] {
              const auto period =
                  std::chrono::nanoseconds(std::max<int64_t>(1'000'000, 1'000'000'000 / rate));
              const int64_t perBatch = std::max<int64_t>(1, rate * period.count() / 1'000'000'000);
              auto next = Clock::now();
              int64_t step = 0;
              while (!m_stop) {
                  for (int64_t i = 0; i < perBatch; ++i, ++step) {
                      const int64_t offset = (step % 40 < 20 ? step % 20 : 20 - step % 20) - 10;
                      market.UpdateSnapshot(instrument.index, [&](Kora::Interface::QuoteSnapshot& s) {
                          s.last = static_cast<int32_t>(instrument.reference + offset * instrument.tick);
                      });
                  }
                  m_pushed += perBatch;
                  next += period;
                  std::this_thread::sleep_until(next);
              }
          }) {}
    ~MarketPusher() {
        m_stop = true;
        m_thread.join();
    }
    int64_t Pushed() const { return m_pushed; }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<int64_t> m_pushed{0};
    std::thread m_thread;
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

void RunEventLoopFor(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
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
        MarketPusher pusher(host.Market(), instrument, rate);
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
