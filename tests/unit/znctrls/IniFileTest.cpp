#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/IniFile.h"

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

TEST(IniFile, ReadsChineseSectionsAndKeysWithBomAndCrLfAndGivesTheDefaultForWhatItCannotRead) {
    QTemporaryDir dir;
    QString path = dir.filePath("FileOrderCfg.ini");
    Write(path,
          "\xEF\xBB\xBF; comment\r\n[Main]\r\n订单文件路径 = /data/订单 "
          "\r\n文件扫描间隔=5\r\n[Other]\r\n文件扫描间隔=9\r\n[Bad]\r\n文件扫描间隔=abc\r\n");
    EXPECT_EQ(Win::ReadProfileString(path, "Main", "订单文件路径"), "/data/订单");
    EXPECT_EQ(Win::ReadProfileInt(path, "Main", "文件扫描间隔", 3), 5);
    EXPECT_EQ(Win::ReadProfileInt(path, "Other", "文件扫描间隔", 3), 9);
    EXPECT_EQ(Win::ReadProfileInt(path, "Bad", "文件扫描间隔", 3), 3);
    EXPECT_EQ(Win::ReadProfileString(path, "Main", "持仓文件路径", "默认"), "默认");
    EXPECT_EQ(Win::ReadProfileString(path, "main", "订单文件路径", "x"), "x");
    EXPECT_EQ(Win::ReadProfileString(path, "Main", "订单文件路径", {}, 3), "/da");
    EXPECT_EQ(Win::ReadProfileString("/nonexistent/x.ini", "Main", "k", "d"), "d");
}

TEST(IniFile, WritingReplacesOneValueAndKeepsEverythingElse) {
    QTemporaryDir dir;
    QString path = dir.filePath("QuickMouse.ini");
    Write(path, "; keep me\n[默认合约]\n合约代码=600000\n其他=1\n\n[Other]\nx=y\n");
    ASSERT_TRUE(Win::WriteProfileString(path, "默认合约", "合约代码", "600519"));
    ASSERT_TRUE(Win::WriteProfileString(path, "默认合约", "新键", "v"));
    ASSERT_TRUE(Win::WriteProfileString(path, "新节", "k", "v2"));
    EXPECT_EQ(Win::ReadProfileString(path, "默认合约", "合约代码"), "600519");
    EXPECT_EQ(Win::ReadProfileString(path, "默认合约", "其他"), "1");
    EXPECT_EQ(Win::ReadProfileString(path, "默认合约", "新键"), "v");
    EXPECT_EQ(Win::ReadProfileString(path, "Other", "x"), "y");
    EXPECT_EQ(Win::ReadProfileString(path, "新节", "k"), "v2");
    EXPECT_TRUE(Read(path).startsWith("; keep me\n"));

    QString fresh = dir.filePath("new.ini");
    ASSERT_TRUE(Win::WriteProfileString(fresh, "默认合约", "合约代码", "600000"));
    EXPECT_EQ(Win::ReadProfileString(fresh, "默认合约", "合约代码"), "600000");
}

}  // namespace
