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
    // "SmartOrderIdList", "AccountIdList", "OrderIDList"} (a net-position request may become a
    // closing and an opening order), or {"ErrorCode", "ErrorMsg"} when the request is malformed
    // or names an unknown account or contract. A request the market's checks refuse (price off
    // the limits, money, position) is accepted here and refused through the order's callbacks.
    Json::Value InsertSmartOrder(const Json::Value& request);
    // Orders parsed elsewhere (a combination's legs); not journalled again.
    Json::Value Submit(const ParsedOrder& order);
    // Cancels the order that the request names ("OrderID", its reference "160" or its exchange
    // number "65", on "EAccountID" or accountHint): {"ErrorCode": 0, "OrderID"} or the refusal.
    Json::Value Cancel(const Json::Value& request, const std::string& accountHint);
    // The orders a net-position request (offset '3') resolves into, as numbered records
    // {"OrderList": [...]}, or {"ErrorCode", "ErrorMsg"}.
    Json::Value ResolveNetPosition(const Json::Value& request);

    std::string CurrentAccount() const { return m_currentAccount(); }

private:
    std::string NextSmartOrderId();

    Market::Simulator& m_market;
    Journal& m_journal;
    std::function<std::string()> m_currentAccount;
    std::atomic<uint64_t> m_nextSmartOrder{1};
};

// {"ErrorCode": code, "ErrorMsg": message}
Json::Value ErrorAnswer(int code, const std::string& message);

}  // namespace Terminal
