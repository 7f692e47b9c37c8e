// Quote to screen in the option quick-mouse window (see QuoteToScreen.h for the counters): the
// window on the stock-option account showing a fund option's ladder in its five-level mode.

#include <QApplication>

#include "QuoteToScreen.h"
#include "frame/ToolWindows.h"
#include "option/CDlgOptionQuickMouse.h"
#include "option/CKROptionMouselist.h"
#include "trading/ContractRecords.h"

namespace {

void BM_OptionQuoteToScreen(benchmark::State& state) {
    Bench::WindowOnHost terminal(QStringLiteral("KROptionQMouse"), QStringLiteral("E1006"));
    CDlgOptionQuickMouse* dialog = dynamic_cast<COptionQMouseWindow&>(*terminal.window).QuickMouse();
    // A call of the fund's near month, its book a tick either side of its reference.
    Terminal::Market::Simulator& market = terminal.Host().Market();
    const int fund = market.Catalogue().Find("SHSE-A", "510050")->index;
    const auto& option =
        *market.Catalogue().At(market.Catalogue().Options(fund, market.Catalogue().Months(fund).front())[10]);
    market.SetBestQuote(option.index, option.reference - option.tick, 10, option.reference + option.tick, 10);
    dialog->SetContract(ContractRecords::OfKey(terminal.Host().KeyOf(option)), false);
    Bench::MeasureQuoteToScreen(state, terminal.Host(), *dialog, option);
}
// Arguments: pushes per second, seconds measured (after one second of warm-up).
BENCHMARK(BM_OptionQuoteToScreen)
    ->Args({200, 5})
    ->Args({20000, 10})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
