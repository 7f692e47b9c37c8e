#include <QLineEdit>

#include "kora/interface/BaseQuoteDataSvcI.h"
#include "platform/ControlId.h"
#include "support/JsonOf.h"
#include "widget/shortcut/KeyboardFixture.h"

namespace {

using Side = Terminal::Market::PositionSide;

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
        Strip()->OnShortcutAction(action, JsonOf(option));
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

TEST_F(ShortcutTrade, EveryOrderWritesTheSharedOrderLogLineAndItsVolumeIsQuantityTimesMultiplier) {
    Act(7, kBuyAtAsk);
    EXPECT_TRUE(t.EngineLog().contains(QStringLiteral("103:") + QString::fromStdString(Future().code) +
                                       QStringLiteral("|0|0|1|3001|1|0|0|1|3001|1|2|3|1|1|DCE|") +
                                       QString::fromStdString(Future().code) + QStringLiteral("|0")))
        << t.EngineLog().join('\n').toStdString();

    SetEdit(11001, "3");
    SetEdit(11002, "2");
    Act(7, kBuyAtAsk);
    ASSERT_EQ(Orders().size(), 2u);
    EXPECT_EQ(Volume(Orders()[1]), 6);
    EXPECT_EQ(Orders()[1]["Request"]["SoftwareType"].asString(), "键盘下单");
    EXPECT_EQ(Orders()[1]["Request"]["OrderMode"].asString(), "手动");

    Act(1, R"({"数量倍率": 5})");
    EXPECT_EQ(Win::FindControl<QLineEdit>(Strip(), 11002)->text(), "5");
    EXPECT_TRUE(t.EngineLog().contains("100:常规|调整数量倍率|5|"));
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
        {"2000000000", "2", "数量不正确，请重新输入!"},  // beyond what an order can carry
    };
    for (const Case& c : cases) {
        t.boxes.clear();
        SetEdit(11001, c.quantity);
        SetEdit(11002, c.multiplier);
        Act(7, kBuyAtAsk);
        EXPECT_EQ(t.BoxTexts(), QStringList{QString::fromUtf8(c.message)})
            << c.quantity << " x " << c.multiplier;
    }
    EXPECT_TRUE(Orders().empty());
    EXPECT_TRUE(t.EngineLog().contains("1:错误|一键下单参数检查检查失败|"));
}

TEST_F(ShortcutTrade, ExtraTicksMoveTheBuyUpFromTheAskAndTheSellDownFromTheBidAndAnEmptySideIsRefused) {
    Follow(IndexFuture());  // tick 0.2
    Quote(IndexFuture(), 3499.8, 3500.0);
    Act(7, R"({"买卖": 0, "开平": 0, "价格": "卖一价", "超价": 2})");
    Act(7, R"({"买卖": 1, "开平": 0, "价格": "买一价", "超价": 2})");
    ASSERT_EQ(Orders().size(), 2u);
    EXPECT_EQ(Field(Orders()[0], "LimitPrice"), "3500.4");
    EXPECT_EQ(Field(Orders()[1], "LimitPrice"), "3499.4");

    // An empty quoted side was priced from zero. Limit up: bids but no asks; limit down: asks but no bids.
    Terminal::Market::Book limitUp;
    limitUp.bids[0] = {Future().ToUnits(3000), 10};
    Terminal::Market::Book limitDown;
    limitDown.asks[0] = {Future().ToUnits(3000), 10};
    const std::pair<Terminal::Market::Book, const char*> cases[] = {
        {Terminal::Market::Book{}, kBuyAtAsk},
        {limitUp, R"({"买卖": 0, "开平": 0, "价格": "卖一价", "超价": 2})"},
        {limitDown, R"({"买卖": 1, "开平": 0, "价格": "买一价", "超价": 2})"},
    };
    Follow(Future());
    for (const auto& [book, key] : cases) {
        t.boxes.clear();
        t.Host().Market().SetBook(Future().index, book);
        Pump();
        Act(7, key);
        EXPECT_EQ(t.BoxTexts(), QStringList{"价格无效，请检查！"}) << key;
    }
    EXPECT_EQ(Orders().size(), 2u) << "sent at a few ticks above zero, or below it";
    EXPECT_EQ(t.EngineLog().count("1:错误|价格无效，请检查！|"), 3);
}

