// File orders inside the terminal, in scripted mode: the component is loaded into the host, the
// time service's clock is moved by hand so its ticks drive the scan, the combination page is
// confirmed or closed as a trader would, and the simulated market fills what it sends.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTableWidget>

#include "OrderFiles.h"
#include "TerminalRun.h"
#include "fileorder/CDlgFileOrder.h"
#include "fileorder/CReadFile.h"
#include "frame/KRTToolsInterface.h"
#include "kernel/HostAccess.h"
#include "kora/interface/KRTToolsI.h"
#include "support/ComponentOnHost.h"

namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr int kScanMs = 3000;
const char* const kOptionAccount = "10060001";   // E1006, category 6
const char* const kFuturesAccount = "80080001";  // E1008, category 8

// The component in the run layout the terminal program gets: bin (the working folder),
// cfg/FileOrderCfg.ini, and the file-order folders beside them.
class FileOrderInTerminal : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(layout.IsValid());
        previousFolder = QDir::currentPath();
        // The component reads its configuration relative to the working folder, as the terminal
        // started with --workdir leaves it.
        ASSERT_TRUE(QDir::setCurrent(layout.WorkDir()));
        Start();
    }
    void TearDown() override {
        terminal.reset();
        QDir::setCurrent(previousFolder);
    }

    void Start() {
        Terminal::HostOptions options = ComponentOnHost::Options();
        options.workDir = layout.WorkDir();
        terminal = std::make_unique<ComponentOnHost>(options);
        ASSERT_NE(Host().Component(), nullptr) << Host().LastError().toStdString();
    }
    Terminal::HostRuntime& Host() { return terminal->Host(); }

    QString OrderPath(int sequence, const char* account = kOptionAccount) const {
        return layout.OrderFilePath(account, sequence);
    }
    void Drop(int sequence, const std::vector<OrderFiles::Row>& rows, const char* account = kOptionAccount) {
        OrderFiles::Write(OrderPath(sequence, account), rows);
    }

    // Delivers host messages and the window messages they lead to, but not the folder watcher's
    // events, so that only the time service's ticks drive the scan.
    void Pump() {
        for (int round = 0; round < 8; ++round) {
            Host().Settle();
            QCoreApplication::sendPostedEvents();
        }
    }
    void Tick(int ticks = 1) {
        for (int i = 0; i < ticks; ++i) {
            Host().AdvanceClock(kScanMs);
            Pump();
        }
    }
    // Confirms the open page, or closes it without confirming.
    void ConfirmPage(bool confirm = true) {
        const auto pending = Host().AddinPublic().Pending();
        ASSERT_EQ(pending.size(), 1u);
        ASSERT_TRUE(confirm ? Host().AddinPublic().Confirm(pending.front().id)
                            : Host().AddinPublic().Cancel(pending.front().id));
        Pump();
    }

    std::vector<Json::Value> Combinations() const { return terminal->Journal(QStringLiteral("Combination")); }
    std::vector<std::string> RequestedContracts() const { return FirstLegContracts(Combinations()); }
    // The component's log lines of one level.
    std::vector<std::string> LogAt(int level) const {
        std::vector<std::string> lines;
        for (const QString& line : terminal->EngineLog()) {
            if (line.startsWith(QString::number(level) + QLatin1Char(':'))) {
                lines.push_back(line.toStdString());
            }
        }
        return lines;
    }
    std::vector<std::string> ErrorLog() const { return LogAt(1); }
    CDlgFileOrder* Window() const {
        auto tools = Kora::Kernel::GetService<Kora::Interface::KRTToolsI>();
        auto* service = dynamic_cast<KRTToolsInterface*>(tools.Get());
        return service ? service->FileOrderWindow() : nullptr;
    }

    // A buy to open one lot of a fund option.
    static OrderFiles::Row Leg(const char* contract, const char* direction = "0", const char* volume = "1") {
        return {"SHQQ-A", contract, direction, "0", "0", volume};
    }

    FileOrderLayout layout{kScanMs / 1000};
    QString previousFolder;
    std::unique_ptr<ComponentOnHost> terminal;
};

TEST_F(FileOrderInTerminal, TheTimeServiceDrivesTheScanUntilTheComponentIsUnloaded) {
    ASSERT_EQ(Host().Time().RunningTimers(), 1u);
    Drop(2, {Leg("10000001")});
    Host().AdvanceClock(kScanMs - 1);
    Pump();
    EXPECT_THAT(Combinations(), IsEmpty());
    Host().AdvanceClock(1);
    Pump();
    EXPECT_THAT(RequestedContracts(), ElementsAre("10000001"));

    Host().UnloadComponent();
    EXPECT_EQ(Host().Time().RunningTimers(), 0u);
    Drop(3, {Leg("10000002")});
    Tick();
    EXPECT_EQ(Combinations().size(), 1u);
    EXPECT_THAT(layout.Files("Order"), ElementsAre("10060001_Order_3.dbf"));
}

