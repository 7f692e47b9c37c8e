// Quotes as components receive them: targeted pushes through the high-performance centre to the
// glue's own subscribers, history answers, snapshots, contract data and option chains.

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "TerminalTestSupport.h"
#include "kernel/HostAccess.h"
#include "kernel/QuoteSubscriber.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/interface/Topics.h"

using namespace Terminal;
using namespace TerminalTest;
using namespace Kora::Interface;
using Kora::Utility::Handle;

namespace {

// A component-side subscriber: the glue's QuoteSubscriber, keeping what it is given.
class KeptPushes : public Kora::Kernel::QuoteSubscriber {
public:
    struct Push {
        int kind;
        QString code;
        QString historyType;
        Json::Value info;
        std::thread::id thread;
    };
    std::vector<Push> Pushes() {
        std::lock_guard hold(m_lock);
        return m_pushes;
    }

protected:
    void Dispatch(int kind, const QuotePushRecord& record, const Json::Value& info) override {
        std::lock_guard hold(m_lock);
        m_pushes.push_back({kind, record.key.code, record.historyType, info, std::this_thread::get_id()});
    }

private:
    std::mutex m_lock;
    std::vector<Push> m_pushes;
};

class QuoteServicesTest : public ::testing::Test {
protected:
    QuoteServicesTest() : host(ScriptedOptions()) { Kora::Kernel::SetHost(host.Host().Get()); }
    ~QuoteServicesTest() override { Kora::Kernel::SetHost(nullptr); }

    Handle<KeptPushes> Follow(const Market::Instrument& instrument) {
        Handle<KeptPushes> subscriber(new KeptPushes);
        subscriber->AddQuoteKeys({host.KeyOf(instrument)});
        subscriber->Start();
        return subscriber;
    }

