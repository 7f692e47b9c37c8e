#include "trading/OrderSender.h"

#include "kernel/EngineLog.h"
#include "kernel/HostAccess.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/utility/JsonAccess.h"
#include "trading/OrderLog.h"
#include "trading/TradePrompter.h"

using Kora::Utility::JsonInt;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;
namespace I = Kora::Interface;

OrderSender::OrderSender(QString logSource, TradePrompter& prompter)
    : m_logSource(std::move(logSource)), m_prompter(prompter) {}

OrderSender::Outcome OrderSender::Refuse(Outcome outcome, const QString& error) {
    outcome.error = error;
    Kora::Kernel::WriteLog(Kora::Kernel::kLogError, QStringLiteral("错误|%1|").arg(error), m_logSource);
    m_prompter.Tell(error);
    return outcome;
}

OrderSender::Outcome OrderSender::Send(const OrderTicket& ticket, const Json::Value& orderMembers,
                                       const BeforeInsert& beforeInsert) {
    Outcome outcome;
    Kora::Utility::Handle<I::KRTEngineI> engine = Kora::Kernel::GetService<I::KRTEngineI>();
    if (!engine) {
        return Refuse(outcome, QStringLiteral("交易服务不可用，委托未发送"));
    }
    const Json::Value request = ticket.Request();
    if (ticket.IsNetPosition()) {
        const Json::Value resolved = engine->Invoke(QStringLiteral("ResolveNetPosition"), request);
        if (JsonInt(resolved, "ErrorCode", 0) != 0) {
            return Refuse(outcome, JsonWText(resolved, "ErrorMsg", QStringLiteral("净仓委托无法执行")));
        }
    }
    Json::Value order = engine->CreateOrder(request);
    if (!order.isObject() || !Member(order, "Order").isObject()) {
        return Refuse(outcome, JsonWText(order, "ErrorMsg", QStringLiteral("委托无效")));
    }
    if (orderMembers.isObject()) {
        for (const std::string& name : orderMembers.getMemberNames()) {
            order[name] = orderMembers[name];
        }
    }
    if (beforeInsert) {
        beforeInsert(order);
    }
    OrderLog::Write(order, m_logSource);
    outcome.order = order;
    const Json::Value answer = engine->Invoke(QStringLiteral("InsertSmartOrder"), order);
    outcome.smartOrderIds = m_tracker.Keep(answer);
    if (JsonInt(answer, "ErrorCode", 0) != 0 || outcome.smartOrderIds.isEmpty()) {
        return Refuse(outcome, JsonWText(answer, "ErrorMsg", QStringLiteral("下单失败")));
    }
    outcome.sent = true;
    return outcome;
}
