// Turning an order file's rows into the combination order request.

#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDate>

#include "fileorder/CombinationRequest.h"
#include "fileorder/DbfTable.h"
#include "support/JsonOf.h"

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
    const Json::Value rows = JsonOf(R"([
        {"EXCHANGE": "SSE", "CONTRACT": "10004567", "DIRECTION": "1", "OFFSETFLAG": "0", "COVERED": "1",
         "VOLUME": 10},
        {"EXCHANGE": "SZSE", "CONTRACT": 90000123, "DIRECTION": 2, "VOLUME": "3"}])");
    const Json::Value expected = JsonOf(R"({"EAccountID": "E2", "VAccountID": "V2", "CombinationVolume": 1,
        "OrderList": [{"Contract": {"ExchangeCode": "SSE", "ContractCode": "10004567"},
                       "BS": 49, "OC": 48, "BD": 49, "Volume": 10},
                      {"Contract": {"ExchangeCode": "SZSE", "ContractCode": "90000123"},
                       "BS": 50, "OC": 0, "BD": 0, "Volume": "3"}]})");
    EXPECT_EQ(CombinationRequest::Build(Account("880012", "E2", "V2"), rows), expected);
}

// Every text in v (member names too) that lies inside a loaded program or library image rather
// than in memory of its own.
std::vector<std::string> TextsInsideAnImage(const Json::Value& v) {
    std::vector<std::string> found;
    auto inImage = [](const char* text) {
        Dl_info info{};
        return ::dladdr(text, &info) != 0;
    };
    if (v.isString()) {
        const char* begin = nullptr;
        const char* end = nullptr;
        if (v.getString(&begin, &end) && inImage(begin)) {
            found.emplace_back(begin, end);
        }
    } else if (v.isObject() || v.isArray()) {
        for (auto it = v.begin(); it != v.end(); ++it) {
            const char* nameEnd = nullptr;
            const char* name = v.isObject() ? it.memberName(&nameEnd) : nullptr;
            if (name && inImage(name)) {
                found.emplace_back(name, nameEnd);
            }
            for (std::string& text : TextsInsideAnImage(*it)) {
                found.push_back(std::move(text));
            }
        }
    }
    return found;
}

// The reader gave one-character values as static strings inside the component's library, and
// a request built from them carried them to the host, which keeps the request in its pending
// page: once the component is unloaded, the host's copy points nowhere. Every text that goes
// to the host is the request's own.
TEST(CombinationRequest, OneCharacterTextsOfAFilePointedIntoTheComponentAndAreNowCopies) {
    DbfTable table;
    for (const char* name : {"EXCHANGE", "CONTRACT", "DIRECTION", "OFFSETFLAG", "COVERED", "VOLUME"}) {
        table.AddField(name, 'C', 8);
    }
    table.AddRecord({"SSE", "10004567", "1", "0", "0", "5"});  // VOLUME written as text
    DbfTable read;
    ASSERT_EQ(DbfTable::Parse(table.Serialize(QDate(2024, 5, 17)), read), DbfTable::Status::Ok);
    const Json::Value request = CombinationRequest::Build(Account("880012", "E2", "V2"), read.Rows());
    ASSERT_EQ(request["OrderList"][0]["Volume"], "5");
    EXPECT_THAT(TextsInsideAnImage(request), ::testing::IsEmpty());
}

}  // namespace
