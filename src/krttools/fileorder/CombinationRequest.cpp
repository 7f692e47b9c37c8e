#include "fileorder/CombinationRequest.h"

#include "kora/interface/FieldIds.h"
#include "kora/utility/JsonAccess.h"
#include "trading/CategoryPolicy.h"
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

std::vector<OrderTicket> Legs(const QString& accountId, const Json::Value& rows) {
    std::vector<OrderTicket> legs;
    if (!rows.isArray()) {
        return legs;
    }
    const CategoryPolicy policy = CategoryPolicy::OfCategory(CategoryPolicy::kStockOptionCategory);
    for (const Json::Value& row : rows) {
        Json::Value contract(Json::objectValue);
        contract[Field::kExchangeCode] = JsonText(Member(row, "EXCHANGE"));
        contract[Field::kContractCode] = JsonText(Member(row, "CONTRACT"));
        OrderTicket leg = policy.NewTicket(accountId, contract);
        leg.direction = FirstCharacter(Member(row, "DIRECTION"));
        leg.offset = FirstCharacter(Member(row, "OFFSETFLAG"));
        leg.covered = FirstCharacter(Member(row, "COVERED"));
        leg.volume = Kora::Utility::JsonInt(row, "VOLUME");
        leg.pricing = OrderTicket::Pricing::kEngineRule;
        legs.push_back(std::move(leg));
    }
    return legs;
}

Json::Value Build(const Json::Value& account, const Json::Value& rows) {
    const std::vector<OrderTicket> tickets = Legs(JsonWText(Member(account, "EAccountID")), rows);
    std::vector<CombinationOrder::Leg> legs;
    for (size_t i = 0; i < tickets.size(); ++i) {
        const OrderTicket& ticket = tickets[i];
        legs.push_back({ticket.exchangeCode,
                        ticket.contractCode,
                        ticket.direction,
                        ticket.offset,
                        ticket.covered,
                        Member(rows[static_cast<Json::ArrayIndex>(i)], "VOLUME"),
                        {}});
    }
    return CombinationOrder::Request(account, legs);
}

}  // namespace CombinationRequest
