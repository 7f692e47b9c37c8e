// krt-optcalc sweep as scripts use it: a real process on a real file.

#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>
#include <fstream>

#include "RiskFixtures.h"
#include "unit/option/OptcalcRun.h"

namespace {

using namespace RiskFixtures;

class OptcalcSweep : public ::testing::Test {
protected:
    std::string Write(const std::string& content) {
        const std::string path = (dir.path() + QStringLiteral("/positions.json")).toStdString();
        std::ofstream(path) << content;
        return path;
    }
    // Three calls written.
    std::string Book() {
        Json::Value file(Json::objectValue);
        file["underlying"] = Underlying().ToJson();
        file["params"] = Market();
        Json::Value shortThree = Call();
        shortThree["112"] = "1";
        shortThree["135"] = "3";
        file["positions"] = Array({shortThree});
        return Write(file.toStyledString());
    }
    static QStringList Lines(const Outcome& run) {
        return QString::fromStdString(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
};

TEST_F(OptcalcSweep, PrintsEveryPointInOrderThenTheTotalRow) {
    const Outcome price = Optcalc("sweep " + Book() + " 0");
    ASSERT_EQ(price.exitCode, 0);
    const QStringList lines = Lines(price);
    ASSERT_EQ(lines.size(), 101);
    EXPECT_TRUE(lines.front().startsWith(QStringLiteral("50.0000 ")));
    EXPECT_TRUE(lines[99].startsWith(QStringLiteral("149.0000 ")));
    EXPECT_EQ(lines.front().split(QLatin1Char(' ')).size(), 6);
    EXPECT_TRUE(lines.back().startsWith(QStringLiteral("total Delta=-1.5854 ")));
    EXPECT_TRUE(lines.back().contains(QStringLiteral(" TimeValue_o=0.0000")));

    const QStringList days = Lines(Optcalc("sweep " + Book() + " 3"));
    ASSERT_EQ(days.size(), 31);
    EXPECT_TRUE(days.front().startsWith(QStringLiteral("30 ")));
    EXPECT_TRUE(days[29].startsWith(QStringLiteral("1 ")));
}

TEST_F(OptcalcSweep, BadInputSaysWhatIsWrongAndExitsWithTwo) {
    const std::string broken = "sweep " + Write("{\"positions\": [") + " 0";
    const Outcome malformed = Optcalc(broken, true);
    EXPECT_EQ(malformed.exitCode, 2);
    EXPECT_NE(malformed.out.find("not valid Json"), std::string::npos) << malformed.out;
    EXPECT_EQ(Optcalc(broken).out, "") << "nothing on the standard output";

    const Outcome deep = Optcalc(
        "sweep " + Write("{\"positions\": " + std::string(1200, '[') + std::string(1200, ']') + "}") + " 0",
        true);
    EXPECT_EQ(deep.exitCode, 2) << "nesting beyond the reader's limit aborted the program";
    EXPECT_NE(deep.out.find("not valid Json"), std::string::npos) << deep.out;

    EXPECT_EQ(Optcalc("sweep " + Write("{\"positions\": {}}") + " 0").exitCode, 2);
    EXPECT_EQ(Optcalc("sweep " + Write("[]") + " 0").exitCode, 2);
    EXPECT_EQ(Optcalc("sweep " + Book() + " 4").exitCode, 2);
    EXPECT_EQ(Optcalc("sweep " + dir.path().toStdString() + "/missing.json 0").exitCode, 2);
}

}  // namespace
