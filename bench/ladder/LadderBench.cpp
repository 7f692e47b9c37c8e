// The price ladder under load: building a long ladder, quote pushes, and working orders.
// The model figures exclude painting; BM_LadderViewQuotePush adds the widget's bookkeeping
// (repaint requests for the changed rows, offscreen) and BM_LadderPaintPage the painting.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "ladder/BestLevelMarks.h"
#include "ladder/CKRMouselist.h"
#include "ladder/LadderModel.h"

namespace {

constexpr int kRows = 20'000;
constexpr double kTick = 0.5;
constexpr double kLower = 1000;
constexpr double kUpper = kLower + (kRows - 1) * kTick;
constexpr double kMiddle = kLower + (kRows / 2) * kTick;

Json::Value Position(const char* direction, double price) {
    Json::Value position;
    position["112"] = direction;
    position["136"] = price;
    return position;
}

// A quote stream that wanders a few ticks around the middle, as a busy contract does: the
// volumes change on every push, the whole book moves a tick on one push in four.
class QuoteStream {
public:
    LadderBestQuote Next(double& last) {
        m_step = (m_step * 1103515245 + 12345) & 0x7FFFFFFF;
        const int move = m_step % 4 == 0 ? ((m_step >> 4) % 2 == 0 ? 1 : -1) : 0;
        m_offset = std::clamp(m_offset + move, -4, 4);
        last = kMiddle + m_offset * kTick;
        LadderBestQuote quote;
        quote.askPrice = last + kTick;
        quote.bidPrice = last;
        quote.askVolume = 10 + static_cast<int>(m_step % 90);
        quote.bidVolume = 10 + static_cast<int>((m_step >> 8) % 90);
        quote.high = kMiddle + 20;
        quote.low = kMiddle - 20;
        for (int level = 0; level < 5; ++level) {
            quote.askLevels.push_back({quote.askPrice + level * kTick, quote.askVolume + level});
            quote.bidLevels.push_back({quote.bidPrice - level * kTick, quote.bidVolume + level});
        }
        return quote;
    }

private:
    uint32_t m_step = 7;
    int m_offset = 0;
};

std::vector<Json::Value> PositionsAt(double now) {
    std::vector<Json::Value> positions{Position("0", kMiddle - 3), Position("1", kMiddle + 2)};
    for (Json::Value& position : positions) {
        position["NowPrice"] = now;
    }
    return positions;
}

// The futures ladder's five columns over the 20,000 rows, shown offscreen with a 24-row page.
void ShowLadder(CKRMouselist& ladder) {
    for (const char* title : {"挂单", "买", "价格", "卖", "挂单"}) {
        ladder.InsertColumn(ladder.ColumnCount(), QString::fromUtf8(title), 60);
    }
    ladder.resize(340, 44 + 22 * 24);
    ladder.show();
    ladder.Build(QStringLiteral("bench"), 1, kLower, kMiddle, kTick, kUpper);
}

void BM_LadderBuild(benchmark::State& state) {
    CellTextTable texts(5);
    LadderModel model(texts);
    for (auto _ : state) {
        benchmark::DoNotOptimize(model.Build(QStringLiteral("bench"), 1, kLower, kMiddle, kTick, kUpper));
    }
    state.counters["rows"] = model.RowCount();
}
BENCHMARK(BM_LadderBuild)->Unit(benchmark::kMillisecond);

// One quote push as the futures window makes it: last price, best quote with its five levels,
// and the positions' current price.
void BM_LadderQuotePush(benchmark::State& state) {
    CellTextTable texts(5);
    LadderModel model(texts);
    BestLevelMarks levels;
    model.Build(QStringLiteral("bench"), 1, kLower, kMiddle, kTick, kUpper);
    model.TakeChanges();
    QuoteStream stream;
    long long invalidated = 0;
    for (auto _ : state) {
        double last = 0;
        const LadderBestQuote quote = stream.Next(last);
        LadderChanges changes;
        levels.Update(quote, model.Scale(), changes);
        model.SetLastPrice(last);
        model.SetBestQuote(quote);
        model.SetPositions(PositionsAt(last));
        changes.Merge(model.TakeChanges());
        const std::vector<int> rows = changes.Rows();
        invalidated += static_cast<long long>(rows.size());
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["rows_invalidated"] =
        benchmark::Counter(static_cast<double>(invalidated), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_LadderQuotePush)->Unit(benchmark::kMicrosecond);

// A hundred working orders, two per price on either side of the market, added and cleared.
void BM_LadderOrders(benchmark::State& state) {
    CellTextTable texts(5);
    LadderModel model(texts);
    model.Build(QStringLiteral("bench"), 1, kLower, kMiddle, kTick, kUpper);
    std::vector<LadderOrder> orders;
    for (int i = 0; i < 100; ++i) {
        const int side = i % 2;
        const double price = kMiddle + (side == 0 ? -1 : 1) * (1 + i / 4) * kTick;
        orders.push_back({QStringLiteral("order-%1").arg(i), side, price, 1 + i % 5});
    }
    for (auto _ : state) {
        for (const LadderOrder& order : orders) {
            model.AddOrder(order);
        }
        model.ClearOrders();
        benchmark::DoNotOptimize(model.TakeChanges());
    }
}
BENCHMARK(BM_LadderOrders)->Unit(benchmark::kMicrosecond);

// The same push through the futures ladder widget, shown offscreen at a 24-row page.
void BM_LadderViewQuotePush(benchmark::State& state) {
    CKRMouselist ladder;
    ShowLadder(ladder);
    ladder.SetLastPrice(kMiddle);
    ladder.CentreOnLastPrice();
    QuoteStream stream;
    const long long before = ladder.RowsInvalidated();
    for (auto _ : state) {
        double last = 0;
        const LadderBestQuote quote = stream.Next(last);
        ladder.SetLastPrice(last);
        ladder.SetBestQuote(quote);
        ladder.SetPositions(PositionsAt(last));
    }
    state.counters["rows_invalidated"] = benchmark::Counter(
        static_cast<double>(ladder.RowsInvalidated() - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_LadderViewQuotePush)->Unit(benchmark::kMicrosecond);

// Painting the whole visible page of a populated ladder (24 rows, five levels a side, working
// orders and a position marker) into an image: the most a repaint can cost.
void BM_LadderPaintPage(benchmark::State& state) {
    CKRMouselist ladder;
    ShowLadder(ladder);
    QuoteStream stream;
    double last = 0;
    ladder.SetBestQuote(stream.Next(last));
    ladder.SetLastPrice(last);
    ladder.SetPositions(PositionsAt(last));
    ladder.AddWorkingOrder({QStringLiteral("B"), 0, last - 2 * kTick, 3});
    ladder.AddWorkingOrder({QStringLiteral("S"), 1, last + 3 * kTick, 2});
    ladder.CentreOnLastPrice();
    QImage page(ladder.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        ladder.viewport()->render(&page);
        benchmark::DoNotOptimize(page.constBits());
    }
    state.counters["rows"] = ladder.CountPerPage();
}
BENCHMARK(BM_LadderPaintPage)->Unit(benchmark::kMicrosecond);

}  // namespace
