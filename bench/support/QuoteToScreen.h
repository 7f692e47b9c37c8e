#pragma once

#include <benchmark/benchmark.h>

#include <QWidget>
#include <cstdint>
#include <functional>

#include "host/HostRuntime.h"

// How long a quote takes from the terminal's high-performance centre to a quick-mouse window's
// ladder on screen, and what the terminal spends on it, while the simulated market pushes
// quotes of the window's contract at a steady rate.
//
// The window runs in this process as the terminal makes it (through the content-window
// service, shown offscreen); a market thread moves the contract's last price at the rate given,
// over 40 ticks around its reference so that every quote moves the last-price row. Each quote
// the window shows is timed from the push's stamp (taken as it enters the centre) to the end
// of the ladder's next paint. Counters:
//   p50_ms, p99_ms, max_ms  quote-to-screen latency of the quotes shown
//   process_cpu_pct         the whole process (market thread, centre, window) over wall time,
//                           in percent of one core
//   ui_cpu_pct              the window's thread alone
//   pushes_per_s            quotes the market pushed, received_per_s those that reached the window
//   shown_per_s             quotes the window showed; ladder_paints_per_s the ladder's paints
//   rss_growth_kb           resident memory at the end less that after the first second
//   heap_growth_kb          the same for the heap in use (without the allocator's spare pages)
namespace Bench {

// What the measurement needs of the window.
struct QuoteWindow {
    QWidget* ladderViewport = nullptr;
    std::function<uint64_t()> quotesShown;
    std::function<uint64_t()> quotesReceived;
    // Called with the host's stamp of each quote push once the ladder has painted it; an empty
    // observer stops the calls.
    std::function<void(std::function<void(int64_t enqueuedNs)>)> setQuoteShownObserver;
};

// The host of a measurement: scripted, on a fixed trading day, the component loaded in-process,
// in the run layout's bin folder.
std::unique_ptr<Terminal::HostRuntime> StartHost();

// Measures one window: state.range(0) pushes a second, state.range(1) seconds after one second
// of warm-up.
void MeasureQuoteToScreen(benchmark::State& state, Terminal::HostRuntime& host,
                          const Terminal::Market::Instrument& instrument, const QuoteWindow& window);

}  // namespace Bench
