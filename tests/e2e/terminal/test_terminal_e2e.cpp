// The terminal as users and the component meet it: the component loaded with dlopen from the
// run layout, the command line, and the live market.

#include <gtest/gtest.h>
#include <json/writer.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <mutex>

#include "host/HostRuntime.h"
#include "kernel/HostAccess.h"
#include "kernel/QuoteSubscriber.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "kora/utility/JsonAccess.h"
#include "support/JsonOf.h"
#include "support/ScriptedOptions.h"

using namespace Terminal;

namespace {

QString DistBin() {
    return qEnvironmentVariable("KRT_DIST_BIN");
}

Json::Value ExpectedComponentInfo() {
    return JsonOf(R"({"ComponentID": "7", "ComponentName": "交易工具模块", "ComponentAuthor": "",
        "ComponentFile": "KRTTools.dll", "ComponentCreateDate": 20170804, "ComponentModifyDate": 20170804,
        "ComponentVersion": "B001"})");
}

// The windows are found by type, else the active one, and go with the component.
TEST(ComponentLoadingTest, TheLibraryRegistersItsProvidersAndServiceAndWithdrawsThemOnUnload) {
    HostRuntime host;
    ASSERT_TRUE(host.LoadComponentLibrary(DistBin() + QStringLiteral("/libKRTTools.so")))
        << host.LastError().toStdString();
    EXPECT_EQ(host.ComponentInfo(), ExpectedComponentInfo());
    Services::ContentWindowService& windows = host.ContentWindows();
    const auto types = windows.GetWindowTypes();
    ASSERT_EQ(types->size(), 6u);
    EXPECT_EQ((*types)[1].at(QStringLiteral("Type")), QStringLiteral("KRFutureQMouse"));
    EXPECT_EQ(host.Instructs().GetInstructs()->size(), 6u);
    const auto futures = windows.CreateContentWindow(QStringLiteral("KRFutureQMouse"), {});
    const auto analysis = windows.CreateContentWindow(QStringLiteral("PositionAnalyze"), {});
    ASSERT_TRUE(futures && analysis);
    EXPECT_FALSE(windows.CreateContentWindow(QStringLiteral("krfutureqmouse"), {}));
    EXPECT_EQ(windows.Windows().size(), 2u);
    const Kora::Utility::WStringMap byType{{QStringLiteral("Type"), QStringLiteral("KRFutureQMouse")}};
    EXPECT_EQ(windows.GetContentWindow(byType), futures);
    EXPECT_EQ(windows.GetContentWindow({}), analysis);
    EXPECT_TRUE(windows.Activate(futures));
    EXPECT_EQ(windows.GetContentWindow({}), futures);
    EXPECT_FALSE(windows.GetContentWindow({{QStringLiteral("Type"), QStringLiteral("OptBatchWindow")}}));
    EXPECT_TRUE(windows.DestroyContentWindow(futures));
    EXPECT_FALSE(windows.DestroyContentWindow(futures));
    EXPECT_EQ(windows.GetContentWindow({}), analysis);
    host.Settle();

    host.UnloadComponent();
    EXPECT_EQ(host.Component(), nullptr);
    EXPECT_EQ(windows.ProviderCount(), 0u);
    EXPECT_TRUE(windows.Windows().empty());
    EXPECT_EQ(host.Instructs().ProviderCount(), 0u);
    EXPECT_TRUE(host.ComponentInfo().isNull());
}

TEST(ComponentLoadingTest, AMissingLibraryIsReported) {
    HostRuntime host;
    EXPECT_FALSE(host.LoadComponentLibrary(QStringLiteral("/nonexistent/libKRTTools.so")));
    EXPECT_FALSE(host.LastError().isEmpty());
    EXPECT_EQ(host.Component(), nullptr);
}

struct ProcessResult {
    int exitCode = -1;
    QString out;
    QString err;
};

ProcessResult RunTerminal(const QStringList& arguments) {
    QProcess process;
    process.start(DistBin() + QStringLiteral("/krt-terminal"), arguments);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(CommandLineTest, AccountsArePrintedOnePerLineAndComponentInfoAsTheComponentsOwnRecord) {
    const ProcessResult accounts = RunTerminal({QStringLiteral("--accounts")});
    ASSERT_EQ(accounts.exitCode, 0) << accounts.err.toStdString();
    const QStringList lines = accounts.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    const Json::Value futures = JsonOf(lines[3].toStdString());
    EXPECT_EQ(futures["EAccountID"].asString() + " " + futures["VAccountID"].asString() + " " +
                  futures["249"].asString(),
              "E1008 V1008 80080001");
    EXPECT_EQ(futures["Category"].asInt(), 8);

    const ProcessResult component = RunTerminal({QStringLiteral("--component-info")});
    ASSERT_EQ(component.exitCode, 0) << component.err.toStdString();
    const Json::Value info = JsonOf(component.out.trimmed().toStdString());
    EXPECT_EQ(info, ExpectedComponentInfo());
}

TEST(CommandLineTest, BadArgumentsAreRefused) {
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--bogus")},
          QStringList{QStringLiteral("--seed"), QStringLiteral("abc")},
          QStringList{QStringLiteral("--quit-after"), QStringLiteral("-1")},
          QStringList{QStringLiteral("--trading-day"), QStringLiteral("2024-02-30")},
          QStringList{QStringLiteral("stray")}}) {
        const ProcessResult run = RunTerminal(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage"))) << run.err.toStdString();
    }
}