TEST_F(FileOrderInTerminal, AFileBecomesOneCombinationRequestOfTheOptionAccount) {
    Drop(2, {Leg("10000001", "1", "3"), {"SHQQ-A", "10000002", "0", "1", "1", "2"}});
    Tick();
    const auto combinations = Combinations();
    ASSERT_EQ(combinations.size(), 1u);
    const Json::Value& line = combinations[0];
    EXPECT_EQ(line["PageID"], 1001);
    EXPECT_EQ(line["Caller"], "KRTAddinPublic,-706-@");
    EXPECT_EQ(line["PageName"], "多品种");
    EXPECT_FALSE(line.isMember("Refused")) << line.toStyledString();
    const Json::Value& request = line["Request"];
    EXPECT_EQ(request["EAccountID"], "E1006");
    EXPECT_EQ(request["VAccountID"], "V1006");
    ASSERT_EQ(request["OrderList"].size(), 2u);
    // One order-log line a leg, as every tool writes for what it sends; the page prices the legs.
    EXPECT_THAT(LogAt(103), ElementsAre("103:10000001|1|0|1|对手价|3|1|0|0|3|SHQQ-A|10000001",
                                        "103:10000002|0|1|1|对手价|2|0|1|1|2|SHQQ-A|10000002"));
    EXPECT_THAT(layout.Files("Archive"), ElementsAre("10060001_Order_2.dbf"));
    EXPECT_THAT(layout.Files("Order"), IsEmpty());
}

TEST_F(FileOrderInTerminal, FilesDroppedTogetherGoOneAfterAnotherEachAfterThePageIsConfirmedOrClosed) {
    Drop(4, {Leg("10000004")});
    Drop(2, {Leg("10000001", "0", "2")});
    Drop(3, {Leg("10000003")});
    Tick();
    EXPECT_THAT(RequestedContracts(), ElementsAre("10000001"));
    Tick(3);  // while the page is open, further ticks send nothing
    EXPECT_THAT(RequestedContracts(), ElementsAre("10000001"));

    ConfirmPage();
    EXPECT_THAT(RequestedContracts(), ElementsAre("10000001", "10000003"));
    ConfirmPage(false);  // closed without confirming
    EXPECT_THAT(RequestedContracts(), ElementsAre("10000001", "10000003", "10000004"));
    ConfirmPage();
    EXPECT_TRUE(Window()->IsReady());
    EXPECT_THAT(layout.Files("Archive"),
                ElementsAre("10060001_Order_2.dbf", "10060001_Order_3.dbf", "10060001_Order_4.dbf"));

    // The confirmed legs went to the market and filled against its book; the closed page's did not.
    const Json::Value rows = OrderFiles::Rows(layout.Folder("Position") + "/E1006_Position.dbf");
    ASSERT_EQ(rows.size(), 2u) << rows.toStyledString();
    const Json::Value& bought = rows[0]["Contract"] == "10000001" ? rows[0] : rows[1];
    EXPECT_EQ(bought["Contract"], "10000001");
    EXPECT_EQ(bought["Exchange"], "SHQQ-A");
    EXPECT_EQ(bought["Voume"], "2");
    EXPECT_EQ(bought["OptionType"], "C");
    const Json::Value money = OrderFiles::Rows(layout.Folder("Money") + "/E1006_Money.dbf");
    ASSERT_EQ(money.size(), 1u);
    const Json::Value engineMoney = Host().Engine().GetMoney(Json::Value("E1006"));
    EXPECT_EQ(money[0]["TotalAsset"], (engineMoney.isArray() ? engineMoney[0] : engineMoney)["97"]);

    // A futures account's positions move too, but it is no stock-option account.
    const auto& future = *Host().Market().Catalogue().At(0);
    ASSERT_TRUE(Host().Market().AddPosition("E1008", future.index, Terminal::Market::PositionSide::Long, 1,
                                            future.reference));
    Pump();
    EXPECT_THAT(layout.Files("Position"), ElementsAre("E1006_Position.dbf"));
    EXPECT_THAT(layout.Files("Money"), ElementsAre("E1006_Money.dbf"));
}

TEST_F(FileOrderInTerminal, FilesOfAnotherAccountOrThatAreNoTableAreLoggedByNameAndStallNothing) {
    Drop(2, {Leg("10000002")}, kFuturesAccount);
    OrderFiles::WriteBytes(OrderPath(3), "this is no table, whatever its name says");
    Drop(4, {Leg("10000004")});
    Tick();
    EXPECT_THAT(RequestedContracts(), ElementsAre("10000004"));
    EXPECT_THAT(ErrorLog(),
                ElementsAre(HasSubstr("10060001_Order_3.dbf"), HasSubstr("80080001_Order_2.dbf")));
    EXPECT_THAT(layout.Files("Order"), ElementsAre("10060001_Order_3_错误.dbf"));
}

TEST_F(FileOrderInTerminal, FilesWaitWhileTheOptionAccountIsLoggedOutAndGoWhenItReturns) {
    ASSERT_TRUE(Host().SetLoggedIn("E1006", false));
    Drop(2, {Leg("10000002")});
    Drop(3, {Leg("10000003")});
    Tick(2);
    EXPECT_THAT(Combinations(), IsEmpty());
    EXPECT_EQ(Window()->QueuedFiles(), 2u);

    // No further file needs to arrive: the login itself sends what waits.
    ASSERT_TRUE(Host().SetLoggedIn("E1006", true));
    Pump();
    EXPECT_THAT(RequestedContracts(), ElementsAre("10000002"));
    ConfirmPage();
    EXPECT_THAT(RequestedContracts(), ElementsAre("10000002", "10000003"));
    EXPECT_EQ(Window()->QueuedFiles(), 0u);
}

