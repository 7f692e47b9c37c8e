#pragma once

#include <json/value.h>

#include <atomic>
#include <functional>
#include <string>

#include "host/Journal.h"
#include "host/OrderRequest.h"
#include "market/Simulator.h"

namespace Terminal {

// Where order and cancel requests of every service reach the market. Each order request becomes
// one smart order per market order ("SO000001" ...), whose identifier tags the order so the
// answers can be followed. Requests are journalled as received, with the refusal when refused.
class OrderDesk {
public:
    OrderDesk(Market::Simulator& market, Journal& journal, std::function<std::string()> currentAccount);

    // "InsertSmartOrder": answers {"ErrorCode": 0, "OrderId": <smart order>, "OrderID": <order>,
    // "SmartOrderIdList", "AccountIdList", "OrderIDList"} (a net-position request may become
    // closing orders and an opening one), or {"ErrorCode", "ErrorMsg"} when the request is
    // malformed, names an unknown account or contract, or is a net-position request that cannot
    // be resolved. A request the market's checks refuse (price off the limits, money, position)
    // is accepted here and refused through the order's callbacks. extra: further members of
    // the journal line (a triggered condition's "ConditionOrderId").
    Json::Value InsertSmartOrder(const Json::Value& request, const Json::Value& extra = Json::Value());
    // Orders parsed elsewhere (a combination's legs); not journalled again.
    Json::Value Submit(const ParsedOrder& order);
    // Cancels the order that the request names ("OrderID", its reference "160" or its exchange
    // number "65", on "EAccountID" or accountHint): {"ErrorCode": 0, "OrderID"} or the refusal.
    Json::Value Cancel(const Json::Value& request, const std::string& accountHint);
    // The orders a net-position request (offset '3') resolves into, as numbered records
    // {"OrderList": [...]} (Simulator::ResolveNetPosition says how), or {"ErrorCode", "ErrorMsg"}:
    // 1009 with the reason when it cannot be resolved ("可用资金不足", "不支持的委托方向" ...).
    Json::Value ResolveNetPosition(const Json::Value& request);

    std::string CurrentAccount() const { return m_currentAccount(); }

private:
    std::string NextSmartOrderId();
    Market::NetPositionResolution Resolve(const ParsedOrder& order) const;
    Json::Value SubmitTickets(const std::vector<Market::OrderTicket>& tickets);

    Market::Simulator& m_market;
    Journal& m_journal;
    std::function<std::string()> m_currentAccount;
    std::atomic<uint64_t> m_nextSmartOrder{1};
};

// {"ErrorCode": code, "ErrorMsg": message}
Json::Value ErrorAnswer(int code, const std::string& message);

}  // namespace Terminal
