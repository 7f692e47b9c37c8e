#pragma once

#include <QDateTime>
#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

#include "host/Journal.h"
#include "host/OrderDesk.h"
#include "host/ServiceBase.h"
#include "kora/interface/AddinI.h"
#include "market/Simulator.h"

namespace Terminal::Services {

// "Kora.Platform.Service.KRTAddinCondition": takes conditional orders, keeps them and sends each
// one's order when the market meets its condition.
//
// A request names a contract ({"ExchangeCode", "ContractCode"}) and the order to send: "Direction"
// ('0' default), "OffsetFlag" ('0'), "HedgeFlag" ('1'), "Volume" (1), "PriceType" (a price rule
// such as "对手价", "市价", or "限价" with "Price"; "对手价" when absent), "EAccountID" (the current
// account when absent). Its condition is "Trigger": {"Price": the level (real price, number or
// text), "Condition": ">=" or "<=" (also "大于等于", "小于等于"; default ">=" for a buy, "<=" for a
// sell), "ExpireTime": "yyyy-MM-dd hh:mm:ss" Beijing time (optional; every condition also expires
// when the trading day ends)}. The condition is on the last price: a quote that carries a trade
// at or beyond the level sends the order once, through the engine's "InsertSmartOrder", journalled
// with the condition's "ConditionOrderId"; the condition is then "已触发" and never sends again.
// A cancelled ("已撤销") or expired ("已过期") condition never sends. A request without a trigger is
// kept ("未设条件") but cannot send until it has one: the terminal's conditional order page sets it.
//
// Each request is journalled as "ConditionalOrder" with its "Function". A valid one is answered
// {"ErrorCode": 0, "ConditionOrderId": "C000001" ...}; one naming no known contract, or with a
// malformed trigger, is refused with {"ErrorCode": 3001, "ErrorMsg": "条件单参数无效"}. With a
// confirmation installed (the terminal's conditional order page), a valid request is taken only
// when the user confirms it (the page may set its trigger); otherwise it is refused with
// {"ErrorCode": 3002, "ErrorMsg": "用户取消条件单"} and journalled as refused.
class KRTAddinConditionService : public ServiceBase<Kora::Interface::KRTAddinConditionI> {
public:
    struct ConditionalOrder {
        std::string id;
        QString function;
        Json::Value params;
        int instrument = -1;
        // The trigger: comparison '>' (at or above) or '<' (at or below), 0 without one.
        char comparison = 0;
        int64_t level = 0;   // price units
        QDateTime expires;   // invalid: the end of the trading day
        std::string state;   // "等待触发", "未设条件", "已触发", "已撤销", "已过期"
        Json::Value answer;  // what "InsertSmartOrder" answered once triggered
    };

    // Asked on the UI thread with the caller's tag and the order; true takes the order. The
    // confirmation may set the request's "Trigger".
    using Confirmation = std::function<bool(const QString& function, Json::Value& params)>;

    KRTAddinConditionService(const Market::Simulator& market, OrderDesk& orders, Journal& journal,
                             std::function<QDateTime()> now);

    Json::Value Execute(const QString& function, const Json::Value& params) override;
    void SetConfirmation(Confirmation confirmation);

    // The terminal's side: a quote of the market (sends what it triggers), a cancelled condition
    // (false when there is no waiting condition of that id) and the end of the trading day.
    void OnQuote(const Market::QuoteEvent& quote);
    bool Cancel(const std::string& id);
    void ExpireAll();

    std::vector<ConditionalOrder> Orders() const;

private:
    // Reads the trigger of a request into the condition; false when it is malformed.
    bool ReadTrigger(const Json::Value& params, const Market::Instrument& instrument,
                     ConditionalOrder& condition) const;
    Json::Value OrderRequest(const ConditionalOrder& condition) const;

    const Market::Simulator& m_market;
    OrderDesk& m_orders;
    Journal& m_journal;
    std::function<QDateTime()> m_now;
    mutable std::mutex m_lock;
    std::vector<ConditionalOrder> m_conditions;
    std::atomic<int> m_waiting{0};  // conditions that may still send: quotes skip the rest
    Confirmation m_confirmation;
};

}  // namespace Terminal::Services
