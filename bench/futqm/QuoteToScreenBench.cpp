// How long a quote takes from the terminal to the futures quick-mouse window's ladder on
// screen, and what the terminal spends on it (Bench::MeasureQuoteToScreen says what is counted),
// with the window on the futures account and the commodity future.

#include <benchmark/benchmark.h>

#include "QuoteToScreen.h"
#include "frame/ToolWindows.h"
#include "ladder/CKRMouselist.h"
#include "quickmouse/CDlgFutrueQuickMouse.h"

namespace {

void BM_QuoteToScreen(benchmark::State& state) {
    const auto host = Bench::StartHost();
    auto window = host->ContentWindows().CreateContentWindow(
        QStringLiteral("KRFutureQMouse"), {{QStringLiteral("EAccountID"), QStringLiteral("E1008")}});
    CDlgFutrueQuickMouse* dialog = dynamic_cast<CFutureQMouseWindow&>(*window).QuickMouse();
    window->Move(0, 0, 560, 640);
    window->Show(true);
    Bench::MeasureQuoteToScreen(
        state, *host, *host->Market().Catalogue().At(0),
        {dialog->Ladder().viewport(), [dialog] { return dialog->QuotesShown(); },
         [dialog] { return dialog->QuotesReceived(); },
         [dialog](auto observer) { dialog->SetQuoteShownObserver(std::move(observer)); }});
    host->ContentWindows().DestroyContentWindow(window);
}
// Arguments: pushes per second, seconds measured (after one second of warm-up).
BENCHMARK(BM_QuoteToScreen)
    ->Args({200, 5})
    ->Args({20000, 10})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
