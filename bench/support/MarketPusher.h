#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "market/Simulator.h"

namespace Bench {

// Nanoseconds on the clock the high-performance centre stamps its pushes with.
inline int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Moves a contract's last price `rate` times a second from a thread of its own, in batches of a
// millisecond or more, over a walk of 40 ticks around its reference, so every quote changes it.
class MarketPusher {
public:
    MarketPusher(Terminal::Market::Simulator& market, const Terminal::Market::Instrument& instrument,
                 int rate)
        : m_thread([this, &market, &instrument, rate] {
              const auto period =
                  std::chrono::nanoseconds(std::max<int64_t>(1'000'000, 1'000'000'000 / rate));
              const int64_t perBatch = std::max<int64_t>(1, rate * period.count() / 1'000'000'000);
              auto next = std::chrono::steady_clock::now();
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

}  // namespace Bench
