#include "fileorder/CombinationRequest.h"

#include "kora/interface/FieldIds.h"
#include "kora/utility/JsonAccess.h"
#include "trading/CombinationOrder.h"
#include "trading/TradingCodes.h"

using Kora::Utility::JsonText;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;

namespace CombinationRequest {

namespace {

QChar FirstCharacter(const Json::Value& value) {
    return TradingCodes::CodeOf(JsonWText(value));
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
            orders.append(CombinationOrder::LegRecord({JsonWText(Member(row, "EXCHANGE")),
                                                       JsonWText(Member(row, "CONTRACT")),
                                                       FirstCharacter(Member(row, "DIRECTION")),
                                                       FirstCharacter(Member(row, "OFFSETFLAG")),
                                                       FirstCharacter(Member(row, "COVERED")),
                                                       Member(row, "VOLUME"),
                                                       {}}));
        }
    }
    request["CombinationVolume"] = 1;
    return request;
}

}  // namespace CombinationRequest
