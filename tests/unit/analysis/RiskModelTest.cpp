// The position risk model on records given whole: how positions are signed, scaled and valued,
// what the total row sums, which market values a position, and the set's lock.

#include <gtest/gtest.h>

#include "RiskFixtures.h"
#include "analysis/CPositionAnalyzeData.h"
#include "analysis/UnderlyingParameters.h"
#include "option/pricing/OptionPricing.h"

namespace {

using namespace RiskFixtures;

const double kT = 31.0 / 365;  // 30 days left, no offset, plus one
const double kRate = double(0.03f);

std::string Fixed4(double value) {
    return QString::asprintf("%.04f", value).toStdString();
}

class RiskModel : public ::testing::Test {
protected:
    RiskModel() { parameters.Set(Underlying(), AnalyzeParameters::FromJson(Market())); }

    Json::Value Valued(const Json::Value& record) {
        set.SetRecords(Array({record}));
        return set.Record(0);
    }

    UnderlyingParameters parameters;
    CPositionAnalyzeData set{parameters, nullptr};
};

TEST_F(RiskModel, FiguresAreScaledByQuantityAndSignedByDirection) {
    const double delta = OptionPricing::OptionDelta(0, 0, 100, 100, 0.25, kRate, kT);
    const double vega = OptionPricing::OptionVega(0, 100, 100, 0.25, kRate, kT);

    Json::Value shortThree = Call();
    shortThree["112"] = "1";
    shortThree["135"] = "3";
    EXPECT_EQ(Valued(shortThree)["Delta"].asString(), Fixed4(-3 * delta));
    EXPECT_EQ(Valued(shortThree)["Vega_o"].asString(), Fixed4(-3 * vega));

    Json::Value unknownDirection = Call();
    unknownDirection["112"] = "x";
    unknownDirection["135"] = "2";
    EXPECT_EQ(Valued(unknownDirection)["Delta"].asString(), Fixed4(2 * delta)) << "any other code is long";

    Json::Value noQuantity = Call();
    noQuantity.removeMember("135");
    EXPECT_EQ(Valued(noQuantity)["Delta"].asString(), Fixed4(delta)) << "a missing quantity counts as one";

    parameters.Set(Underlying(), AnalyzeParameters::FromJson(Market("100", "0.25", "0.03", "9.9")));
    EXPECT_EQ(Valued(Call())["Theta"].asString(),
              Fixed4(OptionPricing::OptionTheta(0, 0, 100, 100, 0.25, kRate, 40.0 / 365)))
        << "a day offset counts whole days";
}

TEST_F(RiskModel, TimeValueIsTheLatestPriceAboveTheIntrinsicValue) {
    struct Case {
        const char* underlying;
        const char* latest;
        const char* expected;
    };
    for (const Case& c :
         {Case{"10", "1.5", "0.5000"}, Case{"8", "1.5", "1.5000"}, Case{"10", "0.6", "0.0000"}}) {
        parameters.Set(Underlying(), AnalyzeParameters::FromJson(Market(c.underlying)));
        Json::Value call = Call();
        call["ExercisePrice"] = "9";
        call["138"] = c.latest;
        call.removeMember("Param");
        EXPECT_EQ(Valued(call)["TimeValue"].asString(), c.expected)
            << "S " << c.underlying << " P " << c.latest;
    }
    Json::Value noStrike = Call();
    noStrike.removeMember("ExercisePrice");
    noStrike["138"] = "1.5";
    EXPECT_EQ(Valued(noStrike)["TimeValue"].asString(), "0.0000");
}

TEST_F(RiskModel, TheTotalRowSumsTheCheckedPositionsOnly) {
    Json::Value unchecked = Call();
    unchecked["Check"] = "0";
    Json::Value uncheckedByDefault = Call();
    uncheckedByDefault.removeMember("Check");
    Json::Value two = Call();
    two["135"] = "2";
    set.SetRecords(Array({Call(), two, unchecked, uncheckedByDefault}));

    const double delta = OptionPricing::OptionDelta(0, 0, 100, 100, 0.25, kRate, kT);
    ASSERT_EQ(set.RowCount(), 5) << "four positions and the total row";
    EXPECT_TRUE(set.IsTotalRow(4));
    EXPECT_EQ(set.Text(4, "64"), QStringLiteral("合计"));
    EXPECT_EQ(set.Text(4, "Delta"), QString::fromStdString(Fixed4(3 * delta)));
    EXPECT_EQ(set.Text(4, "Delta_o"), QString::fromStdString(Fixed4(3 * delta)));
    EXPECT_EQ(set.Text(4, "TimeValue"), QStringLiteral("0.0000"));
}

TEST_F(RiskModel, RowsFollowTheChosenGroupWithTheTotalRowLast) {
    Json::Value first = Call();
    first["Group"] = "510050";
    Json::Value second = Call();
    second["Group"] = "510300";
    second["63"] = "10000002";
    set.SetRecords(Array({first, second, first}));

    EXPECT_EQ(set.Groups(), (QStringList{"510050", "510300"}));
    set.ChooseGroup(QStringLiteral("510300"));
    EXPECT_EQ(set.RowCount(), 2);
    EXPECT_EQ(set.Text(0, "63"), QStringLiteral("10000002"));
    set.ChooseGroup(QStringLiteral("IF2403"));
    EXPECT_EQ(set.RowCount(), 0) << "a group the set does not have shows nothing, not even a total";
    set.ChooseGroup(QString());
    EXPECT_EQ(set.RowCount(), 4);
    set.RemoveRows({0, 3, 7});  // the total row and an unknown row are not positions
    EXPECT_EQ(set.RowCount(), 3);
    EXPECT_EQ(set.Text(0, "63"), QStringLiteral("10000002"));
}

// A position keeps the market it was first valued in ("_o" figures); the plain figures follow its
// underlying's set.
TEST_F(RiskModel, OwnMarketStaysWhileTheUnderlyingsMarketMoves) {
    set.SetRecords(Array({Call()}));
    const std::string ownDelta = set.Record(0)["Delta_o"].asString();
    EXPECT_EQ(set.Record(0)["Param"]["Bdjg"].asString(), "100");

    parameters.Set(Underlying(), AnalyzeParameters::FromJson(Market("110")));
    set.UpdateUnderlying(Underlying());
    const double moved = OptionPricing::OptionDelta(0, 0, 110, 100, 0.25, kRate, kT);
    EXPECT_EQ(set.Record(0)["Delta_o"].asString(), ownDelta);
    EXPECT_EQ(set.Record(0)["Delta"].asString(), Fixed4(moved));
}

// A valued position whose underlying's price then reads 0 used to be valued at S = 0, out of
// range: Delta 1.0000 in the sums. Its figures stay as they were; never valued, it has none.
TEST_F(RiskModel, UnderlyingPriceFallingToZeroKeepsTheFiguresInsteadOfDeltaOne) {
    set.SetRecords(Array({Call()}));
    const std::string delta = set.Record(0)["Delta"].asString();
    parameters.Set(Underlying(), AnalyzeParameters::FromJson(Market("0")));
    set.UpdateUnderlying(Underlying());
    EXPECT_EQ(set.Record(0)["Delta"].asString(), delta);
    EXPECT_NE(delta, "1.0000");

    parameters.Set(Underlying(), AnalyzeParameters::FromJson(Market("0.0000000000001")));
    const Json::Value record = Valued(Call());
    EXPECT_FALSE(record.isMember("Delta"));
    EXPECT_FALSE(record.isMember("Param"));
    EXPECT_EQ(set.Text(1, "Delta"), QStringLiteral("0.0000"));
}

TEST(AnalyzeParameters, MissingMembersReadTheirDefaultsAndFiguresReadBackUnchanged) {
    const AnalyzeParameters empty = AnalyzeParameters::FromJson(Json::Value(Json::objectValue));
    EXPECT_EQ(empty.Bdjg, 0.0f);
    EXPECT_EQ(empty.Days, 0.0);
    EXPECT_EQ(empty.Persent, 0.5f);

    Json::Value typed = Market("2.745", "0.2", "abc", " 3.7");
    const Json::Value stored = AnalyzeParameters::FromJson(typed).ToJson();
    EXPECT_EQ(stored["Bdjg"].asString(), "2.745");
    EXPECT_EQ(stored["Lsbdl"].asString(), "0.2");
    EXPECT_EQ(stored["lv"].asString(), "0") << "text that is no number reads as 0";
    EXPECT_EQ(stored["Days"].asString(), "3");
}

TEST(UnderlyingParameters, SetsAreMadeOnceAndAfreshAfterErase) {
    int made = 0;
    UnderlyingParameters store([&made](const Kora::Interface::QuoteKey&) {
        AnalyzeParameters p;
        p.Bdjg = static_cast<float>(++made);
        return p;
    });
    EXPECT_EQ(store.GetOrCreate(Underlying(1, "m2408")).Bdjg, 1.0f);
    EXPECT_EQ(store.GetOrCreate(Underlying(1, "M2408")).Bdjg, 1.0f) << "codes compare ignoring case";
    EXPECT_EQ(store.GetOrCreate(Underlying(2, "m2408")).Bdjg, 2.0f) << "another market is another underlying";
    store.Erase(Underlying(1, "m2408"));
    EXPECT_EQ(store.GetOrCreate(Underlying(1, "m2408")).Bdjg, 3.0f);
}

// A window reads several rows under Lock() and calls the set again meanwhile: on one thread the
// lock is taken again, not waited for.
TEST_F(RiskModel, NestedCallsOnOneThreadDoNotDeadlock) {
    set.SetRecords(Array({Call()}));
    auto guard = set.Lock();
    set.RevalueSelected();
    set.UpdateUnderlying(Underlying());
    EXPECT_EQ(set.RowCount(), 2);
}

}  // namespace
