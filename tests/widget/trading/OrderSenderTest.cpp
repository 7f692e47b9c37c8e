// The one send path against the scripted terminal: what reaches the engine, what the trader is
// told, and which smart orders are followed.

#include <gtest/gtest.h>

#include "kora/utility/JsonAccess.h"
#include "support/ComponentOnHost.h"
#include "trading/CategoryPolicy.h"
#include "trading/OrderSender.h"
#include "trading/TradePrompter.h"

namespace {

using Terminal::Market::PositionSide;

class OrderSenderTest : public ::testing::Test {
protected:
    OrderTicket FutureTicket(QChar offset, int64_t volume) {
        const auto& future = t.Host().Instrument("DCE", "m2408");
        Json::Value contract(Json::objectValue);
        contract["54"] = future.exchange;
        contract["63"] = future.code;
        OrderTicket ticket = CategoryPolicy::OfCategory(8).NewTicket("E1008", contract);
        ticket.offset = offset;
        ticket.priceText = "3000";
        ticket.volume = volume;
        return ticket;
    }

    ComponentOnHost t;
    WindowPrompter prompter{nullptr};
    OrderSender sender{QStringLiteral("快鼠下单板"), prompter};
};

TEST_F(OrderSenderTest, ANetPositionOrderTheEngineCannotResolveIsToldAndNeverInserted) {
    OrderTicket ticket = FutureTicket(QLatin1Char('3'), 1);
    ticket.accountId = "E1006";  // a stock-option account: it does not trade the future
    const OrderSender::Outcome outcome = sender.Send(ticket);
    EXPECT_FALSE(outcome.sent);
    EXPECT_EQ(t.BoxTexts(), QStringList{"该账号不支持此合约的交易"});
    EXPECT_TRUE(t.Journal("Order").empty()) << "the request reached the engine's order desk";
    EXPECT_TRUE(t.EngineLog().contains("1:错误|该账号不支持此合约的交易|"));
}

TEST_F(OrderSenderTest, ANetPositionOrderSplitByTheEngineIsFollowedByEachOfItsSmartOrders) {
    const auto& future = t.Host().Instrument("DCE", "m2408");
    ASSERT_TRUE(
        t.Host().Market().AddPosition("E1008", future.index, PositionSide::Short, 2, future.ToUnits(3000)));
    const OrderSender::Outcome outcome = sender.Send(FutureTicket(QLatin1Char('3'), 5));
    ASSERT_TRUE(outcome.sent);
    EXPECT_EQ(outcome.smartOrderIds.size(), 2) << "a close of two and an open of three";
    EXPECT_EQ(sender.Tracker().Ids(), outcome.smartOrderIds);
    EXPECT_EQ(sender.Tracker().AccountOf(outcome.smartOrderIds[1]), "E1008");
    const auto orders = t.Journal("Order");
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0]["Request"]["Order"]["ExtRawData"]["117"], "3");
    EXPECT_TRUE(t.boxes.empty());
}

}  // namespace
