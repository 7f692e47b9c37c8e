#include "services/KRTAddinConditionService.h"

#include <cmath>
#include <cstdio>

#include "host/ContractLookup.h"
#include "host/ErrorCodes.h"
#include "kora/utility/JsonAccess.h"

namespace Terminal::Services {

using Kora::Utility::JsonText;
using Kora::Utility::Member;

namespace {

const char* const kWaiting = "等待触发";
const char* const kNoTrigger = "未设条件";
const char* const kTriggered = "已触发";
const char* const kCancelled = "已撤销";
const char* const kExpired = "已过期";

// A price given as a Json number or as text; NaN when it is neither.
double PriceOf(const Json::Value& value) {
    if (value.isNumeric()) {
        return value.asDouble();
    }
    if (value.isString()) {
        bool ok = false;
        const double price = QString::fromStdString(value.asString()).trimmed().toDouble(&ok);
        return ok ? price : std::nan("");
    }
    return std::nan("");
}

}  // namespace

KRTAddinConditionService::KRTAddinConditionService(const Market::Simulator& market, OrderDesk& orders,
                                                   Journal& journal, std::function<QDateTime()> now)
    : ServiceBase(QStringLiteral("条件单")),
      m_market(market),
      m_orders(orders),
      m_journal(journal),
      m_now(std::move(now)) {}

bool KRTAddinConditionService::ReadTrigger(const Json::Value& params, const Market::Instrument& instrument,
                                           ConditionalOrder& condition) const {
    const Json::Value& trigger = Member(params, "Trigger");
    if (trigger.isNull()) {
        condition.state = kNoTrigger;
        return true;
    }
    if (!trigger.isObject()) {
        return false;
    }
    const double price = PriceOf(Member(trigger, "Price"));
    if (!(price > 0) || !std::isfinite(price) || price > 1e9) {
        return false;
    }
    const std::string comparison = JsonText(trigger, "Condition");
    if (comparison.empty()) {
        condition.comparison = JsonText(params, "Direction", "0") == "0" ? '>' : '<';
    } else if (comparison == ">=" || comparison == "大于等于") {
        condition.comparison = '>';
    } else if (comparison == "<=" || comparison == "小于等于") {
        condition.comparison = '<';
    } else {
        return false;
    }
    const std::string expires = JsonText(trigger, "ExpireTime");
    if (!expires.empty()) {
        condition.expires =
            QDateTime::fromString(QString::fromStdString(expires), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (!condition.expires.isValid()) {
            return false;
        }
        condition.expires.setOffsetFromUtc(8 * 3600);
    }
    condition.level = instrument.ToUnits(price);
    condition.state = kWaiting;
    return true;
}

Json::Value KRTAddinConditionService::Execute(const QString& function, const Json::Value& params) {
    Json::Value extra(Json::objectValue);
    extra["Function"] = function.toStdString();
    const Market::Instrument* instrument =
        params.isObject() ? FindInstrument(m_market.Catalogue(), params) : nullptr;
    ConditionalOrder condition;
    if (!instrument || !ReadTrigger(params, *instrument, condition)) {
        const Json::Value refusal = ErrorAnswer(ErrorCode::kBadCondition, "条件单参数无效");
        m_journal.Append(Journal::kConditionalOrder, params, refusal, extra);
        return refusal;
    }
    Confirmation confirmation;
    {
        std::lock_guard lock(m_lock);
        confirmation = m_confirmation;
    }
    Json::Value taken = params;
    if (confirmation && !confirmation(function, taken)) {
        const Json::Value refusal = ErrorAnswer(ErrorCode::kConditionCancelled, "用户取消条件单");
        m_journal.Append(Journal::kConditionalOrder, params, refusal, extra);
        return refusal;
    }
    if (!ReadTrigger(taken, *instrument, condition)) {
        const Json::Value refusal = ErrorAnswer(ErrorCode::kBadCondition, "条件单参数无效");
        m_journal.Append(Journal::kConditionalOrder, taken, refusal, extra);
        return refusal;
    }
    condition.function = function;
    condition.params = taken;
    condition.instrument = instrument->index;
    m_journal.Append(Journal::kConditionalOrder, taken, Json::Value(), extra);
    std::lock_guard lock(m_lock);
    char id[32];
    std::snprintf(id, sizeof id, "C%06zu", m_conditions.size() + 1);
    condition.id = id;
    if (condition.state == kWaiting) {
        ++m_waiting;
    }
    m_conditions.push_back(std::move(condition));
    Json::Value answer(Json::objectValue);
    answer["ErrorCode"] = 0;
    answer["ConditionOrderId"] = id;
    return answer;
}

Json::Value KRTAddinConditionService::OrderRequest(const ConditionalOrder& condition) const {
    const Json::Value& p = condition.params;
    const Market::Instrument& instrument = *m_market.Catalogue().At(condition.instrument);
    Json::Value order(Json::objectValue);
    order["Contract"]["ExchangeCode"] = instrument.exchange;
    order["Contract"]["ContractCode"] = instrument.code;
    order["Direction"] = JsonText(p, "Direction", "0");
    order["OffsetFlag"] = JsonText(p, "OffsetFlag", "0");
    order["HedgeFlag"] = JsonText(p, "HedgeFlag", "1");
    order["Volume"] = Json::Int64(std::max<int64_t>(1, Kora::Utility::JsonInt(p, "Volume", 1)));
    const std::string priceType = JsonText(p, "PriceType", "对手价");
    if (priceType == "市价") {
        order["PriceType"] = "市价";
    } else {
        order["PriceType"] = "限价";
        if (priceType == "限价") {
            order["LimitPriceType"] = "CustomPrice";
            order["LimitPrice"] = JsonText(p, "Price");
        } else {
            order["LimitPriceType"] = priceType;
        }
    }
    Json::Value request(Json::objectValue);
    request["EAccountID"] = JsonText(p, "EAccountID");
    request["Order"] = order;
    return request;
}

void KRTAddinConditionService::OnQuote(const Market::QuoteEvent& quote) {
    if (m_waiting.load() == 0 || !quote.traded) {
        return;
    }
    const int64_t last = quote.snapshot.last;
    const QDateTime now = m_now();
    std::vector<ConditionalOrder> due;
    {
        std::lock_guard lock(m_lock);
        for (ConditionalOrder& condition : m_conditions) {
            if (condition.instrument != quote.instrument || condition.state != kWaiting) {
                continue;
            }
            if (condition.expires.isValid() && now > condition.expires) {
                condition.state = kExpired;
                --m_waiting;
            } else if (condition.comparison == '>' ? last >= condition.level : last <= condition.level) {
                // Taken out of the waiting ones before the order goes, so it goes once.
                condition.state = kTriggered;
                --m_waiting;
                due.push_back(condition);
            }
        }
    }
    for (const ConditionalOrder& condition : due) {
        Json::Value extra(Json::objectValue);
        extra["ConditionOrderId"] = condition.id;
        const Json::Value answer = m_orders.InsertSmartOrder(OrderRequest(condition), extra);
        std::lock_guard lock(m_lock);
        for (ConditionalOrder& kept : m_conditions) {
            if (kept.id == condition.id) {
                kept.answer = answer;
            }
        }
    }
}

bool KRTAddinConditionService::Cancel(const std::string& id) {
    std::lock_guard lock(m_lock);
    for (ConditionalOrder& condition : m_conditions) {
        if (condition.id == id && (condition.state == kWaiting || condition.state == kNoTrigger)) {
            m_waiting -= condition.state == kWaiting ? 1 : 0;
            condition.state = kCancelled;
            return true;
        }
    }
    return false;
}

void KRTAddinConditionService::ExpireAll() {
    std::lock_guard lock(m_lock);
    for (ConditionalOrder& condition : m_conditions) {
        if (condition.state == kWaiting || condition.state == kNoTrigger) {
            condition.state = kExpired;
        }
    }
    m_waiting = 0;
}

void KRTAddinConditionService::SetConfirmation(Confirmation confirmation) {
    std::lock_guard lock(m_lock);
    m_confirmation = std::move(confirmation);
}

std::vector<KRTAddinConditionService::ConditionalOrder> KRTAddinConditionService::Orders() const {
    std::lock_guard lock(m_lock);
    return m_conditions;
}

}  // namespace Terminal::Services
