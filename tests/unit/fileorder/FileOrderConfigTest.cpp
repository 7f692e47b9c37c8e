// Reading "FileOrderCfg.ini".

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "OrderFiles.h"
#include "fileorder/FileOrderConfig.h"

namespace {

TEST(FileOrderConfig, ReadsTheChineseKeysAndKeepsTheDefaultsForMissingOrUnusableValues) {
    QTemporaryDir dir;
    const QString path = dir.filePath("FileOrderCfg.ini");
    OrderFiles::WriteBytes(
        path,
        "[Main]\n订单文件路径=/data/order\n文件扫描间隔=5\n订单文件归档路径=/data/archive\n"
        "持仓文件路径=/data/position\n资金文件路径=/data/money\n");
    FileOrderConfig config = FileOrderConfig::Load(path);
    EXPECT_EQ(config.orderFolder, "/data/order");
    EXPECT_EQ(config.scanIntervalSeconds, 5);
    EXPECT_EQ(config.archiveFolder, "/data/archive");
    EXPECT_EQ(config.positionFolder, "/data/position");
    EXPECT_EQ(config.moneyFolder, "/data/money");

    FileOrderConfig missing = FileOrderConfig::Load(dir.filePath("none.ini"));
    EXPECT_TRUE(missing.orderFolder.isEmpty());
    EXPECT_EQ(missing.scanIntervalSeconds, 3);

    for (const char* interval : {"0", "-2", "soon"}) {
        OrderFiles::WriteBytes(dir.filePath("cfg.ini"),
                               std::string("[Main]\n文件扫描间隔=") + interval + "\n");
        EXPECT_EQ(FileOrderConfig::Load(dir.filePath("cfg.ini")).scanIntervalSeconds, 3) << interval;
    }
}

TEST(FileOrderConfig, TheShippedConfigurationNamesEveryFolder) {
    FileOrderConfig config =
        FileOrderConfig::Load(qEnvironmentVariable("KRT_SOURCE_DIR") + "/cfg/files/FileOrderCfg.ini");
    EXPECT_FALSE(config.orderFolder.isEmpty());
    EXPECT_FALSE(config.archiveFolder.isEmpty());
    EXPECT_FALSE(config.positionFolder.isEmpty());
    EXPECT_FALSE(config.moneyFolder.isEmpty());
    EXPECT_NE(config.orderFolder, config.archiveFolder);
}

}  // namespace
