// Quote to screen in the option quick-mouse window (see QuoteToScreen.h for the counters): the
// component in this process as the terminal loads it, the window on the stock-option account
// showing a fund option's ladder in its five-level mode, offscreen.

#include <QApplication>

#include "QuoteToScreen.h"
#include "frame/ThisComponent.h"
#include "frame/ToolWindows.h"
#include "option/CDlgOptionQuickMouse.h"
#include "option/CKROptionMouselist.h"
#include "trading/ContractRecords.h"

namespace {

void BM_OptionQuoteToScreen(benchmark::State& state) {
    Terminal::HostOptions options;
    options.tradingDay = QDate(2024, 3, 15);
    Terminal::HostRuntime host(options);
    host.LoadComponent([](auto h) { return new ThisComponent(h.Get()); }, [](auto* c) { delete c; });
    auto window = host.ContentWindows().CreateContentWindow(
        QStringLiteral("KROptionQMouse"), {{QStringLiteral("EAccountID"), QStringLiteral("E1006")}});
    CDlgOptionQuickMouse* dialog = dynamic_cast<COptionQMouseWindow&>(*window).QuickMouse();
    window->Move(0, 0, 560, 640);
    window->Show(true);
    // The fund's near-month call struck nearest the money, its book a tick either side.
    const auto& catalogue = host.Market().Catalogue();
    const int fund = catalogue.Find("SHSE-A", "510050")->index;
    const auto& option = *catalogue.At(catalogue.Options(fund, catalogue.Months(fund).front())[10]);
    host.Market().SetBestQuote(option.index, option.reference - option.tick, 10,
                               option.reference + option.tick, 10);
    dialog->SetContract(ContractRecords::OfKey(host.KeyOf(option)), false);
    Bench::MeasureQuoteToScreen(state, host, *dialog, option);
    host.ContentWindows().DestroyContentWindow(window);
}
// Arguments: pushes per second, seconds measured (after one second of warm-up).
BENCHMARK(BM_OptionQuoteToScreen)
    ->Args({200, 5})
    ->Args({20000, 10})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
