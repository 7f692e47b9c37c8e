// Trading through the terminal's services: orders, answers, positions, money, cancels, the
// journal, and what malformed requests get.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TerminalTestSupport.h"
#include "host/ErrorCodes.h"
#include "kora/interface/Topics.h"
#include "platform/MessageBox.h"
#include "support/HostSteps.h"

using namespace Terminal;
using namespace TerminalTest;
namespace Topic = Kora::Interface::Topic;
using Kora::Utility::Handle;

namespace {

class TradingTest : public ::testing::Test {
protected:
    explicit TradingTest(HostOptions options = ScriptedOptions()) : host(options) {
        meal = &host.Instrument("DCE", "m2408");
        Market::Book book;
        book.asks[0] = {3001, 10};
        book.asks[1] = {3002, 10};
        book.bids[0] = {2999, 10};
        host.Market().SetBook(meal->index, book);
        host.Settle();
        recorder = host.Record({Topic::kSTEPRequestCallBack, Topic::kReorderNotifyInfo,
                                Topic::kPositionChanged, Topic::kSmartOrderChangeState});
    }

    // An order object as the tools build it: buy to open m2408 at a limit.
    static Json::Value Order(const std::string& price, int volume, const std::string& account = "E1008") {
        Json::Value request = JsonOf(R"({"Order": {
            "Contract": {"ExchangeCode": "DCE", "ContractCode": "m2408"}, "Direction": "0", "OffsetFlag": "0",
            "HedgeFlag": "1", "PriceType": "限价", "LimitPriceType": "CustomPrice",
            "ExtRawData": {"40": "2", "41": "3", "42": "1"}}})");
        request["EAccountID"] = account;
        request["Order"]["LimitPrice"] = price;
        request["Order"]["Volume"] = volume;
        return request;
    }

    Json::Value Insert(const Json::Value& request) {
        return host.Engine().Invoke(QStringLiteral("InsertSmartOrder"), request);
    }

    HostRuntime host;
    const Market::Instrument* meal = nullptr;
    Handle<MessageRecorder> recorder;
};

TEST_F(TradingTest, AFilledOrderIsAnsweredByCallbacksInOrder) {
    const Json::Value answer = Insert(Order("3002", 2));
    ASSERT_EQ(answer["ErrorCode"].asInt(), 0) << answer;
    EXPECT_EQ(answer["OrderId"].asString(), "SO000001");
    const std::string orderId = answer["OrderID"].asString();
    host.Settle();

    // Accepted, then filled at 3001.
    EXPECT_EQ(recorder->Topics(),
              (std::vector<QString>{Topic::kSTEPRequestCallBack, Topic::kReorderNotifyInfo,
                                    Topic::kSmartOrderChangeState, Topic::kSTEPRequestCallBack,
                                    Topic::kReorderNotifyInfo, Topic::kSmartOrderChangeState,
                                    Topic::kPositionChanged}));

    const auto callbacks = recorder->Payloads(Topic::kSTEPRequestCallBack);
    ASSERT_EQ(callbacks.size(), 2u);
    ExpectTexts(callbacks[0]["RawContent"][0], {{"OrderID", orderId.c_str()}, {"156", "2"}});
    ExpectTexts(callbacks[1]["RawContent"][0], {{"156", "0"},
                                                {"113", "2"},
                                                {"130", "2"},
                                                {"129", "3002"},
                                                {"112", "0"},
                                                {"SmartOrderId", "SO000001"},
                                                {"LastTradePrice", "3001"}});
    EXPECT_EQ(callbacks[1]["EAccountID"].asString(), "E1008");

    const auto notices = recorder->Payloads(Topic::kReorderNotifyInfo);
    EXPECT_EQ(notices[0]["State"].asInt(), 1);
    EXPECT_EQ(notices[0]["SubState"].asInt(), 2);
    EXPECT_EQ(notices[1]["State"].asInt(), 2);
    ExpectTexts(notices[1], {{"SmartOrderId", "SO000001"}, {"ReorderId", orderId.c_str()}});
    EXPECT_EQ(recorder->Payloads(Topic::kPositionChanged)[0]["AccountID"].asString(), "E1008");

    const Json::Value positions = host.Engine().GetPositions(Json::Value("E1008"));
    ASSERT_EQ(positions.size(), 1u);
    ExpectTexts(positions[0], {{"135", "2"}, {"137", "2"}, {"742", "2"}, {"136", "3001.00"}, {"112", "0"}});
    const Json::Value money = host.Engine().GetMoney(Json::Value("E1008"));
    ASSERT_EQ(money.size(), 1u);
    ExpectTexts(money[0], {{"346", "6002.00"}, {"110", "1999997.00"}, {"93", "1993995.00"}});
}

