// The order-file scanner: which files it takes, in which order, and what it does with files it
// cannot trust. The clock is driven by the tests; the files are real.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QTest>

#include "OrderFiles.h"
#include "OrderFolder.h"
#include "RecordingWindow.h"
#include "fileorder/CReadFile.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ScanTest : public ::testing::Test {
protected:
    OrderFolder folder;
    RecordingWindow window;
    int64_t now = 0;
    CReadFile scanner{&window, folder.config, [this] { return now; }};

    void Drop(const QString& name, const std::vector<OrderFiles::Row>& rows = {OrderFiles::Row{}}) {
        OrderFiles::Write(folder.Order(name), rows);
    }
    void Scan() {
        scanner.Scan();
        window.Deliver();
    }
};

TEST_F(ScanTest, FirstScanOfAThousandFilesSetsNothingAsideAndTakesThemAllInOrder) {
    // The folder's own "." and ".." come first: they start the sequence at 1, and every file is
    // new. With this many names the file system's own order rarely puts them first.
    for (int sequence = 2; sequence < 1002; ++sequence) {
        Drop(QStringLiteral("A1_Order_%1.dbf").arg(sequence));
    }
    const auto entries = ListFolder(folder.config.orderFolder);
    ASSERT_TRUE(entries && entries->size() == 1002u);
    EXPECT_TRUE((*entries)[0].isDirectory && (*entries)[1].isDirectory);

    Scan();
    ASSERT_EQ(window.requests.size(), 1000u);
    for (size_t i = 0; i < 1000; ++i) {
        ASSERT_EQ(window.requests[i]["FileName"].asString(), "A1_Order_" + std::to_string(i + 2) + ".dbf");
    }
    EXPECT_EQ(scanner.LastSequence(), 1001);
    EXPECT_THAT(folder.OrderFiles(), IsEmpty());
    EXPECT_EQ(folder.ArchivedFiles().size(), 1000);
}

TEST_F(ScanTest, FirstScanMeetingAnOrderFileFirstSetsItAsideAndNamesOfNoOrderFileAreIgnored) {
    Drop("A1_Order_5.dbf");
    Drop("A1_Order_6.dbf");
    scanner.ScanEntries({{"A1_Order_5.dbf", false}, {".", true}, {"..", true}, {"A1_Order_6.dbf", false}});
    window.Deliver();
    EXPECT_THAT(window.requests, IsEmpty());
    EXPECT_EQ(scanner.LastSequence(), 1);
    EXPECT_THAT(folder.OrderFiles(), ElementsAre("A1_Order_5_忽略.dbf", "A1_Order_6.dbf"));

    // The next scan takes the rest; the file set aside stays aside.
    Scan();
    EXPECT_THAT(window.FileNames(), ElementsAre("A1_Order_6.dbf"));
    EXPECT_THAT(folder.OrderFiles(), ElementsAre("A1_Order_5_忽略.dbf"));

    // Names without "_Order_" or ".dbf" are ignored.
    Drop("A1_Buy_15.dbf");
    Drop("A1_Order_16.txt");
    Drop("A1_order_17.dbf");
    Drop("A1_Order_18.DBF");
    QDir(folder.config.orderFolder).mkdir("A1_Order_19.dbf");
    Scan();
    EXPECT_EQ(window.requests.size(), 1u);
    EXPECT_EQ(scanner.LastSequence(), 6);
}

// A file whose sequence was not above the last one taken stayed in the folder untouched; the
// sequence is not kept across runs, so the next start took it, a day later perhaps. It is
// renamed "_忽略" when passed over, but not while its writer still holds it.
TEST_F(ScanTest, APassedOverFileWasSentAfterTheNextStartAndIsNowRenamedOnceItsWriterIsDone) {
    Drop("A1_Order_12.dbf");
    Drop("A1_Order_3.dbf");
    Drop("A1_Order_10.dbf");
    // Listed highest first, as a folder may; the lower ones must not become unreachable.
    scanner.ScanEntries({{".", true},
                         {"A1_Order_12.dbf", false},
                         {"A1_Order_10.dbf", false},
                         {"A1_Order_3.dbf", false},
                         {"..", true}});
    window.Deliver();
    EXPECT_THAT(window.FileNames(), ElementsAre("A1_Order_3.dbf", "A1_Order_10.dbf", "A1_Order_12.dbf"));
    EXPECT_EQ(scanner.LastSequence(), 12);

    Drop("A1_Order_7.dbf");
    Drop("A1_Order_12.dbf");  // the same sequence again
    OrderFiles::LockingWriter writer(folder.Order("A1_Order_4.dbf"));
    writer.Append(OrderFiles::Bytes({{}}));
    Scan();
    Scan();
    EXPECT_EQ(window.requests.size(), 3u);
    EXPECT_THAT(folder.OrderFiles(),
                ElementsAre("A1_Order_12_忽略.dbf", "A1_Order_4.dbf", "A1_Order_7_忽略.dbf"));
    writer.Finish();
    Scan();
    EXPECT_THAT(folder.OrderFiles(),
                ElementsAre("A1_Order_12_忽略.dbf", "A1_Order_4_忽略.dbf", "A1_Order_7_忽略.dbf"));

    // A new scanner starts from sequence 0, as after a restart of the terminal.
    RecordingWindow restarted;
    CReadFile again(&restarted, folder.config, [this] { return now; });
    again.Scan();
    again.Scan();
    restarted.Deliver();
    EXPECT_THAT(restarted.requests, IsEmpty());
}

