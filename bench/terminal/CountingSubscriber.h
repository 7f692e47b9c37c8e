#pragma once

#include <benchmark/benchmark.h>

#include <atomic>

#include "kernel/QuoteSubscriber.h"

// A subscriber of the component's glue that counts the pushes it is handed.
class CountingSubscriber : public Kora::Kernel::QuoteSubscriber {
public:
    std::atomic<int64_t> received{0};

protected:
    void Dispatch(int, const Kora::Interface::QuotePushRecord&, const Json::Value& info) override {
        benchmark::DoNotOptimize(info);
        received.fetch_add(1, std::memory_order_relaxed);
    }
};