// The path the ladder and the keyboard take: on SHFE a plain close of today's position fails
// through the order's callbacks, close-today takes it.
TEST_F(TradingTest, OnShfeTodaysPositionIsRecordedApartAndOnlyCloseTodayClosesIt) {
    const int rebar = host.Instrument("SHFE", "rb2405").index;
    host.Market().SetBestQuote(rebar, 3599, 50, 3601, 50);
    auto order = [](const char* direction, const char* offset, const char* price) {
        Json::Value request = Order(price, 3);
        request["Order"]["Contract"] = JsonOf(R"({"ExchangeCode": "SHFE", "ContractCode": "rb2405"})");
        request["Order"]["Direction"] = direction;
        request["Order"]["OffsetFlag"] = offset;
        return request;
    };
    ASSERT_EQ(Insert(order("0", "0", "3601"))["ErrorCode"].asInt(), 0);
    host.Settle();
    const Json::Value positions = host.Engine().GetPositions(Json::Value("E1008"));
    ASSERT_EQ(positions.size(), 1u);
    ExpectTexts(positions[0], {{"63", "rb2405"}, {"137", "3"}, {"742", "3"}});

    // Accepted by the terminal, then reported as failed by the market.
    ASSERT_EQ(Insert(order("1", "1", "3599"))["ErrorCode"].asInt(), 0);
    host.Settle();
    ExpectTexts(recorder->Payloads(Topic::kSTEPRequestCallBack).back()["RawContent"][0],
                {{"156", "5"}, {"ErrorMsg", "可平仓位不足"}});
    const Json::Value notice = recorder->Payloads(Topic::kReorderNotifyInfo).back();
    EXPECT_EQ(notice["State"].asInt(), 4);
    EXPECT_EQ(notice["ErrorMsg"].asString(), "可平仓位不足");
    EXPECT_EQ(recorder->Payloads(Topic::kSmartOrderChangeState).back()["ResultCode"].asInt(),
              ErrorCode::kMarketRejected);

    ASSERT_EQ(Insert(order("1", "2", "3599"))["ErrorCode"].asInt(), 0);
    host.Settle();
    ExpectTexts(recorder->Payloads(Topic::kSTEPRequestCallBack).back()["RawContent"][0],
                {{"156", "0"}, {"117", "2"}});
    EXPECT_TRUE(host.Engine().GetPositions(Json::Value("E1008")).empty());
}

TEST_F(TradingTest, CancelThroughTheAccountObjectAndTheJournalOfBoth) {
    const Json::Value sent = Order("2990", 1);
    const std::string orderId = Insert(sent)["OrderID"].asString();
    Handle<Kora::Interface::EntityAccountI> account = host.EntityAccounts().GetAccount(Json::Value("E1008"));
    ASSERT_TRUE(account);
    const Json::Value query = JsonOf(R"({"OrderID": ")" + orderId + R"("})");
    const Json::Value order = account->QueryOrder(query);
    EXPECT_EQ(order["156"].asString(), "2");
    EXPECT_EQ(account->GetOrders().size(), 1u);

    EXPECT_EQ(account->CancelOrder(order)["ErrorCode"].asInt(), 0);
    host.Settle();
    EXPECT_EQ(account->QueryOrder(query)["156"].asString(), "4");
    EXPECT_EQ(recorder->Payloads(Topic::kSTEPRequestCallBack).back()["RawContent"][0]["156"].asString(), "4");
    EXPECT_EQ(recorder->Payloads(Topic::kReorderNotifyInfo).back()["State"].asInt(), 3);
    EXPECT_EQ(account->CancelOrder(order)["ErrorCode"].asInt(), ErrorCode::kNotCancellable);
    EXPECT_TRUE(host.Engine().GetCancellableOrders(Json::Value("E1008")).empty());

    const auto journal = host.JournalEntries();
    ASSERT_EQ(journal.size(), 3u);
    EXPECT_EQ(journal[0]["Kind"].asString(), "Order");
    EXPECT_EQ(journal[0]["Request"], sent);
    EXPECT_EQ(journal[0]["Time"].asString(), "2024-03-15 09:30:00.000");
    EXPECT_EQ(journal[1]["Kind"].asString(), "Cancel");
    EXPECT_EQ(journal[1]["Request"], order);
    EXPECT_FALSE(journal[1].isMember("Refused"));
    EXPECT_EQ(journal[2]["Refused"]["ErrorCode"].asInt(), ErrorCode::kNotCancellable);
}

