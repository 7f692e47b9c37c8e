// The position and money files, and the archiving of announced order files.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "OrderFiles.h"
#include "OrderFolder.h"
#include "fileorder/CWriteFile.h"
#include "support/JsonOf.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A position record as the engine gives it; "64" (the name) is not among the written fields.
Json::Value Position(const char* contract, const char* quantity, double price) {
    Json::Value record =
        JsonOf(R"({"54": "SSE", "112": "0", "125": "0", "131": "C", "137": 3, "64": "not written"})");
    record["63"] = contract;
    record["135"] = quantity;
    record["136"] = price;
    return record;
}

std::vector<std::string> FieldNames(const QString& path) {
    DbfTable table;
    DbfTable::ReadFile(path, table);
    std::vector<std::string> names;
    for (const DbfTable::Field& field : table.Fields()) {
        names.push_back(field.name + ":" + field.type + std::to_string(field.width));
    }
    return names;
}

TEST(CWriteFile, PositionFileHasTheFieldsInNameOrder) {
    OrderFolder folder;
    Json::Value positions(Json::arrayValue);
    positions.append(Position("10004567", "12", 0.1));
    positions.append(Position("10004568", "3", 2.345));
    const QString path = folder.root.filePath("Position/880012_Position.dbf");
    ASSERT_TRUE(CWriteFile::WriteRows(path, CWriteFile::PositionRows(positions)));

    EXPECT_THAT(FieldNames(path),
                ElementsAre("Available:C48", "Contract:C48", "Covered:C48", "Direction:C48", "Exchange:C48",
                            "OpenPrice:C48", "OptionType:C48", "Voume:C48"));
    Json::Value rows = OrderFiles::Rows(path);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["Contract"], "10004567");
    EXPECT_EQ(rows[0]["Voume"], "12");
    EXPECT_EQ(rows[0]["Available"], "3");
    EXPECT_EQ(rows[0]["OpenPrice"], "0.1");
    EXPECT_EQ(rows[0]["OptionType"], "C");
    EXPECT_EQ(rows[1]["OpenPrice"], "2.345");
}

TEST(CWriteFile, MoneyFileTakesOneRecordOrMany) {
    const Json::Value money = JsonOf(
        R"({"93": 1000.5, "110": "2000", "56": "CNY", "95": 0, "346": 12.25, "345": "0.35", "97": 3012.75})");
    Json::Value rows = CWriteFile::MoneyRows(money);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].getMemberNames(),
              (std::vector<std::string>{"Available", "CashAsset", "Currency", "FetchMoney", "Margin",
                                        "RiskDegree", "TotalAsset"}));
    EXPECT_EQ(rows[0]["Available"], "1000.5");
    EXPECT_EQ(rows[0]["FetchMoney"], "0");

    Json::Value many(Json::arrayValue);
    many.append(money);
    many.append(money);
    EXPECT_EQ(CWriteFile::MoneyRows(many).size(), 2u);
    EXPECT_EQ(CWriteFile::MoneyRows(Json::Value("junk")).size(), 0u);
}

TEST(CWriteFile, NoRowsGiveAHeaderWithoutFieldsAndLongValuesAreCutAtACharacterBoundary) {
    OrderFolder folder;
    const QString empty = folder.root.filePath("Money/880012_Money.dbf");
    ASSERT_TRUE(CWriteFile::WriteRows(empty, Json::Value(Json::arrayValue)));
    DbfTable table;
    ASSERT_EQ(DbfTable::ReadFile(empty, table), DbfTable::Status::Ok);
    EXPECT_THAT(table.Fields(), IsEmpty());
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_EQ(QFileInfo(empty).size(), 32 + 1 + 1);

    Json::Value rows(Json::arrayValue);
    rows.append(Json::Value(Json::objectValue));
    rows[0]["Name"] = std::string(47, 'x') + "期";  // the 3-byte character would straddle the width
    const QString path = folder.root.filePath("Money/A_Money.dbf");
    ASSERT_TRUE(CWriteFile::WriteRows(path, rows));
    EXPECT_EQ(OrderFiles::Rows(path)[0]["Name"], std::string(47, 'x'));
}

TEST(CWriteFile, AReaderNeverSeesATornFile) {
    // One thread rewrites the file between a one-row and a fifty-row state while another opens
    // and reads it 10,000 times: every read must be a whole file of one state or the other.
    OrderFolder folder;
    const QString path = folder.root.filePath("Position/A_Position.dbf");
    Json::Value small(Json::arrayValue);
    small.append(Position("10000001", "1", 1));
    Json::Value large(Json::arrayValue);
    for (int i = 0; i < 50; ++i) {
        large.append(Position("10000002", "2", 2));
    }
    const Json::Value smallRows = CWriteFile::PositionRows(small);
    const Json::Value largeRows = CWriteFile::PositionRows(large);
    ASSERT_TRUE(CWriteFile::WriteRows(path, smallRows));

    std::atomic<bool> reading{true};
    std::thread writer([&] {
        for (int i = 0; reading; ++i) {
            CWriteFile::WriteRows(path, i % 2 ? smallRows : largeRows);
        }
    });
    int torn = 0;
    for (int i = 0; i < 10000; ++i) {
        DbfTable table;
        if (DbfTable::ReadFile(path, table) != DbfTable::Status::Ok) {
            ++torn;
            continue;
        }
        Json::Value rows = table.Rows();
        const bool whole = (rows.size() == 1 && rows[0]["Contract"] == "10000001") ||
                           (rows.size() == 50 && rows[49]["Contract"] == "10000002");
        torn += whole ? 0 : 1;
    }
    reading = false;
    writer.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(QDir(folder.config.positionFolder).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(CWriteFile, AnnouncedOrderFilesStillInTheFolderAreArchivedOrLeftWhereTheyAreWhenThatFails) {
    OrderFolder folder;
    CWriteFile writer(folder.config);
    OrderFiles::Write(folder.Order("A_Order_3.dbf"));
    OrderFiles::Write(folder.Archive("A_Order_3.dbf"), {{}, {}});  // an older file of that name
    writer.ArchiveOrderFile("A_Order_3.dbf");
    EXPECT_THAT(folder.OrderFiles(), IsEmpty());
    EXPECT_EQ(OrderFiles::Rows(folder.Archive("A_Order_3.dbf")).size(), 1u);

    // Names that would reach outside the order folder are refused.
    OrderFiles::Write(folder.root.filePath("secret.dbf"));
    writer.ArchiveOrderFile("../secret.dbf");
    EXPECT_TRUE(QFileInfo::exists(folder.root.filePath("secret.dbf")));

    FileOrderConfig config = folder.config;
    config.archiveFolder = folder.root.filePath("NoSuchFolder");
    OrderFiles::Write(folder.Order("A_Order_4.dbf"));
    CWriteFile(config).ArchiveOrderFile("A_Order_4.dbf");
    EXPECT_THAT(folder.OrderFiles(), ElementsAre("A_Order_4.dbf"));
}

}  // namespace
