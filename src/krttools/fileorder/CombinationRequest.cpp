#include "fileorder/CombinationRequest.h"

#include "kora/interface/FieldIds.h"
#include "kora/utility/JsonAccess.h"

using Kora::Utility::JsonText;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;

namespace CombinationRequest {

namespace {

int FirstCharacterCode(const Json::Value& value) {
    const QString text = JsonWText(value);
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

}  // namespace

const Json::Value* FindAccount(const Json::Value& accounts, const std::string& accountNumber) {
    if (!accounts.isArray() && !accounts.isObject()) {
        return nullptr;
    }
    for (const Json::Value& account : accounts) {
        if (account.isObject() && JsonText(Member(account, Field::kAccountText)) == accountNumber) {
            return &account;
        }
    }
    return nullptr;
}

Json::Value Build(const Json::Value& account, const Json::Value& rows) {
    Json::Value request(Json::objectValue);
    request["EAccountID"] = Member(account, "EAccountID");
    request["VAccountID"] = Member(account, "VAccountID");
    Json::Value& orders = request["OrderList"] = Json::Value(Json::arrayValue);
    if (rows.isArray()) {
        for (const Json::Value& row : rows) {
            Json::Value order(Json::objectValue);
            order["Contract"]["ExchangeCode"] = JsonText(Member(row, "EXCHANGE"));
            order["Contract"]["ContractCode"] = JsonText(Member(row, "CONTRACT"));
            order["BS"] = FirstCharacterCode(Member(row, "DIRECTION"));
            order["OC"] = FirstCharacterCode(Member(row, "OFFSETFLAG"));
            order["BD"] = FirstCharacterCode(Member(row, "COVERED"));
            order["Volume"] = Member(row, "VOLUME");
            orders.append(std::move(order));
        }
    }
    request["CombinationVolume"] = 1;
    return request;
}

}  // namespace CombinationRequest
