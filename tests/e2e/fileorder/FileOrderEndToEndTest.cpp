// The file-order gateway through the real terminal program: an outside program drops order
// files into the configured folder of a headless terminal that confirms pages by itself, on a
// live simulated market.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>
#include <set>

#include "OrderFiles.h"
#include "TerminalRun.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kScanSeconds = 1;
constexpr int kWaitMs = 30000;
const QString kOptionAccount = QStringLiteral("10060001");  // E1006, the stock-option account

OrderFiles::Row BuyToOpen(const char* contract) {
    return {"SHQQ-A", contract, "0", "0", "0", "1"};
}

TEST(FileOrderEndToEnd, DroppedFilesAreRequestedInTurnFilledArchivedAndPublished) {
    FileOrderLayout layout(kScanSeconds);
    ASSERT_TRUE(layout.IsValid());
    TerminalProcess terminal;
    ASSERT_TRUE(terminal.Start(layout, true)) << terminal.ErrorOutput().toStdString();

    for (int sequence : {4, 2, 3}) {
        const std::string contract = "1000000" + std::to_string(sequence);
        OrderFiles::Write(layout.OrderFilePath(kOptionAccount, sequence), {BuyToOpen(contract.c_str())});
    }
    const QString positionFile = layout.Folder("Position") + "/E1006_Position.dbf";
    EXPECT_TRUE(QTest::qWaitFor([&] { return OrderFiles::Rows(positionFile).size() == 3; }, kWaitMs))
        << terminal.ErrorOutput().toStdString();

    EXPECT_THAT(FirstLegContracts(layout.Combinations()), ElementsAre("10000002", "10000003", "10000004"));
    for (const Json::Value& line : layout.Combinations()) {
        EXPECT_FALSE(line.isMember("Refused")) << line.toStyledString();
        EXPECT_EQ(line["Request"]["EAccountID"], "E1006");
    }
    EXPECT_THAT(layout.Files("Order"), IsEmpty());
    EXPECT_THAT(layout.Files("Archive"),
                ElementsAre("10060001_Order_2.dbf", "10060001_Order_3.dbf", "10060001_Order_4.dbf"));

    std::set<std::string> held;
    for (const Json::Value& row : OrderFiles::Rows(positionFile)) {
        held.insert(row["Contract"].asString() + " " + row["Voume"].asString());
    }
    EXPECT_EQ(held, (std::set<std::string>{"10000002 1", "10000003 1", "10000004 1"}));
    EXPECT_EQ(OrderFiles::Rows(layout.Folder("Money") + "/E1006_Money.dbf").size(), 1u);
    EXPECT_EQ(terminal.Stop(), 0) << terminal.ErrorOutput().toStdString();
}

}  // namespace
