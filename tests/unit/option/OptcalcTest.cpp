// krt-optcalc as scripts use it: a real process, its stdout parsed as Json, its exit code.

#include <gtest/gtest.h>
#include <json/reader.h>
#include <json/value.h>

#include <sstream>
#include <string>

#include "option/pricing/ImpliedVolatility.h"
#include "option/pricing/NormalDistribution.h"
#include "option/pricing/OptionGreeks.h"
#include "option/pricing/RangeProbability.h"
#include "unit/option/OptcalcRun.h"

namespace {

Json::Value Parse(const std::string& text) {
    Json::Value value;
    std::istringstream in(text);
    std::string errors;
    EXPECT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &value, &errors)) << text << errors;
    return value;
}

}  // namespace

// %.17g round-trips: the printed numbers are the routines' results to the last bit.
TEST(Optcalc, GreeksPrintsTheFusedResultsExactly) {
    const Outcome run = Optcalc("greeks 1 1 3.05 2.9 0.23 0.018 0.0822");
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.back(), '\n');
    const Json::Value v = Parse(run.out);
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
}

TEST(Optcalc, IvReportsSuccessAndFailure) {
    double expected = 0;
    ASSERT_TRUE(OptionPricing::ImpliedVolatility(0, 0, 100, 100, 0.3, 0.05, 1, 10.4506, expected));
    const Json::Value ok = Parse(Optcalc("iv 0 0 100 100 0.3 0.05 1 10.4506").out);
    EXPECT_EQ(ok["ok"], Json::Value(true));
    EXPECT_EQ(ok["sigma"].asDouble(), expected);

    const Outcome failed = Optcalc("iv 0 0 100 100 0.3 0.05 1 100");
    EXPECT_EQ(failed.exitCode, 0);
    EXPECT_EQ(failed.out, "{\"ok\":false}\n");
}

TEST(Optcalc, RangeAndCdf) {
    EXPECT_EQ(Parse(Optcalc("range 0 100 110 90 0.2 0.05 1").out)["probability"].asDouble(),
              OptionPricing::RangeProbability(0, 100, 110, 90, 0.2, 0.05, 1));
    const Json::Value cdf = Parse(Optcalc("cdf -1.25").out);
    EXPECT_EQ(cdf["n"].asDouble(), OptionPricing::NormalDensity(-1.25));
    EXPECT_EQ(cdf["N"].asDouble(), OptionPricing::NormalCdf(-1.25));
    // Json has no NaN: a result that is not a number prints as null.
    EXPECT_EQ(Optcalc("cdf nan").out, "{\"n\":null,\"N\":null}\n");
}

TEST(Optcalc, BadArgumentsExitWithTwoAndPrintNothing) {
    for (const char* arguments :
         {"", "price 0 0 100 100 0.2 0.05 1", "greeks 0 0 100 100 0.2 0.05",
          "greeks 0 0 100 100 0.2 0.05 1 9", "greeks 0.5 0 100 100 0.2 0.05 1",
          "greeks 0 x 100 100 0.2 0.05 1", "greeks 0 0 100 100 20% 0.05 1", "iv 0 0 100 100 0.3 0.05 1",
          "range 0 100 110 90 0.2 0.05", "cdf", "cdf 1 2", "cdf ''"}) {
        const Outcome run = Optcalc(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
    }
}
