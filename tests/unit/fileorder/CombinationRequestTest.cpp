// Turning an order file's rows into the combination order request.

#include <gtest/gtest.h>

#include "fileorder/CombinationRequest.h"

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
    Json::Value rows(Json::arrayValue);
    Json::Value row(Json::objectValue);
    row["EXCHANGE"] = "SSE";
    row["CONTRACT"] = "10004567";
    row["DIRECTION"] = "1";
    row["OFFSETFLAG"] = "0";
    row["COVERED"] = "1";
    row["VOLUME"] = 10;
    rows.append(row);
    Json::Value numeric(Json::objectValue);  // a writer that declared the codes as numbers
    numeric["EXCHANGE"] = "SZSE";
    numeric["CONTRACT"] = 90000123;
    numeric["DIRECTION"] = 2;
    numeric["VOLUME"] = "3";
    rows.append(numeric);

    Json::Value request = CombinationRequest::Build(Account("880012", "E2", "V2"), rows);
    EXPECT_EQ(request["EAccountID"], "E2");
    EXPECT_EQ(request["VAccountID"], "V2");
    EXPECT_EQ(request["CombinationVolume"], 1);
    ASSERT_EQ(request["OrderList"].size(), 2u);
    const Json::Value& first = request["OrderList"][0];
    EXPECT_EQ(first["Contract"]["ExchangeCode"], "SSE");
    EXPECT_EQ(first["Contract"]["ContractCode"], "10004567");
    EXPECT_EQ(first["BS"], 49);
    EXPECT_EQ(first["OC"], 48);
    EXPECT_EQ(first["BD"], 49);
    EXPECT_EQ(first["Volume"], 10);
    const Json::Value& second = request["OrderList"][1];
    EXPECT_EQ(second["Contract"]["ContractCode"], "90000123");
    EXPECT_EQ(second["BS"], 50);
    EXPECT_EQ(second["OC"], 0);  // no OFFSETFLAG
    EXPECT_EQ(second["Volume"], "3");
}

}  // namespace
