#include "option/pricing/ShortOptionAnalysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "option/pricing/BinomialTree.h"
#include "option/pricing/OptionPricing.h"
#include "option/pricing/RangeProbability.h"

using namespace OptionPricing;

namespace {

// A call struck at 100 with the underlying at 100, 29 days left (30 counted), sold at 3.
ShortOption AtTheMoneyCall() {
    ShortOption o;
    o.put = 0;
    o.optionType = 0;
    o.S = 100;
    o.K = 100;
    o.historicalVolatility = 0.2;
    o.r = 0.035;
    o.dayCount = 30;
    o.sellPrice = 3;
    o.quantity = 1;
    return o;
}

std::vector<std::string> Labels(const ShortOptionAnalysis& a, int decimals) {
    std::vector<std::string> labels;
    for (const ProfitRow& row : a.rows) {
        labels.push_back(PriceLabel(row.price, decimals));
    }
    return labels;
}

std::vector<float> Profits(const ShortOptionAnalysis& a) {
    std::vector<float> profits;
    for (const ProfitRow& row : a.rows) {
        profits.push_back(row.profit);
    }
    return profits;
}

}  // namespace

TEST(ShortOptionAnalysis, RowsFollowTheLadderNineTenPercentApartByDefaultWithBandsOfAHalfStepOfTheStrike) {
    const ShortOption call = AtTheMoneyCall();
    const ShortOptionAnalysis a = AnalyseShortOption(call, SellLadder());
    EXPECT_EQ(Labels(a, 0),
              (std::vector<std::string>{"140", "130", "120", "110", "100", "90", "80", "70", "60"}));
    const double T = 30 / 365.0;
    EXPECT_EQ(a.rows[3].probability[1], float(RangeProbability(0, 100, 115, 105, 0.2, 0.035, T)));
    EXPECT_EQ(a.rows[3].probability[0], float(RangeProbability(0, 100, 115, 105, 0.2 * 0.95, 0.035, T)));
    EXPECT_EQ(a.rows[3].probability[2], float(RangeProbability(0, 100, 115, 105, 0.2 * 1.05, 0.035, T)));

    ShortOption lowStrike = call;
    lowStrike.K = 80;
    EXPECT_EQ(AnalyseShortOption(lowStrike, SellLadder()).rows[3].probability[1],
              float(RangeProbability(0, 100, 114, 106, 0.2, 0.035, T)));

    // Another ladder: 5 % steps, six rows a side, regimes 20 % calmer and 50 % wilder.
    SellLadder ladder;
    ladder.stepPercent = 5;
    ladder.rowsEachSide = 6;
    ladder.calmerPercent = 20;
    ladder.wilderPercent = 50;
    const ShortOptionAnalysis custom = AnalyseShortOption(call, ladder);
    EXPECT_EQ(Labels(custom, 2),
              (std::vector<std::string>{"130.00", "125.00", "120.00", "115.00", "110.00", "105.00", "100.00",
                                        "95.00", "90.00", "85.00", "80.00", "75.00", "70.00"}));
    EXPECT_EQ(custom.rows[6].probability[0], float(RangeProbability(0, 100, 102.5, 97.5, 0.16, 0.035, T)));
    EXPECT_EQ(custom.rows[6].probability[2], float(RangeProbability(0, 100, 102.5, 97.5, 0.3, 0.035, T)));
}

TEST(ShortOptionAnalysis, TheShortCallKeepsThePremiumAtOrBelowTheStrikeAndPaysTheExcessAbove) {
    ShortOption call = AtTheMoneyCall();
    EXPECT_EQ(Profits(AnalyseShortOption(call, SellLadder())),
              (std::vector<float>{-37, -27, -17, -7, 3, 3, 3, 3, 3}));
    ShortOption put = call;
    put.put = 1;
    put.quantity = 2;
    EXPECT_EQ(Profits(AnalyseShortOption(put, SellLadder())),
              (std::vector<float>{6, 6, 6, 6, 6, -14, -34, -54, -74}));
}