TEST_F(ShortcutTrade, TheOrderSentIsTheOneConfirmedWhateverArrivesWhileTheBoxIsOpen) {
    SetSetting("下单无需确认", false);
    Post(QStringLiteral("UserChangeParam"));
    t.whileOpen = [&](const Win::MessageBoxRequest&) {
        if (t.boxes.size() > 1) {
            return;
        }
        // Linkage to another contract, another account, and a second order key.
        Json::Value linkage(Json::objectValue);
        linkage["Stock"] = t.Host().KeyOf(IndexFuture()).ToText().toStdString();
        ASSERT_TRUE(t.Host().Engine().SetCurrentAccount("E1006"));
        t.Host().Messages().Post(QStringLiteral("ListClick"), linkage, 0);
        t.Host().Messages().Post(QStringLiteral("AccountChange"), Json::Value(Json::objectValue), 0);
        Pump();
        Strip()->OnShortcutAction(7, JsonOf(R"({"买卖": 1, "开平": 0, "价格": "买一价", "超价": 0})"));
    };
    Act(7, kBuyAtAsk);
    t.whileOpen = nullptr;
    const auto orders = Orders();
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(t.boxes.size(), 1u) << "a second confirmation stacked on the first";
    const Json::Value& request = orders[0]["Request"];
    EXPECT_EQ(request["EAccountID"].asString(), "E1008");
    EXPECT_EQ(request["Order"]["Contract"]["ContractCode"].asString(), Future().code);
    EXPECT_EQ(Field(Orders()[0], "Direction"), "0");
    EXPECT_EQ(Field(Orders()[0], "LimitPrice"), "3001");
    EXPECT_EQ(Volume(Orders()[0]), 1);
    // What arrived meanwhile applies once the box is closed.
    EXPECT_EQ(Strip()->ContractKey(), t.Host().KeyOf(IndexFuture()));
    EXPECT_EQ(Strip()->Trader().Account()["EAccountID"].asString(), "E1006");
}

TEST_F(ShortcutTrade, OrderKeysWithAnEmptyOrUnknownSideOrOffsetAreSkippedWithALogLineAndNeverSent) {
    Json::Value keys = JsonOf(R"([
        {"快捷键": 112, "控制键": 0, "买卖": "", "开平": 0, "价格": "卖一价"},
        {"快捷键": 113, "控制键": 0, "买卖": "x", "开平": 0, "价格": "卖一价"},
        {"快捷键": 114, "控制键": 0, "买卖": 0, "开平": "", "价格": "卖一价"},
        {"快捷键": 115, "控制键": 0, "买卖": 1, "开平": 9, "价格": "买一价"},
        {"快捷键": 116, "控制键": 0, "买卖": 1, "开平": 0, "价格": "买一价"}])");
    SetSetting("下单快捷键", keys);
    Post(QStringLiteral("UserChangeParam"));
    for (int vk : {112, 113, 114, 115}) {
        Strip()->OnShortcutAction(7, keys[vk - 112]);
        Pump();
    }
    EXPECT_TRUE(Orders().empty());
    for (const char* line :
         {"1:错误|快捷键设置无效|下单快捷键|F1|买卖=|", "1:错误|快捷键设置无效|下单快捷键|F2|买卖=x|",
          "1:错误|快捷键设置无效|下单快捷键|F3|开平=|", "1:错误|快捷键设置无效|下单快捷键|F4|开平=9|"}) {
        EXPECT_TRUE(t.EngineLog().contains(QString::fromUtf8(line))) << line;
    }
    Strip()->OnShortcutAction(7, keys[4]);
    Pump();
    ASSERT_EQ(Orders().size(), 1u);
    EXPECT_EQ(Field(Orders()[0], "Direction"), "1");
    EXPECT_EQ(Field(Orders()[0], "LimitPrice"), "3000");
}

TEST_F(ShortcutTrade,
       AStockOptionOrderTakesItsHedgeFlagFromTheStockOptionSettingsAndStockAccountsAreRefused) {
    Json::Value settings(Json::objectValue);
    settings["DefaultHedge"] = "3";
    t.Host().Config().ChangeValue(QStringLiteral("下单设置"), QStringLiteral("个股期权"), settings);
    ASSERT_TRUE(t.Host().Engine().SetCurrentAccount("E1006"));
    Post(QStringLiteral("AccountChange"));
    auto& catalogue = t.Host().Market().Catalogue();
    const int fund = t.Host().Instrument("SHSE-A", "510050").index;
    const auto& option = *catalogue.At(catalogue.Options(fund, catalogue.Months(fund)[0]).front());
    Follow(option);
    Quote(option, 0.1, 0.11);
    Act(7, kBuyAtAsk);
    ASSERT_EQ(Orders().size(), 1u);
    EXPECT_EQ(Orders()[0]["Request"]["Order"]["ExtRawData"]["119"].asString(), "3")
        << "the futures settings' hedge flag was sent";

    // Stock accounts are refused.
    ASSERT_TRUE(t.Host().Engine().SetCurrentAccount("E1001"));
    Post(QStringLiteral("AccountChange"));
    Act(7, kBuyAtAsk);
    Act(10);
    EXPECT_EQ(t.BoxTexts(),
              (QStringList{"股票账号不支持键盘快捷键交易操作！", "股票账号不支持键盘快捷键交易操作！"}));
    EXPECT_EQ(Orders().size(), 1u);
}