TEST(CommandLineTest,
     TheSavedLayoutIsRestoredAtStartAndLeftAloneByRunsThatChangeNothingStartFreshOrHaveNoWindow) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("bin")) &&
                QDir(root.path()).mkpath(QStringLiteral("cfg")));
    const QByteArray saved = R"({"Format": "krt-terminal layout", "Version": 1,
        "ToolWindows": [{"Type": "KRFutureQMouse"}, {"Type": "RetiredLadder"}]})";
    QFile file(root.filePath(QStringLiteral("cfg/layout.json")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(saved);
    file.close();
    const QStringList common{QStringLiteral("--workdir"), root.filePath(QStringLiteral("bin")),
                             QStringLiteral("--quit-after"), QStringLiteral("0.5")};
    const auto savedText = [&] {
        QFile layout(file.fileName());
        return layout.open(QIODevice::ReadOnly) ? layout.readAll() : QByteArray();
    };

    const ProcessResult restored = RunTerminal(QStringList{QStringLiteral("--offscreen")} + common);
    EXPECT_EQ(restored.exitCode, 0);
    EXPECT_TRUE(restored.err.contains(QStringLiteral("layout: restored from"))) << restored.err.toStdString();
    EXPECT_TRUE(restored.err.contains(QStringLiteral("RetiredLadder"))) << restored.err.toStdString();
    EXPECT_EQ(savedText(), saved) << "a run that changed nothing left the file as it was";
    EXPECT_TRUE(restored.err.contains(QStringLiteral("component loaded"))) << restored.err.toStdString();

    // The headless run also keeps its journal where it is told and takes its seed.
    const QString journal = root.filePath(QStringLiteral("journal.jsonl"));
    for (const QStringList& kind : {QStringList{QStringLiteral("--offscreen"), QStringLiteral("--fresh")},
                                    QStringList{QStringLiteral("--headless"), QStringLiteral("--journal"),
                                                journal, QStringLiteral("--seed"), QStringLiteral("9")}}) {
        const ProcessResult run = RunTerminal(kind + common);
        EXPECT_EQ(run.exitCode, 0) << kind.join(' ').toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("layout:"))) << run.err.toStdString();
        EXPECT_EQ(savedText(), saved) << kind.join(' ').toStdString();
    }
    EXPECT_TRUE(QFile::exists(journal));
}

// A subscriber of the component's glue that keeps the quotes it is pushed.
class KeptQuotes : public Kora::Kernel::QuoteSubscriber {
public:
    std::vector<Kora::Interface::QuotePushRecord> Records() {
        std::lock_guard lock(m_lock);
        return m_records;
    }

protected:
    void Dispatch(int kind, const Kora::Interface::QuotePushRecord& record, const Json::Value&) override {
        if (kind == 1) {
            std::lock_guard lock(m_lock);
            m_records.push_back(record);
        }
    }

private:
    std::mutex m_lock;
    std::vector<Kora::Interface::QuotePushRecord> m_records;
};

// The live market moves prices and the clock on its own and requotes an option from its surface
// as the fund moves; the quotes reach a follower through the quote service, the
// high-performance centre and the glue, and what the options data service says of the option
// through the glue agrees with them.
TEST(LiveMarketTest, OptionQuotesFollowTheirUnderlyingToTheGlueAndAgreeWithTheOptionsDataService) {
    HostOptions options;
    options.scripted = false;
    options.pushesPerSecond = 50;
    options.tradingDay = kTradingDay;
    HostRuntime host(options);
    Kora::Kernel::SetHost(host.Host().Get());
    const uint64_t ticks = host.Time().GetTickCount();
    const int fund = host.Instrument("SHSE-A", "510050").index;
    const int option = host.Market().Catalogue().Options(fund, "2404")[20];  // the 2.50 call
    const Market::Instrument& call = *host.Market().Catalogue().At(option);
    ASSERT_EQ(call.option->strike, 25000);
    Kora::Utility::Handle<KeptQuotes> kept(new KeptQuotes);
    kept->AddQuoteKeys({host.KeyOf(call)});
    kept->Start();

    EXPECT_TRUE(QTest::qWaitFor([&] { return kept->Records().size() >= 3; }, 10000));
    EXPECT_GT(host.Time().GetTickCount(), ticks) << "the clock moves with the market";
    // The market is stopped before the last quote is compared with the model, or a step taken in
    // between (a slow sanitizer run) compares the quote with the next step's price.
    host.StopLiveMarket();
    host.WaitForPushes();
    const Kora::Interface::QuoteSnapshot quote = kept->Records().back().snapshot;
    const double bid = call.ToPrice(quote.book[0].bid.price);
    const double ask = call.ToPrice(quote.book[0].ask.price);
    ASSERT_GT(bid, 0.0);
    // The makers quote around the model, but a trade in the same step may sweep a level or two off
    // one side, so the model is only sure to lie inside the spread, not near its middle.
    const double model = host.Market().ModelPrice(option);
    EXPECT_LT(bid, model);
    EXPECT_GT(ask, model);

    Kora::Interface::OptionRecord record;
    const auto optionsData = Kora::Kernel::GetService<Kora::Interface::OptionsDataSvcI>();
    ASSERT_TRUE(optionsData);
    ASSERT_TRUE(optionsData->GetOptionRecord(host.KeyOf(call), record));
    EXPECT_NEAR(record.impliedVolatility, host.Market().ImpliedVolatility(option), 1e-9);
    EXPECT_TRUE(record.impliedVolatility > 0.1 && record.impliedVolatility < 0.4) << record.impliedVolatility;

    kept->Stop();
    Kora::Kernel::SetHost(nullptr);
}

}  // namespace
