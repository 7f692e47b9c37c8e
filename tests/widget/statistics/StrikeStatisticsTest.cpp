#include "analysis/StrikeStatistics.h"
#include "widget/statistics/StatisticsFixture.h"

namespace {

using Kora::Interface::OptionChainRow;
using Terminal::Market::DailyBar;

class StrikeStatisticsTest : public StatisticsFixture {};

TEST_F(StrikeStatisticsTest, TodaysFiguresAndTheChangeOfOpenInterestSinceTheLastTradingDay) {
    const int call = Call(4);
    SetFigures(call, 300, 200, 800, 12345.5);
    // The trading day is Friday 2024-03-15; the host already holds a bar of today, which is not
    // the previous trading day, and the bars come in no particular order.
    t.Host().Market().SetHistory(call, {DailyBar{20240314, 0.05, 0.05, 0.05, 0.05, 90, 650},
                                        DailyBar{20240315, 0.05, 0.05, 0.05, 0.05, 99, 9999},
                                        DailyBar{20240313, 0.05, 0.05, 0.05, 0.05, 80, 500}});
    const int put = Put(4);
    SetFigures(put, 40, 5, 120);
    t.Host().Market().SetHistory(put, {});

    const auto rows = LoadStrikeStatistics({{25000, Key(call), Key(put)}});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].price, 2.5);
    EXPECT_EQ(rows[0].divisor, 10000);
    const SideStatistics& c = rows[0].call;
    EXPECT_TRUE(c.known);
    EXPECT_EQ(c.volume, 300);
    EXPECT_EQ(c.turnover, 12345.5);
    EXPECT_EQ(c.netBuying, 100) << "200 bought actively, 100 sold";
    EXPECT_EQ(c.openInterest, 800);
    EXPECT_EQ(c.openInterestChange, 150) << "against 2024-03-14";
    EXPECT_GT(c.impliedVolatility, 0.1);
    EXPECT_LT(c.impliedVolatility, 0.5);
    EXPECT_EQ(rows[0].put.netBuying, -30);
    EXPECT_EQ(rows[0].put.openInterestChange, 0) << "no history: no change known";
}

TEST_F(StrikeStatisticsTest, VolumesCountInTheContractsTradingUnit) {
    // A stock trades in lots of 100 shares and its volume is counted in shares.
    const auto& catalogue = t.Host().Market().Catalogue();
    const int stock = catalogue.Find("SHSE-A", "600000")->index;
    SetFigures(stock, 5000, 3000, 0);
    const auto rows = LoadStrikeStatistics({{750, Key(stock), {}}});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].call.volume, 50);
    EXPECT_EQ(rows[0].call.netBuying, 10);
}

TEST_F(StrikeStatisticsTest, ContractsTheHostDoesNotKnowCountNowhere) {
    Kora::Interface::QuoteKey unknown = Key(Put(1));
    unknown.code = QStringLiteral("99999999");
    SetFigures(Call(1), 10, 10, 50);
    SetFigures(Call(3), 10, 10, 70);
    SetFigures(Put(3), 10, 10, 30);
    const std::vector<OptionChainRow> chain = {
        {23500, Key(Call(1)), unknown}, {24000, {}, unknown}, {24500, Key(Call(3)), Key(Put(3))}};

    const auto rows = LoadStrikeStatistics(chain);
    ASSERT_EQ(rows.size(), 2u) << "a strike without a known contract has no price to be shown at";
    EXPECT_EQ(rows[0].price, 2.35);
    EXPECT_FALSE(rows[0].put.known);
    EXPECT_EQ(rows[0].put.openInterest, 0);
    // 2.35: puts above it 0.10 × 30 = 3; 2.45: calls below 0.10 × 50 = 5.
    const auto pain = MaxPainOf(rows);
    ASSERT_TRUE(pain);
    EXPECT_EQ(pain->price, 2.35);
}

}  // namespace
