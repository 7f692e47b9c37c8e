// The option batch trading board: what one refresh costs, and how long a quote takes to reach
// the screen while the market moves.
//
// BM_RefreshSixtyStrikes: one refresh of a board of 60 strikes on the "隐波率" tab, as the
// board's timer runs it: the quote snapshots of 120 options and the underlying read from the
// terminal's quote service, the cells computed (240 implied-volatility searches at the bid and
// the ask), handed to the board control and painted. The chain is made here (the simulated
// market lists fewer strikes): a volatility smile around S = 3.0, strikes 1.525 to 4.475, each
// quoted a tick either side of its value, with its snapshot read from a listed option of the
// market.
//
// BM_QuoteToScreen: the board docked as the terminal makes it (component in-process, window
// shown offscreen) on the fund's near month, while a market thread moves the underlying and the
// options the board shows, one after another, at the rate given. A move of the fund requotes its
// options from the volatility surface, so the board's contracts are pushed about twice as often
// as they are moved. Each quote push is timed from the host's stamp (as it enters the
// high-performance centre) to the first refresh that shows it: as the board paints it, or as
// the refresh finds nothing in view to change (the board already shows it). Counters:
//   p50_ms, p99_ms, max_ms  quote-to-screen latency of every push of the board's contracts
//   process_cpu_pct         the whole process (market thread, centres, window) over wall time,
//                           in percent of one core
//   ui_cpu_pct              the window's thread alone
//   pushes_per_s            quotes of the board's contracts pushed, requotes included;
//                           moves_per_s the market thread's moves; refreshes_per_s the board's
//   refresh_ms              the board's mean refresh time while quotes flow

#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cmath>
#include <mutex>

#include "COptListTradeBatch.h"
#include "Percentile.h"
#include "RunMeters.h"
#include "SteadyPusher.h"
#include "frame/ThisComponent.h"
#include "frame/ToolWindows.h"
#include "host/HostRuntime.h"
#include "kernel/QuoteReceiver.h"
#include "option/CDlgOptionBatchTrade.h"
#include "option/OptionBoardFrame.h"
#include "option/pricing/OptionPricing.h"
#include "support/ScriptedOptions.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bench::NowNs;
using Bench::ProcessCpuSeconds;
using Bench::RunEventLoopFor;
using Bench::ThreadCpuSeconds;
namespace I = Kora::Interface;

// ---- One refresh ------------------------------------------------------------------------------

constexpr int kStrikes = 60;
constexpr double kS = 3.0;
constexpr double kRate = 0.03;
const QDateTime kNow(kTradingDay, QTime(10, 0));
const QDateTime kExpiry(QDate(2024, 4, 24), QTime(7, 0), Qt::UTC);

OptionBoard::Option SmileOption(int64_t strike, bool put, const I::QuoteKey& listed) {
    OptionBoard::Option option;
    option.key = listed;
    option.record.classLetter = 'o';
    option.record.callPut = put ? 0 : -1;
    option.record.strike = strike;
    option.record.strikeDivisor = 10000;
    option.record.expiry = kExpiry;
    const double moneyness = std::log(double(strike) / 10000 / kS);
    option.record.impliedVolatility = 0.20 + 0.8 * moneyness * moneyness;
    option.info.priceDivisor = 10000;
    option.info.decimals = 4;
    return option;
}