TEST_F(TradingTest, CancelRequestsMayNameTheOrderByItsReferenceFields) {
    const std::string first = Insert(Order("2990", 1))["OrderID"].asString();
    const std::string second = Insert(Order("2991", 1))["OrderID"].asString();
    const Json::Value orders = host.Engine().GetCancellableOrders(Json::Value("E1008"));
    ASSERT_EQ(orders.size(), 2u);
    // What the stock window copies ("160"-"162") and what the shortcut window copies ("65").
    for (const auto& [order, fields] :
         {std::pair{orders[0], std::vector<const char*>{"54", "63", "160", "161", "162"}},
          std::pair{orders[1], std::vector<const char*>{"54", "63", "65", "161", "162"}}}) {
        Json::Value request(Json::objectValue);
        request["EAccountID"] = "E1008";
        for (const char* field : fields) {
            request[field] = order[field];
        }
        EXPECT_EQ(host.Engine().CancelOrder(request)["ErrorCode"].asInt(), 0) << request;
    }
    EXPECT_EQ(host.Market().FindOrder(first)->status, Market::OrderStatus::kCancelled);
    EXPECT_EQ(host.Market().FindOrder(second)->status, Market::OrderStatus::kCancelled);
}

TEST(JournalFileTest, MemoryKeepsTheLatestTenThousandLinesAndTheFileAllOfThem) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("journal.jsonl"));
    Journal journal(path);
    for (int line = 0; line < 10005; ++line) {
        journal.Append(Journal::kOrder, Json::Value(line));
    }
    const std::vector<Json::Value> kept = journal.Entries();
    ASSERT_EQ(kept.size(), 10000u);
    EXPECT_EQ(kept.front()["Request"].asInt(), 5);
    EXPECT_EQ(kept.back()["Request"].asInt(), 10004);
    EXPECT_EQ(journal.Size(), 10005u);
    EXPECT_EQ(Journal::ReadFile(path).size(), 10005u);
}

TEST_F(TradingTest, MalformedRequestsAreRefusedAndJournalledButNeverReachTheMarketAndUnknownsAnswerEmpty) {
    struct Case {
        const char* name;
        Json::Value request;
        int error;
    };
    Json::Value unknownContract = Order("3000", 1), noDirection = unknownContract,
                volumeAsText = unknownContract;
    unknownContract["Order"]["Contract"]["ContractCode"] = "m9999";
    noDirection["Order"].removeMember("Direction");
    volumeAsText["Order"]["Volume"] = "many";
    const std::vector<Case> cases{
        {"not an object", Json::Value("buy"), ErrorCode::kMalformed},
        {"unknown account", Order("3000", 1, "E404"), ErrorCode::kUnknownAccount},
        {"unknown contract", unknownContract, ErrorCode::kUnknownContract},
        {"no volume", Order("3000", 0), ErrorCode::kBadVolume},
        {"volume not a number", volumeAsText, ErrorCode::kBadVolume},
        {"price not a number", Order("abc", 1), ErrorCode::kBadPrice},
        {"no direction", noDirection, ErrorCode::kBadDirection},
        {"contract of another account", Order("3000", 1, "E1001"), ErrorCode::kContractNotOfAccount},
    };
    for (const Case& c : cases) {
        const Json::Value answer = Insert(c.request);
        EXPECT_EQ(answer["ErrorCode"].asInt(), c.error) << c.name;
        EXPECT_FALSE(answer["ErrorMsg"].asString().empty()) << c.name;
        const Json::Value line = host.JournalEntries().back();
        EXPECT_EQ(line["Request"], c.request) << c.name;
        EXPECT_EQ(line["Refused"]["ErrorCode"].asInt(), c.error) << c.name;
    }
    EXPECT_EQ(host.JournalEntries().size(), cases.size());
    host.Settle();
    EXPECT_TRUE(recorder->Messages().empty());
    EXPECT_TRUE(host.Market().Orders("E1008").empty());
    EXPECT_EQ(host.Engine().Invoke(QStringLiteral("NoSuchThing"), Json::Value())["ErrorCode"].asInt(),
              ErrorCode::kUnsupported);
    EXPECT_EQ(host.Engine().CancelOrder(Json::Value(7))["ErrorCode"].asInt(), ErrorCode::kNoSuchOrder);

    // Questions about unknown accounts and contracts are answered empty.
    const Json::Value nobody("E404");
    EXPECT_TRUE(host.Engine().GetPositions(nobody).empty());
    EXPECT_TRUE(host.Engine().GetMoney(nobody).empty());
    EXPECT_TRUE(host.Engine().GetOrders(Json::Value(Json::objectValue)).empty());
    EXPECT_EQ(host.Engine().GetAccountCategory(nobody), -1);
    EXPECT_EQ(host.Engine().GetAccountCategory(Json::Value(3.5)), -1);
    EXPECT_TRUE(host.Engine().GetAccountsByCategory(7).empty());
    EXPECT_TRUE(host.Engine().CreateOrder(Json::Value("x")).isNull());
    EXPECT_FALSE(host.EntityAccounts().GetAccount(nobody));
    EXPECT_TRUE(host.Contracts().GetContract(Json::Value(Json::arrayValue)).isNull());
    EXPECT_TRUE(host.Contracts().EnumContractByCode(QStringLiteral("nothing")).empty());
    EXPECT_FALSE(host.Contracts().IsContractOfAccount(nobody, Json::Value("m2408")));
    EXPECT_TRUE(host.VirtualAccounts().GetVirtualAccounts(Json::Value("E404")).empty());
    EXPECT_EQ(host.Engine().GetMaxOpenVolume(Json::Value(1))["MaxVolume"].asInt(), 0);
    EXPECT_EQ(host.Engine().SendRequest(6022, Json::Value(), nobody)["ErrorCode"].asInt(),
              ErrorCode::kUnknownAccount);
}

