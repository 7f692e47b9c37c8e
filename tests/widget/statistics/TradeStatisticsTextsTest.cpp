#include <gtest/gtest.h>

#include "analysis/TradeStatisticsTexts.h"

namespace {

TEST(TradeStatisticsTexts, EachStatisticsDataTextWithItsGuard) {
    const struct {
        TradeStatistic statistic;
        double call;
        double put;
        const char* text;
    } cases[] = {
        {TradeStatistic::Turnover, 5, 0.00001, "认购：5  认沽：0  比：0.00"},
        {TradeStatistic::Turnover, 5, 0.00002, "认购：5  认沽：0  比：250000.00"},
        {TradeStatistic::OpenInterest, 7, 0, "认购：7  认沽：0  比：0.00"},
        {TradeStatistic::NetBuying, -5, 10, "认购：-5  认沽：10  差：-15.00"},
        {TradeStatistic::OpenInterestChange, 30, 12, "认购：30  认沽：12  差：18.00"},
        // Volatilities are fractions and shown in percent.
        {TradeStatistic::ImpliedVolatility, 0.2315, 0.2050, "认购：23%  认沽：21%  差：2.65%"},
        {TradeStatistic::MaxPain, 1500, 0, "认购：1500  认沽：0  和：1500.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PointDataText(c.statistic, c.call, c.put), QString::fromUtf8(c.text));
    }
}

SideStatistics Known(double volume, double netBuying, double openInterest, double change, double volatility) {
    return {true, volume, 0, netBuying, openInterest, change, volatility};
}

TEST(TradeStatisticsTexts, TheSummaryCountsKnownContractsOnly) {
    SideStatistics unknownPut = Known(1000, 1000, 1000, 1000, 0.9);
    unknownPut.known = false;
    const std::vector<StrikeStatistics> rows = {
        {245, 100, 2.45, Known(30, 12, 400, 25, 0.20), Known(20, -3, 100, -10, 0)},
        {250, 100, 2.50, Known(20, -2, 100, 5, 0.30), unknownPut},
    };
    const std::vector<TradeSummaryRow> summary = SummarizeTrades(rows, 2.45);
    ASSERT_EQ(summary.size(), 6u);
    const auto expect = [&](size_t row, const char* title, const char* call, const char* put,
                            const char* relation) {
        EXPECT_EQ(summary[row].title, QString::fromUtf8(title));
        EXPECT_EQ(summary[row].call, QString::fromUtf8(call)) << title;
        EXPECT_EQ(summary[row].put, QString::fromUtf8(put)) << title;
        EXPECT_EQ(summary[row].relation, QString::fromUtf8(relation)) << title;
    };
    expect(0, "总成交量", "50  71.43%", "20  28.57%", "250.00%(比)");
    expect(1, "总净买量", "10", "-3", "13(差)");
    expect(2, "总持仓量", "500  83.33%", "100  16.67%", "500.00%(比)");
    expect(3, "持仓量变化", "30", "-10", "40(差)");
    // The only known put has no implied volatility: there is no put average to compare with.
    expect(4, "隐含波动率", "25.00%", "--", "--");
    expect(5, "最痛点位", "", "", "2.450(值)");
}

TEST(TradeStatisticsTexts, WithoutPutsOrStrikesTheRatiosAndThePriceShowDashes) {
    const std::vector<StrikeStatistics> callsOnly = {
        {245, 100, 2.45, Known(30, 12, 400, 25, 0.20), Known(0.00005, 0, 0, 0, 0.25)},
    };
    const std::vector<TradeSummaryRow> summary = SummarizeTrades(callsOnly, 0.0000009);
    EXPECT_EQ(summary[0].relation, "--");
    EXPECT_EQ(summary[0].call, "30  100.00%");
    EXPECT_EQ(summary[4].relation, QString::fromUtf8("-5.00%(差)"));
    EXPECT_EQ(summary[5].relation, "--");

    const std::vector<TradeSummaryRow> empty = SummarizeTrades({}, -1.0);
    EXPECT_EQ(empty[0].call, "0") << "no share of a zero total";
    EXPECT_EQ(empty[0].relation, "--");
    EXPECT_EQ(empty[1].relation, QString::fromUtf8("0(差)"));
    EXPECT_EQ(empty[4].call, "--");
    EXPECT_EQ(empty[5].relation, "--");
}

}  // namespace
