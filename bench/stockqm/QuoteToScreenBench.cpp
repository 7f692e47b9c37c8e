// How long a quote takes from the terminal to the stock quick-mouse window's ladder on screen,
// and what the terminal spends on it (Bench::MeasureQuoteToScreen says what is counted), with
// the window on the credit account and the stock it opens on (600000).

#include <benchmark/benchmark.h>

#include "CFastMouseOrderList2.h"
#include "QuoteToScreen.h"
#include "frame/ToolWindows.h"
#include "quickmouse/DlgQuickMouse.h"

namespace {

void BM_StockQuoteToScreen(benchmark::State& state) {
    const auto host = Bench::StartHost();
    host->Engine().SetCurrentAccount("E1005");
    auto window = host->ContentWindows().CreateContentWindow(QStringLiteral("KRTToolQuickMouse"), {});
    auto* dialog = dynamic_cast<DlgQuickMouse*>(dynamic_cast<CWDlgQuickMouse&>(*window).Dialog());
    window->Move(0, 0, 800, 700);
    window->Show(true);
    Bench::MeasureQuoteToScreen(
        state, *host, host->Instrument("SHSE-A", "600000"),
        {dialog->Ladder().viewport(), [dialog] { return dialog->QuotesShown(); },
         [dialog] { return dialog->QuotesReceived(); },
         [dialog](auto observer) { dialog->SetQuoteShownObserver(std::move(observer)); }});
    host->ContentWindows().DestroyContentWindow(window);
}
// Arguments: pushes per second, seconds measured (after one second of warm-up).
BENCHMARK(BM_StockQuoteToScreen)
    ->Args({200, 5})
    ->Args({20000, 10})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
