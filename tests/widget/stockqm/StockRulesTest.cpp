// The stock window's rules without a window: sizing an order by percentage, the sweep-mode
// rule, and the file of the default stock.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "quickmouse/QuickMouseDefaultStock.h"
#include "quickmouse/StockOrderVolume.h"
#include "quickmouse/SweepRule.h"

namespace {

TEST(StockOrderVolume, BuysAreCutToWholeLotsOfTheContractAndAllOfWhatIsHeldMayBeSold) {
    EXPECT_EQ(StockOrderVolume::BuyShare(1234, 50, 100), 600);
    EXPECT_EQ(StockOrderVolume::BuyShare(150, 50, 100), 0);
    EXPECT_EQ(StockOrderVolume::BuyShare(1234, 150, 100), 1200) << "above 100 percent counts as 100";
    EXPECT_EQ(StockOrderVolume::SellShare(1234, 100, 100), 1234);
    EXPECT_EQ(StockOrderVolume::SellShare(1234, 70, 100), 800);

    Json::Value contract(Json::objectValue);
    EXPECT_EQ(StockOrderVolume::LotOf(contract), 100);
    contract["1008"] = "200";
    EXPECT_EQ(StockOrderVolume::LotOf(contract), 200);
    contract["1008"] = "lot";
    EXPECT_EQ(StockOrderVolume::LotOf(contract), 100);
}

TEST(SweepRule, ABuyMustBeatTheBestBidAndASellTheBestAskOrTheLastPriceWhenThatSideIsEmpty) {
    const auto passes = [](bool buy, double price, double bid, double ask) {
        return SweepRule::Passes(buy, price, SweepRule::Reference(buy, bid, ask, 7.51), 0.01);
    };
    EXPECT_FALSE(passes(true, 7.50, 7.50, 7.52));
    EXPECT_TRUE(passes(true, 7.51, 7.50, 7.52));
    EXPECT_FALSE(passes(false, 7.52, 7.50, 7.52));
    EXPECT_TRUE(passes(false, 7.51, 7.50, 7.52));
    EXPECT_FALSE(passes(true, 7.51, 0, 7.52)) << "no bids: the last price stands in";
    EXPECT_FALSE(passes(true, 7.5000000001, 7.50, 7.52)) << "a hair off its tick is still the bid";
    EXPECT_TRUE(SweepRule::Passes(false, 7.60, SweepRule::Reference(false, 7.50, 0, 0), 0.01))
        << "nothing to compare with: the order goes";
}

TEST(QuickMouseDefaultStock, AMissingFileGivesTheDefaultAndWritingCreatesTheFolderAndTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cfg/QuickMouse/QuickMouse.ini"));
    EXPECT_EQ(QuickMouseDefaultStock::Read(path), QStringLiteral("600000"));
    ASSERT_TRUE(QuickMouseDefaultStock::Write(QStringLiteral("601988"), path));
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
