// Order tickets of each account category, the close-today split, the smart-order follower and
// linkage texts: the parts of the trading core that need no host.

#include <gtest/gtest.h>

#include "support/JsonOf.h"
#include "trading/CategoryPolicy.h"
#include "trading/CloseTodayRule.h"
#include "trading/Linkage.h"
#include "trading/SmartOrderTracker.h"

namespace {

TEST(OrderTicket, EachCategoryCarriesItsOwnFieldsAndConfigurationNameAndTheWindowItsOwn) {
    const std::pair<int, const char*> categories[] = {
        {5, "股票"}, {6, "个股期权"}, {7, "期货"}, {-1, "期货"}};
    for (const auto& [category, name] : categories) {
        EXPECT_EQ(CategoryPolicy::OfCategory(category).ConfigCategory(), QString::fromUtf8(name)) << category;
    }
    const Json::Value future = JsonOf(R"({"54": "DCE", "63": "m2408"})");
    OrderTicket ticket = CategoryPolicy::OfCategory(8).NewTicket("E1008", future);
    ticket.direction = QLatin1Char('1');
    ticket.offset = QLatin1Char('2');
    ticket.hedge = QLatin1Char('3');
    ticket.priceText = "2999";
    ticket.volume = 4;
    ticket.duration = OrderTicket::Duration::kFillOrKill;
    EXPECT_EQ(ticket.Request(), JsonOf(R"({"EAccountID": "E1008", "54": "DCE", "63": "m2408", "112": "1",
        "117": "2", "119": "3", "40": "2", "129": "2999", "130": "4", "41": "1", "42": "3"})"));

    OrderTicket option =
        CategoryPolicy::OfCategory(6).NewTicket("E1006", JsonOf(R"({"54": "SHQQ-A", "63": "10000001"})"));
    option.fields["OrderMode"] = 0;
    option.priceText = "0.1";
    option.volume = 1;
    EXPECT_EQ(option.Request(),
              JsonOf(R"({"EAccountID": "E1006", "54": "SHQQ-A", "63": "10000001", "112": "0",
        "117": "0", "125": "0", "40": "2", "129": "0.1", "130": "1", "41": "3", "42": "1", "OrderMode": 0})"));

    // A margin buy of a stock, and the lot size the exchange trades it in.
    OrderTicket stock =
        CategoryPolicy::OfCategory(5).NewTicket("E1005", JsonOf(R"({"54": "SHSE-A", "63": "600000"})"));
    stock.direction = QLatin1Char('a');
    stock.priceText = "10.50";
    stock.volume = 300;
    EXPECT_EQ(stock.Request(), JsonOf(R"({"EAccountID": "E1005", "54": "SHSE-A", "63": "600000", "112": "a",
        "117": "0", "119": "1", "40": "2", "129": "10.50", "130": "300", "41": "3", "42": "1",
        "MiniTradeUnitVol": "100"})"));
    EXPECT_EQ(CategoryPolicy::OfCategory(0)
                  .NewTicket("E1001", JsonOf(R"({"54": "SZSE-A", "63": "1", "1008": 200})"))
                  .fields["MiniTradeUnitVol"],
              "200");
}

TEST(OrderTicket, MarketOrdersTakeTheirExchangesPriceTypeAndEngineRulesNoPriceAtAll) {
    const std::pair<const char*, const char*> markets[] = {
        {"SHSE-A", "a"}, {"SZSE-B", "v"}, {"SZQQ-A", "p"}, {"CZCE", "1"}};
    for (const auto& [exchange, priceType] : markets) {
        OrderTicket ticket = CategoryPolicy::OfCategory(8).NewTicket("E", JsonOf(R"({"63": "x"})"));
        ticket.exchangeCode = exchange;
        ticket.pricing = OrderTicket::Pricing::kMarket;
        ticket.priceText = "1";
        const Json::Value request = ticket.Request();
        EXPECT_EQ(request["40"], priceType) << exchange;
        EXPECT_EQ(request["41"], "1");
        EXPECT_EQ(request["42"], "1");
        EXPECT_FALSE(request.isMember("129"));
    }
    OrderTicket ruled = CategoryPolicy::OfCategory(8).NewTicket("E", JsonOf(R"({"54": "DCE", "63": "x"})"));
    ruled.pricing = OrderTicket::Pricing::kEngineRule;
    for (const char* key : {"40", "129", "41", "42"}) {
        EXPECT_FALSE(ruled.Request().isMember(key)) << key;
    }
}

TEST(CloseTodayRule, ShanghaiAndEnergyCloseTodaysLotsFirstOthersInOneLeg) {
    const auto legs = [](const char* exchange, int64_t volume, int64_t today) {
        QStringList text;
        for (const auto& leg : CloseTodayRule::Split(exchange, volume, today)) {
            text << QString(leg.offset) + "x" + QString::number(leg.volume);
        }
        return text;
    };
    EXPECT_EQ(legs("SHFE", 5, 2), (QStringList{"2x2", "1x3"}));
    EXPECT_EQ(legs("INE", 2, 7), (QStringList{"2x2"}));
    EXPECT_EQ(legs("SHFE", 3, 0), (QStringList{"1x3"}));
    EXPECT_EQ(legs("DCE", 5, 2), (QStringList{"1x5"}));
    EXPECT_TRUE(legs("DCE", 0, 0).isEmpty());
}

TEST(SmartOrderTracker, FollowsItsOwnSmartOrdersUntilTheyFinishAndSaysWhyOneFailed) {
    SmartOrderTracker tracker;
    EXPECT_EQ(tracker.Keep(JsonOf(R"({"OrderId": "SO1"})")), QStringList{"SO1"});
    EXPECT_EQ(tracker.Keep(JsonOf(R"({"OrderId": "SO2", "SmartOrderIdList": ["SO2", "SO3"],
                                     "AccountIdList": ["E1", "E2"]})")),
              (QStringList{"SO2", "SO3"}));
    EXPECT_EQ(tracker.AccountOf("SO3"), "E2");
    EXPECT_TRUE(tracker.Keep(JsonOf(R"({"ErrorCode": 1003})")).isEmpty());

    EXPECT_FALSE(tracker.Follow(JsonOf(R"({"SmartOrderId": "SO9", "State": 4})")).ours);
    const auto accepted = tracker.Follow(JsonOf(R"({"SmartOrderId": "SO1", "State": 1, "SubState": 2})"));
    EXPECT_TRUE(accepted.ours && accepted.accepted && !accepted.failed);
    EXPECT_TRUE(tracker.Tracks("SO1"));
    const auto failed = tracker.Follow(
        JsonOf(R"({"SmartOrderId": "SO2", "State": 4, "ErrorMsg": "", "ResultMsg": "可用资金不足"})"));
    EXPECT_TRUE(failed.failed && !failed.accepted);
    EXPECT_EQ(failed.error, "可用资金不足");
    EXPECT_TRUE(tracker.Follow(JsonOf(R"({"SmartOrderId": "SO3", "State": 1, "SubState": 4})")).failed);
    tracker.Follow(JsonOf(R"({"SmartOrderId": "SO1", "State": 2})"));
    EXPECT_TRUE(tracker.Ids().isEmpty());
}

TEST(Linkage, TheLinkedContractIsReadFromTextOrFromAnObjectsStock) {
    EXPECT_EQ(Linkage::LinkedStock(Json::Value("(3,m2409)")).code, "m2409");
    const auto key = Linkage::LinkedStock(JsonOf(R"j({"Stock": "(3,m2409)", "CWID": "KRTPosition"})j"));
    EXPECT_EQ(key.marketId, 3);
    EXPECT_EQ(key.code, "m2409");
    for (const char* other : {R"({"CWID": "x"})", "[\"(3,m2409)\"]", "7"}) {
        EXPECT_FALSE(Linkage::LinkedStock(JsonOf(other)).IsValid()) << other;
    }
}

}  // namespace
