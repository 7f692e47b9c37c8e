// The option quick-mouse window as a trader meets it in the terminal: the stock-option account
// made current, the window opened from the tools menu, a fund option chosen in the market watch,
// a row of the ladder clicked and the order dragged to another row, the journal of the terminal
// recording what the window asked for. The component is the run layout's library.

#include <QAbstractScrollArea>
#include <QTest>

#include "UiFixture.h"
#include "kora/utility/JsonAccess.h"
#include "support/HostSteps.h"
#include "support/WaitUntil.h"
#include "ui/AccountActions.h"
#include "ui/MarketWatch.h"

namespace TerminalUiTest {
namespace {

using Kora::Utility::JsonText;

constexpr int kRowHeight = 22;
constexpr int kColumnWidth = 63;

std::vector<Json::Value> Journal(Terminal::HostRuntime& host, const char* kind) {
    return JournalOf(host, QString::fromLatin1(kind));
}

class OptqmTerminalTest : public UiFixture {};

TEST_F(OptqmTerminalTest, AFundOptionsLadderRowClickedThenDraggedIsOrderedCancelledAndOrderedAgain) {
    QMenu& accounts = *Window().AccountsMenu();
    MenuEntryTitled(accounts, Terminal::Ui::AccountActions::Caption(*Host().Market().Account("E1006")))
        ->trigger();
    ASSERT_EQ(Host().Engine().CurrentAccountId(), "E1006");

    const auto& option = NearMonthOption(Host(), 1, 0);
    Host().Market().SetBestQuote(option.index, option.ToUnits(0.0450), 10, option.ToUnits(0.0460), 10);
    Host().Market().TradeAt(option.index, option.ToUnits(0.0455), 1);

    MenuEntry(*Window().ToolsMenu(), QStringLiteral("KROptionQMouse"))->trigger();
    Terminal::Ui::ToolDock* dock = DockOf(Window(), QStringLiteral("KROptionQMouse"));
    ASSERT_TRUE(dock);
    dock->setFloating(true);
    dock->resize(560, 640);
    Window().Watch()->Choose(option.index);
    auto* ladder = dock->Window()->GetHwnd()->findChild<QAbstractScrollArea*>(QStringLiteral("ladder"));
    ASSERT_NE(ladder, nullptr);
    QWidget* cells = ladder->viewport();
    // The last price mid-page; in the five-level mode the rows below it are the bids 0.0450 …
    // 0.0446, one a row: three rows down is 0.0448, below the best bid, where the order rests.
    ASSERT_TRUE(WaitUntil([&] {
        Host().Settle();
        return Journal(Host(), "Order").empty() && cells->height() > 10 * kRowHeight;
    }));
    QTest::qWait(50);
    const int lastRow = cells->height() / kRowHeight / 2;
    const int row = lastRow + 3;
    QTest::mouseClick(cells, Qt::LeftButton, {},
                      QPoint(kColumnWidth + kColumnWidth / 2, row * kRowHeight + 11));

    ASSERT_TRUE(WaitUntil([&] { return Journal(Host(), "Order").size() == 1; }));
    const Json::Value first = Journal(Host(), "Order")[0]["Request"]["Order"];
    EXPECT_EQ(JsonText(first["Contract"], "ContractCode"), option.code);
    EXPECT_EQ(JsonText(first["ExtRawData"], "117"), "3") << "net position, resolved by the engine";
    EXPECT_EQ(JsonText(first, "LimitPrice"), "0.0448");

    // The order's cell dragged two rows down: its cancel, then, once confirmed, the order again.
    ASSERT_TRUE(WaitUntil([&] {
        Host().Settle();
        return !Journal(Host(), "Order").empty() &&
               Host().Engine().GetOrders(Json::Value("E1006")).size() == 1;
    }));
    QTest::qWait(50);
    const QPoint from(kColumnWidth / 2 + 8, row * kRowHeight + 11);
    const QPoint to(kColumnWidth / 2 + 8, (row + 2) * kRowHeight + 11);
    QTest::mousePress(cells, Qt::LeftButton, {}, from);
    QTest::mouseMove(cells, to);
    QTest::mouseRelease(cells, Qt::LeftButton, {}, to);

    ASSERT_TRUE(WaitUntil([&] {
        Host().Settle();
        return Journal(Host(), "Order").size() == 2;
    }));
    const auto cancels = Journal(Host(), "Cancel");
    ASSERT_EQ(cancels.size(), 1u);
    const Json::Value second = Journal(Host(), "Order")[1]["Request"]["Order"];
    EXPECT_EQ(JsonText(second, "LimitPrice"), "0.0446");
    EXPECT_EQ(JsonText(second, "Direction"), "0");
    dock->close();
}

}  // namespace
}  // namespace TerminalUiTest