TEST_F(ShortcutTrade, ADeclinedCancelSendsNothingAndLogsTheRefusal) {
    Quote(Future(), 2990, 3010);
    Act(7, R"({"买卖": 0, "开平": 0, "价格": "买一价", "超价": 0})");  // rests at 2990
    Act(7, R"({"买卖": 1, "开平": 0, "价格": "卖一价", "超价": 0})");  // rests at 3010
    ASSERT_EQ(Orders().size(), 2u);
    Json::Value working = t.Host().Engine().GetCancellableOrders(JsonOf(R"({"EAccountID": "E1008"})"));
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

TEST_F(ShortcutTrade, LockRefusesEqualPositionsAndOtherwiseOpensTheOtherSideAtItsConfiguredPrice) {
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

    // At the market price, on an exchange that takes market orders.
    SetSetting("锁仓价格", "6");
    Post(QStringLiteral("UserChangeParam"));
    Follow(IndexFuture());
    Quote(IndexFuture(), 3499.8, 3500.0);
    Hold(IndexFuture(), Side::Long, 1, 3500);
    Act(13);
    ASSERT_EQ(Orders().size(), 2u);
    EXPECT_EQ(Field(Orders()[1], "PriceType"), "市价");
}

TEST_F(ShortcutTrade, ReverseSendsItsOpeningLegOnlyAfterTheEngineAcceptedTheClose) {
    Hold(Future(), Side::Long, 4, 3000);
    Strip()->OnShortcutAction(14, Json::Value());
    ASSERT_EQ(Orders().size(), 1u) << "the opening leg went out before the close was answered";
    Pump();
    ASSERT_EQ(Orders().size(), 2u);
    for (const auto& [order, offset] : {std::pair{Orders()[0], "1"}, {Orders()[1], "0"}}) {
        EXPECT_EQ(Field(order, "Direction"), "1");
        EXPECT_EQ(Field(order, "OffsetFlag"), offset);
        EXPECT_EQ(Volume(order), 4);
        EXPECT_EQ(order["Request"]["Order"]["Parallelism"], Json::Value(false));
        EXPECT_EQ(order["Request"]["Order"]["TimeSpan"], Json::Value(0));
    }
}

TEST_F(ShortcutTrade, AReverseWhoseCloseTheMarketRefusesOpensNothingAndShowsTheRefusal) {
    Hold(Future(), Side::Long, 4, 3000);
    t.Host().Market().TradeAt(Future().index, Future().ToUnits(3000));
    // The reverse prices at the last trade, which the day's limits now exclude.
    t.Host().Market().SetLimits(Future().index, Future().ToUnits(2950), Future().ToUnits(2800));
    Pump();
    Act(14);
    ASSERT_EQ(Orders().size(), 1u) << "the position was locked instead of reversed";
    EXPECT_EQ(Field(Orders()[0], "OffsetFlag"), "1");
    EXPECT_EQ(t.BoxTexts(), QStringList{"委托价格超出涨跌停价格范围"});
}

TEST_F(ShortcutTrade, ClosingMoreThanIsClosableIsRefused) {
    Hold(Future(), Side::Long, 2, 3000);
    SetEdit(11001, "5");
    Act(7, R"({"买卖": 1, "开平": 1, "价格": "买一价", "超价": 0})");
    EXPECT_EQ(t.BoxTexts(), QStringList{"可用数量不足！"});
    EXPECT_TRUE(Orders().empty());
    SetEdit(11001, "2");
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

TEST(MarketOrders, TheShanghaiEnergyAndDalianOptionExchangesRefuseThemWithTheirReasons) {
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
    for (const char* exchange : {"DCE", "CFFEX", "SHQQ-A"}) {
        EXPECT_TRUE(ShortcutTrader::MarketOrderRefusal(contract(exchange, false)).isEmpty()) << exchange;
    }
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

    Follow(Future());
    Act(2);
    EXPECT_TRUE(t.EngineLog().contains("1:错误|当前代码不是期权合约|"));
}

}  // namespace