TEST_F(TradingTest, NumberedRequestsBecomeOrderObjectsAndNetPositionsResolve) {
    const Json::Value object = host.Engine().CreateOrder(JsonOf(R"({"54": "DCE", "63": "m2408",
        "112": "1", "117": "3", "119": "1", "40": "2", "129": "2999", "130": "3", "41": "3", "42": "1"})"));
    EXPECT_EQ(object["EAccountID"].asString(), "E1008");  // the current account
    EXPECT_EQ(object["Order"]["Contract"]["ContractCode"].asString(), "m2408");
    ExpectTexts(object["Order"],
                {{"Direction", "1"}, {"LimitPriceType", "CustomPrice"}, {"LimitPrice", "2999"}});
    EXPECT_EQ(object["Order"]["Volume"].asInt(), 3);
    EXPECT_EQ(object["Order"]["ExtRawData"]["41"].asString(), "3");

    host.Market().AddPosition("E1008", meal->index, Market::PositionSide::Long, 2, 2990);
    const Json::Value resolved = host.Engine().Invoke(QStringLiteral("ResolveNetPosition"), object);
    ASSERT_EQ(resolved["OrderList"].size(), 2u);
    EXPECT_EQ(resolved["OrderList"][0]["117"].asString(), "1");
    EXPECT_EQ(resolved["OrderList"][0]["130"].asString(), "2");
    EXPECT_EQ(resolved["OrderList"][1]["117"].asString(), "0");

    const Json::Value answer = Insert(object);
    EXPECT_EQ(answer["SmartOrderIdList"].size(), 2u);
    EXPECT_EQ(answer["AccountIdList"][1].asString(), "E1008");
    const Json::Value positions = host.Engine().GetPositions(Json::Value("E1008"));
    ASSERT_EQ(positions.size(), 1u);
    ExpectTexts(positions[0], {{"112", "1"}, {"135", "1"}});  // flat, then one short
    const Json::Value question = JsonOf(R"({"54": "DCE", "63": "m2408", "112": "0", "117": "0"})");
    EXPECT_GT(host.Engine().GetMaxOpenVolume(question)["MaxVolume"].asInt(), 600);

    // A net position whose opening part the money cannot pay is refused whole, before any order.
    host.Market().SetCash("E1008", 100.0);
    const size_t orders = host.Market().Orders("E1008").size();
    const Json::Value unpaid = Insert(object);
    ExpectTexts(unpaid, {{"ErrorCode", "1009"}, {"ErrorMsg", "可用资金不足"}});
    EXPECT_EQ(host.Engine().Invoke(QStringLiteral("ResolveNetPosition"), object)["ErrorCode"].asInt(), 1009);
    EXPECT_EQ(host.JournalEntries().back()["Refused"], unpaid);
    EXPECT_EQ(host.Market().Orders("E1008").size(), orders);
}

