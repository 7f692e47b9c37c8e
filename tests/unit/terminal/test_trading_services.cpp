// Trading through the terminal's services: orders, answers, positions, money, cancels, the
// journal, and what malformed requests get.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TerminalTestSupport.h"
#include "host/ErrorCodes.h"
#include "kora/interface/Topics.h"
#include "platform/MessageBox.h"

using namespace Terminal;
namespace Topic = Kora::Interface::Topic;
using Kora::Utility::Handle;

namespace {

class TradingTest : public ::testing::Test {
protected:
    explicit TradingTest(HostOptions options = TerminalTest::ScriptedOptions()) : host(options) {
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

    // An order object as the tools build it.
    static Json::Value Order(const std::string& direction, const std::string& offset,
                             const std::string& price, int volume, const std::string& account = "E1008") {
        Json::Value request(Json::objectValue);
        request["EAccountID"] = account;
        Json::Value& order = request["Order"];
        order["Contract"]["ExchangeCode"] = "DCE";
        order["Contract"]["ContractCode"] = "m2408";
        order["Direction"] = direction;
        order["OffsetFlag"] = offset;
        order["HedgeFlag"] = "1";
        order["PriceType"] = "限价";
        order["LimitPriceType"] = "CustomPrice";
        order["LimitPrice"] = price;
        order["Volume"] = volume;
        order["ExtRawData"]["40"] = "2";
        order["ExtRawData"]["41"] = "3";
        order["ExtRawData"]["42"] = "1";
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
    const Json::Value answer = Insert(Order("0", "0", "3002", 2));
    ASSERT_EQ(answer["ErrorCode"].asInt(), 0) << answer;
    EXPECT_EQ(answer["OrderId"].asString(), "SO000001");
    const std::string orderId = answer["OrderID"].asString();
    host.Settle();

    const std::vector<QString> step{Topic::kSTEPRequestCallBack, Topic::kReorderNotifyInfo,
                                    Topic::kSmartOrderChangeState};
    std::vector<QString> expected = step;  // accepted
    expected.insert(expected.end(), step.begin(), step.end());
    expected.push_back(Topic::kPositionChanged);  // filled at 3001
    EXPECT_EQ(recorder->Topics(), expected);

    const auto callbacks = recorder->Payloads(Topic::kSTEPRequestCallBack);
    ASSERT_EQ(callbacks.size(), 2u);
    const Json::Value& accepted = callbacks[0]["RawContent"][0];
    const Json::Value& filled = callbacks[1]["RawContent"][0];
    EXPECT_EQ(accepted["OrderID"].asString(), orderId);
    EXPECT_EQ(accepted["156"].asString(), "2");
    EXPECT_EQ(filled["156"].asString(), "0");
    EXPECT_EQ(filled["113"].asString(), "2");
    EXPECT_EQ(filled["130"].asString(), "2");
    EXPECT_EQ(filled["129"].asString(), "3002");
    EXPECT_EQ(filled["63"].asString(), "m2408");
    EXPECT_EQ(filled["112"].asString(), "0");
    EXPECT_EQ(filled["SmartOrderId"].asString(), "SO000001");
    EXPECT_EQ(filled["LastTradePrice"].asString(), "3001");
    EXPECT_EQ(callbacks[1]["EAccountID"].asString(), "E1008");

    const auto notices = recorder->Payloads(Topic::kReorderNotifyInfo);
    EXPECT_EQ(notices[0]["State"].asInt(), 1);
    EXPECT_EQ(notices[0]["SubState"].asInt(), 2);
    EXPECT_EQ(notices[1]["State"].asInt(), 2);
    EXPECT_EQ(notices[1]["SmartOrderId"].asString(), "SO000001");
    EXPECT_EQ(notices[1]["ReorderId"].asString(), orderId);
    EXPECT_EQ(recorder->Payloads(Topic::kPositionChanged)[0]["AccountID"].asString(), "E1008");

    const Json::Value positions = host.Engine().GetPositions(Json::Value("E1008"));
    ASSERT_EQ(positions.size(), 1u);
    EXPECT_EQ(positions[0]["135"].asString(), "2");
    EXPECT_EQ(positions[0]["137"].asString(), "2");
    EXPECT_EQ(positions[0]["742"].asString(), "2");
    EXPECT_EQ(positions[0]["136"].asString(), "3001.00");
    EXPECT_EQ(positions[0]["112"].asString(), "0");
    const Json::Value money = host.Engine().GetMoney(Json::Value("E1008"));
    ASSERT_EQ(money.size(), 1u);
    EXPECT_EQ(money[0]["346"].asString(), "6002.00");
    EXPECT_EQ(money[0]["110"].asString(), "1999997.00");
    EXPECT_EQ(money[0]["93"].asString(), "1993995.00");
    EXPECT_EQ(money[0]["56"].asString(), "CNY");
}

TEST_F(TradingTest, AnOrderTheMarketRefusesIsAcceptedThenReportedAsFailed) {
    const Json::Value answer = Insert(Order("0", "0", "3300", 1));  // above the upper limit
    ASSERT_EQ(answer["ErrorCode"].asInt(), 0);
    host.Settle();
    const auto callbacks = recorder->Payloads(Topic::kSTEPRequestCallBack);
    ASSERT_EQ(callbacks.size(), 1u);
    EXPECT_EQ(callbacks[0]["RawContent"][0]["156"].asString(), "5");
    EXPECT_EQ(callbacks[0]["RawContent"][0]["ErrorMsg"].asString(), "委托价格超出涨跌停板");
    const auto notices = recorder->Payloads(Topic::kReorderNotifyInfo);
    EXPECT_EQ(notices[0]["State"].asInt(), 4);
    EXPECT_EQ(notices[0]["ErrorMsg"].asString(), "委托价格超出涨跌停板");
    EXPECT_EQ(recorder->Payloads(Topic::kSmartOrderChangeState)[0]["ResultCode"].asInt(),
              ErrorCode::kMarketRejected);
}

TEST_F(TradingTest, CancelThroughTheAccountObjectAndTheJournalOfBoth) {
    const Json::Value sent = Order("0", "0", "2990", 1);
    const std::string orderId = Insert(sent)["OrderID"].asString();
    Handle<Kora::Interface::EntityAccountI> account = host.EntityAccounts().GetAccount(Json::Value("E1008"));
    ASSERT_TRUE(account);
    Json::Value query(Json::objectValue);
    query["OrderID"] = orderId;
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
    const std::string first = Insert(Order("0", "0", "2990", 1))["OrderID"].asString();
    const std::string second = Insert(Order("0", "0", "2991", 1))["OrderID"].asString();
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

TEST(JournalFileTest, LinesAreInTheFileAsSoonAsTheRequestArrives) {
    QTemporaryDir folder;
    HostOptions options = TerminalTest::ScriptedOptions();
    options.journalPath = folder.filePath(QStringLiteral("journal.jsonl"));
    HostRuntime host(options);
    Json::Value request(Json::objectValue);
    request["54"] = "SHSE-A";
    request["63"] = "600000";
    request["112"] = "0";
    request["129"] = "7.40";
    request["130"] = "100";
    request["EAccountID"] = "E1001";
    ASSERT_EQ(host.Engine().Invoke(QStringLiteral("InsertSmartOrder"), request)["ErrorCode"].asInt(), 0);
    const auto lines = Journal::ReadFile(options.journalPath);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]["Kind"].asString(), "Order");
    EXPECT_EQ(lines[0]["Request"], request);
}

TEST_F(TradingTest, MalformedRequestsAreRefusedAndJournalledButNeverReachTheMarket) {
    struct Case {
        const char* name;
        Json::Value request;
        int error;
    };
    Json::Value unknownContract = Order("0", "0", "3000", 1);
    unknownContract["Order"]["Contract"]["ContractCode"] = "m9999";
    Json::Value noDirection = Order("0", "0", "3000", 1);
    noDirection["Order"].removeMember("Direction");
    Json::Value volumeAsText = Order("0", "0", "3000", 1);
    volumeAsText["Order"]["Volume"] = "many";
    const std::vector<Case> cases{
        {"not an object", Json::Value("buy"), ErrorCode::kMalformed},
        {"unknown account", Order("0", "0", "3000", 1, "E404"), ErrorCode::kUnknownAccount},
        {"unknown contract", unknownContract, ErrorCode::kUnknownContract},
        {"no volume", Order("0", "0", "3000", 0), ErrorCode::kBadVolume},
        {"volume not a number", volumeAsText, ErrorCode::kBadVolume},
        {"price not a number", Order("0", "0", "abc", 1), ErrorCode::kBadPrice},
        {"no direction", noDirection, ErrorCode::kBadDirection},
        {"contract of another account", Order("0", "0", "3000", 1, "E1001"),
         ErrorCode::kContractNotOfAccount},
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
}

TEST_F(TradingTest, UnknownAccountsAndContractsAnswerEmpty) {
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
    Json::Value request(Json::objectValue);
    request["54"] = "DCE";
    request["63"] = "m2408";
    request["112"] = "1";
    request["117"] = "3";
    request["119"] = "1";
    request["40"] = "2";
    request["129"] = "2999";
    request["130"] = "3";
    request["41"] = "3";
    request["42"] = "1";
    const Json::Value object = host.Engine().CreateOrder(request);
    EXPECT_EQ(object["EAccountID"].asString(), "E1008");  // the current account
    EXPECT_EQ(object["Order"]["Contract"]["ContractCode"].asString(), "m2408");
    EXPECT_EQ(object["Order"]["Direction"].asString(), "1");
    EXPECT_EQ(object["Order"]["LimitPriceType"].asString(), "CustomPrice");
    EXPECT_EQ(object["Order"]["LimitPrice"].asString(), "2999");
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
    EXPECT_EQ(positions[0]["112"].asString(), "1");  // flat, then one short
    EXPECT_EQ(positions[0]["135"].asString(), "1");

    Json::Value question(Json::objectValue);
    question["54"] = "DCE";
    question["63"] = "m2408";
    question["112"] = "0";
    question["117"] = "0";
    EXPECT_GT(host.Engine().GetMaxOpenVolume(question)["MaxVolume"].asInt(), 600);
}

TEST_F(TradingTest, LockPasswordConfirmationAndRequests) {
    Handle<MessageRecorder> lock = host.Record({Topic::kLockUI});
    host.Engine().SetLocked(true);
    host.Settle();
    EXPECT_TRUE(host.Engine().GetProperty(QStringLiteral("Lock")).asBool());
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
    EXPECT_FALSE(host.Engine().ConfirmOrder(Order("0", "0", "3000", 1), nullptr));
    EXPECT_TRUE(asked.contains(QStringLiteral("m2408")));
    Win::SetMessageBoxResponder(previous);

    Json::Value interaction(Json::objectValue);
    interaction["Switch"] = true;
    EXPECT_EQ(host.Engine().SendRequest(6022, interaction, account)["ErrorCode"].asInt(), 0);
    ASSERT_EQ(host.Engine().SentRequests().size(), 1u);
    EXPECT_EQ(host.Engine().SentRequests()[0].requestNo, 6022);
    EXPECT_EQ(host.Engine().SentRequests()[0].request, interaction);
}

TEST(AccountsTest, LoggedInAccountsCarryTheirFixedNumbersAndCategories) {
    HostRuntime host(TerminalTest::ScriptedOptions());
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
        HostOptions options = TerminalTest::ScriptedOptions();
        options.autoConfirm = true;
        return options;
    }
    AutoConfirmTest() : TradingTest(Options()) {}
};

Json::Value Combination(Json::Value legs) {
    Json::Value request(Json::objectValue);
    request["VAccountID"] = "V1008";
    request["CombinationVolume"] = 1;
    request["OrderList"] = std::move(legs);
    return request;
}

Json::Value Leg(const std::string& code, int bs, int volume) {
    Json::Value leg(Json::objectValue);
    leg["Contract"]["ExchangeCode"] = "DCE";
    leg["Contract"]["ContractCode"] = code;
    leg["BS"] = bs;
    leg["OC"] = 48;
    leg["BD"] = 48;
    leg["Volume"] = volume;
    return leg;
}

const QString kCaller = QStringLiteral("KRTAddinPublic,-706-@");
const QString kPage = QStringLiteral("多品种");

TEST_F(AutoConfirmTest, ACombinationIsSentAtOnceAndConfirmedAfterItsOrders) {
    Handle<MessageRecorder> confirmed = host.Record({Topic::kCombinationOrderConfirmed});
    Json::Value legs(Json::arrayValue);
    legs.append(Leg("m2408", 48, 2));
    legs.append(Leg("m2408", 49, 1));
    const Json::Value request = Combination(legs);
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
    const Json::Value& line = journal[0];
    EXPECT_EQ(line["Kind"].asString(), "Combination");
    EXPECT_EQ(line["Request"], request);
    EXPECT_EQ(line["PageID"].asInt(), 1001);
    EXPECT_EQ(line["Caller"].asString(), kCaller.toStdString());
    EXPECT_EQ(line["PageName"].asString(), "多品种");
    for (size_t leg = 1; leg < journal.size(); ++leg) {
        EXPECT_EQ(journal[leg]["Kind"].asString(), "Order");
        EXPECT_EQ(journal[leg]["Request"]["Order"]["Contract"]["ContractCode"].asString(), "m2408");
    }
    EXPECT_EQ(journal[2]["Request"]["Order"]["Direction"].asString(), "1");
}

TEST_F(TradingTest, ACombinationWaitsForConfirmationOrCancellation) {
    Handle<MessageRecorder> pages =
        host.Record({Topic::kCombinationOrderConfirmed, Topic::kCombinationOrderCancelled});
    Json::Value legs(Json::arrayValue);
    legs.append(Leg("m2408", 48, 1));
    ASSERT_NE(host.AddinPublic().OpenPage(1001, kCaller, kPage, nullptr, Combination(legs)), nullptr);
    ASSERT_NE(host.AddinPublic().OpenPage(1001, kCaller, kPage, nullptr,
                                          Combination(Json::Value(Json::arrayValue))),
              nullptr);
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
    Json::Value badLeg(Json::arrayValue);
    badLeg.append(Leg("m9999", 48, 1));
    Json::Value noVolume(Json::arrayValue);
    noVolume.append(Leg("m2408", 48, 0));
    Json::Value noOrders(Json::objectValue);
    noOrders["VAccountID"] = "V1008";
    struct Case {
        const char* name;
        int page;
        Json::Value request;
    };
    const std::vector<Case> cases{
        {"unknown leg contract", 1001, Combination(badLeg)},
        {"leg without volume", 1001, Combination(noVolume)},
        {"no OrderList", 1001, noOrders},
        {"not an object", 1001, Json::Value(3)},
        {"another page", 1002, Combination(Json::Value(Json::arrayValue))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(host.AddinPublic().OpenPage(c.page, kCaller, kPage, nullptr, c.request), nullptr) << c.name;
        const Json::Value line = host.JournalEntries().back();
        EXPECT_EQ(line["Refused"]["ErrorCode"].asInt(), ErrorCode::kBadCombination) << c.name;
        EXPECT_EQ(line["Request"], c.request) << c.name;
    }
    EXPECT_TRUE(host.AddinPublic().Pending().empty());
}

TEST_F(TradingTest, ConditionalOrdersAreKeptAndJournalled) {
    Json::Value params(Json::objectValue);
    params["ExchangeCode"] = "DCE";
    params["ContractCode"] = "m2408";
    params["PriceType"] = "对手价";
    params["Direction"] = "0";
    const Json::Value answer = host.Conditions().Execute(QStringLiteral("-808-@"), params);
    EXPECT_EQ(answer["ErrorCode"].asInt(), 0);
    EXPECT_EQ(answer["ConditionOrderId"].asString(), "C000001");
    EXPECT_EQ(host.JournalEntries().back()["Kind"].asString(), "ConditionalOrder");
    EXPECT_EQ(host.JournalEntries().back()["Function"].asString(), "-808-@");
    EXPECT_EQ(host.JournalEntries().back()["Request"], params);

    EXPECT_EQ(host.Conditions().Execute(QStringLiteral("-808-@"), Json::Value("m2408"))["ErrorCode"].asInt(),
              ErrorCode::kBadCondition);
    EXPECT_EQ(host.Conditions().Orders().size(), 1u);
}

}  // namespace
