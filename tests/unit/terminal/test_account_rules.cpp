// The accounts' rules as the tools read them: margins of short options, covered calls, the
// credit account, separate close-today offsets and net-position orders.

#include <gtest/gtest.h>

#include "MarketTestSupport.h"

using namespace MarketTest;

namespace {

class AccountRulesTest : public ::testing::Test {
protected:
    AccountRulesTest() : sim(SimulatorOptions{5, kTradingDay}) {}

    int Index(const char* exchange, const char* code) const { return IndexOf(sim, exchange, code); }
    int Option(int underlying, const char* month, double strike, bool put) const {
        return OptionOf(sim, underlying, month, strike, put);
    }
    std::optional<PositionView> Held(const char* account, int instrument, PositionSide side,
                                     bool covered = false) const {
        return MarketTest::Held(sim, account, instrument, side, covered);
    }
    void Quote(int instrument, int64_t bid, int64_t ask) {
        sim.SetBestQuote(instrument, bid, 100000, ask, 100000);
    }

    Simulator sim;
};

// Margins are marked to the latest prices of the option and its underlying.
TEST_F(AccountRulesTest, ShortOptionMarginsFollowTheExchangesFormulas) {
    const int fund = Index("SHSE-A", "510050");
    const int meal = Index("DCE", "m2408");
    struct Case {
        const char* name;
        int option;
        int64_t last;   // the option's latest price, its units
        double margin;  // for one contract
    };
    const std::vector<Case> cases{
        // (0.1000 + max(12 % × 2.5 − 0.10, 7 % × 2.5)) × 10000
        {"fund call 0.10 out of the money", Option(fund, "2406", 2.6, false), 1000, 3000.0},
        // min(0.0500 + max(12 % × 2.5 − 0.10, 7 % × 2.4), 2.4) × 10000
        {"fund put 0.10 out of the money", Option(fund, "2406", 2.4, true), 500, 2500.0},
        // the floor: (0.0010 + 7 % × 2.0) × 10000
        {"fund put far out of the money", Option(fund, "2406", 2.0, true), 10, 1410.0},
        // 30 × 10 + max(3000 × 10 × 10 % − ½ × 200 × 10, ½ × 3000)
        {"futures call 200 out of the money", Option(meal, "2406", 3200, false), 300, 2300.0},
        // 150 × 10 + max(3000 − ½ × 0, 1500)
        {"futures put at the money", Option(meal, "2406", 3000, true), 1500, 4500.0},
    };
    sim.TradeAt(fund, 2500, 100);
    sim.TradeAt(meal, 3000, 1);
    for (const Case& c : cases) {
        const char* account = sim.Catalogue().At(c.option)->exchange == "DCE" ? "E1008" : "E1006";
        ASSERT_TRUE(sim.AddPosition(account, c.option, PositionSide::Short, 1, c.last)) << c.name;
        sim.TradeAt(c.option, c.last, 1);
        EXPECT_NEAR(Held(account, c.option, PositionSide::Short)->margin, c.margin, 1e-6) << c.name;
    }
    // The fund call's price rises: its margin, latest price and floating loss follow.
    const int call = cases[0].option;
    sim.TradeAt(call, 1200, 1);
    const PositionView held = *Held("E1006", call, PositionSide::Short);
    EXPECT_NEAR(held.margin, 3200.0, 1e-6);
    EXPECT_DOUBLE_EQ(held.lastPrice, 0.12);
    EXPECT_NEAR(held.floatingProfit, -200.0, 1e-6);
    EXPECT_NEAR(sim.Money("E1006")->margin, 3200.0 + 2500.0 + 1410.0, 1e-6);
}

TEST_F(AccountRulesTest, CoveredCallsAreTheirOwnPositionsAndLockTheUnderlyingsShares) {
    const int fund = Index("SHSE-A", "510050");
    const int call = Option(fund, "2404", 2.6, false);
    Quote(call, 300, 310);
    const double cash = sim.Money("E1006")->cash;
    ASSERT_TRUE(sim.Submit(Ticket("E1006", call, '1', '0', 300, 2, '1')).Accepted());
    ASSERT_TRUE(sim.Submit(Ticket("E1006", call, '1', '0', 300, 1)).Accepted());

    const PositionView covered = *Held("E1006", call, PositionSide::Short, true);
    const PositionView plain = *Held("E1006", call, PositionSide::Short, false);
    EXPECT_EQ(std::tuple(covered.total, covered.lockedShares, covered.margin), std::tuple(2, 20000, 0.0));
    EXPECT_EQ(plain.total, 1);
    EXPECT_GT(plain.margin, 0.0);
    EXPECT_NEAR(sim.Money("E1006")->cash, cash + 3 * 300.0 - 3 * 1.7, 1e-6);

    struct Refusal {
        const char* name;
        OrderTicket ticket;
        const char* reason;
    };
    for (const Refusal& r : {
             Refusal{"more than the shares left cover", Ticket("E1006", call, '1', '0', 300, 19, '1'),
                     "可用备兑证券不足"},
             Refusal{"a covered put", Ticket("E1006", Option(fund, "2404", 2.4, true), '1', '0', 300, 1, '1'),
                     "不支持的备兑委托"},
             Refusal{
                 "covered in a futures account",
                 Ticket("E1008", Option(Index("DCE", "m2408"), "2404", 3000, false), '1', '0', 500, 1, '1'),
                 "不支持的备兑委托"},
         }) {
        EXPECT_EQ(sim.Submit(r.ticket).reason, r.reason) << r.name;
    }
    // Bought back, a covered call gives its shares back.
    ASSERT_TRUE(sim.Submit(Ticket("E1006", call, '0', '1', 310, 1, '1')).Accepted());
    EXPECT_EQ(Held("E1006", call, PositionSide::Short, true)->lockedShares, 10000);
    EXPECT_EQ(sim.MaxVolume(Ticket("E1006", call, '1', '0', 300, 1, '1')), 19);
}

TEST_F(AccountRulesTest, TheCreditAccountFinancesBuysAndLendsSharesWithinItsLimits) {
    const int bank = Index("SHSE-A", "600000");
    const int battery = Index("SZSE-A", "300750");
    Quote(bank, 750, 751);
    Quote(battery, 17999, 18000);
    auto quantity = [&](int instrument, char direction, int64_t price) {
        return sim.MaxVolume(Ticket("E1005", instrument, direction, direction == '1' ? '1' : '0', price, 1));
    };
    EXPECT_EQ(quantity(bank, 'a', 751), 66500);  // 500,000 of credit at 7.51, in whole lots

    const double cash = sim.Money("E1005")->cash;
    ASSERT_TRUE(sim.Submit(Ticket("E1005", bank, 'a', '0', 751, 10000)).Accepted());
    MoneyView money = *sim.Money("E1005");
    EXPECT_NEAR(money.financed, 75100.0, 1e-6);
    EXPECT_NEAR(money.creditAvailable, 500000.0 - 75100.0, 1e-6);
    EXPECT_NEAR(money.cash, cash - 75100.0 * 0.0003, 1e-6);  // only the commission is paid in cash
    EXPECT_EQ(quantity(bank, 'a', 751), 56500);
    EXPECT_EQ(quantity(bank, '1', 750), 0);  // bought today: sellable tomorrow
    EXPECT_EQ(sim.Submit(Ticket("E1005", bank, 'a', '0', 751, 60000)).reason, "可融资金不足");

    // 10,000 shares of 300750 to borrow, half the notional held as margin.
    EXPECT_EQ(quantity(battery, 'b', 17999), 10000);
    ASSERT_TRUE(sim.Submit(Ticket("E1005", battery, 'b', '0', 17999, 6000)).Accepted());
    EXPECT_EQ(sim.Submit(Ticket("E1005", battery, 'b', '0', 17999, 4100)).reason, "可融券数量不足");
    ASSERT_TRUE(sim.Submit(Ticket("E1005", battery, 'c', '1', 18000, 2500)).Accepted());
    EXPECT_EQ(Held("E1005", battery, PositionSide::Short)->total, 3500);
    EXPECT_EQ(quantity(battery, 'b', 17999), 6500);
    EXPECT_EQ(sim.Submit(Ticket("E1005", battery, 'b', '0', 17999, 6600)).reason, "可融券数量不足");

    // Yesterday's shares sold to repay: the proceeds pay the debt first.
    ASSERT_TRUE(sim.AddPosition("E1005", bank, PositionSide::Long, 5000, 700));
    EXPECT_EQ(quantity(bank, '1', 750), 5000);
    ASSERT_TRUE(sim.Submit(Ticket("E1005", bank, 'd', '1', 750, 5000)).Accepted());
    money = *sim.Money("E1005");
    EXPECT_NEAR(money.financed, 75100.0 - (37500.0 - 37500.0 * 0.0003 - 37500.0 * 0.0005), 1e-6);
}

TEST_F(AccountRulesTest, WhereTodayClosesSeparatelyAPlainCloseTakesOnlyYesterdaysPosition) {
    const int rebar = Index("SHFE", "rb2405");
    const int meal = Index("DCE", "m2408");
    for (int contract : {rebar, meal}) {
        ASSERT_TRUE(sim.AddPosition("E1008", contract, PositionSide::Long, 2, 3000));
        ASSERT_TRUE(sim.AddPosition("E1008", contract, PositionSide::Long, 3, 3000, true));
    }
    const PositionView steel = *Held("E1008", rebar, PositionSide::Long);
    EXPECT_EQ(std::pair(steel.closable, steel.closableToday), std::pair(int64_t(5), int64_t(3)));

    // A close split the wrong way is refused on SHFE, taken on DCE.
    Quote(rebar, 3599, 3601);
    Quote(meal, 2999, 3001);
    EXPECT_EQ(sim.Submit(Ticket("E1008", rebar, '1', '1', 3599, 3)).reason, "可平仓位不足");
    EXPECT_TRUE(sim.Submit(Ticket("E1008", meal, '1', '1', 2999, 3)).Accepted());

    // Net positions close the opposite position first (yesterday's, then today's where they
    // are separate) and open the rest.
    auto offsets = [&](int contract, char direction, int64_t volume) {
        const NetPositionResolution resolved =
            sim.ResolveNetPosition(Ticket("E1008", contract, direction, '3', 3000, volume));
        std::vector<std::pair<char, int64_t>> parts;
        for (const OrderTicket& t : resolved.tickets) {
            parts.emplace_back(t.offset, t.volume);
        }
        return parts;
    };
    using Parts = std::vector<std::pair<char, int64_t>>;
    EXPECT_EQ(offsets(rebar, '1', 6), (Parts{{'1', 2}, {'2', 3}, {'0', 1}}));
    EXPECT_EQ(offsets(rebar, '1', 1), (Parts{{'1', 1}}));
    EXPECT_EQ(offsets(meal, '1', 4), (Parts{{'1', 2}, {'0', 2}}));  // three of five already closed
    EXPECT_EQ(offsets(rebar, '0', 2), (Parts{{'0', 2}}));
    for (const auto& [offset, volume] : offsets(rebar, '1', 6)) {
        ASSERT_TRUE(sim.Submit(Ticket("E1008", rebar, '1', offset, 3599, volume)).Accepted()) << offset;
    }
    EXPECT_FALSE(Held("E1008", rebar, PositionSide::Long));
    EXPECT_EQ(Held("E1008", rebar, PositionSide::Short)->total, 1);

    ASSERT_TRUE(sim.SetCash("E1008", 1000.0));
    const NetPositionResolution unpaid = sim.ResolveNetPosition(Ticket("E1008", meal, '0', '3', 3000, 5));
    EXPECT_EQ(unpaid.error, "可用资金不足");
    EXPECT_TRUE(unpaid.tickets.empty());
}

}  // namespace
