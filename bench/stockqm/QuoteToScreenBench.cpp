// Quote to screen in the stock quick-mouse window (see QuoteToScreen.h for the counters), on the
// credit account and the stock it opens on (600000).

#include <QApplication>

#include "CFastMouseOrderList2.h"
#include "QuoteToScreen.h"
#include "frame/ToolWindows.h"
#include "quickmouse/DlgQuickMouse.h"

namespace {

void BM_StockQuoteToScreen(benchmark::State& state) {
    Bench::WindowOnHost terminal(QStringLiteral("KRTToolQuickMouse"), QStringLiteral("E1005"));
    terminal.window->Move(0, 0, 800, 700);
    auto* dialog = dynamic_cast<DlgQuickMouse*>(dynamic_cast<CWDlgQuickMouse&>(*terminal.window).Dialog());
    Bench::MeasureQuoteToScreen(state, terminal.Host(), *dialog,
                                terminal.Host().Instrument("SHSE-A", "600000"));
}
// Arguments: pushes per second, seconds measured (after one second of warm-up).
BENCHMARK(BM_StockQuoteToScreen)
    ->Args({200, 5})
    ->Args({20000, 10})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
