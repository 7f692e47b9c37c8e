#include <gtest/gtest.h>

#include "trading/TradingCodes.h"

using namespace TradingCodes;

namespace {

QChar C(char c) {
    return QChar(QLatin1Char(c));
}

TEST(TradingCodes, DirectionTexts) {
    const std::pair<char, const char*> table[] = {
        {'0', "买入"},       {'1', "卖出"},       {'a', "融资买入"}, {'b', "融券卖出"},   {'c', "买券还券"},
        {'d', "卖券还款"},   {'e', "直接还券"},   {'f', "直接还款"}, {'g', "担保品买入"}, {'h', "担保品卖出"},
        {'i', "担保品划入"}, {'j', "担保品划出"}, {'k', ""},         {'2', ""},
    };
    for (auto [code, text] : table) {
        EXPECT_EQ(DirectionText(C(code)), QString::fromUtf8(text)) << code;
    }
    EXPECT_EQ(DirectionText(QChar()), "");
}

TEST(TradingCodes, OffsetHedgeAndCoveredTexts) {
    EXPECT_EQ(OffsetFlagText(C('0')), "开仓");
    EXPECT_EQ(OffsetFlagText(C('1')), "平仓");
    EXPECT_EQ(OffsetFlagText(C('6')), "平仓");
    EXPECT_EQ(OffsetFlagText(C('2')), "平今");
    EXPECT_EQ(OffsetFlagText(C('3')), "净仓");
    EXPECT_EQ(OffsetFlagText(C('4')), "");
    EXPECT_EQ(HedgeFlagText(C('1')), "投机");
    EXPECT_EQ(HedgeFlagText(C('2')), "套利");
    EXPECT_EQ(HedgeFlagText(C('3')), "保值");
    EXPECT_EQ(HedgeFlagText(C('0')), "");
    EXPECT_EQ(CoveredFlagText(C('0')), "非备兑");
    EXPECT_EQ(CoveredFlagText(C('1')), "备兑");
    EXPECT_EQ(CoveredFlagText(C('2')), "");
}

TEST(TradingCodes, PriceTypeTextsNeverEmpty) {
    const std::pair<char, const char*> table[] = {
        {'1', "市价"},
        {'3', "市价"},
        {'G', "市价"},
        {'a', "最优5档剩余即撤"},
        {'b', "最优5档剩余转限"},
        {'c', "立即成交剩余撤单"},
        {'d', "全部成交否则撤单"},
        {'e', "对手方最优"},
        {'s', "对手方最优"},
        {'f', "本方最优"},
        {'t', "本方最优"},
        {'o', "市价剩余转限GFD"},
        {'p', "市价IOC剩余即撤"},
        {'q', "限价FOK"},
        {'r', "市价FOK"},
        {'u', "即时成交剩余撤销"},
        {'v', "最优五档即时成交剩余撤销"},
        {'w', "全额成交或撤销(深圳)"},
        {'2', "限价"},
        {'g', "限价"},
    };
    for (auto [code, text] : table) {
        EXPECT_EQ(PriceTypeText(C(code)), QString::fromUtf8(text)) << code;
    }
    EXPECT_EQ(PriceTypeText(QChar()), "限价");
}

TEST(TradingCodes, AccountCategories) {
    EXPECT_EQ(AccountCategoryText(0), "证券");
    EXPECT_EQ(AccountCategoryText(5), "证券");
    EXPECT_EQ(AccountCategoryText(6), "个股期权");
    EXPECT_EQ(AccountCategoryText(7), "黄金");
    EXPECT_EQ(AccountCategoryText(9), "外盘");
    for (int other : {1, 2, 8, -1, 100}) {
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
    EXPECT_EQ(ClosingOffsetFlag("1"), "1");
    EXPECT_EQ(ClosingOffsetFlag("9"), "1");
    EXPECT_EQ(ClosingOffsetFlag("今仓"), "2");
    EXPECT_EQ(ClosingOffsetFlag("今仓x"), "1");
    EXPECT_EQ(ClosingOffsetFlag("昨仓"), "1");
    EXPECT_EQ(ClosingOffsetFlag(""), "1");
    EXPECT_EQ(ClosingOffsetFlag("２"), "1");  // a full-width digit is text, not a decimal digit
}

}  // namespace
