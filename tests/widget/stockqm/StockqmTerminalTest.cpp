// The stock window as a trader meets it: the component loaded from the run layout, the window
// opened from the terminal's "工具" menu on the credit account, a financed buy placed with one
// click of the ladder and cancelled with a double click, and the terminal's journal showing
// what was asked of it.

#include <QAbstractButton>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "CFastMouseOrderList2.h"
#include "platform/ControlId.h"
#include "support/HostSteps.h"
#include "support/OwnWorkingFolder.h"
#include "widget/terminal/UiFixture.h"

namespace TerminalUiTest {
namespace {

using Kora::Utility::JsonText;

// The window reads and writes its settings beside its working folder: a folder of the test's own.
class StockqmTerminal : public UiFixture {
    OwnWorkingFolder m_folder;
};

TEST_F(StockqmTerminal, AFinancedBuyPlacedWithAClickOnTheCreditAccountIsCancelledWithADoubleClick) {
    const auto& bank = Host().Instrument("SHSE-A", "600000");
    Host().Market().SetBestQuote(bank.index, bank.ToUnits(7.50), 1000, bank.ToUnits(7.52), 1000);
    ASSERT_TRUE(Host().Engine().SetCurrentAccount("E1005"));
    QAction* open = MenuEntry(*Window().ToolsMenu(), QStringLiteral("KRTToolQuickMouse"));
    ASSERT_TRUE(open);
    open->trigger();
    Terminal::Ui::ToolDock* dock = DockOf(Window(), QStringLiteral("KRTToolQuickMouse"));
    ASSERT_TRUE(dock);
    QWidget* dialog = dock->Window()->GetHwnd();
    auto* ladder = Win::FindControl<CFastMouseOrderList2>(dialog, 11054);
    auto* marginBuy = Win::FindControl<QAbstractButton>(dialog, 11021);
    auto* volume = Win::FindControlWidget(dialog, 11002)->findChild<QLineEdit*>();
    ASSERT_TRUE(ladder && marginBuy && volume);
    ASSERT_TRUE(WaitUntil([&] { return ladder->Model().BestRow(FastMouseLadderModel::kBuySide) >= 0; }));

    marginBuy->click();
    volume->setText(QStringLiteral("100"));
    const int row = ladder->Model().RowOf(7.46);
    ladder->verticalScrollBar()->setValue(row - ladder->RowsPerPage() / 2);
    QTest::mouseClick(ladder->viewport(), Qt::LeftButton, {},
                      ladder->CellRect(row, CFastMouseOrderList2::kBuyColumn).center());

    ASSERT_TRUE(WaitUntil([&] { return !JournalOf(Host(), QStringLiteral("Order")).empty(); }));
    const auto orders = JournalOf(Host(), QStringLiteral("Order"));
    ASSERT_EQ(orders.size(), 1u);
    const Json::Value& order = orders[0]["Request"]["Order"];
    EXPECT_EQ(JsonText(orders[0]["Request"], "EAccountID"), "E1005");
    EXPECT_EQ(JsonText(order["Contract"], "ContractCode"), "600000");
    EXPECT_EQ(JsonText(order, "Direction"), "a") << "融资买入";
    EXPECT_EQ(JsonText(order, "LimitPrice"), "7.46");
    EXPECT_EQ(order["Volume"].asInt(), 100);

    ASSERT_TRUE(
        WaitUntil([&] { return ladder->Model().OrdersAt(row, FastMouseLadderModel::kBuySide) == 100; }));
    QTest::mouseDClick(ladder->viewport(), Qt::LeftButton, {},
                       ladder->CellRect(row, CFastMouseOrderList2::kBuyOrderColumn).center());
    EXPECT_TRUE(
        WaitUntil([&] { return ladder->Model().OrdersAt(row, FastMouseLadderModel::kBuySide) == 0; }));
    EXPECT_EQ(JournalOf(Host(), QStringLiteral("Cancel")).size(), 1u);
}

}  // namespace
}  // namespace TerminalUiTest