    HostRuntime host;
};

TEST_F(QuoteServicesTest, PushesReachOnlyTheFollowersOfAContractOnTheWorkerThread) {
    const Market::Instrument& meal = host.Instrument("DCE", "m2408");
    const Market::Instrument& bank = host.Instrument("SHSE-A", "600000");
    Handle<KeptPushes> mealFollower = Follow(meal);
    Handle<KeptPushes> bankFollower = Follow(bank);
    EXPECT_EQ(host.Quotes().SubscriberCount(), 2u);

    host.Market().TradeAt(meal.index, 3010, 5);
    host.WaitForPushes();
    const auto pushes = mealFollower->Pushes();
    ASSERT_EQ(pushes.size(), 1u);
    EXPECT_EQ(pushes[0].kind, 1);
    EXPECT_EQ(pushes[0].code, QStringLiteral("m2408"));
    EXPECT_EQ(pushes[0].info["ExtData"]["Now"].asInt(), 3010);
    EXPECT_TRUE(pushes[0].info["IsNewTick"].asBool());
    EXPECT_EQ(pushes[0].thread, host.HighPerformance().WorkerThread());
    EXPECT_NE(pushes[0].thread, std::this_thread::get_id());
    EXPECT_TRUE(bankFollower->Pushes().empty());

    // Ticks go to followers of the contract's trades.
    mealFollower->AddTickKeys({host.KeyOf(meal)});
    host.Market().TradeAt(meal.index, 3011, 1);
    host.PushFlash(meal.index, 7);
    host.WaitForPushes();
    const auto later = mealFollower->Pushes();
    ASSERT_EQ(later.size(), 4u);
    EXPECT_EQ(later[1].kind, 2);
    EXPECT_EQ(later[2].kind, 1);
    EXPECT_EQ(later[3].info, JsonOf(R"({"FlashFlag": 7})"));

    mealFollower->Stop();
    host.Market().TradeAt(meal.index, 3012, 1);
    host.WaitForPushes();
    EXPECT_EQ(mealFollower->Pushes().size(), 4u);
    EXPECT_EQ(host.Quotes().SubscriberCount(), 1u);
    bankFollower->Stop();
}

TEST_F(QuoteServicesTest, HistoryIsAnsweredToTheAskerAloneAndDailyBarsEndAtTheReference) {
    const Market::Instrument& bank = host.Instrument("SHSE-A", "600000");
    Handle<KeptPushes> asker = Follow(bank);
    Handle<KeptPushes> bystander = Follow(bank);
    Handle<MessageRecorder> downloads = host.Record({Topic::kHisDataDownloadItemOver});
    const QuoteKey key = host.KeyOf(bank);

    EXPECT_TRUE(host.Quotes().RequestHistory(asker, key, QStringLiteral("KLine_Day"), Json::Value()));
    EXPECT_TRUE(host.Quotes().RequestHistory(asker, key, QStringLiteral("WeightData"), Json::Value()));
    EXPECT_FALSE(host.Quotes().RequestHistory(asker, key, QStringLiteral("KLine_Min"), Json::Value()));
    EXPECT_FALSE(host.Quotes().RequestHistory(asker, QuoteKey{1000, QStringLiteral("999999")},
                                              QStringLiteral("KLine_Day"), Json::Value()));
    EXPECT_FALSE(host.Quotes().RequestHistory(Handle<QuoteSubscriberI>(), key, QStringLiteral("KLine_Day"),
                                              Json::Value()));
    host.Settle();
    const auto pushes = asker->Pushes();
    ASSERT_EQ(pushes.size(), 2u);
    EXPECT_EQ(pushes[0].kind, 3);
    EXPECT_EQ(pushes[0].historyType, QStringLiteral("KLine_Day"));
    EXPECT_EQ(pushes[1].kind, 4);
    EXPECT_TRUE(bystander->Pushes().empty());
    const auto announced = downloads->Payloads(Topic::kHisDataDownloadItemOver);
    ASSERT_EQ(announced.size(), 2u);
    ExpectTexts(announced[0], {{"KRCode", "600000"}, {"Type", "KLine_Day"}});
    EXPECT_EQ(announced[0]["MarketID"].asInt(), 1000);
    asker->Stop();
    bystander->Stop();

    // Asked directly, daily history ends at the reference price; weight data is for stocks only.
    Json::Value bars;
    ASSERT_TRUE(host.QuoteData().GetHistory(host.KeyOf(host.Instrument("SHSE-A", "510050")),
                                            QStringLiteral("KLine_Day"), bars));
    ASSERT_EQ(bars.size(), 120u);
    EXPECT_LT(bars[0]["Date"].asUInt(), bars[119]["Date"].asUInt());
    EXPECT_DOUBLE_EQ(bars[119]["Close"].asDouble(), 2.5);
    for (const Json::Value& bar : bars) {
        EXPECT_LE(bar["Low"].asDouble(), bar["Close"].asDouble());
        EXPECT_GE(bar["High"].asDouble(), bar["Open"].asDouble());
    }
    Json::Value weights;
    EXPECT_FALSE(host.QuoteData().GetHistory(host.KeyOf(host.Instrument("SHSE-A", "510050")),
                                             QStringLiteral("WeightData"), weights));
    ASSERT_TRUE(host.QuoteData().GetHistory(host.KeyOf(host.Instrument("SZSE-A", "000001")),
                                            QStringLiteral("WeightData"), weights));
    EXPECT_GT(weights[0]["CashDividend"].asDouble(), 0.0);
}

template <class T>
T At(const QuoteSnapshot& snapshot, size_t offset) {
    T value;
    std::memcpy(&value, reinterpret_cast<const char*>(&snapshot) + offset, sizeof value);
    return value;
}

TEST_F(QuoteServicesTest, TheSnapshotIsFilledAtTheAgreedOffsets) {
    const Market::Instrument& meal = host.Instrument("DCE", "m2408");
    host.Market().SetBestQuote(meal.index, 2998, 11, 3003, 12);
    host.Market().TradeAt(meal.index, 3001, 4);
    QuoteSnapshot snapshot{};
    ASSERT_TRUE(host.QuoteData().GetSnapshot(host.KeyOf(meal), snapshot));
    EXPECT_EQ(At<int32_t>(snapshot, 0), 3000);
    EXPECT_EQ(At<int32_t>(snapshot, 44), 3001);
    for (size_t offset : {56, 64, 72, 120}) {
        EXPECT_GT(At<double>(snapshot, offset), 0.0) << offset;
    }
    EXPECT_EQ(At<int32_t>(snapshot, 160), 2998);
    EXPECT_EQ(At<int32_t>(snapshot, 176), 3003);
    EXPECT_EQ(At<int32_t>(snapshot, 192), 2997);
    EXPECT_EQ(snapshot.book[0].bid.volume, 11.0);
    EXPECT_EQ(snapshot.upperLimit, 3210);
    EXPECT_EQ(snapshot.lowerLimit, 2790);
    EXPECT_EQ(snapshot.priceDivisor, 1);
    EXPECT_EQ(snapshot.tradingDay, 20240315u);

    ContractInfo info;
    ASSERT_TRUE(host.QuoteData().GetContractInfo(host.KeyOf(meal), info));
    EXPECT_EQ(info.name, QStringLiteral("豆粕2408"));
    EXPECT_EQ(info.multiplier, 10);
    EXPECT_FALSE(host.QuoteData().GetSnapshot(QuoteKey{}, snapshot));
    EXPECT_EQ(host.QuoteData().FindKey(QStringLiteral("DCE"), QStringLiteral("m2408")), host.KeyOf(meal));
    EXPECT_EQ(host.QuoteData().FindKey(QStringLiteral("DCE"), QStringLiteral("x")).marketId, -1);
}

TEST_F(QuoteServicesTest, OptionChainsFollowTheHostsConventions) {
    Services::OptionsDataService& options = host.OptionsData();
    const std::vector<QuoteKey> underlyings = options.GetUnderlyings();
    std::vector<QString> names;
    for (const QuoteKey& key : underlyings) {
        names.push_back(options.GetUnderlyingName(key));
    }
    EXPECT_EQ(names, (std::vector<QString>{"豆粕2408", "蓝筹ETF", "核心ETF", "股指期货2403", "股指期货2404",
                                           "股指期货2406", "股指期货2409"}));
    const std::vector<QString> months = options.GetMonths(underlyings[1]);
    ASSERT_EQ(months, (std::vector<QString>{"2403", "2404", "2406", "2409"}));
    const auto rows = options.GetChainRows(underlyings[1], months[0]);
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_EQ(rows[0].strike, 20000);
    EXPECT_EQ(rows[20].strike, 30000);

    OptionRecord call, put;
    ASSERT_TRUE(options.GetOptionRecord(rows[10].call, call));
    ASSERT_TRUE(options.GetOptionRecord(rows[10].put, put));
    EXPECT_EQ(call.classLetter, 'o');
    EXPECT_TRUE(call.callPut < 0 && put.IsPut());
    EXPECT_EQ(std::tuple(call.strike, call.strikeDivisor, call.contractUnit, call.exerciseStyle),
              std::tuple(25000, 10000, 10000, 0));
    EXPECT_EQ(call.seriesName.section('|', 0, 0), QStringLiteral("510050"));
    EXPECT_EQ(call.underlying, underlyings[1]);
    EXPECT_GT(call.expiry, QDateTime(kTradingDay, QTime(0, 0), Qt::UTC));
    // The surface at the money twelve days out: 0.20 + 0.02 × (T − 0.25), the skew's share small.
    EXPECT_NEAR(call.impliedVolatility, 0.1962, 0.0005);
    EXPECT_DOUBLE_EQ(put.impliedVolatility, call.impliedVolatility);
    EXPECT_DOUBLE_EQ(call.riskFreeRate, 2.5);
    EXPECT_TRUE(call.delta > 0.3 && call.delta < 0.7 && put.delta < 0.0) << call.delta << " " << put.delta;
    EXPECT_TRUE(call.gamma > 0.0 && call.theta < 0.0) << call.gamma << " " << call.theta;
    double intrinsic = -1, time = -1;
    ASSERT_TRUE(options.GetIntrinsicValue(rows[0].call, intrinsic));
    ASSERT_TRUE(options.GetTimeValue(rows[0].call, time));
    EXPECT_NEAR(intrinsic, 0.5, 1e-9);  // underlying 2.5, strike 2.0
    EXPECT_GE(time, 0.0);

    OptionRecord index;
    ASSERT_TRUE(
        options.GetOptionRecord(options.GetOptions(underlyings[4], QStringLiteral("2404"))[0], index));
    EXPECT_EQ(index.underlying, underlyings[4]);  // the index future of its own month

    QuoteKey underlying;
    EXPECT_TRUE(options.GetUnderlyingKey(rows[0].put, underlying));
    EXPECT_EQ(underlying, underlyings[1]);
    EXPECT_FALSE(options.IsOption(underlyings[1]));
    EXPECT_FALSE(options.GetOptionRecord(underlyings[1], call));
    EXPECT_FALSE(options.GetExpiryDate(QuoteKey{}).isValid());
    EXPECT_TRUE(options.GetChainRows(QuoteKey{}, months[0]).empty());
    const QDateTime from(kTradingDay, QTime(12, 0), Qt::UTC);
    EXPECT_EQ(options.WholeDaysBetween(from, from.addSecs(36 * 3600)), 1);
    EXPECT_EQ(options.WholeDaysBetween(from, from.addSecs(-36 * 3600)), -1);
    EXPECT_EQ(options.WholeDaysBetween(QDateTime(), from), 0);
}

TEST_F(QuoteServicesTest, ContractsAreFoundHoweverTheyAreNamedAndBelongToTheirAccounts) {
    Services::KRTContractService& contracts = host.Contracts();
    const Json::Value byCode = JsonOf(R"({"ExchangeCode": "SHSE-A", "ContractCode": "600000"})");
    for (const Json::Value& query :
         {byCode, JsonOf(R"({"54": "SHSE-A", "63": "600000"})"),
          host.KeyOf(host.Instrument("SHSE-A", "600000")).ToJson(), Json::Value("(1000,600000)")}) {
        ExpectTexts(contracts.GetContract(query), {{"64", "申江银行"}, {"1008", "100"}, {"245", "0.01"}});
    }
    EXPECT_EQ(contracts.EnumContractByCode(QStringLiteral("510050")).size(), 1u);
    const Json::Value optionContracts = contracts.GetContractsOfAccount(Json::Value("E1006"));
    EXPECT_EQ(optionContracts.size(), 2u * 4 * 42);  // two funds, four months, 21 strikes
    for (const Json::Value& record : optionContracts) {
        ExpectTexts(record, {{"54", "SHQQ-A"}, {"OptionClass", "o"}});
    }
    EXPECT_TRUE(contracts.IsContractOfAccount(Json::Value("E1001"), byCode));
    EXPECT_FALSE(contracts.IsContractOfAccount(Json::Value("E1008"), byCode));
    EXPECT_TRUE(contracts.AllowsArbitrage(JsonOf(R"({"ExchangeCode": "DCE", "ContractCode": "m2408"})")));
    EXPECT_FALSE(contracts.AllowsArbitrage(byCode));
    EXPECT_EQ(host.AdvanceData().GetValue(byCode, QStringLiteral("涨停价")).asDouble(), 8.25);
    EXPECT_TRUE(host.AdvanceData().GetValue(byCode, QStringLiteral("Nonsense")).isNull());
    EXPECT_EQ(host.Search().Search(QStringLiteral("申江")).size(), 1u);
    EXPECT_EQ(host.Search().Search(QStringLiteral("etf")).size(), 50u);  // the fund and its options, capped
    EXPECT_TRUE(host.Search().Search(QStringLiteral("  ")).empty());
}

TEST_F(QuoteServicesTest, TheAdvancedDataServiceAnswersTheStockWindowsQuantitiesAndTradeList) {
    const Market::Instrument& bank = host.Instrument("SHSE-A", "600000");
    host.Market().SetBestQuote(bank.index, 750, 100000, 751, 100000);
    host.Market().TradeAt(bank.index, 751, 300);
    host.Market().TradeAt(bank.index, 750, 200);
    ASSERT_TRUE(host.Market().AddPosition("E1005", bank.index, Market::PositionSide::Long, 1234, 700));
    Json::Value query = JsonOf(R"({"ExchangeCode": "SHSE-A", "ContractCode": "600000",
                                                 "EAccountID": "E1005", "Price": 7.50})");
    auto value = [&](const char* name) {
        return host.AdvanceData().GetValue(query, QString::fromUtf8(name));
    };
    EXPECT_EQ(value("可买").asInt64(), 133200);    // 1,000,000 ÷ (7.50 plus commission), whole lots
    EXPECT_EQ(value("可融").asInt64(), 66600);     // the 500,000 credit line
    EXPECT_EQ(value("可卖").asInt64(), 1234);      // yesterday's shares, odd lot and all
    EXPECT_EQ(value("可融券").asInt64(), 200000);  // the shares the broker lends
    EXPECT_EQ(value("ShortSellable"), value("可融券"));
    EXPECT_EQ(value("主动买量").asDouble(), 300.0);