void BM_RefreshSixtyStrikes(benchmark::State& state) {
    Terminal::HostRuntime host(ScriptedOptions());
    // Keys of listed options, whose snapshots the refresh reads as it would its own.
    std::vector<I::QuoteKey> listed;
    const auto& catalogue = host.Market().Catalogue();
    const int fund = host.Instrument("SHSE-A", "510050").index;
    for (int index : catalogue.Options(fund, catalogue.Months(fund).front())) {
        listed.push_back(host.KeyOf(*catalogue.At(index)));
    }
    const I::QuoteKey underlying = host.KeyOf(*catalogue.At(fund));

    std::vector<OptionBoard::Option> options;
    std::vector<OptionBoard::RowQuotes> quotes(kStrikes);
    const double T = (40 + 1) / 365.0;
    for (int i = 0; i < kStrikes; ++i) {
        const int64_t strike = 15250 + 500 * i;
        for (const bool put : {false, true}) {
            OptionBoard::Option option = SmileOption(strike, put, listed[(2 * i + put) % listed.size()]);
            const double value = OptionPricing::OptionPrice(put, 0, kS, strike / 10000.0,
                                                            option.record.impliedVolatility, kRate, T);
            const int32_t units = std::max<int32_t>(2, int32_t(std::lround(value * 10000)));
            quotes[i][put] = {true, units - 1, units + 1, units};
            options.push_back(std::move(option));
        }
    }
    const std::vector<OptionBoard::Row> rows = OptionBoard::ArrangeRows(std::move(options));
    const OptionBoard::Market market{kS, kRate, kNow};

    COptListTradeBatch board;
    board.SetColumns({{"认购买", 76}, {"认购卖", 76}, {"行权价", 120}, {"认沽买", 76}, {"认沽卖", 76}}, 2);
    board.SetRowCount(kStrikes);
    board.resize(1100, 440);
    board.show();
    RunEventLoopFor(std::chrono::milliseconds(100));

    Terminal::Services::BaseQuoteDataService& quoteData = host.QuoteData();
    I::QuoteSnapshot snapshot{};
    int toggle = 0;
    for (auto _ : state) {
        quoteData.GetSnapshot(underlying, snapshot);
        for (int i = 0; i < 2 * kStrikes; ++i) {
            quoteData.GetSnapshot(listed[size_t(i) % listed.size()], snapshot);
        }
        benchmark::DoNotOptimize(snapshot);
        const OptionBoard::Frame frame =
            OptionBoard::ComputeFrame(rows, quotes, OptionBoard::Tab::kImpliedVolatility, market);
        // Alternate colours, so every cell changes and is repainted as after a move of the market.
        toggle ^= 1;
        for (int row = 0; row < kStrikes; ++row) {
            for (int column = 0; column < 5; ++column) {
                board.SetCell({row, column}, {frame.texts[size_t(row)][size_t(column)],
                                              toggle ? QColor(0xFF, 0xF8, 0xE1) : Qt::white, Qt::black});
            }
        }
        board.viewport()->repaint();
    }
    int volatilities = 0;
    for (const auto& row :
         OptionBoard::ComputeFrame(rows, quotes, OptionBoard::Tab::kImpliedVolatility, market).texts) {
        for (int column : {0, 1, 3, 4}) {
            volatilities += !row[size_t(column)].isEmpty();
        }
    }
    state.counters["volatilities_found"] = volatilities;
}
BENCHMARK(BM_RefreshSixtyStrikes)->Unit(benchmark::kMicrosecond);

// ---- Quote to screen ----------------------------------------------------------------------------

// Every quote push of the board's contracts, with the host's stamp.
class PushStamps : public Kora::Kernel::QuoteReceiver {
public:
    ~PushStamps() override { DetachQuotes(); }
    void OnQuotePush(const I::QuotePushRecord& record, const Json::Value&) override {
        if (record.flashFlag == 0) {
            std::lock_guard lock(m_lock);
            m_stamps.push_back(record.enqueuedNs);
        }
    }
    std::vector<int64_t> Take() {
        std::lock_guard lock(m_lock);
        return std::exchange(m_stamps, {});
    }

private:
    std::mutex m_lock;
    std::vector<int64_t> m_stamps;
};

