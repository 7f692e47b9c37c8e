// The option batch board as a trader meets it: the component library loaded from the run
// layout, the board opened from the terminal's main window, two legs ticked with the mouse,
// "下单" pressed, the terminal's combination page confirmed, and the simulated market filling
// both legs.

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "COptListTradeBatch.h"
#include "kora/utility/JsonAccess.h"
#include "support/HostSteps.h"
#include "ui/CombinationOrderPage.h"
#include "widget/terminal/UiFixture.h"

namespace TerminalUiTest {
namespace {

using Kora::Utility::JsonText;
using Terminal::Ui::CombinationOrderPage;

class BoardTerminalTest : public UiFixture {};

TEST_F(BoardTerminalTest, TwoTickedLegsAreConfirmedOnTheCombinationPageAndFilledByTheMarket) {
    ASSERT_TRUE(Host().Engine().SetCurrentAccount("E1006"));
    Terminal::Ui::ToolDock* dock = Window().OpenTool(QStringLiteral("OptBatchWindow"));
    ASSERT_NE(dock, nullptr);
    auto* board = dock->findChild<COptListTradeBatch*>(QStringLiteral("optionBoard"));
    ASSERT_NE(board, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return board->isVisible() && board->RowCount() > 0; }));

    // A straddle on the at-the-money row: its call and its put bought.
    int row = -1;
    for (int r = 0; r < board->RowCount(); ++r) {
        if (board->CellAt({r, 2}).text.endsWith(QStringLiteral("平值"))) {
            row = r;
        }
    }
    ASSERT_GE(row, 0);
    for (int column : {0, 3}) {
        QTest::mouseClick(board->viewport(), Qt::LeftButton, {}, board->CellRect({row, column}).center());
    }
    QPushButton* order = nullptr;
    for (QPushButton* button : dock->findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("下单")) {
            order = button;
        }
    }
    ASSERT_NE(order, nullptr);
    QTest::mouseClick(order, Qt::LeftButton);

    CombinationOrderPage* page = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* shown = qobject_cast<CombinationOrderPage*>(widget); shown && shown->isVisible()) {
                page = shown;
            }
        }
        return page != nullptr;
    }));
    ASSERT_EQ(page->Legs()->rowCount(), 2);
    QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("ConfirmButton")), Qt::LeftButton);

    ASSERT_TRUE(WaitUntil([&] { return JournalOf(Host(), QStringLiteral("Order")).size() == 2; }));
    for (const Json::Value& leg : JournalOf(Host(), QStringLiteral("Order"))) {
        EXPECT_EQ(JsonText(leg["Request"]["Order"], "Direction"), "0");
        EXPECT_EQ(JsonText(leg["Request"], "EAccountID"), "E1006");
    }
    ASSERT_TRUE(WaitUntil([&] {
        int filled = 0;
        for (const Json::Value& order : Host().Engine().GetOrders(Json::Value("E1006"))) {
            filled += JsonText(order, "156") == "0";
        }
        return filled == 2;
    })) << "both legs are filled at the offer";
}

}  // namespace
}  // namespace TerminalUiTest
