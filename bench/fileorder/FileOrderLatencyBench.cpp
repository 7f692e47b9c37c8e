// How long an order file waits between landing in the order folder of a running terminal and
// its combination request reaching the terminal's journal. A file renamed into the folder is
// scanned as soon as the folder changes, whatever the moment of the 1-second timer: the goal
// is a p99 of at most 50 ms.
//
// Each iteration lands one complete file (written beside the folder, then renamed into it) at
// a random moment of the scan cycle, and times until the journal grows by one request. The
// time of every file is manual time; p50, p99 and the longest are reported as counters.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

#include "OrderFiles.h"
#include "Percentile.h"
#include "TerminalRun.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kScanSeconds = 1;
constexpr double kGoalP99Ms = 50;
constexpr auto kGiveUp = std::chrono::seconds(30);
const QString kOptionAccount = QStringLiteral("10060001");

// The number of combination requests in a journal, read as it grows.
class JournalTail {
public:
    explicit JournalTail(QString path) : m_path(std::move(path)) {}

    int Requests() {
        QFile file(m_path);
        if (file.open(QIODevice::ReadOnly) && file.size() > m_offset && file.seek(m_offset)) {
            m_pending += file.readAll();
            m_offset = file.pos();
            qsizetype end;
            while ((end = m_pending.indexOf('\n')) >= 0) {
                m_requests += m_pending.left(end).contains("\"Kind\":\"Combination\"") ? 1 : 0;
                m_pending.remove(0, end + 1);
            }
        }
        return m_requests;
    }

private:
    QString m_path;
    qint64 m_offset = 0;
    QByteArray m_pending;
    int m_requests = 0;
};

void BM_FileToJournal(benchmark::State& state) {
    FileOrderLayout layout(kScanSeconds);
    TerminalProcess terminal(QStringLiteral(KRT_DIST_BIN_DIR));
    const QString staging = layout.Folder("Staging");
    if (!layout.IsValid() || !QDir().mkpath(staging) || !terminal.Start(layout, true)) {
        state.SkipWithError("the terminal did not start");
        return;
    }
    JournalTail journal(layout.JournalPath());
    std::mt19937 random(1);
    std::uniform_int_distribution<int> phaseMs(0, kScanSeconds * 1000 - 1);
    std::vector<double> latencies;
    int sequence = 2;
    for (auto _ : state) {
        std::this_thread::sleep_for(std::chrono::milliseconds(phaseMs(random)));
        const QString name = QStringLiteral("%1_Order_%2.dbf").arg(kOptionAccount).arg(sequence++);
        OrderFiles::Write(QDir(staging).filePath(name), {{"SHQQ-A", "10000001", "0", "0", "0", "1"}});
        const int expected = journal.Requests() + 1;
        const auto landed = Clock::now();
        if (!QFile::rename(QDir(staging).filePath(name), QDir(layout.Folder("Order")).filePath(name))) {
            state.SkipWithError("the order file could not be moved into the folder");
            break;
        }
        while (journal.Requests() < expected && Clock::now() - landed < kGiveUp) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        const std::chrono::duration<double> waited = Clock::now() - landed;
        if (journal.Requests() < expected) {
            state.SkipWithError("a request never reached the journal");
            break;
        }
        state.SetIterationTime(waited.count());
        latencies.push_back(waited.count() * 1000);
    }
    terminal.Stop();
    if (!latencies.empty()) {
        state.counters["p50_ms"] = Bench::Percentile(latencies, 0.50);
        state.counters["p99_ms"] = Bench::Percentile(latencies, 0.99);
        state.counters["max_ms"] = Bench::Percentile(latencies, 1.0);
        state.counters["goal_p99_ms"] = kGoalP99Ms;
    }
}
BENCHMARK(BM_FileToJournal)->Iterations(100)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
