#include "services/KRTAddinConditionService.h"

#include <cstdio>

#include "host/ContractLookup.h"
#include "host/ErrorCodes.h"
#include "host/OrderDesk.h"

namespace Terminal::Services {

KRTAddinConditionService::KRTAddinConditionService(const Market::Simulator& market, Journal& journal)
    : ServiceBase(QStringLiteral("条件单")), m_market(market), m_journal(journal) {}

Json::Value KRTAddinConditionService::Execute(const QString& function, const Json::Value& params) {
    Json::Value extra(Json::objectValue);
    extra["Function"] = function.toStdString();
    if (!params.isObject() || !FindInstrument(m_market.Catalogue(), params)) {
        const Json::Value refusal = ErrorAnswer(ErrorCode::kBadCondition, "条件单参数无效");
        m_journal.Append(Journal::kConditionalOrder, params, refusal, extra);
        return refusal;
    }
    Confirmation confirmation;
    {
        std::lock_guard lock(m_lock);
        confirmation = m_confirmation;
    }
    if (confirmation && !confirmation(function, params)) {
        const Json::Value refusal = ErrorAnswer(ErrorCode::kConditionCancelled, "用户取消条件单");
        m_journal.Append(Journal::kConditionalOrder, params, refusal, extra);
        return refusal;
    }
    m_journal.Append(Journal::kConditionalOrder, params, Json::Value(), extra);
    std::lock_guard lock(m_lock);
    char id[32];
    std::snprintf(id, sizeof id, "C%06zu", m_orders.size() + 1);
    m_orders.push_back({id, function, params});
    Json::Value answer(Json::objectValue);
    answer["ErrorCode"] = 0;
    answer["ConditionOrderId"] = id;
    return answer;
}

void KRTAddinConditionService::SetConfirmation(Confirmation confirmation) {
    std::lock_guard lock(m_lock);
    m_confirmation = std::move(confirmation);
}

std::vector<KRTAddinConditionService::ConditionalOrder> KRTAddinConditionService::Orders() const {
    std::lock_guard lock(m_lock);
    return m_orders;
}

}  // namespace Terminal::Services