TEST_F(TradingTest, LockPasswordConfirmationAndRequests) {
    Handle<MessageRecorder> lock = host.Record({Topic::kLockUI});
    host.Engine().SetLocked(true);
    host.Settle();
    ASSERT_EQ(lock->Count(Topic::kLockUI), 1u);
    EXPECT_TRUE(lock->Payloads(Topic::kLockUI)[0]["Lock"].asBool());
    EXPECT_EQ(host.Engine().GetProperty(QStringLiteral("SoftwareType")).asString(), "模拟交易终端");
    EXPECT_EQ(host.Engine().GetProperty(QStringLiteral("TradingDay")).asInt(), 20240315);

    const Json::Value account("E1008");
    EXPECT_FALSE(host.Engine().IsTradePasswordRequired(account));
    EXPECT_TRUE(host.Engine().CheckTradePassword(account, QStringLiteral("123456")));
    EXPECT_FALSE(host.Engine().CheckTradePassword(account, QStringLiteral("654321")));
    host.Engine().SetPasswordCheck(
        [](const Json::Value&, const QString& password) { return password == "x"; });
    EXPECT_TRUE(host.Engine().CheckTradePassword(account, QStringLiteral("x")));

    QString asked;
    auto previous = Win::SetMessageBoxResponder([&](const Win::MessageBoxRequest& request) {
        asked = request.text;
        return Win::IDCANCEL;
    });
    EXPECT_FALSE(host.Engine().ConfirmOrder(Order("3000", 1), nullptr));
    EXPECT_TRUE(asked.contains(QStringLiteral("m2408")));
    Win::SetMessageBoxResponder(previous);

    const Json::Value interaction = JsonOf(R"({"Switch": true})");
    EXPECT_EQ(host.Engine().SendRequest(6022, interaction, account)["ErrorCode"].asInt(), 0);
    ASSERT_EQ(host.Engine().SentRequests().size(), 1u);
    EXPECT_EQ(host.Engine().SentRequests()[0].requestNo, 6022);
    EXPECT_EQ(host.Engine().SentRequests()[0].request, interaction);
}

TEST(AccountsTest, LoggedInAccountsCarryTheirFixedNumbersAndCategories) {
    HostRuntime host(ScriptedOptions());
    const Json::Value accounts = host.Engine().GetLoggedInAccounts();
    ASSERT_EQ(accounts.size(), 4u);
    EXPECT_EQ(accounts[1]["Identity"].asString(), "融资融券");
    EXPECT_EQ(accounts[1]["Category"].asInt(), 5);
    const Json::Value options = host.Engine().GetAccountsByCategory(6);
    ASSERT_EQ(options.size(), 1u);
    EXPECT_EQ(options[0]["249"].asString(), "10060001");
    EXPECT_EQ(host.Engine().Invoke(QStringLiteral("KRTEngineOption"), Json::Value()).size(), 2u);
    EXPECT_EQ(host.VirtualAccounts().GetVirtualAccounts(options)[0]["VAccountID"].asString(), "V1006");
    EXPECT_EQ(host.Engine().GetCurrentAccount()["EAccountID"].asString(), "E1008");

    Handle<MessageRecorder> logins = host.Record({Topic::kAccountLogout});
    EXPECT_TRUE(host.SetLoggedIn("E1006", false));
    host.Settle();
    EXPECT_TRUE(logins->Payloads(Topic::kAccountLogout)[0]["ExitTrade"].asBool());
    EXPECT_TRUE(host.Engine().GetAccountsByCategory(6).empty());
    EXPECT_FALSE(host.EntityAccounts().GetAccount(Json::Value("E1006")));
}

class AutoConfirmTest : public TradingTest {
protected:
    static HostOptions Options() {
        HostOptions options = ScriptedOptions();
        options.autoConfirm = true;
        return options;
    }
    AutoConfirmTest() : TradingTest(Options()) {}
};

