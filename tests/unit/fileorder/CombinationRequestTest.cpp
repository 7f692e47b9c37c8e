// Turning an order file's rows into the combination order request.

#include <gtest/gtest.h>

#include "fileorder/CombinationRequest.h"
#include "kora/utility/JsonAccess.h"

namespace {

Json::Value Account(const char* number, const char* eaccount, const char* vaccount) {
    Json::Value account(Json::objectValue);
    account["249"] = number;
    account["EAccountID"] = eaccount;
    account["VAccountID"] = vaccount;
    return account;
}

TEST(CombinationRequest, FindsTheAccountByItsNumber) {
    Json::Value accounts(Json::arrayValue);
    accounts.append(Account("880011", "E1", "V1"));
    accounts.append(Account("880012", "E2", "V2"));
    Json::Value numeric = Account("", "E3", "V3");
    numeric["249"] = 880013;
    accounts.append(numeric);
    accounts.append("junk");

    ASSERT_NE(CombinationRequest::FindAccount(accounts, "880012"), nullptr);
    EXPECT_EQ((*CombinationRequest::FindAccount(accounts, "880012"))["EAccountID"], "E2");
    ASSERT_NE(CombinationRequest::FindAccount(accounts, "880013"), nullptr);
    EXPECT_EQ(CombinationRequest::FindAccount(accounts, "880014"), nullptr);
    EXPECT_EQ(CombinationRequest::FindAccount(Json::Value(), "880011"), nullptr);
    EXPECT_EQ(CombinationRequest::FindAccount(Json::Value(7), "880011"), nullptr);
}

TEST(CombinationRequest, RowsBecomeLegs) {
    // The second row is from a writer that declared the codes as numbers, and has no OFFSETFLAG.
    Json::Value rows, expected;
    ASSERT_TRUE(Kora::Utility::JsonParse(R"([
        {"EXCHANGE": "SSE", "CONTRACT": "10004567", "DIRECTION": "1", "OFFSETFLAG": "0", "COVERED": "1",
         "VOLUME": 10},
        {"EXCHANGE": "SZSE", "CONTRACT": 90000123, "DIRECTION": 2, "VOLUME": "3"}])",
                                         rows));
    ASSERT_TRUE(Kora::Utility::JsonParse(R"({"EAccountID": "E2", "VAccountID": "V2", "CombinationVolume": 1,
        "OrderList": [{"Contract": {"ExchangeCode": "SSE", "ContractCode": "10004567"},
                       "BS": 49, "OC": 48, "BD": 49, "Volume": 10},
                      {"Contract": {"ExchangeCode": "SZSE", "ContractCode": "90000123"},
                       "BS": 50, "OC": 0, "BD": 0, "Volume": "3"}]})",
                                         expected));
    EXPECT_EQ(CombinationRequest::Build(Account("880012", "E2", "V2"), rows), expected);
}

}  // namespace