    const Json::Value trades = value("成交明细");
    ASSERT_EQ(trades.size(), 2u);
    EXPECT_EQ(trades[0], JsonOf(R"({"Time": "09:30:00", "Price": 7.51, "Volume": 300,
                                                  "Direction": "B", "OpenInterestChange": 0})"));
    EXPECT_EQ(trades[1]["Direction"].asString(), "S");

    query["EAccountID"] = "E9999";
    EXPECT_TRUE(value("可买").isNull());
    query["EAccountID"] = "E1001";  // a cash account borrows nothing
    EXPECT_EQ(value("可融").asInt64(), 0);
    EXPECT_EQ(value("可融券").asInt64(), 0);
}

TEST_F(QuoteServicesTest, WithCachingOffEveryLookupGoesBackToTheHost) {
    const QString registry = APIMgrI::ServiceName();
    const int before = host.HostImpl().ServiceLookups(registry);
    host.SetCanCacheServices(true);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Kora::Kernel::GetService<KRTEngineI>());
    }
    const int cached = host.HostImpl().ServiceLookups(registry) - before;
    EXPECT_LE(cached, 1);

    host.SetCanCacheServices(false);
    const int engineLookups = host.Registry().LookupCount(KRTEngineI::ServiceName());
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Kora::Kernel::GetService<KRTEngineI>());
    }
    EXPECT_EQ(host.HostImpl().ServiceLookups(registry) - before - cached, 3);
    EXPECT_EQ(host.Registry().LookupCount(KRTEngineI::ServiceName()) - engineLookups, 3);

    EXPECT_TRUE(host.WithdrawService(KRTEngineI::ServiceName()));
    EXPECT_FALSE(Kora::Kernel::GetService<KRTEngineI>());
}

}  // namespace
