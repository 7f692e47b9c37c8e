// Quote pushes per second from a high-performance-centre delivery, through the subscriber's
// dispatch (quote information Json included), to a receiver's callback, on one thread.

#include <benchmark/benchmark.h>

#include "kernel/HostAccess.h"
#include "kernel/QuoteReceiver.h"
#include "support/MiniHost.h"

namespace I = Kora::Interface;
using Kora::Utility::Handle;

namespace {

class LastPriceReader : public Kora::Kernel::QuoteReceiver {
public:
    ~LastPriceReader() override { DetachQuotes(); }
    void OnQuotePush(const I::QuotePushRecord& record, const Json::Value& info) override {
        // What a ladder does with a push: read the price out of the information.
        const Json::Value& ext = info["ExtData"];
        lastPrice = ext.isObject() ? ext["Now"].asInt64() : record.snapshot.last;
        ++received;
    }
    int64_t lastPrice = 0;
    int64_t received = 0;
};

void BM_QuotePushDispatch(benchmark::State& state) {
    Handle<MiniHost::Host> host(new MiniHost::Host);
    Kora::Kernel::SetHost(host.Get());
    {
        LastPriceReader reader;
        I::QuotePushRecord push;
        push.key = I::QuoteKey{3, QStringLiteral("m2409"), 3, 0};
        push.isNewQuote = push.isNewTick = true;
        push.hasExtData = state.range(0) != 0;
        push.ext = {1200.0, 38705, 38700, 38710, 15.0, 7.0};
        reader.FollowQuotes({push.key});
        for (auto _ : state) {
            ++push.ext.now;
            host->hpCenter->Deliver(I::kPushQuote, &push);
        }
        benchmark::DoNotOptimize(reader.lastPrice);
        state.SetItemsProcessed(reader.received);
        state.counters["pushes_per_s"] =
            benchmark::Counter(static_cast<double>(reader.received), benchmark::Counter::kIsRate);
    }
    Kora::Kernel::SetHost(nullptr);
}
BENCHMARK(BM_QuotePushDispatch)->ArgName("ext_data")->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
