// `krt-optcalc maxpain FILE` as scripts use it: chain files written to a temporary folder, the
// real process's output and exit code.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "unit/option/OptcalcRun.h"

namespace {

class OptcalcMaxPain : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = std::filesystem::temp_directory_path() /
                   ("optcalc-maxpain-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    // Writes the chain file and answers its path.
    std::string Chain(const std::string& text, const std::string& name = "chain.txt") {
        const std::filesystem::path path = m_folder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    std::filesystem::path m_folder;
};

TEST_F(OptcalcMaxPain, PrintsThePriceThenEachStrikesPainsInAscendingOrder) {
    // Lines in any order, CR LF endings, blanks around the fields and a blank line.
    const Outcome run = Optcalc("maxpain " + Chain("110,30,10,1\r\n\r\n 90 , 10 , 30 , 1\n100,20,20,1\n"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "100\n90 0 400\n100 100 100\n110 400 0\n");
    // An empty open interest is a contract the host does not know; prices are strikes over
    // their divisor.
    EXPECT_EQ(Optcalc("maxpain " + Chain("900,,30,10\n1000,20,,10\n1100,30,10,10\n")).out,
              "100\n90 0 200\n100 0 100\n110 200 0\n");
}

TEST_F(OptcalcMaxPain, AMalformedLineIsNamedAndNothingIsPrinted) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"90,10,30\n", ":1: expected STRIKE,CALL_OI,PUT_OI,DIVISOR\n"},
        {"\n\n90,1,-1,1\n", ":3: PUT_OI must be empty or a whole number from 0 to 10000000000\n"},
        {"90,1,1,0\n", ":1: DIVISOR must be a whole number from 1 to 1000000000\n"},
    };
    for (const auto& c : cases) {
        const std::string path = Chain(c.text);
        const Outcome run = Optcalc("maxpain " + path, true);
        EXPECT_EQ(run.exitCode, 2) << c.text;
        EXPECT_EQ(run.out, "krt-optcalc: " + path + c.message);
    }
}

TEST_F(OptcalcMaxPain, AMissingFileOrAWrongArgumentCountIsABadArgument) {
    EXPECT_EQ(Optcalc("maxpain " + (m_folder / "none.txt").string(), true).out,
              "krt-optcalc: cannot read " + (m_folder / "none.txt").string() + "\n");
    EXPECT_EQ(Optcalc("maxpain").exitCode, 2);
    EXPECT_EQ(Optcalc("maxpain " + Chain("90,1,1,1\n") + " extra").exitCode, 2);
}

}  // namespace
