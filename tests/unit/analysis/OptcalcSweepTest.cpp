// krt-optcalc sweep as scripts use it: a real process on a real file.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <memory>

#include "RiskFixtures.h"

namespace {

using namespace RiskFixtures;

struct Outcome {
    int exitCode = -1;
    QStringList lines;
    std::string errors;
};

class OptcalcSweep : public ::testing::Test {
protected:
    std::string Write(const std::string& content) {
        const std::string path = (dir.path() + QStringLiteral("/positions.json")).toStdString();
        std::ofstream(path) << content;
        return path;
    }

    Outcome Run(const std::string& arguments) {
        const std::string errorsPath = (dir.path() + QStringLiteral("/errors.txt")).toStdString();
        const std::string command = std::string(KRT_OPTCALC) + " sweep " + arguments + " 2>" + errorsPath;
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        Outcome run;
        std::string out;
        char buffer[4096];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe.get())) {
            out.append(buffer, n);
        }
        const int status = pclose(pipe.release());
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.lines = QString::fromStdString(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        std::ifstream errors(errorsPath);
        std::getline(errors, run.errors);
        return run;
    }

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

    QTemporaryDir dir;
};

TEST_F(OptcalcSweep, PrintsEveryPointInOrderThenTheTotalRow) {
    const Outcome price = Run(Book() + " 0");
    ASSERT_EQ(price.exitCode, 0);
    ASSERT_EQ(price.lines.size(), 101);
    EXPECT_TRUE(price.lines.front().startsWith(QStringLiteral("50.0000 ")));
    EXPECT_TRUE(price.lines[1].startsWith(QStringLiteral("51.0000 ")));
    EXPECT_TRUE(price.lines[99].startsWith(QStringLiteral("149.0000 ")));
    EXPECT_EQ(price.lines.front().split(QLatin1Char(' ')).size(), 6);
    EXPECT_TRUE(price.lines.back().startsWith(QStringLiteral("total Delta=-1.5854 ")));
    EXPECT_TRUE(price.lines.back().contains(QStringLiteral(" TimeValue_o=0.0000")));

    const Outcome days = Run(Book() + " 3");
    ASSERT_EQ(days.lines.size(), 31);
    EXPECT_TRUE(days.lines.front().startsWith(QStringLiteral("30 ")));
    EXPECT_TRUE(days.lines[29].startsWith(QStringLiteral("1 ")));
}

TEST_F(OptcalcSweep, BadInputSaysWhatIsWrongAndExitsWithTwo) {
    const Outcome malformed = Run(Write("{\"positions\": [") + " 0");
    EXPECT_EQ(malformed.exitCode, 2);
    EXPECT_NE(malformed.errors.find("not valid Json"), std::string::npos) << malformed.errors;
    EXPECT_TRUE(malformed.lines.isEmpty());

    const Outcome deep =
        Run(Write("{\"positions\": " + std::string(1200, '[') + std::string(1200, ']') + "}") + " 0");
    EXPECT_EQ(deep.exitCode, 2) << "nesting beyond the reader's limit aborted the program";
    EXPECT_NE(deep.errors.find("not valid Json"), std::string::npos) << deep.errors;

    EXPECT_EQ(Run(Write("{\"positions\": {}}") + " 0").exitCode, 2);
    EXPECT_EQ(Run(Write("[]") + " 0").exitCode, 2);
    EXPECT_EQ(Run(Book() + " 4").exitCode, 2);
    EXPECT_EQ(Run(dir.path().toStdString() + "/missing.json 0").exitCode, 2);
}

}  // namespace
