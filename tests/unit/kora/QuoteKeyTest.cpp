#include <gtest/gtest.h>

#include <set>

#include "kora/interface/QuoteKey.h"
#include "support/JsonOf.h"

using Kora::Interface::QuoteKey;

namespace {

TEST(QuoteKey, JsonRoundTripsAndMissingOrMistypedIntegersReadMinusOne) {
    QuoteKey key{3, QStringLiteral("m2409"), 7, 11};
    EXPECT_EQ(QuoteKey::FromJson(key.ToJson()), key);

    const Json::Value partial = JsonOf(R"({"KRCode": "600000", "Market": "7", "Serial": [1]})");
    QuoteKey read = QuoteKey::FromJson(partial);
    EXPECT_EQ(read.marketId, -1);
    EXPECT_EQ(read.code, "600000");
    EXPECT_EQ(read.market, -1);
    EXPECT_EQ(read.serial, -1);

    QuoteKey fromNull = QuoteKey::FromJson(Json::Value());
    EXPECT_EQ(fromNull.marketId, -1);
    EXPECT_TRUE(fromNull.code.isEmpty());
}

TEST(QuoteKey, TextFormGivesMarketAndCodeAndMalformedTextNeverThrowsAndLeavesTheMarketUnknown) {
    EXPECT_EQ(QuoteKey::FromText(QStringLiteral("(12,IF2409)")).ToText(), "(12,IF2409)");
    struct Case {
        const char* text;
        int marketId;
        const char* code;
    };
    const Case cases[] = {
        {"(12,IF2409)", 12, "IF2409"},
        {"", -1, ""},
        {"()", -1, ""},
        {"(abc,600000)", -1, "600000"},
        {"(5)", 5, ""},
        {"5,600000", 5, "600000"},
        {"((7,,x))", 7, ""},
        {"(,m2409)", -1, "m2409"},
    };
    for (const Case& c : cases) {
        QuoteKey key = QuoteKey::FromText(QString::fromUtf8(c.text));
        EXPECT_EQ(key.marketId, c.marketId) << c.text;
        EXPECT_EQ(key.code, QString::fromUtf8(c.code)) << c.text;
    }
}

TEST(QuoteKey, OrderedByAllFieldsSoDistinctContractsStayDistinctInSets) {
    std::set<QuoteKey> keys{{1, "a", 1, 1}, {1, "a", 1, 2}, {1, "b", 1, 1}, {1, "a", 1, 1}};
    EXPECT_EQ(keys.size(), 3u);
}

}  // namespace
