// The Greek curves of a set over a sweep, and how the chart adds two sets' curves.

#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>
#include <random>

#include "RiskFixtures.h"
#include "analysis/RiskCurves.h"
#include "option/pricing/OptionPricing.h"

namespace {

using namespace RiskFixtures;
using RiskCurves::Curve;

AnalyzeParameters MarketOf(const Json::Value& p) {
    return AnalyzeParameters::FromJson(p);
}

QStringList Labels(const Curve& curve) {
    QStringList labels;
    for (const auto& [label, values] : curve) {
        labels.append(label);
    }
    return labels;
}

TEST(RiskCurves, PriceAxisRunsOverHundredPointsAndLeavesOutTheHighEnd) {
    const Curve curve =
        RiskCurves::Sweep(Array({Call()}), Underlying(), MarketOf(Market()), RiskCurves::kPriceAxis);
    ASSERT_EQ(curve.size(), 100u);
    EXPECT_TRUE(curve.count(QStringLiteral("50.0000")));
    EXPECT_TRUE(curve.count(QStringLiteral("149.0000")));
    EXPECT_FALSE(curve.count(QStringLiteral("150.0000")));
    EXPECT_EQ(curve.at(QStringLiteral("120.0000"))[PositionRecord::kTimeValue], 0.0f);
}

TEST(RiskCurves, DaysAxisCountsDownFromTheDaysLeftAndSkipsUnknownExpiries) {
    Json::Value noExpiry = Call();
    noExpiry.removeMember("MaturityDays");
    const Curve curve =
        RiskCurves::Sweep(Array({Call(), noExpiry}), Underlying(), MarketOf(Market()), RiskCurves::kDaysAxis);
    ASSERT_EQ(curve.size(), 30u);
    EXPECT_TRUE(curve.count(QStringLiteral("30")));
    EXPECT_TRUE(curve.count(QStringLiteral("1")));
    EXPECT_FALSE(curve.count(QStringLiteral("0")));
    EXPECT_NEAR(curve.at(QStringLiteral("10"))[PositionRecord::kGamma],
                OptionPricing::OptionGamma(0, 100, 100, 0.25, double(0.03f), 10.0 / 365), 1e-6)
        << "a point of the days axis counts its own days, without the offset";
}

TEST(RiskCurves, PositionsOnOtherUnderlyingsAddTheirStoredGreeksAtEveryPointAndUncheckedOnesNothing) {
    Json::Value other = Call(Underlying(2, "IF2403"));
    other["Delta"] = "0.5000";
    other["Rho"] = "-2.0000";
    for (RiskCurves::Axis axis : {RiskCurves::kPriceAxis, RiskCurves::kVolatilityAxis, RiskCurves::kRateAxis,
                                  RiskCurves::kDaysAxis}) {
        const Curve curve = RiskCurves::Sweep(Array({other}), Underlying(), MarketOf(Market()), axis);
        ASSERT_FALSE(curve.empty()) << axis;
        for (const auto& [label, values] : curve) {
            EXPECT_EQ(values[PositionRecord::kDelta], 0.5f) << axis << " " << label.toStdString();
            EXPECT_EQ(values[PositionRecord::kRho], -2.0f) << axis << " " << label.toStdString();
            EXPECT_EQ(values[PositionRecord::kGamma], 0.0f);
        }
    }

    Json::Value unchecked = Call();
    unchecked["Check"] = "0";
    Json::Value expired = Call();
    expired["MaturityDays"] = "-5";
    EXPECT_TRUE(RiskCurves::Sweep(Array({unchecked, expired}), Underlying(),
                                  MarketOf(Market("100", "0.25", "0.03", "3")), RiskCurves::kPriceAxis)
                    .empty())
        << "unchecked and expired positions add nothing";
}

// A rate of 0 sweeps 100 points that all read "0.0000": the position used to be added once per
// point, a hundredfold Delta at the one label; it counts once per label.
TEST(RiskCurves, PointsFallingOnOneLabelCountThePositionOnce) {
    const Curve rate = RiskCurves::Sweep(Array({Call()}), Underlying(), MarketOf(Market("100", "0.25", "0")),
                                         RiskCurves::kRateAxis);
    ASSERT_EQ(Labels(rate), QStringList{QStringLiteral("0.0000")});
    EXPECT_NEAR(rate.begin()->second[PositionRecord::kDelta],
                OptionPricing::OptionDelta(0, 0, 100, 100, 0.25, 0, 31.0 / 365), 1e-6);

    const Curve narrow =
        RiskCurves::Sweep(Array({Call()}), Underlying(), MarketOf(Market("100", "0.25", "0.03", "0", "0")),
                          RiskCurves::kPriceAxis);
    EXPECT_EQ(Labels(narrow), QStringList{QStringLiteral("100.0000")});
}

TEST(RiskCurves, ChartAddsTwoSetsLabelByLabelInAscendingOrder) {
    Curve real;
    real[QStringLiteral("30")] = {1, 0, 0, 0, 0, 0};
    real[QStringLiteral("5")] = {2, 0, 0, 0, 0, 0};
    Curve simulated;
    simulated[QStringLiteral("5")] = {10, 0, 0, 0, 0, 0};
    simulated[QStringLiteral("12")] = {20, 0, 0, 0, 0, 0};
    const RiskCurves::Line line = RiskCurves::Merge(real, simulated, PositionRecord::kDelta);
    const RiskCurves::Line expected{{5, 12}, {12, 20}, {30, 1}};
    EXPECT_EQ(line, expected);
}

// Along the price axis the summed Delta is the slope of the summed position values: for random
// books of calls and puts, long and short, spot and forward formulas, the curve matches a central
// difference of Σ sign × quantity × price. Tolerance: the curve holds single-precision sums (7
// digits of the largest figure) and the normal distribution's approximation (7.5e-8) moves the
// slope of the price by up to about 1e-6 per unit; 2e-4 per lot covers both.
TEST(RiskCurves, SummedDeltaIsTheSlopeOfTheSummedValues) {
    std::mt19937 random(20240315);
    std::uniform_int_distribution<int> coin(0, 1);
    std::uniform_int_distribution<int> lots(1, 5);
    std::uniform_int_distribution<int> days(5, 200);
    std::uniform_real_distribution<double> strike(70, 130);
    for (int book = 0; book < 20; ++book) {
        struct Leg {
            int put, type, sign, quantity, days;
            double strike;
        };
        std::vector<Leg> legs;
        Json::Value records(Json::arrayValue);
        int totalLots = 0;
        for (int i = 0; i < 6; ++i) {
            const Leg leg{coin(random), coin(random), coin(random) ? 1 : -1,
                          lots(random), days(random), std::round(strike(random))};
            legs.push_back(leg);
            totalLots += leg.quantity;
            Json::Value record = Call();
            record["PutCall"] = std::to_string(leg.put);
            record["OptionType"] = std::to_string(leg.type);
            record["112"] = leg.sign > 0 ? "0" : "1";
            record["135"] = std::to_string(leg.quantity);
            record["MaturityDays"] = std::to_string(leg.days);
            record["ExercisePrice"] = QString::number(leg.strike).toStdString();
            records.append(record);
        }
        const AnalyzeParameters p = MarketOf(Market("100", "0.3", "0.02"));
        const auto value = [&](double S) {
            double sum = 0;
            for (const Leg& leg : legs) {
                sum += leg.sign * leg.quantity *
                       OptionPricing::OptionPrice(leg.put, leg.type, S, leg.strike, p.Lsbdl, p.lv,
                                                  (leg.days + 1) / 365.0);
            }
            return sum;
        };
        const Curve curve = RiskCurves::Sweep(records, Underlying(), p, RiskCurves::kPriceAxis);
        ASSERT_EQ(curve.size(), 100u);
        for (const auto& [label, values] : curve) {
            const double S = label.toDouble();
            const double h = 1e-3 * S;
            const double slope = (value(S + h) - value(S - h)) / (2 * h);
            EXPECT_NEAR(values[PositionRecord::kDelta], slope, 2e-4 * totalLots)
                << "book " << book << " at S " << S;
        }
    }
}

}  // namespace
