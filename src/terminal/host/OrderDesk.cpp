#include "host/OrderDesk.h"

#include <cstdio>

#include "host/ErrorCodes.h"
#include "host/Records.h"
#include "kora/interface/FieldIds.h"
#include "kora/utility/JsonAccess.h"

namespace Terminal {

using Kora::Utility::JsonText;

Json::Value ErrorAnswer(int code, const std::string& message) {
    Json::Value answer(Json::objectValue);
    answer["ErrorCode"] = code;
    answer["ErrorMsg"] = message;
    return answer;
}

OrderDesk::OrderDesk(Market::Simulator& market, Journal& journal, std::function<std::string()> currentAccount)
    : m_market(market), m_journal(journal), m_currentAccount(std::move(currentAccount)) {}

std::string OrderDesk::NextSmartOrderId() {
    char text[32];
    std::snprintf(text, sizeof text, "SO%06llu", static_cast<unsigned long long>(m_nextSmartOrder++));
    return text;
}

Market::NetPositionResolution OrderDesk::Resolve(const ParsedOrder& order) const {
    return order.netPosition ? m_market.ResolveNetPosition(order.ticket)
                             : Market::NetPositionResolution{{order.ticket}, {}};
}

Json::Value OrderDesk::InsertSmartOrder(const Json::Value& request, const Json::Value& extra) {
    const ParsedOrder parsed = ParseOrderRequest(request, m_market, m_currentAccount());
    const Market::NetPositionResolution resolved =
        parsed.Ok() ? Resolve(parsed) : Market::NetPositionResolution{};
    if (!parsed.Ok() || !resolved.Ok()) {
        const Json::Value refusal = parsed.Ok()
                                        ? ErrorAnswer(ErrorCode::kNetPositionUnresolved, resolved.error)
                                        : ErrorAnswer(parsed.errorCode, parsed.errorMessage);
        m_journal.Append(Journal::kOrder, request, refusal, extra);
        return refusal;
    }
    m_journal.Append(Journal::kOrder, request, Json::Value(), extra);
    return SubmitTickets(resolved.tickets);
}

Json::Value OrderDesk::Submit(const ParsedOrder& order) {
    if (!order.Ok()) {
        return ErrorAnswer(order.errorCode, order.errorMessage);
    }
    const Market::NetPositionResolution resolved = Resolve(order);
    if (!resolved.Ok()) {
        return ErrorAnswer(ErrorCode::kNetPositionUnresolved, resolved.error);
    }
    return SubmitTickets(resolved.tickets);
}

Json::Value OrderDesk::SubmitTickets(const std::vector<Market::OrderTicket>& tickets) {
    Json::Value answer(Json::objectValue);
    answer["ErrorCode"] = 0;
    answer["SmartOrderIdList"] = Json::Value(Json::arrayValue);
    answer["AccountIdList"] = Json::Value(Json::arrayValue);
    answer["OrderIDList"] = Json::Value(Json::arrayValue);
    for (Market::OrderTicket ticket : tickets) {
        ticket.smartOrderId = NextSmartOrderId();
        const Market::SubmitResult result = m_market.Submit(ticket);
        answer["SmartOrderIdList"].append(ticket.smartOrderId);
        answer["AccountIdList"].append(ticket.accountId);
        answer["OrderIDList"].append(result.orderId);
    }
    answer["OrderId"] = answer["SmartOrderIdList"][0];
    answer["OrderID"] = answer["OrderIDList"][0];
    return answer;
}

Json::Value OrderDesk::Cancel(const Json::Value& request, const std::string& accountHint) {
    std::string accountId = JsonText(request, "EAccountID");
    if (accountId.empty()) {
        accountId = accountHint;
    }
    // The order reference ("160") is the order's own id; "65" its exchange number.
    std::string orderId = JsonText(request, "OrderID", JsonText(request, Field::kOrderReference));
    const std::string exchangeOrderId = JsonText(request, Field::kExchangeOrderId);
    if (orderId.empty() && !exchangeOrderId.empty()) {
        for (const Market::OrderView& order : m_market.Orders(accountId)) {
            if (order.exchangeOrderId == exchangeOrderId) {
                orderId = order.id;
            }
        }
    }
    Json::Value answer;
    const auto order = orderId.empty() ? std::nullopt : m_market.FindOrder(orderId);
    if (!order || (!accountId.empty() && order->ticket.accountId != accountId)) {
        answer = ErrorAnswer(ErrorCode::kNoSuchOrder, "委托不存在");
        m_journal.Append(Journal::kCancel, request, answer);
        return answer;
    }
    const std::string refusal = m_market.Cancel(order->ticket.accountId, orderId);
    if (!refusal.empty()) {
        answer = ErrorAnswer(ErrorCode::kNotCancellable, refusal);
        m_journal.Append(Journal::kCancel, request, answer);
        return answer;
    }
    m_journal.Append(Journal::kCancel, request);
    answer["ErrorCode"] = 0;
    answer["OrderID"] = orderId;
    return answer;
}

Json::Value OrderDesk::ResolveNetPosition(const Json::Value& request) {
    const ParsedOrder parsed = ParseOrderRequest(request, m_market, m_currentAccount());
    if (!parsed.Ok()) {
        return ErrorAnswer(parsed.errorCode, parsed.errorMessage);
    }
    const Market::Instrument& instrument = *m_market.Catalogue().At(parsed.ticket.instrument);
    const Market::NetPositionResolution resolved = Resolve(parsed);
    if (!resolved.Ok()) {
        return ErrorAnswer(ErrorCode::kNetPositionUnresolved, resolved.error);
    }
    Json::Value answer(Json::objectValue);
    answer["ErrorCode"] = 0;
    Json::Value& list = answer["OrderList"] = Json::Value(Json::arrayValue);
    for (const Market::OrderTicket& t : resolved.tickets) {
        list.append(Records::Ticket(t, instrument));
    }
    return answer;
}

}  // namespace Terminal
