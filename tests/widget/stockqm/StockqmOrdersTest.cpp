// What the stock window sends the terminal when its ladder is clicked, dragged and double
// clicked, and what it refuses to send.

#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include "CKrAmountEdit.h"
#include "StockqmWindow.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "ladder/CPriceHSpinEdit.h"
#include "support/UserInput.h"

namespace {

using Kora::Utility::JsonText;

// On the credit account, a book of 7.50 bid and 7.52 asked after a trade at 7.51, 100 shares a buy.
class StockqmOrders : public StockqmWindow {
protected:
    void SetUp() override {
        StockqmWindow::SetUp();
        Open();
        ChooseAccount(kCredit);
        Host().Market().TradeAt(Bank().index, Units(7.51), 100);
        Host().Market().SetBestQuote(Bank().index, Units(7.50), 1000, Units(7.52), 1200);
        SetVolume(DlgQuickMouse::kBuy, 100);
    }
    // 500 shares held since yesterday, 100 of them a sell.
    void HoldShares() {
        ASSERT_TRUE(Host().Market().AddPosition(kCredit, Bank().index, Terminal::Market::PositionSide::Long,
                                                500, Units(7.00)));
        SetVolume(DlgQuickMouse::kSell, 100);
    }
    int64_t BuysAt(double price) {
        return LadderList().Model().OrdersAt(LadderList().Model().RowOf(price),
                                             FastMouseLadderModel::kBuySide);
    }
    void DoubleClick(QWidget* widget, QPoint at) {
        QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
        Pump();
    }
};

TEST_F(StockqmOrders,
       OrdersAtOnePriceShareACellThatADoubleClickCancelsAndAHeaderDoubleClickCancelsTheirSide) {
    HoldShares();
    ClickCell(7.45, Ladder::kBuyColumn);
    auto* feedback = Control<QLabel>(DlgQuickMouse::kBuyFeedbackId);
    EXPECT_TRUE(feedback->isVisible() && feedback->text().contains(QStringLiteral("买入 7.45 100股")))
        << feedback->text().toStdString();
    EXPECT_FALSE(Control<QLabel>(DlgQuickMouse::kSellFeedbackId)->isVisible());
    Click(DlgQuickMouse::kBuyMarginId);
    ClickCell(7.45, Ladder::kBuyColumn);
    ClickCell(7.44, Ladder::kBuyColumn);
    ClickCell(7.60, Ladder::kSellColumn);

    const auto orders = Orders();
    ASSERT_EQ(orders.size(), 4u);
    EXPECT_EQ(JsonText(orders[0]["Request"]["Order"], "Direction"), "0");
    EXPECT_EQ(JsonText(orders[1]["Request"]["Order"], "Direction"), "a");
    EXPECT_EQ(JsonText(orders[1]["Request"]["Order"], "LimitPrice"), "7.45");
    EXPECT_EQ(BuysAt(7.45), 200);

    DoubleClick(LadderList().viewport(), Cell(7.45, Ladder::kBuyOrderColumn));
    EXPECT_EQ(Cancels().size(), 2u);
    EXPECT_EQ(WorkingOrders(kCredit).size(), 2u);
    EXPECT_EQ(BuysAt(7.45), 0);

    DoubleClick(&LadderList().HeaderWidget(), LadderList().HeaderCellRect(Ladder::kBuyColumn).center());
    ASSERT_EQ(WorkingOrders(kCredit).size(), 1u);
    EXPECT_EQ(JsonText(WorkingOrders(kCredit)[0], "112"), "1") << "the sell stays";

    Win::SendMessage(&Dialog(), Win::WM_TIMER, DlgQuickMouse::kBuyFeedbackTimer, 0);
    EXPECT_FALSE(feedback->isVisible());
}

TEST_F(StockqmOrders, AMoveAsksFirstAndOnceAcceptedSendsWhatWasStillWorkingAtTheNewPriceAfterTheCancels) {
    ClickCell(7.45, Ladder::kBuyColumn);
    Click(DlgQuickMouse::kBuyMarginId);
    SetVolume(DlgQuickMouse::kBuy, 300);
    ClickCell(7.45, Ladder::kBuyColumn);
    // 100 of the margin buy fill before the move.
    ASSERT_TRUE(Host().Market().FillOrder(JsonText(WorkingOrders(kCredit).at(1), "OrderID"), 100));
    Pump();

    t.answer = Win::IDNO;
    Drag(7.45, 7.47, Ladder::kBuyOrderColumn);
    ASSERT_EQ(t.boxes.size(), 1u);
    EXPECT_EQ(t.boxes[0].text, QStringLiteral("您是否确认撤销价格为7.45的委托,撤单后以价格为7.47重新委托？"));
    EXPECT_EQ(t.boxes[0].flags, Win::MB_YESNO | Win::MB_ICONQUESTION | Win::MB_TOPMOST);
    EXPECT_TRUE(Cancels().empty());

    t.answer = Win::IDYES;
    Drag(7.45, 7.47, Ladder::kBuyOrderColumn);
    EXPECT_EQ(Cancels().size(), 2u);
    const auto orders = Orders();
    ASSERT_EQ(orders.size(), 4u);
    std::map<std::string, int> moved;
    for (size_t i = 2; i < orders.size(); ++i) {
        const Json::Value& request = orders[i]["Request"];
        EXPECT_EQ(JsonText(request["Order"], "LimitPrice"), "7.47");
        for (const char* member :
             {"SplitOrderEnable", "ReorderEnable", "CancelOrderEnable", "PositionStopEnable"}) {
            EXPECT_TRUE(request.isMember(member) && !request[member].asBool()) << member;
        }
        moved[JsonText(request["Order"], "Direction")] = request["Order"]["Volume"].asInt();
    }
    EXPECT_EQ(moved, (std::map<std::string, int>{{"0", 100}, {"a", 200}}));
    EXPECT_EQ(BuysAt(7.47), 300);
}

TEST_F(StockqmOrders, AMoveWhoseCancelIsRefusedBecauseAnOrderFilledMeanwhileSendsNothingNew) {
    ClickCell(7.45, Ladder::kBuyColumn);
    ClickCell(7.45, Ladder::kBuyColumn);
    const std::string filled = JsonText(WorkingOrders(kCredit).at(0), "OrderID");
    t.whileOpen = [&](const Win::MessageBoxRequest&) {
        if (!Host().Market().FindOrder(filled)->filled) {
            ASSERT_TRUE(Host().Market().FillOrder(filled, 100));
        }
    };
    Drag(7.45, 7.47, Ladder::kBuyOrderColumn);
    t.whileOpen = nullptr;
    EXPECT_EQ(Orders().size(), 2u) << "the filled order must not be bought again at 7.47";
    EXPECT_EQ(t.BoxTexts().last(), QStringLiteral("部分挂单撤单失败，未发送新委托"));
}

TEST_F(StockqmOrders,
       APartLotBuyAPriceOutsideTheDaysLimitsOrASweepNotBeatingTheBidIsRefusedBeforeAnythingIsSent) {
    // Typed, and the ladder clicked before the edit is left.
    QLineEdit* buyVolume = &Control<CPriceHSpinEdit>(DlgQuickMouse::kBuyVolumeId)->Edit();
    buyVolume->setFocus();
    TypeOver(*buyVolume, QStringLiteral("150"));
    ClickCell(7.45, Ladder::kBuyColumn);
    SetVolume(DlgQuickMouse::kBuy, 100);
    // The exchange narrowed the day's range after the ladder was laid out.
    Host().Market().SetLimits(Bank().index, Units(7.80), Units(7.20));
    Pump();
    ClickCell(7.90, Ladder::kBuyColumn);
    Control<QTabBar>(DlgQuickMouse::kModeTabId)->setCurrentIndex(1);
    ClickCell(7.50, Ladder::kBuyColumn);
    EXPECT_TRUE(Orders().empty());
    EXPECT_EQ(t.BoxTexts(), (QStringList{"买入数量必须是100股的整数倍", "委托价格超出涨跌停价格范围"}));
    EXPECT_EQ(Control<QLabel>(DlgQuickMouse::kBuyFeedbackId)->toolTip(),
              QStringLiteral("扫单：买价须高于买一价，未下单"));
    ClickCell(7.51, Ladder::kBuyColumn);
    EXPECT_EQ(Orders().size(), 1u) << "a sweep buy above the bid goes";
}

TEST_F(StockqmOrders, AFilledBuyIsHeldAtOnceButSellableOnlyOnceTheDayRolledAndTheWindowIsRefreshed) {
    HoldShares();
    Click(DlgQuickMouse::kRefreshId);
    auto* sellable = Control<QLabel>(DlgQuickMouse::kSellableId);
    EXPECT_EQ(sellable->text(), QStringLiteral("500 股"));

    ClickCell(7.45, Ladder::kBuyColumn);
    ASSERT_TRUE(Host().Market().FillOrder(JsonText(WorkingOrders(kCredit).at(0), "OrderID"), 100));
    Pump();
    EXPECT_EQ(Control<QLabel>(DlgQuickMouse::kSummaryValueIds[2])->text(), QStringLiteral("600 股"));
    EXPECT_EQ(sellable->text(), QStringLiteral("500 股"));

    Host().Market().RollDay();
    Click(DlgQuickMouse::kRefreshId);
    EXPECT_EQ(sellable->text(), QStringLiteral("600 股"));
}

TEST_F(StockqmOrders, ASmartOrderGivenUpWithAnErrorOfItsOwnIsShownAndOtherStatesAreNot) {
    ClickCell(7.45, Ladder::kBuyColumn);
    ClickCell(7.44, Ladder::kBuyColumn);
    const QStringList ids = Dialog().Presenter().Sender().Tracker().Ids();
    ASSERT_EQ(ids.size(), 2u);
    const auto notify = [&](const QString& id, int state, int resultCode, const char* text) {
        Json::Value payload(Json::objectValue);
        payload["SmartOrderId"] = id.toStdString();
        payload["State"] = state;
        payload["ResultCode"] = resultCode;
        payload["ResultMsg"] = text;
        Host().Messages().Post(Kora::Interface::Topic::kSmartOrderChangeState, std::move(payload));
        Pump();
    };
    notify(ids[0], 4, 999, "已撤销");
    notify(ids[1], 4, 1001, "资金不足");
    EXPECT_EQ(t.BoxTexts(), QStringList{"资金不足"});
}

}  // namespace
