// Quote to screen in the futures quick-mouse window (see QuoteToScreen.h for the counters). The
// component runs in this process as the terminal loads it (its window made through the
// content-window service, shown offscreen) on the commodity future's ladder.

#include <QApplication>

#include "QuoteToScreen.h"
#include "frame/ThisComponent.h"
#include "frame/ToolWindows.h"
#include "ladder/CKRMouselist.h"
#include "quickmouse/CDlgFutrueQuickMouse.h"

namespace {

void BM_QuoteToScreen(benchmark::State& state) {
    Terminal::HostOptions options;
    options.tradingDay = QDate(2024, 3, 15);
    Terminal::HostRuntime host(options);
    host.LoadComponent([](auto h) { return new ThisComponent(h.Get()); }, [](auto* c) { delete c; });
    auto window = host.ContentWindows().CreateContentWindow(
        QStringLiteral("KRFutureQMouse"), {{QStringLiteral("EAccountID"), QStringLiteral("E1008")}});
    CDlgFutrueQuickMouse* dialog = dynamic_cast<CFutureQMouseWindow&>(*window).QuickMouse();
    window->Move(0, 0, 560, 640);
    window->Show(true);
    const auto& meal = *host.Market().Catalogue().At(0);
    host.Market().SetBestQuote(meal.index, meal.reference - meal.tick, 10, meal.reference + meal.tick, 10);
    Bench::MeasureQuoteToScreen(state, host, *dialog, meal);
    host.ContentWindows().DestroyContentWindow(window);
}
// Arguments: pushes per second, seconds measured (after one second of warm-up).
BENCHMARK(BM_QuoteToScreen)
    ->Args({200, 5})
    ->Args({20000, 10})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
