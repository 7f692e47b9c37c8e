#include <QLineEdit>

#include "kora/interface/BaseQuoteDataSvcI.h"
#include "platform/ControlId.h"
#include "widget/shortcut/KeyboardFixture.h"

namespace {

using Kora::Utility::JsonParse;
using Side = Terminal::Market::PositionSide;

Json::Value Parse(const char* text) {
    Json::Value v;
    EXPECT_TRUE(JsonParse(text, v)) << text;
    return v;
}

class ShortcutTrade : public KeyboardFixture {
protected:
    void SetUp() override {
        SetSetting("下单无需确认", true);
        SetSetting("撤单无需确认", false);
        Quote(Future(), 3000, 3001);
        Execute("OpenShortcutTrade");
        ASSERT_NE(Strip(), nullptr);
    }

    void Act(int action, const char* option = "{}") {
        Strip()->OnShortcutAction(action, Parse(option));
        Pump();
    }
    void SetEdit(int id, const char* text) {
        Win::FindControl<QLineEdit>(Strip(), id)->setText(QString::fromUtf8(text));
    }
    void Follow(const Terminal::Market::Instrument& instrument) {
        ASSERT_TRUE(Strip()->SetContract(t.Host().KeyOf(instrument), false));
    }
    std::vector<Json::Value> Cancels() { return t.Journal(QStringLiteral("Cancel")); }