// GDAL's dBase writer creates the file, writes the header with a record count of 0, appends the
// records and fills the count in when it closes. A scan in between read 0 rows, archived the file
// and handed an empty combination over, while the writer went on writing into the archived copy.
TEST_F(ScanTest, AFileWrittenInPlaceWithItsCountFilledInLastWasTakenEmptyAndIsNowTakenWhole) {
    Scan();
    OrderFiles::InPlaceWriter writer(folder.Order("A1_Order_2.dbf"), {{}, {}, {}});
    while (writer.Step()) {
        Scan();
        now += 1000;
    }
    EXPECT_THAT(window.requests, IsEmpty());
    EXPECT_THAT(folder.OrderFiles(), ElementsAre("A1_Order_2.dbf"));
    Scan();
    ASSERT_EQ(window.requests.size(), 1u);
    EXPECT_EQ(window.requests[0]["Order"].size(), 3u);
}

// Only the timer scanned: a file waited up to a whole interval (p50 560 ms with a 1 s interval).
// A file renamed into the folder is taken as soon as the folder changes; here there is no time
// service at all, so no tick ever comes.
TEST_F(ScanTest, AFileRenamedIntoTheFolderWaitedForTheTimerAndIsNowTakenAtOnce) {
    ASSERT_TRUE(scanner.TimerId().isNull());
    ASSERT_TRUE(scanner.IsWatchingFolder());
    OrderFiles::Write(folder.root.filePath("A1_Order_2.dbf"));
    ASSERT_TRUE(QFile::rename(folder.root.filePath("A1_Order_2.dbf"), folder.Order("A1_Order_2.dbf")));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        window.Deliver();
        return window.requests.size() == 1;
    }));
}

// A file cut short is waited for while it changes; once it has stood still for 30 seconds (its
// writer died mid-file) it is marked broken and the files behind it go on.
TEST_F(ScanTest, AnIncompleteFileIsWaitedForWhileItChangesAndMarkedBrokenAfterThirtyStillSeconds) {
    Scan();
    const std::string bytes = OrderFiles::Bytes({{}, {}});
    OrderFiles::WriteBytes(folder.Order("A1_Order_2.dbf"), bytes.substr(0, 100));
    Drop("A1_Order_3.dbf");
    Scan();
    now += 25000;
    OrderFiles::WriteBytes(folder.Order("A1_Order_2.dbf"), bytes.substr(0, 260));
    Scan();
    now += 29999;
    Scan();
    EXPECT_THAT(window.requests, IsEmpty());
    EXPECT_THAT(folder.OrderFiles(), ElementsAre("A1_Order_2.dbf", "A1_Order_3.dbf"));

    now += 1;
    Scan();
    EXPECT_THAT(window.FileNames(), ElementsAre("A1_Order_3.dbf"));
    EXPECT_THAT(folder.OrderFiles(), ElementsAre("A1_Order_2_错误.dbf"));
}

TEST_F(ScanTest, AFileThatCannotBeArchivedStaysAndIsNotHandedOver) {
    Scan();
    QDir(folder.config.archiveFolder).removeRecursively();
    OrderFiles::WriteBytes(folder.config.archiveFolder, "in the way");  // a file where the folder should be
    Drop("A1_Order_2.dbf");
    Scan();
    Scan();
    FileOrderConfig unarchived = folder.config;
    unarchived.archiveFolder.clear();  // no archive folder configured at all
    CReadFile(&window, unarchived, [this] { return now; }).Scan();
    window.Deliver();
    EXPECT_THAT(window.requests, IsEmpty());
    EXPECT_THAT(folder.OrderFiles(), ElementsAre("A1_Order_2.dbf"));
    EXPECT_EQ(scanner.LastSequence(), 1);

    QFile::remove(folder.config.archiveFolder);
    QDir().mkpath(folder.config.archiveFolder);
    Scan();
    EXPECT_THAT(window.FileNames(), ElementsAre("A1_Order_2.dbf"));
}

TEST_F(ScanTest, AFileThatIsNoTableIsMarkedBrokenAtOnceAndStallsNothing) {
    Drop("A1_Order_2.dbf");
    OrderFiles::WriteBytes(folder.Order("A1_Order_3.dbf"),
                           std::string("EXCHANGE,CONTRACT\nSSE,10004567\n") + std::string(40, 'x'));
    Drop("A1_Order_4.dbf");
    Scan();
    EXPECT_THAT(window.FileNames(), ElementsAre("A1_Order_2.dbf", "A1_Order_4.dbf"));
    EXPECT_THAT(folder.OrderFiles(), ElementsAre("A1_Order_3_错误.dbf"));
    EXPECT_THAT(folder.ArchivedFiles(), ElementsAre("A1_Order_2.dbf", "A1_Order_4.dbf"));
}

TEST(OrderFileName, FieldsAndMarkers) {
    OrderFileName name = OrderFileName::Parse("880012_Order_15.dbf");
    EXPECT_EQ(name.account, "880012");
    EXPECT_EQ(name.sequence, 15);
    EXPECT_EQ(OrderFileName::Parse("A_Order.dbf").sequence, 0);
    EXPECT_EQ(OrderFileName::Parse("A_Order_x.dbf").sequence, 0);
    EXPECT_EQ(OrderFileName::Parse(QString(60, 'A') + "_Order_3.dbf").account, QString(48, 'A'));
    EXPECT_EQ(OrderFileName::WithMarker("A_Order_5.dbf", "_忽略"), "A_Order_5_忽略.dbf");
    EXPECT_TRUE(OrderFileName::IsSetAside("A_Order_5_忽略.dbf"));
    EXPECT_TRUE(OrderFileName::IsSetAside("A_Order_5_错误.dbf"));
    EXPECT_FALSE(OrderFileName::IsSetAside("A_Order_5.dbf"));
}

}  // namespace
