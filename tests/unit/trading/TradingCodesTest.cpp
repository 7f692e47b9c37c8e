#include <gtest/gtest.h>

#include "trading/TradingCodes.h"

using namespace TradingCodes;

namespace {

QChar C(char c) {
    return QChar(QLatin1Char(c));
}

// Only the codes that share a text or fall back are spelled out; the rest is a lookup table.
TEST(TradingCodes, CodesSharingATextAndUnknownCodes) {
    EXPECT_EQ(DirectionText(C('a')), "融资买入");
    EXPECT_EQ(DirectionText(C('k')), "");
    EXPECT_EQ(DirectionText(QChar()), "");
    EXPECT_EQ(OffsetFlagText(C('6')), "平仓");
    EXPECT_EQ(OffsetFlagText(C('4')), "");
    EXPECT_EQ(HedgeFlagText(C('0')), "");
    EXPECT_EQ(CoveredFlagText(C('0')), "非备兑");
    EXPECT_EQ(CoveredFlagText(C('2')), "");
    for (char market : {'1', '3', 'G'}) {
        EXPECT_EQ(PriceTypeText(C(market)), "市价") << market;
    }
    EXPECT_EQ(PriceTypeText(C('s')), "对手方最优");
    EXPECT_EQ(PriceTypeText(C('t')), "本方最优");
    EXPECT_EQ(PriceTypeText(C('w')), "全额成交或撤销(深圳)");
    EXPECT_EQ(PriceTypeText(C('g')), "限价") << "a price type is never empty";
    EXPECT_EQ(PriceTypeText(QChar()), "限价");
    EXPECT_EQ(AccountCategoryText(5), "证券");
    for (int other : {1, 8, -1, 100}) {
        EXPECT_EQ(AccountCategoryText(other), "期货") << other;
    }
}

TEST(TradingCodes, ClosingOrdersOfAPosition) {
    EXPECT_EQ(OppositeDirection("0"), "1");
    EXPECT_EQ(OppositeDirection("1"), "0");
    EXPECT_EQ(OppositeDirection(""), "0");
    EXPECT_EQ(OppositeDirection("a"), "0");
    EXPECT_EQ(ClosingOffsetFlag("2"), "2");
    EXPECT_EQ(ClosingOffsetFlag("21"), "2");
    EXPECT_EQ(ClosingOffsetFlag("9"), "1");
    EXPECT_EQ(ClosingOffsetFlag("今仓"), "2");
    EXPECT_EQ(ClosingOffsetFlag("今仓x"), "1");
    EXPECT_EQ(ClosingOffsetFlag("昨仓"), "1");
    EXPECT_EQ(ClosingOffsetFlag(""), "1");
    EXPECT_EQ(ClosingOffsetFlag("２"), "1");  // a full-width digit is text, not a decimal digit
}

}  // namespace