Json::Value Leg(const std::string& code, int bs, int volume) {
    Json::Value leg = JsonOf(R"({"Contract": {"ExchangeCode": "DCE"}, "OC": 48, "BD": 48})");
    leg["Contract"]["ContractCode"] = code;
    leg["BS"] = bs;
    leg["Volume"] = volume;
    return leg;
}

Json::Value Combination(std::vector<Json::Value> legs) {
    Json::Value request = JsonOf(R"({"VAccountID": "V1008", "CombinationVolume": 1, "OrderList": []})");
    for (Json::Value& leg : legs) {
        request["OrderList"].append(std::move(leg));
    }
    return request;
}

const QString kCaller = QStringLiteral("KRTAddinPublic,-706-@");
const QString kPage = QStringLiteral("多品种");

TEST_F(AutoConfirmTest, ACombinationIsSentAtOnceAndConfirmedAfterItsOrders) {
    Handle<MessageRecorder> confirmed = host.Record({Topic::kCombinationOrderConfirmed});
    const Json::Value request = Combination({Leg("m2408", 48, 2), Leg("m2408", 49, 1)});
    QWidget* page = host.AddinPublic().OpenPage(1001, kCaller, kPage, nullptr, request);
    EXPECT_NE(page, nullptr);
    host.Settle();
    ASSERT_EQ(confirmed->Count(Topic::kCombinationOrderConfirmed), 1u);
    const Json::Value results = confirmed->Payloads(Topic::kCombinationOrderConfirmed)[0]["Results"];
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0]["ErrorCode"].asInt(), 0);

    const auto orders = host.Market().Orders("E1008");
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(orders[0].filled, 2);           // bought at the ask ("对手价")
    EXPECT_EQ(orders[1].ticket.price, 2999);  // sold at the bid
    EXPECT_TRUE(host.AddinPublic().Pending().empty());

    // The request as received, then each leg's order as it was sent.
    const auto journal = host.JournalEntries();
    ASSERT_EQ(journal.size(), 3u);
    EXPECT_EQ(journal[0]["Request"], request);
    EXPECT_EQ(journal[0]["PageID"].asInt(), 1001);
    ExpectTexts(journal[0],
                {{"Kind", "Combination"}, {"Caller", "KRTAddinPublic,-706-@"}, {"PageName", "多品种"}});
    for (size_t leg = 1; leg < journal.size(); ++leg) {
        EXPECT_EQ(journal[leg]["Kind"].asString(), "Order");
        EXPECT_EQ(journal[leg]["Request"]["Order"]["Contract"]["ContractCode"].asString(), "m2408");
    }
    EXPECT_EQ(journal[2]["Request"]["Order"]["Direction"].asString(), "1");
}

TEST_F(TradingTest, ACombinationWaitsForConfirmationOrCancellation) {
    Handle<MessageRecorder> pages =
        host.Record({Topic::kCombinationOrderConfirmed, Topic::kCombinationOrderCancelled});
    ASSERT_NE(host.AddinPublic().OpenPage(1001, kCaller, kPage, nullptr, Combination({Leg("m2408", 48, 1)})),
              nullptr);
    ASSERT_NE(host.AddinPublic().OpenPage(1001, kCaller, kPage, nullptr, Combination({})), nullptr);
    const auto pending = host.AddinPublic().Pending();
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_TRUE(host.Market().Orders("E1008").empty());

    EXPECT_TRUE(host.AddinPublic().Confirm(pending[0].id));
    EXPECT_TRUE(host.AddinPublic().Cancel(pending[1].id));
    EXPECT_FALSE(host.AddinPublic().Cancel(pending[1].id));
    host.Settle();
    EXPECT_EQ(pages->Topics(),
              (std::vector<QString>{Topic::kCombinationOrderConfirmed, Topic::kCombinationOrderCancelled}));
    EXPECT_EQ(host.Market().Orders("E1008").size(), 1u);
}

