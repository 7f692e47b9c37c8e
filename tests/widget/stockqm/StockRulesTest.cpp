// The stock window's rules without a window: sizing an order by percentage, the sweep-mode
// rule, and the file of the default stock.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "quickmouse/QuickMouseDefaultStock.h"
#include "quickmouse/StockOrderVolume.h"
#include "quickmouse/SweepRule.h"

namespace {

TEST(StockOrderVolume, PercentagesOfWhatCanBeBoughtAreWholeLotsAndAllOfWhatIsHeldMayBeSold) {
    struct Case {
        const char* name;
        bool sell;
        int64_t available;
        int percent;
        int64_t lot;
        int64_t expected;
    } cases[] = {
        {"buy half of 1234", false, 1234, 50, 100, 600},
        {"buy all of 1234 in lots", false, 1234, 100, 100, 1200},
        {"buy less than a lot", false, 150, 50, 100, 0},
        {"buy on a 200-share lot", false, 1234, 50, 200, 600},
        {"sell all, odd shares included", true, 1234, 100, 100, 1234},
        {"sell 70 percent", true, 1234, 70, 100, 800},
        {"sell 10 percent of an odd holding", true, 1250, 10, 100, 100},
        {"nothing to sell", true, 0, 100, 100, 0},
        {"a percentage above 100 counts as 100", false, 1234, 150, 100, 1200},
    };
    for (const Case& c : cases) {
        const int64_t volume = c.sell ? StockOrderVolume::SellShare(c.available, c.percent, c.lot)
                                      : StockOrderVolume::BuyShare(c.available, c.percent, c.lot);
        EXPECT_EQ(volume, c.expected) << c.name;
    }
}

TEST(StockOrderVolume, TheLotIsTheContractsMinimumTradingUnitAndAHundredWithoutOne) {
    Json::Value contract(Json::objectValue);
    EXPECT_EQ(StockOrderVolume::LotOf(contract), 100);
    contract["1008"] = "200";
    EXPECT_EQ(StockOrderVolume::LotOf(contract), 200);
    contract["1008"] = "0";
    EXPECT_EQ(StockOrderVolume::LotOf(contract), 100);
    contract["1008"] = "lot";
    EXPECT_EQ(StockOrderVolume::LotOf(contract), 100);
}

TEST(SweepRule, ABuyMustBeatTheBestBidAndASellTheBestAskOrTheLastPriceWhenThatSideIsEmpty) {
    const double bid = 7.50;
    const double ask = 7.52;
    const double tick = 0.01;
    EXPECT_FALSE(SweepRule::Passes(true, 7.50, SweepRule::Reference(true, bid, ask, 7.51), tick));
    EXPECT_FALSE(SweepRule::Passes(true, 7.49, SweepRule::Reference(true, bid, ask, 7.51), tick));
    EXPECT_TRUE(SweepRule::Passes(true, 7.51, SweepRule::Reference(true, bid, ask, 7.51), tick));
    EXPECT_FALSE(SweepRule::Passes(false, 7.52, SweepRule::Reference(false, bid, ask, 7.51), tick));
    EXPECT_TRUE(SweepRule::Passes(false, 7.51, SweepRule::Reference(false, bid, ask, 7.51), tick));
    // No bids: the last price stands in.
    EXPECT_FALSE(SweepRule::Passes(true, 7.51, SweepRule::Reference(true, 0, ask, 7.51), tick));
    EXPECT_TRUE(SweepRule::Passes(true, 7.52, SweepRule::Reference(true, 0, ask, 7.51), tick));
    // A price read back from text a hair off its tick is still equal to the reference.
    EXPECT_FALSE(SweepRule::Passes(true, 7.5000000001, SweepRule::Reference(true, bid, ask, 7.51), tick));
    // Nothing to compare with: the order goes.
    EXPECT_TRUE(SweepRule::Passes(false, 7.60, SweepRule::Reference(false, bid, 0, 0), tick));
}

TEST(QuickMouseDefaultStock, AMissingFileGivesTheDefaultAndWritingCreatesTheFolderAndTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cfg/QuickMouse/QuickMouse.ini"));
    EXPECT_EQ(QuickMouseDefaultStock::Read(path), QStringLiteral("600000"));
    ASSERT_TRUE(QuickMouseDefaultStock::Write(QStringLiteral("601988"), path));
    EXPECT_EQ(QuickMouseDefaultStock::Read(path), QStringLiteral("601988"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()).trimmed(), QStringLiteral("[默认合约]\n合约代码=601988"));
    // A code left empty by hand reads as the default; an empty code is never written.
    file.close();
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[默认合约]\n合约代码=\n");
    file.close();
    EXPECT_EQ(QuickMouseDefaultStock::Read(path), QStringLiteral("600000"));
    EXPECT_FALSE(QuickMouseDefaultStock::Write(QStringLiteral(" "), path));
}

}  // namespace
