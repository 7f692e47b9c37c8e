// How fast the simulated market matches orders: against its book, against trades, and through
// the engine service with its journal and answers.

#include <benchmark/benchmark.h>

#include "host/HostRuntime.h"
#include "market/Simulator.h"
#include "support/ScriptedOptions.h"

using namespace Terminal;
using namespace Terminal::Market;

namespace {

constexpr int64_t kDeep = int64_t(1) << 40;

OrderTicket Ticket(int instrument, char direction, char offset, int64_t price) {
    OrderTicket t;
    t.accountId = "E1008";
    t.instrument = instrument;
    t.direction = direction;
    t.offset = offset;
    t.price = price;
    t.volume = 1;
    return t;
}

void DeepBook(Simulator& market, int instrument) {
    Book book;
    book.asks[0] = {3001, kDeep};
    book.bids[0] = {2999, kDeep};
    market.SetBook(instrument, book);
}

// Each order crosses the book and fills at once: buys open, sells close what the buys opened.
void BM_SimulatorMatchesCrossingOrders(benchmark::State& state) {
    Simulator market(SimulatorOptions{1, kTradingDay});
    const int meal = market.Catalogue().Find("DCE", "m2408")->index;
    market.SetCash("E1008", 1e15);
    DeepBook(market, meal);
    const OrderTicket buy = Ticket(meal, '0', '0', 3001);
    const OrderTicket sell = Ticket(meal, '1', '1', 2999);
    int64_t orders = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(market.Submit(orders % 2 ? sell : buy));
        if (++orders % 65536 == 0) {
            state.PauseTiming();
            market.PurgeFinishedOrders();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(orders);
}
BENCHMARK(BM_SimulatorMatchesCrossingOrders);

// Each order rests, then a trade of the market through its price fills it.
void BM_SimulatorFillsRestingOrdersOnTrades(benchmark::State& state) {
    Simulator market(SimulatorOptions{1, kTradingDay});
    const int meal = market.Catalogue().Find("DCE", "m2408")->index;
    market.SetCash("E1008", 1e15);
    market.SetBook(meal, Book{});
    int64_t orders = 0;
    for (auto _ : state) {
        const bool buying = orders % 2 == 0;
        market.Submit(Ticket(meal, buying ? '0' : '1', buying ? '0' : '1', 3000));
        market.TradeAt(meal, 3000, 1);
        if (++orders % 65536 == 0) {
            state.PauseTiming();
            market.PurgeFinishedOrders();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(orders);
}
BENCHMARK(BM_SimulatorFillsRestingOrdersOnTrades);

// The whole road of a tool's order: "InsertSmartOrder" with its Json request, the journal line,
// the match, and the answers posted (delivered in batches).
void BM_EngineInsertSmartOrderMatched(benchmark::State& state) {
    HostRuntime host(ScriptedOptions());
    host.Market().SetCash("E1008", 1e15);
    DeepBook(host.Market(), host.Instrument("DCE", "m2408").index);
    Json::Value request(Json::objectValue);
    request["EAccountID"] = "E1008";
    request["54"] = "DCE";
    request["63"] = "m2408";
    request["119"] = "1";
    request["40"] = "2";
    request["130"] = "1";
    int64_t orders = 0;
    for (auto _ : state) {
        const bool buying = orders % 2 == 0;
        request["112"] = buying ? "0" : "1";
        request["117"] = buying ? "0" : "1";
        request["129"] = buying ? "3001" : "2999";
        benchmark::DoNotOptimize(host.Engine().Invoke(QStringLiteral("InsertSmartOrder"), request));
        // The UI thread takes the answers as they come.
        if (++orders % 16 == 0) {
            host.DeliverMessages();
        }
    }
    state.SetItemsProcessed(orders);
}
// The journal keeps every line of the session in memory: bound the run.
BENCHMARK(BM_EngineInsertSmartOrderMatched)->Iterations(10000);

}  // namespace

BENCHMARK_MAIN();