    static constexpr const char* kBuyAtAsk = R"({"买卖": 0, "开平": 0, "价格": "卖一价", "超价": 0})";
};

TEST_F(ShortcutTrade, VolumeIsQuantityTimesMultiplier) {
    SetEdit(CDlgShortcutTrade::kQuantityId, "3");
    SetEdit(CDlgShortcutTrade::kMultiplierId, "2");
    Act(7, kBuyAtAsk);
    ASSERT_EQ(Orders().size(), 1u);
    EXPECT_EQ(Volume(Orders()[0]), 6);
    EXPECT_EQ(Orders()[0]["Request"]["SoftwareType"].asString(), "键盘下单");
    EXPECT_EQ(Orders()[0]["Request"]["OrderMode"].asString(), "手动");

    Act(1, R"({"数量倍率": 5})");
    EXPECT_EQ(Win::FindControl<QLineEdit>(Strip(), CDlgShortcutTrade::kMultiplierId)->text(), "5");
    EXPECT_TRUE(t.EngineLog().contains("100:常规|调整数量倍率|5|"));
}

TEST_F(ShortcutTrade, ExtraTicksMoveTheBuyUpFromTheAskAndTheSellDownFromTheBid) {
    Follow(IndexFuture());  // tick 0.2
    Quote(IndexFuture(), 3499.8, 3500.0);
    Act(7, R"({"买卖": 0, "开平": 0, "价格": "卖一价", "超价": 2})");
    Act(7, R"({"买卖": 1, "开平": 0, "价格": "买一价", "超价": 2})");
    ASSERT_EQ(Orders().size(), 2u);
    EXPECT_EQ(Field(Orders()[0], "LimitPrice"), "3500.4");
    EXPECT_EQ(Field(Orders()[1], "LimitPrice"), "3499.4");
}

TEST_F(ShortcutTrade, BadQuantitiesOrMultipliersAreRefusedWithTheirMessages) {
    struct Case {
        const char* quantity;
        const char* multiplier;
        const char* message;
    };
    const Case cases[] = {
        {"", "1", "请输入数量!"},
        {"0", "1", "数量不正确，请重新输入!"},
        {"abc", "1", "数量不正确，请重新输入!"},
        {"2", "", "请输入倍率!"},
        {"2", "-1", "倍率不正确，请重新输入!"},
        {"1.5", "1", "数量不正确，请重新输入!"},
    };
    for (const Case& c : cases) {
        t.boxes.clear();
        SetEdit(CDlgShortcutTrade::kQuantityId, c.quantity);
        SetEdit(CDlgShortcutTrade::kMultiplierId, c.multiplier);
        Act(7, kBuyAtAsk);
        EXPECT_EQ(t.BoxTexts(), QStringList{QString::fromUtf8(c.message)})
            << c.quantity << " x " << c.multiplier;
    }
    EXPECT_TRUE(Orders().empty());
    EXPECT_TRUE(t.EngineLog().contains("1:错误|一键下单参数检查检查失败|"));
}

TEST_F(ShortcutTrade, NoPriceNoOrder) {
    t.Host().Market().SetBook(Future().index, Terminal::Market::Book{});
    Pump();
    Act(7, kBuyAtAsk);
    EXPECT_TRUE(Orders().empty());
    EXPECT_EQ(t.BoxTexts(), QStringList{"价格无效，请检查！"});
    EXPECT_TRUE(t.EngineLog().contains("1:错误|价格无效，请检查！|"));
}

TEST_F(ShortcutTrade, StockAccountsAreRefused) {
    ASSERT_TRUE(t.Host().Engine().SetCurrentAccount("E1001"));
    Post(QStringLiteral("AccountChange"));
    Act(7, kBuyAtAsk);
    Act(10);
    EXPECT_EQ(t.BoxTexts(),
              (QStringList{"股票账号不支持键盘快捷键交易操作！", "股票账号不支持键盘快捷键交易操作！"}));
    EXPECT_TRUE(Orders().empty());
}

TEST_F(ShortcutTrade, ADeclinedCancelSendsNothingAndLogsTheRefusal) {
    Quote(Future(), 2990, 3010);
    Act(7, R"({"买卖": 0, "开平": 0, "价格": "买一价", "超价": 0})");  // rests at 2990
    Act(7, R"({"买卖": 1, "开平": 0, "价格": "卖一价", "超价": 0})");  // rests at 3010
    ASSERT_EQ(Orders().size(), 2u);
    Json::Value working = t.Host().Engine().GetCancellableOrders(Parse(R"({"EAccountID": "E1008"})"));
    ASSERT_EQ(working.size(), 2u);
    const Json::Value buyId = working[0]["OrderID"];
    const Json::Value sellId = working[1]["OrderID"];
    t.answer = Win::IDNO;
    Act(8);
    EXPECT_TRUE(Cancels().empty());
    EXPECT_EQ(t.BoxTexts(), QStringList{"您是否确认撤销所有未成交的买单委托？"});
    EXPECT_TRUE(t.EngineLog().contains("100:常规|用户取消一键撤买|"));

    t.answer = Win::IDYES;
    Act(8);
    ASSERT_EQ(Cancels().size(), 1u);
    EXPECT_EQ(Cancels()[0]["Request"]["OrderID"], buyId);
    Act(11);
    ASSERT_EQ(Cancels().size(), 2u);  // the most recent one still working: the sell
    EXPECT_EQ(Cancels()[1]["Request"]["OrderID"], sellId);
}

TEST_F(ShortcutTrade, LockRefusesEqualPositionsAndOtherwiseOpensTheOtherSide) {
    Hold(Future(), Side::Long, 2, 3000);
    Hold(Future(), Side::Short, 2, 3000);
    Act(13);
    EXPECT_EQ(t.BoxTexts(), QStringList{"持仓为0或是持有等量的双向持仓，无法执行锁仓操作!"});
    EXPECT_TRUE(Orders().empty());

    Hold(Future(), Side::Long, 3, 3000);
    Act(13);
    ASSERT_EQ(Orders().size(), 1u);
    EXPECT_EQ(Field(Orders()[0], "Direction"), "1");
    EXPECT_EQ(Field(Orders()[0], "OffsetFlag"), "0");
    EXPECT_EQ(Volume(Orders()[0]), 3);
}

TEST_F(ShortcutTrade, ReverseClosesTheNetPositionAndOpensAsMuchOnTheOtherSide) {
    Hold(Future(), Side::Long, 4, 3000);
    Act(14);
    ASSERT_EQ(Orders().size(), 2u);
    for (const auto& [order, offset] : {std::pair{Orders()[0], "1"}, {Orders()[1], "0"}}) {
        EXPECT_EQ(Field(order, "Direction"), "1");
        EXPECT_EQ(Field(order, "OffsetFlag"), offset);
        EXPECT_EQ(Volume(order), 4);
    }
}

TEST_F(ShortcutTrade, ClosingMoreThanIsClosableIsRefused) {
    Hold(Future(), Side::Long, 2, 3000);
    SetEdit(CDlgShortcutTrade::kQuantityId, "5");
    Act(7, R"({"买卖": 1, "开平": 1, "价格": "买一价", "超价": 0})");
    EXPECT_EQ(t.BoxTexts(), QStringList{"可用数量不足！"});
    EXPECT_TRUE(Orders().empty());
    SetEdit(CDlgShortcutTrade::kQuantityId, "2");
    Act(7, R"({"买卖": 1, "开平": 1, "价格": "买一价", "超价": 0})");
    ASSERT_EQ(Orders().size(), 1u);
    EXPECT_EQ(Field(Orders()[0], "OffsetFlag"), "1");
}

TEST_F(ShortcutTrade, CloseAllAsksAndClosesEveryPosition) {
    Quote(IndexFuture(), 3499.8, 3500.0);
    Hold(Future(), Side::Long, 2, 3000);
    Hold(IndexFuture(), Side::Short, 1, 3500);
    t.answer = Win::IDNO;
    Act(12);
    EXPECT_TRUE(Orders().empty());
    EXPECT_TRUE(t.EngineLog().contains("100:常规|用户取消一键全平|"));
    t.answer = Win::IDYES;
    Act(12);
    ASSERT_EQ(Orders().size(), 2u);
    EXPECT_TRUE(t.EngineLog().contains("100:常规|一键全平|"));
}

TEST(MarketOrders, EachExchangeTakesThemOrSaysWhyNot) {
    auto contract = [](const char* exchange, bool option) {
        Json::Value c;
        c["54"] = exchange;
        c["IsOption"] = option;
        return c;
    };
    EXPECT_EQ(ShortcutTrader::MarketOrderRefusal(contract("SHFE", false)), "上海期货交易所不支持市价交易！");
    EXPECT_EQ(ShortcutTrader::MarketOrderRefusal(contract("DCE", true)),
              "大连商品交易所期权不支持市价交易！");
    EXPECT_EQ(ShortcutTrader::MarketOrderRefusal(contract("INE", false)), "能源交易所不支持市价交易！");
    for (const char* exchange :
         {"DCE", "CZCE", "CFFEX", "SHSE-A", "SHSE-B", "SZSE-A", "SZSE-B", "SHQQ-A", "SZQQ-A"}) {
        EXPECT_TRUE(ShortcutTrader::MarketOrderRefusal(contract(exchange, false)).isEmpty()) << exchange;
    }
    EXPECT_EQ(ShortcutTrader::MarketPriceType("SHSE-A"), "a");
    EXPECT_EQ(ShortcutTrader::MarketPriceType("SZSE-B"), "v");
    EXPECT_EQ(ShortcutTrader::MarketPriceType("SHQQ-A"), "p");
    EXPECT_EQ(ShortcutTrader::MarketPriceType("CFFEX"), "1");
}

TEST_F(ShortcutTrade, AMarketLockOnAnExchangeThatTakesThemIsSentAsAMarketOrder) {
    SetSetting("锁仓价格", "6");
    Post(QStringLiteral("UserChangeParam"));
    Follow(IndexFuture());
    Quote(IndexFuture(), 3499.8, 3500.0);
    Hold(IndexFuture(), Side::Long, 1, 3500);
    Act(13);
    ASSERT_EQ(Orders().size(), 1u);
    EXPECT_EQ(Field(Orders()[0], "PriceType"), "市价");
}

class OptionChain : public ShortcutTrade {
protected:
    // The futures options of the nearest month, ascending strike, call before put.
    std::vector<int> Chain(int monthIndex = 0) {
        auto& catalogue = t.Host().Market().Catalogue();
        int underlying = catalogue.Underlyings().front();
        return catalogue.Options(underlying, catalogue.Months(underlying)[monthIndex]);
    }
    QString CodeOf(int instrument) {
        return QString::fromStdString(t.Host().Market().Catalogue().At(instrument)->code);
    }
    QString Current() { return Strip()->ContractKey().code; }
};

TEST_F(OptionChain, EachStepFindsTheNeighbourItNames) {
    std::vector<int> chain = Chain();
    ASSERT_GE(chain.size(), 6u);
    // chain: call, put per strike. Start on the second strike's call.
    Follow(*t.Host().Market().Catalogue().At(chain[2]));
    Act(2);
    EXPECT_EQ(Current(), CodeOf(chain[3]));  // the put at the same strike
    Act(5);
    EXPECT_EQ(Current(), CodeOf(chain[5]));  // the next strike's put
    Act(6);
    Act(6);
    EXPECT_EQ(Current(), CodeOf(chain[1]));  // the lowest strike's put
    Act(6);
    EXPECT_EQ(Current(), CodeOf(chain[1]));
    EXPECT_TRUE(t.EngineLog().contains("1:错误|没有找到相应的期权合约|"));
    Act(3);
    EXPECT_EQ(Current(), CodeOf(Chain(1)[1]));  // the same strike and kind a month later
    EXPECT_TRUE(t.EngineLog().contains("100:常规|期权切换月份|"));
}

TEST_F(OptionChain, AtTheMoneyIsTheStrikeNearestTheUnderlying) {
    Quote(Future(), 3049, 3051);
    t.Host().Market().TradeAt(Future().index, Future().ToUnits(3050));
    Pump();
    std::vector<int> chain = Chain();
    Follow(*t.Host().Market().Catalogue().At(chain[0]));
    Act(4);
    const auto* now =
        t.Host().Market().Catalogue().FindByKey(Strip()->ContractKey().marketId, Current().toStdString());
    ASSERT_NE(now, nullptr);
    EXPECT_DOUBLE_EQ(now->ToPrice(now->option->strike), 3050.0);
    EXPECT_FALSE(now->option->isPut);
}

TEST_F(OptionChain, AContractThatIsNoOptionOnlyLogs) {
    Act(2);
    EXPECT_TRUE(t.EngineLog().contains("1:错误|当前代码不是期权合约|"));
}

}  // namespace