// A file its writer kept locked held every later file back without a word, for as long as the
// lock lasted. It keeps its place (its writer is alive), but after 30 seconds it is logged once,
// by name, and the file-order window shows itself with it until the file goes.
TEST_F(FileOrderInTerminal, ALockedFileStalledLaterOrdersWithoutAWordAndIsNowLoggedOnceAndShown) {
    OrderFiles::LockingWriter writer(OrderPath(2));
    writer.Append(OrderFiles::Bytes({Leg("10000002")}));
    Drop(3, {Leg("10000003")});
    Tick(9);
    EXPECT_THAT(ErrorLog(), IsEmpty());
    EXPECT_FALSE(Window()->isVisible());

    Tick(12);  // well past 30 seconds
    EXPECT_THAT(Combinations(), IsEmpty());
    EXPECT_THAT(ErrorLog(), ElementsAre(AllOf(HasSubstr("10060001_Order_2.dbf"), HasSubstr("锁定"))));
    EXPECT_TRUE(Window()->isVisible());
    const QTableWidget* stalled = Window()->Status().Stalled();
    ASSERT_EQ(stalled->rowCount(), 1);
    EXPECT_EQ(stalled->item(0, FileOrderStatusView::kFileColumn)->text(), "10060001_Order_2.dbf");
    EXPECT_THAT(layout.Files("Order"), ElementsAre("10060001_Order_2.dbf", "10060001_Order_3.dbf"));

    writer.Finish();
    Tick();
    EXPECT_THAT(RequestedContracts(), ElementsAre("10000002"));
    EXPECT_FALSE(Window()->isVisible());
    EXPECT_EQ(Window()->Status().Stalled()->rowCount(), 0);
    ConfirmPage();
    EXPECT_THAT(RequestedContracts(), ElementsAre("10000002", "10000003"));
}

// Records whose deletion flag was set went out as legs like any other record.
TEST_F(FileOrderInTerminal,
       RecordsFlaggedDeletedWereTradedAndAreNowSkippedAndLoggedAndAFileOfNoneSendsNothing) {
    OrderFiles::WriteBytes(
        OrderPath(2), OrderFiles::BytesWithDeleted({Leg("10000001"), Leg("10000002"), Leg("10000003")}, {1}));
    OrderFiles::WriteBytes(OrderPath(3), OrderFiles::BytesWithDeleted({Leg("10000004")}, {0}));
    Tick();
    const auto combinations = Combinations();
    ASSERT_EQ(combinations.size(), 1u);
    const Json::Value& legs = combinations[0]["Request"]["OrderList"];
    ASSERT_EQ(legs.size(), 2u);
    EXPECT_EQ(legs[1]["Contract"]["ContractCode"], "10000003");
    ConfirmPage();
    Tick();

    EXPECT_EQ(Combinations().size(), 1u);
    EXPECT_THAT(layout.Files("Archive"), ElementsAre("10060001_Order_2.dbf", "10060001_Order_3.dbf"));
    EXPECT_THAT(LogAt(10),
                Contains(AllOf(HasSubstr("10060001_Order_2.dbf"), HasSubstr("删除"), HasSubstr("第2条"))));
    EXPECT_THAT(ErrorLog(),
                ElementsAre(AllOf(HasSubstr("10060001_Order_3.dbf"), HasSubstr("没有未删除的记录"))));
}

// Any combination page's answer released the queue: a trader confirming a page opened by hand
// (or by another tool) sent the next file while this file's page was still open.
TEST_F(FileOrderInTerminal, AnotherPagesAnswerReleasedTheNextFileWhileThisFilesPageWasOpenAndNoLongerDoes) {
    Drop(2, {Leg("10000002")});
    Drop(3, {Leg("10000003")});
    Tick();
    ASSERT_THAT(RequestedContracts(), ElementsAre("10000002"));
    const int filePage = Host().AddinPublic().Pending().front().id;

    Json::Value byHand = Combinations()[0]["Request"];
    byHand["OrderList"][0]["Contract"]["ContractCode"] = "10000004";
    ASSERT_NE(Host().AddinPublic().OpenPage(1001, "KRTAddinPublic,-706-@", "多品种", nullptr, byHand),
              nullptr);
    const int handPage = Host().AddinPublic().Pending().back().id;
    ASSERT_TRUE(Host().AddinPublic().Confirm(handPage));
    Pump();
    EXPECT_THAT(RequestedContracts(), ElementsAre("10000002", "10000004"));
    EXPECT_FALSE(Window()->IsReady());

    ASSERT_TRUE(Host().AddinPublic().Confirm(filePage));
    Pump();
    EXPECT_THAT(RequestedContracts(), ElementsAre("10000002", "10000004", "10000003"));
}

}  // namespace