TEST(ShortOptionAnalysis, TheAverageWeighsEachRowsProfitByItsProbability) {
    const ShortOptionAnalysis a = AnalyseShortOption(AtTheMoneyCall(), SellLadder());
    for (int regime = 0; regime < kRegimes; ++regime) {
        double weighted = 0;
        double total = 0;
        for (const ProfitRow& row : a.rows) {
            weighted += double(row.profit) * row.probability[regime];
            total += row.probability[regime];
        }
        EXPECT_GT(total, 0.5);
        EXPECT_DOUBLE_EQ(a.averageProfit[regime], weighted / total) << regime;
    }
    // A calmer market keeps the underlying nearer the strike: the seller expects more.
    EXPECT_GT(a.averageProfit[0], a.averageProfit[1]);
    EXPECT_GT(a.averageProfit[1], a.averageProfit[2]);
}

TEST(ShortOptionAnalysis, WithoutAHistoricalVolatilityEveryProbabilityAndAverageIsZero) {
    ShortOption o = AtTheMoneyCall();
    o.historicalVolatility = 0;
    const ShortOptionAnalysis a = AnalyseShortOption(o, SellLadder());
    for (const ProfitRow& row : a.rows) {
        EXPECT_EQ(row.probability, (std::array<float, kRegimes>{0, 0, 0}));
    }
    EXPECT_EQ(a.averageProfit, (std::array<double, kRegimes>{0, 0, 0}));
    // The implied volatility is still searched for from nothing.
    EXPECT_NEAR(a.impliedVolatility, 0.25, 1e-3);
}

TEST(ShortOptionAnalysis, ValueSensitivitiesAndTheOptionsOwnIntrinsicAndTimeValue) {
    ShortOption put = AtTheMoneyCall();
    put.put = 1;
    put.S = 90;
    put.sellPrice = 12;
    const double T = 30 / 365.0;
    const ShortOptionAnalysis a = AnalyseShortOption(put, SellLadder());
    EXPECT_EQ(a.theoreticalPrice, OptionPrice(1, 0, 90, 100, 0.2, 0.035, T));
    // The sensitivities take T in single precision.
    EXPECT_EQ(a.delta, OptionDelta(1, 0, 90, 100, 0.2, 0.035, float(T)));
    EXPECT_NE(a.delta, OptionDelta(1, 0, 90, 100, 0.2, 0.035, T));
    EXPECT_EQ(a.intrinsicValue, 10.0);
    EXPECT_EQ(a.timeValue, 2.0);
    put.sellPrice = 8;
    EXPECT_EQ(AnalyseShortOption(put, SellLadder()).timeValue, 0.0);
}

// An American option's value is its tree value, never just its intrinsic value; a Bermudan one
// is valued like a European one.
TEST(ShortOptionAnalysis, AnAmericanPutIsValuedOnTheTreeAboveItsEuropeanTwin) {
    ShortOption put = AtTheMoneyCall();
    put.put = 1;
    put.S = 95;
    put.r = 0.05;
    put.dayCount = 180;
    const double T = 180 / 365.0;
    put.exerciseStyle = 1;
    const double american = AnalyseShortOption(put, SellLadder()).theoreticalPrice;
    EXPECT_EQ(american, BinomialPrice(1, 0, 95, 100, 0.2, 0.05, T, 20, true));
    EXPECT_GT(american, OptionPrice(1, 0, 95, 100, 0.2, 0.05, T));
    EXPECT_GT(american, 5.0);
    put.exerciseStyle = 2;
    EXPECT_EQ(AnalyseShortOption(put, SellLadder()).theoreticalPrice,
              OptionPrice(1, 0, 95, 100, 0.2, 0.05, T));
}

TEST(ShortOptionAnalysis, LaddersThatCannotBeDrawnAreRefused) {
    struct Case {
        SellLadder ladder;
        SellLadderFault fault;
    };
    const Case cases[] = {
        {{9.9, 10, 0, 99.9}, SellLadderFault::kNone}, {{NAN, 4, 5, 5}, SellLadderFault::kStep},
        {{1, 21, 5, 5}, SellLadderFault::kRows},      {{10, 10, 5, 5}, SellLadderFault::kReach},
        {{10, 4, 100, 5}, SellLadderFault::kCalmer},  {{10, 4, 5, 100}, SellLadderFault::kWilder},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckSellLadder(c.ladder), c.fault)
            << c.ladder.stepPercent << " " << c.ladder.rowsEachSide << " " << c.ladder.calmerPercent << " "
            << c.ladder.wilderPercent;
    }
}
