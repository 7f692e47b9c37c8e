// The option ladder in its zoned step modes under load: building 20,000 rows around the book, a
// quote push that leaves the middle list as it is, and one whose new best bid lays the rows out
// again. The model figures exclude painting; the view figures add the option ladder widget's own
// work (its middle-list check, the repaint requests of the rows changed, offscreen).

#include <benchmark/benchmark.h>

#include <QApplication>

#include "ladder/LadderModel.h"
#include "option/CKROptionMouselist.h"
#include "option/OptionStepModes.h"

namespace {

// A fund option of 20,000 ticks: 0.0001 to 2.0000, tick 0.0001, the book around 1.0000.
constexpr int kDecimals = 4;
constexpr double kTick = 0.0001;
constexpr double kLower = 0.0001;
constexpr double kUpper = 2.0;
constexpr double kReference = 1.0;
constexpr double kBid = 1.0;

// The book a tick apart from `bid` and its ask two ticks above, with volumes that change on
// every push.
class QuoteStream {
public:
    LadderBestQuote Next(double bid) {
        m_step = (m_step * 1103515245 + 12345) & 0x7FFFFFFF;
        LadderBestQuote quote;
        quote.bidPrice = bid;
        quote.askPrice = bid + 2 * kTick;
        quote.bidVolume = 10 + static_cast<int>(m_step % 90);
        quote.askVolume = 10 + static_cast<int>((m_step >> 8) % 90);
        quote.high = kBid + 0.01;
        quote.low = kBid - 0.01;
        for (int level = 0; level < 5; ++level) {
            quote.bidLevels.push_back({quote.bidPrice - level * kTick, quote.bidVolume + level});
            quote.askLevels.push_back({quote.askPrice + level * kTick, quote.askVolume + level});
        }
        return quote;
    }

private:
    uint32_t m_step = 7;
};

std::vector<Json::Value> Positions(double now) {
    Json::Value position;
    position["112"] = "0";
    position["136"] = kBid - 3 * kTick;
    position["NowPrice"] = now;
    return {position};
}

void BM_ZonedLadderBuild(benchmark::State& state) {
    CellTextTable texts(5);
    LadderModel model(texts);
    QuoteStream stream;
    const LadderBestQuote quote = stream.Next(kBid);
    for (auto _ : state) {
        model.SetLayout(OptionStepModes::LayoutOf({1, true}, OptionStepModes::MiddleList(quote, kBid)));
        benchmark::DoNotOptimize(
            model.Build(QStringLiteral("bench"), kDecimals, kLower, kReference, kTick, kUpper));
    }
    state.counters["rows"] = model.RowCount();
}
BENCHMARK(BM_ZonedLadderBuild)->Unit(benchmark::kMillisecond);

// One push as the option window makes it, the list kept: the check of the list, the last price,
// the quote, the positions' current price.
void BM_ZonedLadderQuotePush(benchmark::State& state) {
    CellTextTable texts(5);
    LadderModel model(texts);
    QuoteStream stream;
    const std::vector<double> middle = OptionStepModes::MiddleList(stream.Next(kBid), kBid);
    model.SetLayout(OptionStepModes::LayoutOf({1, true}, middle));
    model.Build(QStringLiteral("bench"), kDecimals, kLower, kReference, kTick, kUpper);
    model.TakeChanges();
    long long rows = 0;
    int step = 0;
    for (auto _ : state) {
        const double last = kBid + (step++ % 3) * kTick;
        const LadderBestQuote quote = stream.Next(kBid);
        benchmark::DoNotOptimize(OptionStepModes::HoldsBestPrices(middle, quote));
        model.SetLastPrice(last);
        model.SetBestQuote(quote);
        model.SetPositions(Positions(last));
        rows += static_cast<long long>(model.TakeChanges().Rows().size());
    }
    state.counters["rows_invalidated"] =
        benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ZonedLadderQuotePush)->Unit(benchmark::kMicrosecond);

// A push whose best bid the list does not hold: the list made again, the rows laid out again,
// the last price and the quote entered again.
void BM_ZonedLadderRelayPush(benchmark::State& state) {
    CellTextTable texts(5);
    LadderModel model(texts);
    QuoteStream stream;
    model.SetLayout(
        OptionStepModes::LayoutOf({1, true}, OptionStepModes::MiddleList(stream.Next(kBid), kBid)));
    model.Build(QStringLiteral("bench"), kDecimals, kLower, kReference, kTick, kUpper);
    int step = 0;
    for (auto _ : state) {
        // Ten ticks up or down: none of the book's prices stays in the list.
        const double bid = kBid + (step++ % 2 == 0 ? 10 : -10) * kTick;
        const LadderBestQuote quote = stream.Next(bid);
        model.SetLayout(OptionStepModes::LayoutOf({1, true}, OptionStepModes::MiddleList(quote, bid)));
        model.SetLastPrice(bid);
        model.SetBestQuote(quote);
        benchmark::DoNotOptimize(model.TakeChanges());
    }
    state.counters["rows"] = model.RowCount();
}
BENCHMARK(BM_ZonedLadderRelayPush)->Unit(benchmark::kMicrosecond);

// The option ladder widget, five-level mode, shown offscreen at a 24-row page.
void ShowLadder(CKROptionMouselist& ladder, const LadderBestQuote& quote) {
    for (const char* title : {"挂单", "普买", "价格", "普卖", "挂单"}) {
        ladder.InsertColumn(ladder.ColumnCount(), QString::fromUtf8(title), 63);
    }
    ladder.resize(340, 44 + 22 * 24);
    ladder.show();
    ladder.Build(QStringLiteral("bench"), kDecimals, kLower, kReference, kTick, kUpper, quote, kBid);
    ladder.SetLastPrice(kBid);
    ladder.SetBestQuote(quote);
    ladder.CentreOnLastPrice();
}

void BM_OptionLadderViewQuotePush(benchmark::State& state) {
    CKROptionMouselist ladder;
    QuoteStream stream;
    ShowLadder(ladder, stream.Next(kBid));
    const long long before = ladder.RowsInvalidated();
    int step = 0;
    for (auto _ : state) {
        const double last = kBid + (step++ % 3) * kTick;
        ladder.SetLastPrice(last);
        ladder.SetBestQuote(stream.Next(kBid));
        ladder.SetPositions(Positions(last));
    }
    state.counters["rows_invalidated"] = benchmark::Counter(
        static_cast<double>(ladder.RowsInvalidated() - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_OptionLadderViewQuotePush)->Unit(benchmark::kMicrosecond);

void BM_OptionLadderViewRelayPush(benchmark::State& state) {
    CKROptionMouselist ladder;
    QuoteStream stream;
    ShowLadder(ladder, stream.Next(kBid));
    int relaid = 0;
    ladder.SetRelaidObserver([&relaid] { ++relaid; });
    int step = 0;
    for (auto _ : state) {
        const double bid = kBid + (step++ % 2 == 0 ? 10 : -10) * kTick;
        ladder.SetLastPrice(bid);
        ladder.SetBestQuote(stream.Next(bid));
    }
    state.counters["relays"] = benchmark::Counter(relaid, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_OptionLadderViewRelayPush)->Unit(benchmark::kMicrosecond);

}  // namespace