TEST_F(TradingTest, MalformedCombinationsOpenNoPage) {
    struct Case {
        const char* name;
        int page;
        Json::Value request;
    };
    const std::vector<Case> cases{
        {"unknown leg contract", 1001, Combination({Leg("m9999", 48, 1)})},
        {"leg without volume", 1001, Combination({Leg("m2408", 48, 0)})},
        {"no OrderList", 1001, JsonOf(R"({"VAccountID": "V1008"})")},
        {"not an object", 1001, Json::Value(3)},
        {"another page", 1002, Combination({})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(host.AddinPublic().OpenPage(c.page, kCaller, kPage, nullptr, c.request), nullptr) << c.name;
        const Json::Value line = host.JournalEntries().back();
        EXPECT_EQ(line["Refused"]["ErrorCode"].asInt(), ErrorCode::kBadCombination) << c.name;
        EXPECT_EQ(line["Request"], c.request) << c.name;
    }
    EXPECT_TRUE(host.AddinPublic().Pending().empty());
}

TEST_F(TradingTest, AConditionalOrderSendsItsOrderOnceWhenTheLastPriceCrossesItsLevel) {
    const Json::Value params = JsonOf(R"({"ExchangeCode": "DCE", "ContractCode": "m2408",
        "PriceType": "对手价", "Direction": "0", "OffsetFlag": "0", "Volume": 2,
        "Trigger": {"Price": "3010", "Condition": ">="}})");
    const Json::Value answer = host.Conditions().Execute(QStringLiteral("-808-@"), params);
    EXPECT_EQ(answer["ErrorCode"].asInt(), 0);
    EXPECT_EQ(answer["ConditionOrderId"].asString(), "C000001");
    ExpectTexts(host.JournalEntries().back(), {{"Kind", "ConditionalOrder"}, {"Function", "-808-@"}});
    EXPECT_EQ(host.JournalEntries().back()["Request"], params);

    auto sent = [&] { return JournalOf(host, QStringLiteral("Order")); };
    host.Market().SetBestQuote(meal->index, 3009, 50, 3011, 50);
    host.Market().TradeAt(meal->index, 3005, 1);
    EXPECT_TRUE(sent().empty());
    host.Market().TradeAt(meal->index, 3010, 1);  // crosses up: the order goes
    host.Market().TradeAt(meal->index, 3002, 1);
    host.Market().TradeAt(meal->index, 3012, 1);  // crosses again: nothing more
    const auto orders = sent();
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0]["ConditionOrderId"].asString(), "C000001");
    ExpectTexts(orders[0]["Request"]["Order"],
                {{"Direction", "0"}, {"OffsetFlag", "0"}, {"LimitPriceType", "对手价"}});
    EXPECT_EQ(orders[0]["Request"]["Order"]["Volume"].asInt(), 2);
    EXPECT_EQ(host.Conditions().Orders()[0].state, "已触发");
    ASSERT_EQ(host.Market().Positions("E1008").size(), 1u);
    EXPECT_EQ(host.Market().Positions("E1008")[0].total, 2);  // bought at the offer
}

TEST_F(TradingTest, CancelledExpiredAndUnsetConditionsNeverSend) {
    auto condition = [&](const char* trigger) {
        Json::Value params = JsonOf(
            R"({"ExchangeCode": "DCE", "ContractCode": "m2408", "Direction": "1", "OffsetFlag": "0"})");
        if (*trigger) {
            params["Trigger"] = JsonOf(trigger);
        }
        return host.Conditions().Execute(QStringLiteral("-808-@"), params);
    };
    const std::string cancelled = condition(R"({"Price": 2995})")["ConditionOrderId"].asString();
    condition(R"({"Price": 2995, "Condition": "小于等于", "ExpireTime": "2024-03-15 09:29:59"})");
    condition("");
    EXPECT_TRUE(host.Conditions().Cancel(cancelled));
    EXPECT_FALSE(host.Conditions().Cancel(cancelled));
    host.Market().TradeAt(meal->index, 2990, 1);
    std::vector<std::string> states;
    for (const auto& kept : host.Conditions().Orders()) {
        states.push_back(kept.state);
    }
    EXPECT_EQ(states, (std::vector<std::string>{"已撤销", "已过期", "未设条件"}));
    EXPECT_TRUE(JournalOf(host, QStringLiteral("Order")).empty());

    for (const char* malformed :
         {R"({"Price": "abc"})", R"({"Price": -1})", R"({"Price": 3000, "Condition": "!="})",
          R"({"Price": 3000, "ExpireTime": "tomorrow"})", "[3000]"}) {
        EXPECT_EQ(condition(malformed)["ErrorCode"].asInt(), ErrorCode::kBadCondition) << malformed;
    }
    EXPECT_EQ(host.Conditions().Execute(QStringLiteral("-808-@"), Json::Value("m2408"))["ErrorCode"].asInt(),
              ErrorCode::kBadCondition);
    EXPECT_EQ(host.Conditions().Orders().size(), 3u);
}

}  // namespace
