// The futures quick-mouse window as users meet it: the component library loaded from the run
// layout, the window opened through the terminal's content-window service, the ladder clicked
// with the mouse, and the simulated market answering.

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QTest>

#include "host/HostRuntime.h"
#include "kora/utility/JsonAccess.h"
#include "support/HostSteps.h"
#include "support/ScriptedOptions.h"
#include "widget/ladder/PixelProbe.h"

namespace {

using Kora::Utility::JsonText;
using Terminal::HostRuntime;

constexpr int kRowHeight = 22;
constexpr int kBuyOrdersRight = 63;
constexpr int kBuyVolumeRight = 63 + 53;
constexpr uint32_t kOrderFrame = 0x626262;
constexpr uint32_t kEvenPositionBar = 0x808080;

TEST(FutqmTerminalTest, AClickOnTheLaddersBuySideTradesThroughTheTerminal) {
    HostRuntime host(ScriptedOptions());
    ASSERT_TRUE(LoadRunLayoutComponent(host));
    const auto& meal = *host.Market().Catalogue().At(0);
    host.Market().SetBestQuote(meal.index, meal.ToUnits(2999), 10, meal.ToUnits(3001), 10);
    host.Market().TradeAt(meal.index, meal.ToUnits(3000), 1);

    auto window = host.ContentWindows().CreateContentWindow(
        QStringLiteral("KRFutureQMouse"), {{QStringLiteral("EAccountID"), QStringLiteral("E1008")}});
    ASSERT_TRUE(window);
    window->Move(0, 0, 560, 640);
    window->Show(true);
    SettleHostAndWindows(host);
    auto* ladder = window->GetHwnd()->findChild<QAbstractScrollArea*>(QStringLiteral("ladder"));
    ASSERT_NE(ladder, nullptr);
    QWidget* cells = ladder->viewport();

    // Three rows under the middle of the page, below the best bid: the order rests.
    const int row = cells->height() / kRowHeight / 2 + 3;
    const QRect orderCell(0, row * kRowHeight, kBuyOrdersRight, kRowHeight);
    const QRect positionBar(kBuyVolumeRight - 6, row * kRowHeight, 6, kRowHeight);
    EXPECT_FALSE(PixelProbe::Shows(cells->grab().toImage(), orderCell, kOrderFrame));
    QTest::mouseClick(cells, Qt::LeftButton, {},
                      QPoint(kBuyOrdersRight + 26, row * kRowHeight + kRowHeight / 2));

    const auto orders = JournalOf(host, QStringLiteral("Order"));
    ASSERT_EQ(orders.size(), 1u);
    const Json::Value& order = orders[0]["Request"]["Order"];
    EXPECT_EQ(JsonText(order, "Direction"), "0");
    EXPECT_EQ(JsonText(order["Contract"], "ContractCode"), meal.code);
    const double price = std::stod(JsonText(order, "LimitPrice"));
    EXPECT_LT(price, 2999);

    SettleHostAndWindows(host);
    EXPECT_TRUE(PixelProbe::Shows(cells->grab().toImage(), orderCell, kOrderFrame));

    // The market trades there: the order fills and the ladder marks the new long position.
    // The window shows quotes at most so often: the trade's quote may wait for its frame.
    host.Market().TradeAt(meal.index, meal.ToUnits(price));
    QImage filled;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        SettleHostAndWindows(host);
        filled = cells->grab().toImage();
        return PixelProbe::Shows(filled, positionBar, kEvenPositionBar);
    }));
    EXPECT_FALSE(PixelProbe::Shows(filled, orderCell, kOrderFrame));

    host.ContentWindows().DestroyContentWindow(window);
}

}  // namespace
