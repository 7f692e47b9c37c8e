// The simulated market: matching, positions and money, and its determinism.

#include <gtest/gtest.h>

#include <cstring>

#include "MarketTestSupport.h"

using namespace MarketTest;

namespace {

class SimulatorTest : public ::testing::Test {
protected:
    SimulatorTest() : sim(SimulatorOptions{7, kTradingDay}) {}

    void SetAsks(int instrument, std::initializer_list<BookLevel> asks,
                 std::initializer_list<BookLevel> bids = {}) {
        Book book;
        std::copy(asks.begin(), asks.end(), book.asks.begin());
        std::copy(bids.begin(), bids.end(), book.bids.begin());
        sim.SetBook(instrument, book);
    }

    Simulator sim;
    const int meal = IndexOf(sim, "DCE", "m2408");
    const int index = IndexOf(sim, "CFFEX", "IF2403");
    const int bank = IndexOf(sim, "SHSE-A", "600000");
};

TEST_F(SimulatorTest, CrossingLimitOrderFillsAtTheRestingPricesAndTakesTheirVolume) {
    SetAsks(meal, {{3001, 5}, {3002, 5}, {3003, 5}}, {{2999, 5}});
    const SubmitResult result = sim.Submit(Ticket("E1008", meal, '0', '0', 3002, 8));
    ASSERT_TRUE(result.Accepted()) << result.reason;
    const OrderView order = *sim.FindOrder(result.orderId);
    EXPECT_EQ(order.status, OrderStatus::kFilled);
    EXPECT_EQ(order.filled, 8);
    EXPECT_DOUBLE_EQ(order.AverageFillUnits(), (5 * 3001.0 + 3 * 3002.0) / 8);
    EXPECT_EQ(sim.GetBook(meal).asks[0].price, 3002);
    EXPECT_EQ(sim.Snapshot(meal).last, 3002);
    EXPECT_EQ(sim.Snapshot(meal).book[0].ask.volume, 2.0);
}

TEST_F(SimulatorTest, PartlyFilledOrderRestsAndFillsWhenTheMarketTradesThroughIt) {
    SetAsks(meal, {{3001, 4}});
    const std::string id = sim.Submit(Ticket("E1008", meal, '0', '0', 3001, 10)).orderId;
    EXPECT_EQ(sim.FindOrder(id)->status, OrderStatus::kPartlyFilled);
    EXPECT_EQ(sim.FindOrder(id)->filled, 4);

    sim.TradeAt(meal, 3002, 3);  // above the bid: no fill
    EXPECT_EQ(sim.FindOrder(id)->filled, 4);
    sim.TradeAt(meal, 3000, 2);  // through it, for two lots
    EXPECT_EQ(sim.FindOrder(id)->filled, 6);
    EXPECT_EQ(sim.FindOrder(id)->status, OrderStatus::kPartlyFilled);
    sim.TradeAt(meal, 3001);  // at it, unlimited
    EXPECT_EQ(sim.FindOrder(id)->status, OrderStatus::kFilled);
    // Resting fills are at the order's own price, whatever the trade printed.
    EXPECT_DOUBLE_EQ(sim.FindOrder(id)->AverageFillUnits(), 3001.0);
    EXPECT_EQ(sim.Snapshot(meal).last, 3001);
}

TEST_F(SimulatorTest, NewBookCrossingARestingOrderFillsItAtItsOwnPrice) {
    SetAsks(meal, {{3005, 10}}, {{2990, 10}});
    const std::string id = sim.Submit(Ticket("E1008", meal, '0', '0', 2998, 3)).orderId;
    EXPECT_EQ(sim.FindOrder(id)->status, OrderStatus::kWorking);
    SetAsks(meal, {{2996, 2}, {2997, 5}});
    EXPECT_EQ(sim.FindOrder(id)->status, OrderStatus::kFilled);
    EXPECT_DOUBLE_EQ(sim.FindOrder(id)->AverageFillUnits(), 2998.0);
    EXPECT_EQ(sim.GetBook(meal).asks[0].price, 2997);
    EXPECT_EQ(sim.GetBook(meal).asks[0].volume, 4);
}

TEST_F(SimulatorTest, ARestingOrderShowsInTheDepthAndFillsBehindTheQueueAheadOfIt) {
    SetAsks(meal, {{3001, 10}}, {{2999, 10}, {2998, 10}});
    const std::string first = sim.Submit(Ticket("E1008", meal, '0', '0', 2999, 3)).orderId;
    SetAsks(meal, {{3001, 10}}, {{2999, 14}, {2998, 10}});  // four more lots join behind it
    const std::string second = sim.Submit(Ticket("E1008", meal, '0', '0', 2999, 2)).orderId;
    EXPECT_EQ(sim.GetBook(meal).bids[0].volume, 14 + 3 + 2);
    EXPECT_EQ(sim.MarketBook(meal).bids[0].volume, 14);

    sim.TradeAt(meal, 2999, 6);  // six of the ten ahead of the first order
    EXPECT_EQ(sim.FindOrder(first)->filled, 0);
    sim.TradeAt(meal, 2999, 6);  // the last four ahead, then two of its three lots
    EXPECT_EQ(sim.FindOrder(first)->filled, 2);
    EXPECT_EQ(sim.FindOrder(first)->status, OrderStatus::kPartlyFilled);
    sim.TradeAt(meal, 2999, 3);  // its last lot, then two of the four behind it
    EXPECT_EQ(sim.FindOrder(first)->status, OrderStatus::kFilled);
    EXPECT_EQ(sim.FindOrder(second)->filled, 0);
    sim.TradeAt(meal, 2999, 4);  // the two left ahead of the second order, then it fills
    EXPECT_EQ(sim.FindOrder(second)->status, OrderStatus::kFilled);
    EXPECT_EQ(sim.GetBook(meal).bids[0].price, 2998);  // the level is gone
    EXPECT_EQ(sim.Interest(meal).opened - sim.Interest(meal).closed,
              int64_t(sim.Snapshot(meal).openInterest - sim.History(meal).back().openInterest));
}

TEST_F(SimulatorTest, CancelGivesBackTheHeldMoneyAndCannotBeRepeated) {
    const MoneyView before = *sim.Money("E1008");
    SetAsks(meal, {{3005, 10}});
    const std::string id = sim.Submit(Ticket("E1008", meal, '0', '0', 2990, 3)).orderId;
    EXPECT_LT(sim.Money("E1008")->available, before.available);
    EXPECT_EQ(sim.Cancel("E1008", id), "");
    EXPECT_EQ(sim.FindOrder(id)->status, OrderStatus::kCancelled);
    EXPECT_DOUBLE_EQ(sim.Money("E1008")->available, before.available);
    EXPECT_NE(sim.Cancel("E1008", id), "");
    EXPECT_NE(sim.Cancel("E1001", id), "");  // another account's order
    EXPECT_EQ(sim.Cancel("E1008", "nope"), "委托不存在");
    // A cancelled order no longer rests: a trade through its price fills nothing.
    sim.TradeAt(meal, 2980);
    EXPECT_EQ(sim.FindOrder(id)->filled, 0);
}

TEST_F(SimulatorTest, FillAndKillAndFillOrKillNeverRest) {
    SetAsks(meal, {{3001, 4}});
    OrderTicket fak = Ticket("E1008", meal, '0', '0', 3001, 10);
    fak.condition = TimeCondition::FillAndKill;
    const OrderView a = *sim.FindOrder(sim.Submit(fak).orderId);
    EXPECT_EQ(a.status, OrderStatus::kCancelled);
    EXPECT_EQ(a.filled, 4);

    const double available = sim.Money("E1008")->available;
    SetAsks(meal, {{3001, 4}});
    OrderTicket fok = fak;
    fok.condition = TimeCondition::FillOrKill;
    const OrderView b = *sim.FindOrder(sim.Submit(fok).orderId);
    EXPECT_EQ(b.status, OrderStatus::kCancelled);
    EXPECT_EQ(b.filled, 0);
    EXPECT_EQ(sim.GetBook(meal).asks[0].volume, 4);
    EXPECT_DOUBLE_EQ(sim.Money("E1008")->available, available);

    OrderTicket market = Ticket("E1008", meal, '0', '0', 0, 2);
    market.priceKind = PriceKind::Market;
    const OrderView c = *sim.FindOrder(sim.Submit(market).orderId);
    EXPECT_EQ(c.status, OrderStatus::kFilled);
    EXPECT_DOUBLE_EQ(c.AverageFillUnits(), 3001.0);
}

TEST_F(SimulatorTest, TheMarketsChecksRejectOrders) {
    struct Case {
        const char* name;
        OrderTicket ticket;
        std::string reason;
    };
    const std::vector<Case> cases{
        {"above the upper limit", Ticket("E1008", meal, '0', '0', 3300, 1), "委托价格超出涨跌停价格范围"},
        {"below a stock's lower limit", Ticket("E1001", bank, '0', '0', 674, 100),
         "委托价格超出涨跌停价格范围"},
        {"off the tick", Ticket("E1008", index, '0', '0', 35001, 1), "委托价格无效"},
        {"no volume", Ticket("E1008", meal, '0', '0', 3000, 0), "委托数量无效"},
        {"nothing to close", Ticket("E1008", meal, '1', '1', 3000, 1), "可平仓位不足"},
        {"contract of another account", Ticket("E1001", meal, '0', '0', 3000, 1), "该账号不支持此合约的交易"},
        {"odd lot purchase", Ticket("E1001", bank, '0', '0', 750, 150), "委托数量必须是100的整数倍"},
        {"short sale on a cash account", Ticket("E1001", bank, 'b', '0', 750, 100), "不支持的委托方向"},
        {"unknown offset", Ticket("E1008", meal, '0', '9', 3000, 1), "不支持的开平标志"},
    };
    for (const Case& c : cases) {
        const SubmitResult result = sim.Submit(c.ticket);
        EXPECT_EQ(result.status, OrderStatus::kRejected) << c.name;
        EXPECT_EQ(result.reason, c.reason) << c.name;
        EXPECT_EQ(sim.FindOrder(result.orderId)->rejectReason, c.reason) << c.name;
    }
    EXPECT_TRUE(sim.SetCash("E1008", 100.0));
    EXPECT_EQ(sim.Submit(Ticket("E1008", meal, '0', '0', 3000, 1)).reason, "可用资金不足");
    EXPECT_EQ(sim.Submit(Ticket("E9999", meal, '0', '0', 3000, 1)).orderId, "");
}

TEST_F(SimulatorTest, FuturesPositionAndMoneyFollowOpeningAndClosing) {
    SetAsks(meal, {{3001, 10}}, {{2999, 10}});
    ASSERT_TRUE(sim.Submit(Ticket("E1008", meal, '0', '0', 3001, 2)).Accepted());
    MoneyView money = *sim.Money("E1008");
    EXPECT_DOUBLE_EQ(money.margin, 3001.0 * 10 * 2 * 0.10);
    EXPECT_DOUBLE_EQ(money.commission, 3.0);
    EXPECT_DOUBLE_EQ(money.cash, 2'000'000.0 - 3.0);
    EXPECT_DOUBLE_EQ(money.available, money.cash - money.margin);

    sim.TradeAt(meal, 3011, 1);
    money = *sim.Money("E1008");
    EXPECT_DOUBLE_EQ(money.positionProfit, 200.0);
    EXPECT_DOUBLE_EQ(money.totalAsset, 2'000'000.0 - 3.0 + 200.0);
    EXPECT_DOUBLE_EQ(money.available, money.cash + 200.0 - money.margin);

    const auto held = Held(sim, "E1008", meal, PositionSide::Long);
    ASSERT_TRUE(held);
    EXPECT_EQ(held->closableToday, 2);
    EXPECT_DOUBLE_EQ(held->averagePrice, 3001.0);

    // A working close order holds back what it closes.
    SetAsks(meal, {{3020, 10}}, {{3005, 10}});
    const std::string closing = sim.Submit(Ticket("E1008", meal, '1', '2', 3015, 1)).orderId;
    EXPECT_EQ(Held(sim, "E1008", meal, PositionSide::Long)->closable, 1);
    sim.Cancel("E1008", closing);
    EXPECT_EQ(Held(sim, "E1008", meal, PositionSide::Long)->closable, 2);

    ASSERT_TRUE(sim.Submit(Ticket("E1008", meal, '1', '2', 3005, 1)).Accepted());
    money = *sim.Money("E1008");
    EXPECT_DOUBLE_EQ(money.closeProfit, (3005.0 - 3001.0) * 10);
    EXPECT_DOUBLE_EQ(money.cash, 2'000'000.0 - 3.0 + 40.0 - 1.5);
    EXPECT_DOUBLE_EQ(money.margin, 3001.0 * 10 * 0.10);
    EXPECT_EQ(Held(sim, "E1008", meal, PositionSide::Long)->total, 1);
}

TEST_F(SimulatorTest, SharesBoughtTodayCloseTomorrow) {
    const Instrument& stock = *sim.Catalogue().At(bank);
    SetAsks(bank, {{751, 1000}}, {{749, 1000}});
    ASSERT_TRUE(sim.Submit(Ticket("E1001", bank, '0', '0', 751, 100)).Accepted());
    const MoneyView money = *sim.Money("E1001");
    EXPECT_NEAR(money.cash, 1'000'000.0 - 751.0 - 751.0 * stock.commissionRate, 1e-9);
    EXPECT_EQ(Held(sim, "E1001", bank, PositionSide::Long)->closable, 0);
    EXPECT_EQ(sim.Submit(Ticket("E1001", bank, '1', '0', 749, 100)).reason, "可平仓位不足");

    ASSERT_TRUE(sim.AddPosition("E1001", bank, PositionSide::Long, 200, 700));
    const auto held = Held(sim, "E1001", bank, PositionSide::Long);
    EXPECT_EQ(held->total, 300);
    EXPECT_EQ(held->closable, 200);
    EXPECT_EQ(held->closableToday, 0);
    const SubmitResult sale = sim.Submit(Ticket("E1001", bank, '1', '0', 749, 150));  // odd lots may be sold
    EXPECT_EQ(sim.FindOrder(sale.orderId)->status, OrderStatus::kFilled);
    EXPECT_EQ(Held(sim, "E1001", bank, PositionSide::Long)->total, 150);
}

TEST_F(SimulatorTest, MaxVolumeIsWhatTheMoneyPaysOrWhatCanBeClosed) {
    // Margin 3000 × 10 × 10 % plus 1.5 commission per lot.
    EXPECT_EQ(sim.MaxVolume(Ticket("E1008", meal, '0', '0', 3000, 1)), int64_t(2'000'000.0 / 3001.5));
    // Shares in round lots.
    EXPECT_EQ(sim.MaxVolume(Ticket("E1001", bank, '0', '0', 750, 1)) % 100, 0);
    EXPECT_EQ(sim.MaxVolume(Ticket("E9999", meal, '0', '0', 3000, 1)), 0);
    ASSERT_TRUE(sim.AddPosition("E1008", meal, PositionSide::Long, 4, 3000));
    EXPECT_EQ(sim.MaxVolume(Ticket("E1008", meal, '1', '1', 3000, 1)), 4);
    EXPECT_EQ(sim.MaxVolume(Ticket("E1008", meal, '1', '2', 3000, 1)), 0);  // none of it is today's
}

class RecordingListener : public MarketListener {
public:
    std::vector<std::string> events;
    void OnOrderUpdated(const OrderView& order, const Fill* fill) override {
        events.push_back(std::string("order ") + order.status +
                         (fill ? " fill " + std::to_string(fill->volume) : ""));
    }
    void OnPositionsChanged(const std::string& account) override { events.push_back("positions " + account); }
    void OnQuote(const QuoteEvent& quote) override {
        events.push_back(quote.traded ? "quote traded" : "quote");
    }
    void OnStaticChanged(int) override { events.push_back("static"); }
};

TEST_F(SimulatorTest, EventsReachTheListenerInTheOrderTheyHappened) {
    SetAsks(meal, {{3001, 1}, {3002, 5}});
    RecordingListener listener;
    sim.SetListener(&listener);
    sim.Submit(Ticket("E1008", meal, '0', '0', 3002, 2));
    sim.SetLimits(meal, 3100, 2900);
    sim.SetListener(nullptr);
    EXPECT_EQ(listener.events,
              (std::vector<std::string>{"order 2", "order 1 fill 1", "positions E1008", "order 0 fill 1",
                                        "positions E1008", "quote traded", "static", "quote"}));
}

TEST(SimulatorDeterminismTest, TheSameSeedGivesTheSameMarketStepByStep) {
    Simulator a(SimulatorOptions{42, kTradingDay});
    Simulator b(SimulatorOptions{42, kTradingDay});
    Simulator c(SimulatorOptions{43, kTradingDay});
    for (int step = 0; step < 20; ++step) {
        a.Step();
        b.Step();
        c.Step();
    }
    bool differs = false;
    for (int i = 0; i < a.Catalogue().Size(); ++i) {
        const Kora::Interface::QuoteSnapshot x = a.Snapshot(i);
        const Kora::Interface::QuoteSnapshot y = b.Snapshot(i);
        EXPECT_EQ(std::memcmp(&x, &y, sizeof x), 0) << i;
        differs = differs || x.last != c.Snapshot(i).last;
        EXPECT_EQ(a.History(i).front().close, b.History(i).front().close);
        EXPECT_TRUE(x.last <= x.upperLimit && x.last >= x.lowerLimit) << i;
    }
    EXPECT_TRUE(differs);
}

}  // namespace
