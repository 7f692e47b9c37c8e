// Quote to screen in the futures quick-mouse window (see QuoteToScreen.h for the counters), on
// the commodity future's ladder.

#include <QApplication>

#include "QuoteToScreen.h"
#include "frame/ToolWindows.h"
#include "ladder/CKRMouselist.h"
#include "quickmouse/CDlgFutrueQuickMouse.h"

namespace {

void BM_QuoteToScreen(benchmark::State& state) {
    Bench::WindowOnHost terminal(QStringLiteral("KRFutureQMouse"), QStringLiteral("E1008"));
    CDlgFutrueQuickMouse* dialog = dynamic_cast<CFutureQMouseWindow&>(*terminal.window).QuickMouse();
    const auto& meal = *terminal.Host().Market().Catalogue().At(0);
    terminal.Host().Market().SetBestQuote(meal.index, meal.reference - meal.tick, 10,
                                          meal.reference + meal.tick, 10);
    Bench::MeasureQuoteToScreen(state, terminal.Host(), *dialog, meal);
}
// Arguments: pushes per second, seconds measured (after one second of warm-up).
BENCHMARK(BM_QuoteToScreen)
    ->Args({200, 5})
    ->Args({20000, 10})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
