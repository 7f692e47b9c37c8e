// krt-optcalc as scripts use it: a real process, its stdout parsed as Json, its exit code.

#include <gtest/gtest.h>
#include <json/value.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>

#include "option/pricing/ImpliedVolatility.h"
#include "option/pricing/OptionGreeks.h"
#include "option/pricing/ShortOptionAnalysis.h"
#include "support/JsonOf.h"
#include "unit/option/OptcalcRun.h"

// %.17g round-trips: the printed numbers are the routines' results to the last bit.
TEST(Optcalc, GreeksAndIvPrintTheRoutinesResultsExactlyAndIvItsFailure) {
    const Outcome run = Optcalc("greeks 1 1 3.05 2.9 0.23 0.018 0.0822");
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.back(), '\n');
    const Json::Value v = JsonOf(run.out);
    const OptionPricing::OptionGreeks g =
        OptionPricing::OptionPriceAndGreeks(1, 1, 3.05, 2.9, 0.23, 0.018, 0.0822);
    EXPECT_EQ(v.getMemberNames(),
              (std::vector<std::string>{"delta", "gamma", "price", "rho", "theta", "vega"}));
    EXPECT_EQ(v["price"].asDouble(), g.price);
    EXPECT_EQ(v["delta"].asDouble(), g.delta);
    EXPECT_EQ(v["gamma"].asDouble(), g.gamma);
    EXPECT_EQ(v["theta"].asDouble(), g.theta);
    EXPECT_EQ(v["vega"].asDouble(), g.vega);
    EXPECT_EQ(v["rho"].asDouble(), g.rho);
    EXPECT_EQ(Optcalc("greeks 0 0 0 100 0.2 0.05 1").out,
              "{\"price\":-1,\"delta\":1,\"gamma\":0,\"theta\":0,\"vega\":0,\"rho\":0}\n");

    double expected = 0;
    ASSERT_TRUE(OptionPricing::ImpliedVolatility(0, 0, 100, 100, 0.3, 0.05, 1, 10.4506, expected));
    const Json::Value ok = JsonOf(Optcalc("iv 0 0 100 100 0.3 0.05 1 10.4506").out);
    EXPECT_EQ(ok["ok"], Json::Value(true));
    EXPECT_EQ(ok["sigma"].asDouble(), expected);

    const Outcome failed = Optcalc("iv 0 0 100 100 0.3 0.05 1 100");
    EXPECT_EQ(failed.exitCode, 0);
    EXPECT_EQ(failed.out, "{\"ok\":false}\n");
}

// The seller analysis as "计算" runs it: an American put on a future, 29 days left, sold at 120
// for 2 lots, labels with one decimal. Every number reads back to the analysis's own bits.
TEST(Optcalc, SellPrintsTheSellerAnalysisLineByLine) {
    const Outcome run = Optcalc("sell 1 2 1 2900 3000 0.22 0.035 29 120 2 1");
    ASSERT_EQ(run.exitCode, 0);
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(run.out);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        lines.emplace_back(std::istream_iterator<std::string>(words), std::istream_iterator<std::string>());
    }
    ASSERT_EQ(lines.size(), 17u) << run.out;
    auto number = [](const std::string& text) { return std::strtod(text.c_str(), nullptr); };

    const OptionPricing::ShortOptionAnalysis a = OptionPricing::AnalyseShortOption(
        {1, 2, 1, 2900, 3000, 0.22, 0.035, 30, 120, 2}, OptionPricing::SellLadder());
    const std::pair<const char*, double> figures[] = {{"iv", a.impliedVolatility},
                                                      {"theory", a.theoreticalPrice},
                                                      {"delta", a.delta},
                                                      {"gamma", a.gamma},
                                                      {"theta", a.theta},
                                                      {"vega", a.vega},
                                                      {"rho", a.rho}};
    for (size_t i = 0; i < 7; ++i) {
        ASSERT_EQ(lines[i].size(), 2u);
        EXPECT_EQ(lines[i][0], figures[i].first);
        EXPECT_EQ(number(lines[i][1]), figures[i].second) << figures[i].first;
    }
    // The first row, the strike's and the last.
    const std::tuple<size_t, const char*, double> rows[] = {
        {0, "4060.0", 240}, {4, "2900.0", 40}, {8, "1740.0", -2280}};
    for (const auto& [i, label, profit] : rows) {
        const std::vector<std::string>& row = lines[7 + i];
        ASSERT_EQ(row.size(), 5u);
        EXPECT_EQ(row[0], label);
        EXPECT_EQ(number(row[1]), profit) << label;
        for (size_t regime = 0; regime < 3; ++regime) {
            EXPECT_EQ(number(row[2 + regime]), a.rows[i].probability[regime]) << label;
        }
    }
    ASSERT_EQ(lines[16].size(), 4u);
    EXPECT_EQ(lines[16][0], "average");
    for (size_t regime = 0; regime < 3; ++regime) {
        EXPECT_EQ(number(lines[16][1 + regime]), a.averageProfit[regime]);
    }
}

TEST(Optcalc, BadArgumentsExitWithTwoAndPrintNothing) {
    for (const char* arguments :
         {"", "price 0 0 100 100 0.2 0.05 1", "greeks 0 0 100 100 0.2 0.05",
          "greeks 0.5 0 100 100 0.2 0.05 1", "greeks 0 0 100 100 20% 0.05 1", "iv 0 0 100 100 0.3 0.05 1",
          "cdf 1 2", "sell 1 2 3 2900 3000 0.22 0.035 29 120 2 1",
          "sell 1 2 1 2900 3000 0.22 0.035 29.5 120 2 1"}) {
        const Outcome run = Optcalc(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
    }
}
