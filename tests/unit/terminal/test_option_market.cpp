// The option market: chains listed as the exchanges list them, quotes from a living volatility
// surface, and open interest that means something.

#include <gtest/gtest.h>

#include <map>

#include "MarketTestSupport.h"
#include "market/StrikeGrid.h"

using namespace MarketTest;

namespace {

class OptionMarketTest : public ::testing::Test {
protected:
    OptionMarketTest() : sim(SimulatorOptions{11, kTradingDay}) {}

    std::vector<double> Strikes(int underlying, const std::string& month) const {
        std::vector<double> strikes;
        for (int option : sim.Catalogue().Options(underlying, month)) {
            const Instrument& o = *sim.Catalogue().At(option);
            if (!o.option->isPut) {
                strikes.push_back(o.ToPrice(o.option->strike));
            }
        }
        return strikes;
    }
    // Every listed option of an underlying, all months.
    std::vector<int> Chain(int underlying) const {
        std::vector<int> options;
        for (const std::string& month : sim.Catalogue().Months(underlying)) {
            for (int option : sim.Catalogue().Options(underlying, month)) {
                options.push_back(option);
            }
        }
        return options;
    }

    Simulator sim;
};

TEST(StrikeGridTest, FundStrikesStepByTheirBand) {
    const StrikeGrid grid = StrikeGrid::Fund();  // in ten-thousandths
    EXPECT_EQ(grid.Around(29900, 3), (std::vector<int64_t>{28500, 29000, 29500, 30000, 31000, 32000, 33000}));
    EXPECT_EQ(grid.Around(50400, 1), (std::vector<int64_t>{49000, 50000, 52500}));
    EXPECT_EQ(grid.Nearest(102400), 100000);
    EXPECT_EQ(grid.Nearest(102500), 105000);
    EXPECT_EQ(grid.Around(600, 2), (std::vector<int64_t>{500, 1000, 1500}));  // none below zero
}

TEST_F(OptionMarketTest, ChainsAreListedAsTheExchangesListThem) {
    const InstrumentCatalogue& c = sim.Catalogue();
    const std::map<std::string, std::vector<std::string>> months{{"m2408", {"2403", "2404", "2405", "2406"}},
                                                                 {"510050", {"2403", "2404", "2406", "2409"}},
                                                                 {"510300", {"2403", "2404", "2406", "2409"}},
                                                                 {"IF2403", {"2403"}},
                                                                 {"IF2404", {"2404"}},
                                                                 {"IF2406", {"2406"}},
                                                                 {"IF2409", {"2409"}}};
    std::map<std::string, std::vector<std::string>> listed;
    for (int underlying : c.Underlyings()) {
        listed[c.At(underlying)->code] = c.Months(underlying);
        for (const std::string& month : c.Months(underlying)) {
            EXPECT_EQ(c.Options(underlying, month).size(), 42u) << c.At(underlying)->code << " " << month;
        }
    }
    EXPECT_EQ(listed, months);
    // Around 3.6: six strikes down by 0.1 to 3.0, four more by 0.05; ten up by 0.1.
    EXPECT_EQ(Strikes(IndexOf(sim, "SHSE-A", "510300"), "2404").front(), 2.8);
    EXPECT_EQ(Strikes(IndexOf(sim, "SHSE-A", "510300"), "2404").back(), 4.6);

    struct Terms {
        const char* underlying;
        char classLetter;
        int style;
        int32_t multiplier;
        int64_t tick;
        const char* exchange;
    };
    for (const Terms& t : {Terms{"m2408", 'n', 1, 10, 5, "DCE"}, Terms{"510050", 'o', 0, 10000, 1, "SHQQ-A"},
                           Terms{"IF2404", 'n', 0, 100, 2, "CFFEX"}}) {
        const int underlying = c.FindByCode(t.underlying).front()->index;
        const Instrument& call = *c.At(c.Options(underlying, c.Months(underlying).front()).front());
        EXPECT_EQ(std::tuple(call.option->classLetter, call.option->exerciseStyle, call.multiplier, call.tick,
                             call.exchange),
                  std::tuple(t.classLetter, t.style, t.multiplier, t.tick, std::string(t.exchange)))
            << t.underlying;
    }
    const Instrument& index = *c.At(c.Options(IndexOf(sim, "CFFEX", "IF2404"), "2404").front());
    EXPECT_EQ(index.code, "IO2404-C-3000");
    EXPECT_EQ(index.kind, InstrumentKind::FutureOption);  // traded through the futures account
    // The March options expire on its fourth Wednesday at 15:00 Beijing time.
    EXPECT_EQ(c.At(c.Options(IndexOf(sim, "SHSE-A", "510050"), "2403").front())->option->expiry,
              QDateTime(QDate(2024, 3, 27), QTime(7, 0), Qt::UTC));
}

TEST_F(OptionMarketTest, StrikesAreListedAsTheUnderlyingMovesAndNeverWithdrawn) {
    const int fund = IndexOf(sim, "SHSE-A", "510050");
    const int before = sim.Catalogue().Size();
    sim.TradeAt(fund, 2700, 100);
    const std::vector<double> strikes = Strikes(fund, "2403");
    EXPECT_EQ(strikes.front(), 2.0);
    EXPECT_EQ(std::vector<double>(strikes.end() - 5, strikes.end()),
              (std::vector<double>{3.0, 3.1, 3.2, 3.3, 3.4}));
    // Four new strikes a month, a call and a put each.
    EXPECT_EQ(sim.Catalogue().Size(), before + 4 * 4 * 2);
    const int listed = sim.Catalogue().Size() - 1;
    EXPECT_EQ(sim.Snapshot(listed).openInterest, 0.0);
    EXPECT_TRUE(sim.History(listed).empty());
    EXPECT_GT(sim.GetBook(listed).asks[0].price, 0);
}

// The market makers quote around the surface's model price, two ticks apart at least.
TEST_F(OptionMarketTest, QuotesStraddleTheSurfacesModelPrice) {
    const int fund = IndexOf(sim, "SHSE-A", "510050");
    const SurfaceParameters steep{0.30, 0.05, -0.40, 1.2};
    ASSERT_TRUE(sim.SetSurface(fund, steep));
    EXPECT_EQ(*sim.Surface(fund), steep);
    sim.TradeAt(fund, 2523, 100);

    int checked = 0;
    for (int index : Chain(fund)) {
        const Instrument& option = *sim.Catalogue().At(index);
        const Book book = sim.GetBook(index);
        ASSERT_GT(book.asks[0].price, 0) << option.code;
        if (book.bids[0].price <= 0) {
            continue;  // worth less than a tick: offered only
        }
        EXPECT_GE(book.asks[0].price - book.bids[0].price, 2 * option.tick) << option.code;
        const double mid = option.ToPrice(book.bids[0].price + book.asks[0].price) / 2;
        EXPECT_NEAR(mid, sim.ModelPrice(index), option.ToPrice(option.tick) / 2) << option.code;
        ++checked;
    }
    EXPECT_GT(checked, 100);

    // Puts are dearer below the money, far expiries sit higher at the money.
    const std::vector<int> march = sim.Catalogue().Options(fund, "2403");
    const std::vector<int> september = sim.Catalogue().Options(fund, "2409");
    EXPECT_GT(sim.ImpliedVolatility(march.front()), sim.ImpliedVolatility(march[march.size() / 2]));
    EXPECT_GT(sim.ImpliedVolatility(september[september.size() / 2]),
              sim.ImpliedVolatility(march[march.size() / 2]));
}

TEST_F(OptionMarketTest, SpreadsWidenAwayFromTheMoneyAndInCheapOptions) {
    const int fund = IndexOf(sim, "SHSE-A", "510050");
    const std::vector<int> june = sim.Catalogue().Options(fund, "2406");
    auto relativeSpread = [&](int option) {
        const Book book = sim.GetBook(option);
        return double(book.asks[0].price - book.bids[0].price) /
               double(book.asks[0].price + book.bids[0].price);
    };
    const int atTheMoney = june[june.size() / 2 - 1];  // the 2.50 call
    ASSERT_EQ(sim.Catalogue().At(atTheMoney)->option->strike, 25000);
    EXPECT_LT(relativeSpread(atTheMoney), relativeSpread(june[june.size() - 2]));  // the 3.00 call
    EXPECT_LT(relativeSpread(atTheMoney), relativeSpread(june[1]));                // the 2.00 put
}

TEST(VolatilitySurfaceTest, TheLevelMovesAgainstTheUnderlying) {
    VolatilitySurface surface({0.20, 0.0, 0.0, 0.0});
    surface.Walk(-0.01, 0.0);
    const double afterFall = surface.Parameters().level;
    EXPECT_GT(afterFall, 0.20);
    surface.Walk(+0.02, 0.0);
    EXPECT_LT(surface.Parameters().level, afterFall);
}

TEST_F(OptionMarketTest, OpenInterestStartsByMoneynessAtTheHistorysLastFigureAndMovesWithTrades) {
    const int fund = IndexOf(sim, "SHSE-A", "510050");
    const std::vector<int> march = sim.Catalogue().Options(fund, "2403");
    const std::vector<int> september = sim.Catalogue().Options(fund, "2409");
    const size_t money = march.size() / 2 - 1;  // the 2.50 call
    const double atTheMoney = sim.Snapshot(march[money]).openInterest;
    EXPECT_GT(atTheMoney, sim.Snapshot(march.front()).openInterest);
    EXPECT_GT(atTheMoney, sim.Snapshot(march[march.size() - 2]).openInterest);
    EXPECT_GT(atTheMoney, sim.Snapshot(september[money]).openInterest);

    for (int step = 0; step < 40; ++step) {
        sim.Step();
    }
    const uint32_t today = 20240315;
    for (int option : {march[money], march[money + 1], september[money], IndexOf(sim, "DCE", "m2408")}) {
        const std::vector<DailyBar> history = sim.History(option);
        ASSERT_EQ(history.size(), 120u);
        EXPECT_LT(history.back().date, today);
        const Kora::Interface::QuoteSnapshot s = sim.Snapshot(option);
        EXPECT_EQ(s.preOpenInterest, history.back().openInterest);
        EXPECT_DOUBLE_EQ(history.back().close, sim.Catalogue().At(option)->ToPrice(s.referencePrice));
        const InterestChange change = sim.Interest(option);
        EXPECT_EQ(int64_t(s.openInterest - history.back().openInterest), change.Net()) << option;
        EXPECT_GT(change.opened + change.closed, 0) << option;
        // Every trade was someone's buy or sell: the aggressor volumes add up to the day's.
        EXPECT_EQ(s.activeBuyVolume + s.activeSellVolume, s.volume) << option;
    }
}

TEST_F(OptionMarketTest, TheTradeListKeepsTheLatestTradesWithTheirAggressor) {
    const int rebar = IndexOf(sim, "SHFE", "rb2405");
    sim.SetBestQuote(rebar, 3599, 50, 3601, 50);
    sim.TradeAt(rebar, 3601, 4);
    sim.TradeAt(rebar, 3599, 2);
    const std::vector<TradePrint> trades = sim.Trades(rebar);
    ASSERT_EQ(trades.size(), 2u);
    EXPECT_EQ(std::tuple(trades[0].time, trades[0].price, trades[0].volume, trades[0].buyerInitiated),
              std::tuple(93000u, int64_t(3601), int64_t(4), true));
    EXPECT_EQ(std::tuple(trades[1].price, trades[1].volume, trades[1].buyerInitiated),
              std::tuple(int64_t(3599), int64_t(2), false));
    EXPECT_EQ(sim.Snapshot(rebar).activeBuyVolume, 4.0);
    for (int i = 0; i < 120; ++i) {
        sim.TradeAt(rebar, 3600, 1);
    }
    EXPECT_EQ(sim.Trades(rebar).size(), 100u);
}

}  // namespace
