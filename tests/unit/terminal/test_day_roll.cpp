// The end of a trading day: settlement, expiry, positions carried, history appended.

#include <gtest/gtest.h>

#include "MarketTestSupport.h"

using namespace MarketTest;

namespace {

// The fourth Wednesday of March 2024: the March options and index future expire at its close.
const QDate kExpiryDay(2024, 3, 27);

TEST(DayRollTest, TheDaySettlesExpiresAndOpensTheNextWithItsHistoryAndPositionsCarried) {
    Simulator sim(SimulatorOptions{3, kExpiryDay});
    const InstrumentCatalogue& c = sim.Catalogue();
    const int fund = c.Find("SHSE-A", "510050")->index;
    const int meal = c.Find("DCE", "m2408")->index;
    const int bank = c.Find("SHSE-A", "600000")->index;
    const int march = c.Find("CFFEX", "IF2403")->index;
    auto option = [&](double strike, bool put) { return OptionOf(sim, fund, "2403", strike, put); };
    const int itmCall = option(2.40, false);
    const int otmCall = option(2.60, false);
    const int itmPut = option(2.60, true);
    ASSERT_TRUE(sim.AddPosition("E1006", itmCall, PositionSide::Long, 2, 1000));
    ASSERT_TRUE(sim.AddPosition("E1006", otmCall, PositionSide::Long, 3, 50));
    ASSERT_TRUE(sim.AddPosition("E1006", itmPut, PositionSide::Short, 1, 900));
    ASSERT_TRUE(sim.AddPosition("E1006", itmCall, PositionSide::Short, 1, 1000, false, '1', true));
    ASSERT_TRUE(sim.AddPosition("E1008", meal, PositionSide::Long, 2, 3000, true));
    ASSERT_TRUE(sim.AddPosition("E1001", bank, PositionSide::Long, 300, 750, true));
    sim.TradeAt(fund, 2520, 1000);
    sim.TradeAt(meal, 3008, 1);
    sim.TradeAt(meal, 3011, 3);  // the day's average, 3010.25, settles on the tick at 3010
    const double optionsCash = sim.Money("E1006")->cash;
    const double futuresCash = sim.Money("E1008")->cash;
    const double interest = sim.Snapshot(meal).openInterest;

    EXPECT_EQ(sim.RollDay(), QDate(2024, 3, 28));
    EXPECT_EQ(sim.TradingDay(), QDate(2024, 3, 28));

    // The March options and future are gone: exercised in the money, lapsed out of it.
    for (int expired : {itmCall, otmCall, itmPut, march}) {
        EXPECT_FALSE(c.IsListed(expired)) << c.At(expired)->code;
    }
    EXPECT_TRUE(c.Options(fund, "2403").empty());
    EXPECT_EQ(c.Months(fund), (std::vector<std::string>{"2404", "2405", "2406", "2409"}));
    EXPECT_NE(c.Find("CFFEX", "IF2405"), nullptr);
    EXPECT_EQ(c.Options(fund, "2405").size(), 42u);
    // + 2 × (2.52 − 2.40) × 10000 held, − 1 × (2.60 − 2.52) × 10000 written, + 2.40 × 10000 for
    // the covered call's delivered shares.
    EXPECT_NEAR(sim.Money("E1006")->cash, optionsCash + 2400.0 - 800.0 + 24000.0, 1e-6);
    EXPECT_TRUE(sim.Positions("E1006").empty());
    EXPECT_EQ(sim.Accounts()[2].coverableShares.at("510050"), 190000);

    // Futures settle at the day's average and are marked to it; positions become yesterday's.
    const PositionView futures = *Held(sim, "E1008", meal, PositionSide::Long);
    EXPECT_EQ(std::tuple(futures.history, futures.today), std::tuple(int64_t(2), int64_t(0)));
    EXPECT_NEAR(sim.Money("E1008")->cash, futuresCash + (3010.0 - 3000.0) * 10 * 2, 1e-6);
    EXPECT_EQ(Held(sim, "E1001", bank, PositionSide::Long)->closable, 300);  // sellable the day after
    const Kora::Interface::QuoteSnapshot next = sim.Snapshot(meal);
    EXPECT_EQ(std::tuple(next.referencePrice, next.upperLimit, next.lowerLimit),
              std::tuple(3010, 3221, 2799));
    EXPECT_EQ(std::tuple(next.volume, next.preOpenInterest, next.openInterest, next.tradingDay),
              std::tuple(0.0, interest, interest, 20240328u));

    // Yesterday joins the daily history with its open interest.
    const DailyBar last = sim.History(meal).back();
    EXPECT_EQ(
        std::tuple(last.date, last.open, last.high, last.low, last.close, last.volume, last.openInterest),
        std::tuple(20240327u, 3008.0, 3011.0, 3008.0, 3011.0, 4.0, interest));
    EXPECT_EQ(sim.History(fund).back().close, 2.52);
}

}  // namespace