void BM_QuoteToScreen(benchmark::State& state) {
    const int rate = int(state.range(0));
    const auto duration = std::chrono::seconds(state.range(1));
    Terminal::HostRuntime host(ScriptedOptions());
    host.LoadComponent([](auto h) { return new ThisComponent(h.Get()); }, [](auto* c) { delete c; });
    host.Engine().SetCurrentAccount("E1006");
    auto window = host.ContentWindows().CreateContentWindow(QStringLiteral("OptBatchWindow"), {});
    auto* board = static_cast<CDlgOptionBatchTrade*>(dynamic_cast<CWOptionBatchTrade&>(*window).Dialog());
    window->Move(0, 0, 1100, 560);
    window->Show(true);
    host.Settle();
    RunEventLoopFor(std::chrono::milliseconds(300));

    // What the board shows: its underlying and the options of its month.
    const auto& catalogue = host.Market().Catalogue();
    std::vector<const Terminal::Market::Instrument*> moved;
    I::QuoteKeySet keys;
    auto move = [&](const I::QuoteKey& key) {
        if (const auto* instrument = catalogue.FindByKey(key.marketId, key.code.toStdString())) {
            moved.push_back(instrument);
            keys.insert(key);
        }
    };
    move(board->Chain().underlying);
    for (const OptionBoard::Row& row : board->Chain().rows) {
        for (const auto& option : {row.call, row.put}) {
            if (option) {
                move(option->key);
            }
        }
    }
    state.counters["contracts_moved"] = double(moved.size());
    PushStamps stamps;
    stamps.FollowQuotes(keys);

    // Each refresh the board showed: when, and the newest push it read.
    std::vector<std::pair<int64_t, int64_t>> shown;
    board->SetRefreshShownObserver([&shown](int64_t newest) { shown.emplace_back(NowNs(), newest); });

    std::vector<double> latencies;
    for (auto _ : state) {
        // One of the instruments a time, round the list: its last price and book walk up and
        // down over 40 ticks, each instrument at its own point of the walk, so that every
        // refresh has figures to repaint (in step, the whole chain would come back to where it
        // was as the walk turns).
        Bench::SteadyPusher pusher(rate, [&host, &moved](int64_t step) {
            const size_t position = size_t(step) % moved.size();
            const auto& instrument = *moved[position];
            const int64_t offset = Bench::WalkOffset(step / int64_t(moved.size()) + int64_t(position));
            host.Market().UpdateSnapshot(instrument.index, [&](I::QuoteSnapshot& s) {
                const int64_t last =
                    std::max<int64_t>(instrument.reference + offset * instrument.tick, 2 * instrument.tick);
                s.last = int32_t(last);
                s.book[0].bid.price = int32_t(last - instrument.tick);
                s.book[0].ask.price = int32_t(last + instrument.tick);
            });
        });
        RunEventLoopFor(std::chrono::seconds(1));
        stamps.Take();
        shown.clear();
        const double processCpu = ProcessCpuSeconds();
        const double uiCpu = ThreadCpuSeconds();
        const int64_t pushedBefore = pusher.Pushed();
        const auto start = Clock::now();
        RunEventLoopFor(duration);
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        state.counters["process_cpu_pct"] = 100 * (ProcessCpuSeconds() - processCpu) / wall;
        state.counters["ui_cpu_pct"] = 100 * (ThreadCpuSeconds() - uiCpu) / wall;
        state.counters["moves_per_s"] = double(pusher.Pushed() - pushedBefore) / wall;
        state.counters["refreshes_per_s"] = double(shown.size()) / wall;

        // A push is on screen with the first refresh shown that read it; pushes that no refresh
        // of the run showed yet are left out.
        std::vector<int64_t> pushed = stamps.Take();
        state.counters["pushes_per_s"] = double(pushed.size()) / wall;
        std::sort(pushed.begin(), pushed.end());
        size_t next = 0;
        for (int64_t stamp : pushed) {
            while (next < shown.size() && shown[next].second < stamp) {
                ++next;
            }
            if (next == shown.size()) {
                break;
            }
            latencies.push_back(double(shown[next].first - stamp) / 1e6);
        }
        state.counters["pushes_timed"] = double(latencies.size());
    }
    // What a refresh costs while the market moves, on the window's thread.
    const auto refreshStart = Clock::now();
    constexpr int kRefreshes = 50;
    for (int i = 0; i < kRefreshes; ++i) {
        board->Refresh();
    }
    state.counters["refresh_ms"] =
        std::chrono::duration<double, std::milli>(Clock::now() - refreshStart).count() / kRefreshes;
    board->SetRefreshShownObserver({});
    state.counters["p50_ms"] = Bench::Percentile(latencies, 0.50);
    state.counters["p99_ms"] = Bench::Percentile(latencies, 0.99);
    state.counters["max_ms"] = Bench::Percentile(latencies, 1.0);
    host.ContentWindows().DestroyContentWindow(window);
}
// Arguments: moves per second (1,000 make about 2,000 pushes), seconds measured (after one
// second of warm-up).
BENCHMARK(BM_QuoteToScreen)->Args({1000, 10})->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
