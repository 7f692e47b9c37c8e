// Which ladder orders would trade against the trader's own resting orders.

#include <gtest/gtest.h>

#include "option/SelfTradeCheck.h"
#include "support/JsonOf.h"

namespace {

TEST(SelfTradeCheck, AnOrderCrossingAnOwnRestingOrderOfTheContractIsFound) {
    // A resting sell at 0.0460 and a resting buy at 0.0450 of the option; other orders that
    // must not count: filled, cancelled, of another contract.
    const Json::Value orders = JsonOf(R"([
        {"OrderID": "S1", "54": "SHQQ-A", "63": "10000021", "112": "1", "129": "0.0460", "156": "2"},
        {"OrderID": "B1", "54": "SHQQ-A", "63": "10000021", "112": "0", "129": "0.0450", "156": "1"},
        {"OrderID": "S2", "54": "SHQQ-A", "63": "10000021", "112": "1", "129": "0.0440", "156": "0"},
        {"OrderID": "S3", "54": "SHQQ-A", "63": "10000021", "112": "1", "129": "0.0430", "156": "4"},
        {"OrderID": "S4", "54": "SHQQ-A", "63": "10000099", "112": "1", "129": "0.0420", "156": "2"}])");
    Json::Value contract;
    contract["54"] = "SHQQ-A";
    contract["63"] = "10000021";
    struct Case {
        QChar direction;
        double price;
        bool crosses;
        const char* what;
    };
    const Case cases[] = {
        {u'0', 0.0460, true, "a buy at the own sell"},
        {u'0', 0.0470, true, "a buy above the own sell"},
        {u'0', 0.0459, false, "a buy below every own sell"},
        {u'1', 0.0450, true, "a sell at the own buy"},
        {u'1', 0.0440, true, "a sell below the own buy"},
        {u'1', 0.0451, false, "a sell above every own buy"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SelfTradeCheck::CrossesOwnOrder(orders, contract, c.direction, c.price), c.crosses)
            << c.what;
    }
    EXPECT_FALSE(SelfTradeCheck::CrossesOwnOrder(orders, contract, u'0', 0.0470, QStringLiteral("S1")))
        << "the order being moved does not count against itself";

    Json::Value waiting = orders;
    waiting[0]["156"] = "p";
    EXPECT_TRUE(SelfTradeCheck::CrossesOwnOrder(waiting, contract, u'0', 0.0460)) << "waiting to be sent";
    EXPECT_FALSE(SelfTradeCheck::CrossesOwnOrder(Json::Value("nonsense"), contract, u'0', 1));
}

}  // namespace
