#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

namespace Bench {

// Calls move(step) with step 0, 1, 2 ... `rate` times a second on a thread of its own, in
// batches of a millisecond or more, as a market feeding quotes; stops when destroyed.
class SteadyPusher {
public:
    SteadyPusher(int rate, std::function<void(int64_t step)> move)
        : m_thread([this, rate, move = std::move(move)] {
              const auto period =
                  std::chrono::nanoseconds(std::max<int64_t>(1'000'000, 1'000'000'000 / rate));
              const int64_t perBatch = std::max<int64_t>(1, rate * period.count() / 1'000'000'000);
              auto next = std::chrono::steady_clock::now();
              int64_t step = 0;
              while (!m_stop) {
                  for (int64_t i = 0; i < perBatch; ++i) {
                      move(step++);
                  }
                  m_pushed += perBatch;
                  next += period;
                  std::this_thread::sleep_until(next);
              }
          }) {}
    ~SteadyPusher() {
        m_stop = true;
        m_thread.join();
    }
    SteadyPusher(const SteadyPusher&) = delete;
    SteadyPusher& operator=(const SteadyPusher&) = delete;

    int64_t Pushed() const { return m_pushed; }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<int64_t> m_pushed{0};
    std::thread m_thread;
};

// A walk of `span` ticks up and then down again, centred on 0: the offset of a step.
inline int64_t WalkOffset(int64_t step, int64_t span = 40) {
    const int64_t half = span / 2;
    const int64_t phase = step % span;
    return (phase < half ? phase : span - phase) - half / 2;
}

}  // namespace Bench
