// The dBase table: what it reads, what it writes, and how it treats files it must not trust.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "OrderFiles.h"
#include "fileorder/DbfTable.h"

namespace {

using Status = DbfTable::Status;

void PutU16(std::string& bytes, size_t at, uint16_t v) {
    bytes[at] = static_cast<char>(v & 0xFF);
    bytes[at + 1] = static_cast<char>(v >> 8);
}

void PutU32(std::string& bytes, size_t at, uint32_t v) {
    PutU16(bytes, at, static_cast<uint16_t>(v));
    PutU16(bytes, at + 2, static_cast<uint16_t>(v >> 16));
}

Status ParseBytes(std::string bytes, DbfTable* out = nullptr) {
    DbfTable table;
    Status status = DbfTable::Parse(std::move(bytes), table);
    if (out) {
        *out = std::move(table);
    }
    return status;
}

TEST(DbfTable, NumericFieldsAreNumbersAndOtherFieldsText) {
    DbfTable table;
    table.AddField("N", 'N', 6);
    table.AddField("F", 'N', 6, 2);
    table.AddField("C", 'C', 6);
    table.AddField("BLANK", 'N', 4);
    table.AddField("STARS", 'N', 4);
    table.AddRecord({"    10", "  1.50", "10", "    ", "****"});
    DbfTable read;
    ASSERT_EQ(ParseBytes(table.Serialize(QDate(2024, 1, 2)), &read), Status::Ok);
    Json::Value row = read.Rows()[0];
    EXPECT_TRUE(row["N"].isIntegral());
    EXPECT_EQ(row["N"].asInt(), 10);
    EXPECT_DOUBLE_EQ(row["F"].asDouble(), 1.5);
    EXPECT_TRUE(row["C"].isString());
    EXPECT_EQ(row["C"], "10");
    // Blank or overflowed numbers are no number at all, not a silent 0.
    EXPECT_TRUE(row["BLANK"].isNull());
    EXPECT_TRUE(row["STARS"].isNull());
}

TEST(DbfTable, WrittenLayoutIsDbaseThree) {
    DbfTable table;
    table.AddField("Available", 'C', 48);
    table.AddField("AVeryLongFieldName", 'C', 48);
    table.AddRecord({"12", "x"});
    const std::string bytes = table.Serialize(QDate(2024, 5, 17));
    ASSERT_EQ(bytes.size(), 32u + 64u + 1u + 97u + 1u);
    // Version 3, written 2024-05-17 (years since 1900), one record.
    EXPECT_EQ(bytes.substr(0, 5), std::string("\x03\x7c\x05\x11\x01", 5));
    EXPECT_EQ(static_cast<uint8_t>(bytes[8]) | (static_cast<uint8_t>(bytes[9]) << 8), 97);
    EXPECT_EQ(static_cast<uint8_t>(bytes[10]) | (static_cast<uint8_t>(bytes[11]) << 8), 97);
    EXPECT_EQ(std::string(bytes.data() + 64, 11), std::string("AVeryLongF\0", 11));
    EXPECT_EQ(bytes[32 + 11], 'C');
    EXPECT_EQ(bytes[32 + 32 + 12], 49);  // offset of the second field
    EXPECT_EQ(bytes[32 + 16], 48);
    EXPECT_EQ(bytes[96], 0x0D);
    EXPECT_EQ(bytes[97], ' ');
    EXPECT_EQ(bytes.substr(98, 3), "12 ");
    EXPECT_EQ(bytes.back(), 0x1A);
}

TEST(DbfTable, FieldLimitsKeepTheFirstFifty) {
    DbfTable wide;
    for (int i = 0; i < 51; ++i) {
        wide.AddField("F" + std::to_string(i), 'C', 1);
    }
    EXPECT_EQ(wide.Fields().size(), 50u);

    // A file that declares 51 fields is read with its first 50: a 51st descriptor and its byte
    // go into a written file.
    wide.AddRecord(std::vector<std::string>(50, "x"));
    std::string bytes = wide.Serialize(QDate(2024, 1, 1));
    std::string descriptor(32, '\0');
    descriptor.replace(0, 3, "F50");
    descriptor[11] = 'C';
    descriptor[16] = 1;
    bytes.insert(32 + 50 * 32, descriptor);
    PutU16(bytes, 8, 32 + 51 * 32 + 1);
    PutU16(bytes, 10, 52);
    bytes.insert(bytes.size() - 1, "L");
    DbfTable read;
    ASSERT_EQ(ParseBytes(bytes, &read), Status::Ok);
    ASSERT_EQ(read.Fields().size(), 50u);
    Json::Value row = read.Rows()[0];
    EXPECT_EQ(row.size(), 50u);
    EXPECT_FALSE(row.isMember("F50"));
    EXPECT_EQ(row["F49"], "x");

    DbfTable tooWide;
    EXPECT_TRUE(tooWide.AddField("A", 'C', 255));
    for (int i = 0; i < 31; ++i) {
        tooWide.AddField("B" + std::to_string(i), 'C', 255);
    }
    EXPECT_EQ(tooWide.RecordWidth(), 1 + 32 * 255);
    EXPECT_FALSE(tooWide.AddField("C", 'C', 255));
}

TEST(DbfTable, FieldOffsetsComeFromTheWidths) {
    // Peers such as GDAL leave the offset bytes zero.
    std::string bytes = OrderFiles::Bytes({{"SSE", "10004567", "2", "1", "0", "7"}});
    for (int i = 0; i < 6; ++i) {
        PutU16(bytes, 32 + 32 * i + 12, 0);
    }
    DbfTable read;
    ASSERT_EQ(ParseBytes(bytes, &read), Status::Ok);
    Json::Value row = read.Rows()[0];
    EXPECT_EQ(row["CONTRACT"], "10004567");
    EXPECT_EQ(row["DIRECTION"], "2");
    EXPECT_EQ(row["VOLUME"], 7);
}

TEST(DbfTable, RecordsBeyondTheLimitAreDropped) {
    DbfTable table;
    table.AddField("V", 'N', 1);
    std::string bytes = table.Serialize(QDate(2024, 1, 1));
    bytes.pop_back();
    const uint32_t count = 300001;
    PutU32(bytes, 4, count);
    for (uint32_t i = 0; i < count; ++i) {
        bytes += " 1";
    }
    DbfTable read;
    ASSERT_EQ(ParseBytes(bytes, &read), Status::Ok);
    EXPECT_EQ(read.RecordCount(), 300000);
}

// Headers that lie. Each case changes one thing in a good two-row order file.
struct BadHeader {
    const char* name;
    Status expected;
    std::function<void(std::string&)> damage;
};

class DbfTableBadHeader : public ::testing::TestWithParam<BadHeader> {};

TEST_P(DbfTableBadHeader, AnswersAStatusAndNoRows) {
    std::string bytes = OrderFiles::Bytes({{}, {}});
    GetParam().damage(bytes);
    DbfTable read;
    EXPECT_EQ(ParseBytes(bytes, &read), GetParam().expected);
    EXPECT_EQ(read.RecordCount(), 0);
    EXPECT_EQ(read.Rows().size(), 0u);
}

const size_t kGoodHeader = 32 + 6 * 32 + 1;

INSTANTIATE_TEST_SUITE_P(
    Cases, DbfTableBadHeader,
    ::testing::Values(
        BadHeader{"Empty", Status::Incomplete, [](std::string& b) { b.clear(); }},
        BadHeader{"HeaderNotWrittenYet", Status::Incomplete,
                  [](std::string& b) { b.assign(b.size(), '\0'); }},
        BadHeader{"NotADbaseVersion", Status::NotDbf, [](std::string& b) { b[0] = 'h'; }},
        BadHeader{"CutInsideTheRecords", Status::Incomplete,
                  [](std::string& b) { b.resize(kGoodHeader + 40); }},
        // A writer that fills the count in when it closes, still appending.
        BadHeader{"RecordCountZeroBeforeTheRecords", Status::Incomplete,
                  [](std::string& b) { PutU32(b, 4, 0); }},
        BadHeader{"MoreAfterTheEndOfFile", Status::Incomplete, [](std::string& b) { b += '\x1A'; }},
        BadHeader{"HugeRecordCount", Status::Incomplete, [](std::string& b) { PutU32(b, 4, 0xFFFFFFFFu); }},
        BadHeader{"HeaderLengthTooSmall", Status::NotDbf, [](std::string& b) { PutU16(b, 8, 32); }},
        BadHeader{"NoTerminator", Status::NotDbf, [](std::string& b) { b[kGoodHeader - 1] = ' '; }},
        BadHeader{"RecordWidthDisagreesWithFields", Status::NotDbf,
                  [](std::string& b) { PutU16(b, 10, 20); }},
        BadHeader{"FieldWiderThanTheRecord", Status::NotDbf, [](std::string& b) { b[32 + 16] = 100; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DbfTable, ReadFileTellsMissingFromUnreadableAndReadsOnlyWhatTheHeaderClaims) {
    QTemporaryDir dir;
    DbfTable table;
    EXPECT_EQ(DbfTable::ReadFile(dir.filePath("none.dbf"), table), Status::Missing);
    OrderFiles::WriteBytes(dir.filePath("empty.dbf"), "");
    EXPECT_EQ(DbfTable::ReadFile(dir.filePath("empty.dbf"), table), Status::Incomplete);
    EXPECT_EQ(DbfTable::ReadFile(dir.path(), table), Status::NotDbf);
    // A pipe named like a table must not hang the reader.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("A_Order_2.dbf")).constData(), 0600), 0);
    EXPECT_EQ(DbfTable::ReadFile(dir.filePath("A_Order_2.dbf"), table), Status::NotDbf);

    // A sparse file of 4 GiB whose header claims one record is no complete table, and telling
    // so must not read 4 GiB.
    const QString path = dir.filePath("A_Order_3.dbf");
    OrderFiles::Write(path, {{}});
    ASSERT_TRUE(QFile(path).resize(qint64(4) << 30));
    EXPECT_EQ(DbfTable::ReadFile(path, table), Status::Incomplete);
}

TEST(DbfTable, AFailedWriteLeavesNothingBehind) {
    QTemporaryDir dir;
    EXPECT_FALSE(OrderFiles::Table({{}}).WriteFile(dir.filePath("missing/A_Position.dbf")));
    // A directory in the target's place cannot be replaced by a file.
    QDir(dir.path()).mkdir("A_Money.dbf");
    EXPECT_FALSE(OrderFiles::Table({{}}).WriteFile(dir.filePath("A_Money.dbf")));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

}  // namespace
