// How many quote pushes the terminal generates and delivers per second: from a market change,
// through the quote service's targeting and the high-performance centre's worker, into the
// glue's subscribers (the component's own classes).

#include <benchmark/benchmark.h>

#include "CountingSubscriber.h"
#include "host/HostRuntime.h"
#include "kernel/HostAccess.h"
#include "support/ScriptedOptions.h"

using namespace Terminal;

namespace {

constexpr int kPushesPerBatch = 1000;

// state.range(0) subscribers, each following every contract; every push reaches all of them.
void BM_QuotePushesGeneratedAndDelivered(benchmark::State& state) {
    HostRuntime host(ScriptedOptions());
    Kora::Kernel::SetHost(host.Host().Get());
    Kora::Interface::QuoteKeySet every;
    for (const Market::Instrument& instrument : host.Market().Catalogue().All()) {
        every.insert(host.KeyOf(instrument));
    }
    std::vector<Kora::Utility::Handle<CountingSubscriber>> subscribers;
    for (int i = 0; i < state.range(0); ++i) {
        subscribers.emplace_back(new CountingSubscriber);
        subscribers.back()->AddQuoteKeys(every);
        subscribers.back()->Start();
    }
    const int contracts = host.Market().Catalogue().Size();
    int next = 0;
    for (auto _ : state) {
        for (int i = 0; i < kPushesPerBatch; ++i) {
            host.Market().PublishQuote(next);
            next = (next + 1) % contracts;
        }
        host.WaitForPushes();
    }
    int64_t delivered = 0;
    for (auto& subscriber : subscribers) {
        delivered += subscriber->received.load();
        subscriber->Stop();
    }
    state.SetItemsProcessed(delivered);
    state.counters["pushes_generated_per_s"] =
        benchmark::Counter(double(state.iterations() * kPushesPerBatch), benchmark::Counter::kIsRate);
    Kora::Kernel::SetHost(nullptr);
}
BENCHMARK(BM_QuotePushesGeneratedAndDelivered)->Arg(1)->Arg(4)->UseRealTime();

// One subscriber among many follows one contract: the others are passed over.
void BM_QuotePushesTargetedToOneFollower(benchmark::State& state) {
    HostRuntime host(ScriptedOptions());
    Kora::Kernel::SetHost(host.Host().Get());
    const Market::Instrument& meal = host.Instrument("DCE", "m2408");
    std::vector<Kora::Utility::Handle<CountingSubscriber>> subscribers;
    for (int i = 0; i < 16; ++i) {
        subscribers.emplace_back(new CountingSubscriber);
        subscribers.back()->AddQuoteKeys({host.KeyOf(*host.Market().Catalogue().At(1 + i % 7))});
        subscribers.back()->Start();
    }
    subscribers[0]->AddQuoteKeys({host.KeyOf(meal)});
    for (auto _ : state) {
        for (int i = 0; i < kPushesPerBatch; ++i) {
            host.Market().PublishQuote(meal.index);
        }
        host.WaitForPushes();
    }
    state.SetItemsProcessed(subscribers[0]->received.load());
    for (auto& subscriber : subscribers) {
        subscriber->Stop();
    }
    Kora::Kernel::SetHost(nullptr);
}
BENCHMARK(BM_QuotePushesTargetedToOneFollower)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
