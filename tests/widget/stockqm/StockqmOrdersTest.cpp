// What the stock window sends the terminal when its ladder is clicked, dragged and double
// clicked, and what it refuses to send.

#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include "StockqmWindow.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "ladder/CPriceHSpinEdit.h"
#include "CKrAmountEdit.h"

namespace {

using Kora::Utility::JsonText;
using Side = DlgQuickMouse::Side;

class StockqmOrders : public StockqmWindow {
protected:
    void SetUp() override {
        StockqmWindow::SetUp();
        Open();
        ChooseAccount(kCredit);
        Quote();
        SetVolume(DlgQuickMouse::kBuy, 100);
    }
    int64_t LadderOrdersAt(double price, int side) {
        return LadderList().Model().OrdersAt(LadderList().Model().RowOf(price), side);
    }
};

TEST_F(StockqmOrders, OrdinaryAndMarginBuysAtOnePriceShareACellThatOneDoubleClickCancels) {
    ClickCell(7.45, Ladder::kBuyColumn);
    Click(DlgQuickMouse::kBuyMarginId);
    ClickCell(7.45, Ladder::kBuyColumn);
    ClickCell(7.44, Ladder::kBuyColumn);

    const auto orders = Orders();
    ASSERT_EQ(orders.size(), 3u);
    EXPECT_EQ(JsonText(orders[0]["Request"]["Order"], "Direction"), "0");
    EXPECT_EQ(JsonText(orders[1]["Request"]["Order"], "Direction"), "a");
    EXPECT_EQ(JsonText(orders[1]["Request"]["Order"], "LimitPrice"), "7.45");
    EXPECT_EQ(JsonText(orders[1]["Request"]["Order"], "MiniTradeUnitVol"), "100");
    EXPECT_EQ(LadderOrdersAt(7.45, FastMouseLadderModel::kBuySide), 200);

    DoubleClickCell(7.45, Ladder::kBuyOrderColumn);
    EXPECT_EQ(Cancels().size(), 2u);
    ASSERT_EQ(WorkingOrders(kCredit).size(), 1u);
    EXPECT_EQ(JsonText(WorkingOrders(kCredit)[0], "129"), "7.44");
    EXPECT_EQ(LadderOrdersAt(7.45, FastMouseLadderModel::kBuySide), 0);
}

TEST_F(StockqmOrders, AHeaderDoubleClickCancelsEveryOrderOfItsSideAndNoneOfTheOther) {
    ASSERT_TRUE(Host().Market().AddPosition(kCredit, Bank().index, Terminal::Market::PositionSide::Long, 500,
                                            Units(7.00)));
    SetVolume(DlgQuickMouse::kSell, 100);
    ClickCell(7.40, Ladder::kBuyColumn);
    ClickCell(7.42, Ladder::kBuyColumn);
    ClickCell(7.60, Ladder::kSellColumn);
    ASSERT_EQ(WorkingOrders(kCredit).size(), 3u);

    QTest::mouseDClick(&LadderList().HeaderWidget(), Qt::LeftButton, {},
                       LadderList().HeaderCellRect(Ladder::kBuyColumn).center());
    Pump();
    ASSERT_EQ(WorkingOrders(kCredit).size(), 1u);
    EXPECT_EQ(JsonText(WorkingOrders(kCredit)[0], "112"), "1");
}

TEST_F(StockqmOrders, AMoveAsksFirstAndDecliningLeavesTheOrdersWhereTheyAre) {
    ClickCell(7.45, Ladder::kBuyColumn);
    ClickCell(7.45, Ladder::kBuyColumn);
    t.answer = Win::IDNO;
    Drag(7.45, 7.47, Ladder::kBuyOrderColumn);
    ASSERT_EQ(t.boxes.size(), 1u);
    EXPECT_EQ(t.boxes[0].text, QStringLiteral("您是否确认撤销价格为7.45的委托,撤单后以价格为7.47重新委托？"));
    EXPECT_EQ(t.boxes[0].flags, Win::MB_YESNO | Win::MB_ICONQUESTION | Win::MB_TOPMOST);
    EXPECT_TRUE(Cancels().empty());
    EXPECT_EQ(WorkingOrders(kCredit).size(), 2u);
}

TEST_F(StockqmOrders, AcceptedMoveSendsTheNewOrdersForWhatWasStillWorkingOnceTheCancelsAreConfirmed) {
    ClickCell(7.45, Ladder::kBuyColumn);
    Click(DlgQuickMouse::kBuyMarginId);
    SetVolume(DlgQuickMouse::kBuy, 300);
    ClickCell(7.45, Ladder::kBuyColumn);
    // 100 of the margin buy fill before the move.
    const std::string margin = JsonText(WorkingOrders(kCredit).at(1), "OrderID");
    ASSERT_TRUE(Host().Market().FillOrder(margin, 100));
    Pump();

    Drag(7.45, 7.47, Ladder::kBuyOrderColumn);
    EXPECT_EQ(Cancels().size(), 2u);
    const auto orders = Orders();
    ASSERT_EQ(orders.size(), 4u);
    std::map<std::string, std::string> moved;
    for (size_t i = 2; i < orders.size(); ++i) {
        const Json::Value& request = orders[i]["Request"];
        EXPECT_EQ(JsonText(request["Order"], "LimitPrice"), "7.47");
        for (const char* member :
             {"SplitOrderEnable", "ReorderEnable", "CancelOrderEnable", "PositionStopEnable"}) {
            EXPECT_TRUE(request.isMember(member) && !request[member].asBool()) << member;
        }
        moved[JsonText(request["Order"], "Direction")] = std::to_string(request["Order"]["Volume"].asInt());
    }
    EXPECT_EQ(moved, (std::map<std::string, std::string>{{"0", "100"}, {"a", "200"}}));
    EXPECT_EQ(LadderOrdersAt(7.47, FastMouseLadderModel::kBuySide), 300);
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

TEST_F(StockqmOrders, SweepModeDropsABuyThatDoesNotBeatTheBestBidAndASellThatDoesNotBeatTheBestAsk) {
    ASSERT_TRUE(Host().Market().AddPosition(kCredit, Bank().index, Terminal::Market::PositionSide::Long, 500,
                                            Units(7.00)));
    SetVolume(DlgQuickMouse::kSell, 100);
    Control<QTabBar>(DlgQuickMouse::kModeTabId)->setCurrentIndex(1);
    ClickCell(7.50, Ladder::kBuyColumn);
    ClickCell(7.48, Ladder::kBuyColumn);
    ClickCell(7.52, Ladder::kSellColumn);
    EXPECT_TRUE(Orders().empty());
    EXPECT_TRUE(Control<QLabel>(DlgQuickMouse::kBuyFeedbackId)->isVisible());
    ClickCell(7.51, Ladder::kBuyColumn);
    ClickCell(7.51, Ladder::kSellColumn);
    EXPECT_EQ(Orders().size(), 2u);
}

TEST_F(StockqmOrders, ABuyOfPartOfALotOrAPriceOutsideTheDaysLimitsIsRefusedBeforeAnythingIsSent) {
    // Typed, and the ladder clicked before the edit is left.
    QLineEdit* buyVolume = &Control<CPriceHSpinEdit>(DlgQuickMouse::kBuyVolumeId)->Edit();
    buyVolume->setFocus();
    buyVolume->selectAll();
    QTest::keyClicks(buyVolume, QStringLiteral("150"));
    ClickCell(7.45, Ladder::kBuyColumn);
    SetVolume(DlgQuickMouse::kBuy, 100);
    // The exchange narrowed the day's range after the ladder was laid out.
    Host().Market().SetLimits(Bank().index, Units(7.80), Units(7.20));
    Pump();
    ClickCell(7.90, Ladder::kBuyColumn);
    EXPECT_TRUE(Orders().empty());
    EXPECT_EQ(t.BoxTexts(), (QStringList{"买入数量必须是100股的整数倍", "委托价格超出涨跌停价格范围"}));
}

TEST_F(StockqmOrders, SharesBoughtTodayAreHeldAtOnceButOnlyYesterdaysCanBeSold) {
    ASSERT_TRUE(Host().Market().AddPosition(kCredit, Bank().index, Terminal::Market::PositionSide::Long, 500,
                                            Units(7.00)));
    Click(DlgQuickMouse::kRefreshId);
    auto* sellable = Control<QLabel>(DlgQuickMouse::kSellableId);
    auto* held = Control<QLabel>(DlgQuickMouse::kSummaryValueIds[2]);
    EXPECT_EQ(sellable->text(), QStringLiteral("500 股"));

    ClickCell(7.45, Ladder::kBuyColumn);
    ASSERT_EQ(WorkingOrders(kCredit).size(), 1u);
    ASSERT_TRUE(Host().Market().FillOrder(JsonText(WorkingOrders(kCredit)[0], "OrderID"), 100));
    Pump();
    EXPECT_EQ(held->text(), QStringLiteral("600 股"));
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
    notify(ids[0], 1, 0, "运行中");
    notify(ids[0], 4, 999, "已撤销");
    notify(ids[1], 4, 1001, "资金不足");
    EXPECT_EQ(t.BoxTexts(), QStringList{"资金不足"});
}

TEST_F(StockqmOrders, AnAnswerShowsOnItsSidesFeedbackLabelUntilItsTimerFires) {
    ClickCell(7.45, Ladder::kBuyColumn);
    auto* feedback = Control<QLabel>(DlgQuickMouse::kBuyFeedbackId);
    ASSERT_TRUE(feedback->isVisible());
    EXPECT_TRUE(feedback->text().contains(QStringLiteral("买入 7.45 100股")))
        << feedback->text().toStdString();
    EXPECT_FALSE(Control<QLabel>(DlgQuickMouse::kSellFeedbackId)->isVisible());
    Win::SendMessage(&Dialog(), Win::WM_TIMER, DlgQuickMouse::kBuyFeedbackTimer, 0);
    EXPECT_FALSE(feedback->isVisible());
}

}  // namespace
